#include "PipelineHarness.h"

#include "framework/AppModule.h"
#include "lang/LanFile.h"
#include "pipeline/PipelineDefs.h"
#include "ui/ShellFolder.h"

#include <shlobj.h>
#include <wincrypt.h>

#include <atomic>
#include <fstream>
#include <mutex>
#include <thread>

namespace {

// Records every pipeline message before the dialog handles it.
class CRecorder : public CMessageFilter {
public:
    CRecorder(HWND hWndDlg, PipelineRun& run) : m_hWndDlg(hWndDlg), m_run(run) {}

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->hwnd == m_hWndDlg && pMsg->message >= WM_DOWN_PROGRESS && pMsg->message <= WM_PIECE_WRITTEN)
            m_run.messages.push_back({pMsg->message, pMsg->wParam, pMsg->lParam});
        wchar_t text[32] = {};
        ::GetDlgItemTextW(m_hWndDlg, IDC_LBL_PERCENT, text, 32);
        if (m_run.percentTexts.empty() || m_run.percentTexts.back() != text)
            m_run.percentTexts.push_back(text);
        return FALSE;
    }

private:
    HWND m_hWndDlg;
    PipelineRun& m_run;
};

// Answers the dialog's message boxes from another thread, as a user would.
class CBoxAnswerer {
public:
    CBoxAnswerer(HWND hWndDlg, DWORD uiThread) : m_hWndDlg(hWndDlg), m_uiThread(uiThread)
    {
        m_thread = std::thread([this] { Loop(); });
    }
    ~CBoxAnswerer()
    {
        m_stop = true;
        m_thread.join();
    }
    std::vector<MessageBoxRecord> Boxes()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_boxes;
    }

private:
    void Loop()
    {
        while (!m_stop) {
            ::EnumThreadWindows(m_uiThread, FindBox, reinterpret_cast<LPARAM>(this));
            ::Sleep(30);
        }
    }

    static BOOL CALLBACK FindBox(HWND hWnd, LPARAM param)
    {
        auto* self = reinterpret_cast<CBoxAnswerer*>(param);
        wchar_t cls[32] = {};
        ::GetClassNameW(hWnd, cls, 32);
        if (hWnd == self->m_hWndDlg || wcscmp(cls, L"#32770") != 0 || !::IsWindowVisible(hWnd) ||
            ::GetWindow(hWnd, GW_OWNER) != self->m_hWndDlg || hWnd == self->m_hWndAnswered)
            return TRUE;
        wchar_t caption[256] = {}, text[1024] = {};
        ::GetWindowTextW(hWnd, caption, 256);
        ::GetDlgItemTextW(hWnd, 0xFFFF, text, 1024);
        {
            std::lock_guard<std::mutex> lock(self->m_mutex);
            self->m_boxes.push_back({caption, text});
        }
        self->m_hWndAnswered = hWnd;
        ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
        return TRUE;
    }

    HWND m_hWndDlg;
    DWORD m_uiThread;
    HWND m_hWndAnswered = nullptr;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<MessageBoxRecord> m_boxes;
    std::thread m_thread;
};

CMainDlg* s_pRunningDlg = nullptr;
DWORD s_nDeadline = 0;
bool s_bTimedOut = false;

void CALLBACK WatchRun(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_pRunningDlg->m_hWnd != nullptr && s_pRunningDlg->GetInstallState() == INSTALL_STATE_FINISHED) {
        ::PostQuitMessage(0);
    } else if (static_cast<LONG>(::GetTickCount() - s_nDeadline) > 0) {
        s_bTimedOut = true;
        ::PostQuitMessage(0);
    }
}

void ResetPipelineGlobals()
{
    if (g_hDownFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(g_hDownFile);
    g_hDownFile = INVALID_HANDLE_VALUE;
    g_strHostName.clear();
    g_strUrlPath.clear();
    g_nServerPort = 80;
    g_bSecure = false;
    g_nDownTotal = 0;
    g_nDownFileSize = 0;
    g_nErrorShown = 0;
    g_bUseWinHttp = false;
    g_nStallTimeoutMs = 30000;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace

int PipelineRun::Count(UINT msg, LPARAM lParam) const
{
    int count = 0;
    for (const PipelineMessage& m : messages)
        count += m.msg == msg && m.lParam == lParam;
    return count;
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string Sha256Hex(const std::string& bytes)
{
    HCRYPTPROV prov = 0;
    HCRYPTHASH hash = 0;
    std::string hex;
    if (::CryptAcquireContextW(&prov, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) &&
        ::CryptCreateHash(prov, CALG_SHA_256, 0, 0, &hash) &&
        ::CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0)) {
        BYTE digest[32];
        DWORD size = sizeof(digest);
        if (::CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0)) {
            static const char digits[] = "0123456789abcdef";
            for (DWORD i = 0; i < size; ++i) {
                hex += digits[digest[i] >> 4];
                hex += digits[digest[i] & 15];
            }
        }
    }
    if (hash)
        ::CryptDestroyHash(hash);
    if (prov)
        ::CryptReleaseContext(prov, 0);
    return hex;
}

std::wstring MakeTempFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + name;
    ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return folder;
}

std::wstring PipelineHarness::DownFolder() { return GetShellFolderPath(CSIDL_COMMON_DOCUMENTS) + L"\\Wystrel"; }

PipelineHarness::PipelineHarness(const std::wstring& downUrl)
{
    ResetPipelineGlobals();
    m_strInstallDir = MakeTempFolder(L"pipeline-install");
    m_strLanFile = MakeTempFolder(L"pipeline-lang") + L"\\English.ini";
    std::wstring text = L"[LANSTR]\r\n"
                        L"STR_PROCESS_NAME=Pellucor.exe\r\n"
                        L"STR_PROJECT_NAME=Pellucor\r\n"
                        L"STR_DOWN_URL=" + downUrl + L"\r\n"
                        L"STR_SOFT_TIP=Pellucor Setup\r\n"
                        L"STR_ERROR=Error\r\n"
                        L"STR_NETWORK_ERROR=Network error\r\n"
                        L"STR_SYSTEM_ERROR=System error\r\n";
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    WriteBytes(m_strLanFile, bytes);
    m_strSavedLanFile = g_strLanFilePath;
    g_strLanFilePath = m_strLanFile;
}

PipelineHarness::~PipelineHarness()
{
    ResetPipelineGlobals();
    g_strLanFilePath = m_strSavedLanFile;
}

PipelineRun PipelineHarness::Run(DWORD timeoutMs)
{
    g_bUseWinHttp = m_bUseWinHttp;
    g_nStallTimeoutMs = m_nStallTimeoutMs;

    PipelineRun run;
    CMessageLoop loop;
    g_Module.AddMessageLoop(&loop);
    {
        CMainDlg dlg;
        if (dlg.Create(nullptr) == nullptr) {
            g_Module.RemoveMessageLoop();
            return run;
        }
        ::SetDlgItemTextW(dlg, IDC_EDIT_PATH, m_strInstallDir.c_str());
        CRecorder recorder(dlg, run);
        loop.AddMessageFilter(&recorder);
        {
            CBoxAnswerer answerer(dlg, ::GetCurrentThreadId());
            s_pRunningDlg = &dlg;
            s_nDeadline = ::GetTickCount() + timeoutMs;
            s_bTimedOut = false;
            UINT_PTR watch = ::SetTimer(nullptr, 0, 50, WatchRun);
            dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_BTN_INSTALL, BN_CLICKED),
                            reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDC_BTN_INSTALL)));
            int result = loop.Run();
            ::KillTimer(nullptr, watch);

            if (s_bTimedOut)
                run.end = PipelineRun::TimedOut;
            else if (result == MAIN_DLG_EXIT_CODE)
                run.end = PipelineRun::ClosedByError;
            else
                run.end = PipelineRun::Finished;
            run.boxes = answerer.Boxes();
        }
        loop.RemoveMessageFilter(&recorder);
        if (dlg.m_hWnd != nullptr)
            dlg.CloseDialog(0);
        // Drop what is left for the dead window, the quit message included.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        s_pRunningDlg = nullptr;
    }
    g_Module.RemoveMessageLoop();
    run.usedWinHttp = g_bUseWinHttp;
    return run;
}
