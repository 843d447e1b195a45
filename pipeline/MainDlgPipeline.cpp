// The install pipeline's bookkeeping, on the UI thread: the chunk plan, the
// strict write order, the progress display, retries and the finished state.
#include "ui/MainDlg.h"

#include "lang/LanFile.h"
#include "pipeline/ChunkPlan.h"
#include "pipeline/DownErrorDecision.h"
#include "pipeline/DownPaths.h"
#include "pipeline/PipelineThreads.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace

void CMainDlg::PostDownError(DWORD error, int kind) { PostMessage(WM_DOWN_ERROR, error, kind); }

// Opens the target file; false when a failure was reported.
bool CMainDlg::OpenTargetFile()
{
    DownPaths paths = MakeDownPaths(LoadLanString(L"STR_DOWN_URL"), g_strDownRoot);
    if (!paths.bUsable) {
        PostDownError(0, DOWN_ERR_URL);
        return false;
    }
    if (!FileExists(paths.strFolder)) {
        if (!::CreateDirectoryW(paths.strFolder.c_str(), nullptr)) {
            PostDownError(::GetLastError(), DOWN_ERR_SYSTEM);
            return false;
        }
    } else if (FileExists(paths.strTargetFile) && !::DeleteFileW(paths.strTargetFile.c_str())) {
        PostDownError(::GetLastError(), DOWN_ERR_SYSTEM); // creating it below may still work
    }
    g_hDownFile = ::CreateFileW(paths.strTargetFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_hDownFile == INVALID_HANDLE_VALUE) {
        PostDownError(::GetLastError(), DOWN_ERR_SYSTEM);
        return false;
    }
    return true;
}

LRESULT CMainDlg::OnDownSize(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    if (g_hDownFile == INVALID_HANDLE_VALUE && !OpenTargetFile())
        return 0;

    m_nDownSize = static_cast<UINT>(lParam);
    g_nDownFileSize = m_nDownSize;
    auto* pieces = new (std::nothrow) DownPiece[DOWN_PIECE_COUNT];
    if (pieces == nullptr) {
        PostDownError(ERROR_NOT_ENOUGH_MEMORY, DOWN_ERR_SYSTEM);
        return 0;
    }
    PlanPieces(m_nDownSize, pieces);
    // Every buffer first: a failed allocation must not leave workers running.
    for (int i = 0; i < DOWN_PIECE_COUNT; ++i) {
        if (pieces[i].nLength == 0)
            continue;
        pieces[i].pBuffer = static_cast<BYTE*>(std::malloc(pieces[i].nLength));
        if (pieces[i].pBuffer == nullptr) {
            for (int j = 0; j < i; ++j)
                std::free(pieces[j].pBuffer);
            delete[] pieces;
            PostDownError(ERROR_NOT_ENOUGH_MEMORY, DOWN_ERR_SYSTEM);
            return 0;
        }
    }
    m_pPieces = pieces;
    for (int i = 0; i < DOWN_PIECE_COUNT; ++i)
        StartPipelineThread(PieceDownloadThread, &m_pPieces[i]);
    return 0;
}

LRESULT CMainDlg::OnDownProgress(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    int percent;
    if (wParam == 0) {
        g_nDownTotal += static_cast<UINT>(lParam);
        percent = DownPercent(g_nDownTotal, m_nDownSize);
    } else {
        percent = static_cast<int>(wParam);
    }
    m_progress.SetPos(percent);
    wchar_t text[16];
    swprintf(text, 16, L"%d%% ", percent);
    ::SetWindowTextW(m_hWndPercent, text);

    // Data moves again: the retry budget refills and parked chunks go again.
    m_nRetryCount = 0;
    for (int index : m_vecFailed)
        StartPipelineThread(PieceDownloadThread, &m_pPieces[index]);
    m_vecFailed.clear();
    return 0;
}

LRESULT CMainDlg::OnPieceDownloaded(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    int index = static_cast<int>(lParam);
    if (m_pPieces == nullptr || index < 0 || index >= DOWN_PIECE_COUNT)
        return 0; // not a chunk of this download
    if (index == m_nWriteIndex)
        StartPipelineThread(PieceWriteThread, &m_pPieces[index]);
    else
        m_vecDownloaded.push_back(index);
    ++m_nDownloadedCount;
    return 0;
}

LRESULT CMainDlg::OnPieceWritten(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    int index = static_cast<int>(lParam);
    if (m_pPieces == nullptr || index != m_nWriteIndex) {
        PostDownError(0, DOWN_ERR_SYSTEM);
        return 0;
    }
    std::free(m_pPieces[index].pBuffer);
    m_pPieces[index].pBuffer = nullptr;

    if (index == DOWN_PIECE_COUNT - 1) {
        ::CloseHandle(g_hDownFile);
        g_hDownFile = INVALID_HANDLE_VALUE;
        delete[] m_pPieces;
        m_pPieces = nullptr;
        StartPipelineThread(SetupLaunchThread, nullptr);
        return 0;
    }

    ++m_nWriteIndex;
    auto next = std::find(m_vecDownloaded.begin(), m_vecDownloaded.end(), m_nWriteIndex);
    if (next != m_vecDownloaded.end()) {
        m_vecDownloaded.erase(next);
        StartPipelineThread(PieceWriteThread, &m_pPieces[m_nWriteIndex]);
    }
    return 0;
}

LRESULT CMainDlg::OnDownError(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    DWORD error = static_cast<DWORD>(wParam);
    int kind = static_cast<int>(lParam);
    DownErrorState state{kind,
                         g_nErrorShown > 0,
                         m_nRetryCount,
                         g_bUseWinHttp,
                         static_cast<int>(m_vecFailed.size()),
                         m_nDownloadedCount};
    switch (DecideDownError(state)) {
    case DownErrorAction::Ignore:
        break;
    case DownErrorAction::ShowUrlError:
        ShowErrorAndClose(L"error : URL, URL error");
        break;
    case DownErrorAction::ShowSystemError:
        ShowErrorAndClose(FormatError(L"STR_SYSTEM_ERROR", error));
        break;
    case DownErrorAction::RestartProbe:
        StartPipelineThread(SizeProbeThread, nullptr);
        ++m_nRetryCount;
        break;
    case DownErrorAction::RestartPiece:
        if (m_pPieces != nullptr)
            StartPipelineThread(PieceDownloadThread, &m_pPieces[kind]);
        ++m_nRetryCount;
        break;
    case DownErrorAction::SwitchToWinHttp:
        RestartWithWinHttp();
        break;
    case DownErrorAction::ParkPiece:
        m_vecFailed.push_back(kind);
        break;
    case DownErrorAction::ParkPieceAndShowNetworkError:
        m_vecFailed.push_back(kind);
        ShowErrorAndClose(FormatError(L"STR_NETWORK_ERROR", error));
        break;
    case DownErrorAction::ShowNetworkError:
        ShowErrorAndClose(FormatError(L"STR_NETWORK_ERROR", error));
        break;
    }
    return 0;
}

std::wstring CMainDlg::FormatError(const wchar_t* key, DWORD error)
{
    wchar_t text[512];
    swprintf(text, 512, L"%ls : %d", LoadLanString(key).c_str(), static_cast<int>(error));
    return text;
}

void CMainDlg::ShowErrorAndClose(const std::wstring& text)
{
    // Set before the box opens: its own loop keeps dispatching our messages,
    // and every later failure report must be ignored.
    g_nErrorShown = 1;
    ::MessageBoxW(m_hWnd, text.c_str(), LoadLanString(L"STR_ERROR").c_str(), MB_OK | MB_ICONINFORMATION);
    CloseDialog(MAIN_DLG_EXIT_CODE);
}

void CMainDlg::RestartWithWinHttp()
{
    g_bUseWinHttp = true;
    if (g_hDownFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(g_hDownFile);
        g_hDownFile = INVALID_HANDLE_VALUE;
    }
    m_nWriteIndex = 0;
    m_nRetryCount = 0;
    m_nDownloadedCount = 0;
    BOOL handled = TRUE;
    OnInstall(0, 0, nullptr, handled);
}

LRESULT CMainDlg::OnInstallFinished(UINT, WPARAM, LPARAM, BOOL&)
{
    m_nInstallState = INSTALL_STATE_FINISHED;
    KillTimer(SLIDE_TIMER_ID);
    m_progress.ShowWindow(SW_HIDE);
    m_btnHide.ShowWindow(SW_HIDE);
    ::ShowWindow(m_hWndPercent, SW_HIDE);
    Invalidate(TRUE);
    m_btnStart.ShowWindow(SW_SHOW);
    m_btnClose.ShowWindow(SW_SHOW);
    m_btnMinimize.ShowWindow(SW_SHOW);
    if (!IsWindowVisible()) {
        ShowWindow(SW_SHOW);
        ::Shell_NotifyIconW(NIM_DELETE, &m_nid);
    }
    return 0;
}
