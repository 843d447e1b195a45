// The Install command: the gate between the idle window and the pipeline.
#include "ui/MainDlg.h"

#include "lang/LanFile.h"
#include "pipeline/DownUrl.h"
#include "pipeline/PipelineThreads.h"
#include "ui/ShellFolder.h"

#include <shlobj.h>

#include <cstdio>

LRESULT CMainDlg::OnInstall(WORD, WORD, HWND, BOOL&)
{
    std::wstring caption = LoadLanString(L"STR_SOFT_TIP");

    DownUrl url = SplitDownUrl(LoadLanString(L"STR_DOWN_URL"));
    if (url.bHasScheme) {
        g_strHostName = url.strHost;
        g_nServerPort = url.nPort;
        g_bSecure = url.bSecure;
        if (url.bMissingSlash) {
            ::MessageBoxW(m_hWnd, LoadLanString(L"STR_URL_ERROR").c_str(), caption.c_str(), MB_ICONINFORMATION);
            return 0;
        }
        g_strUrlPath = url.strPath;
    }

    m_nInstallState = INSTALL_STATE_INSTALLING;
    SetTimer(SLIDE_TIMER_ID, 5000);
    SwitchToInstallingLayout();

    DoDataExchange(DdxDirection::Save);
    if (g_strInstallDir.empty() || ::GetFileAttributesW(g_strInstallDir.c_str()) == INVALID_FILE_ATTRIBUTES)
        g_strInstallDir = GetShellFolderPath(CSIDL_PROGRAM_FILESX86);
    g_strDownRoot = GetShellFolderPath(CSIDL_COMMON_DOCUMENTS);

    StartPipelineThread(SizeProbeThread, nullptr);
    return 0;
}

void CMainDlg::SwitchToInstallingLayout()
{
    SetWindowPos(nullptr, 0, 0, MAIN_DLG_WIDTH, MAIN_DLG_HEIGHT, SWP_NOMOVE | SWP_NOZORDER);
    m_btnClose.ShowWindow(SW_HIDE);
    m_btnMinimize.ShowWindow(SW_HIDE);
    m_btnInstall.ShowWindow(SW_HIDE);
    m_chkAgree.ShowWindow(SW_HIDE);
    m_btnLicence.ShowWindow(SW_HIDE);
    m_chkCustom.ShowWindow(SW_HIDE);
    ::ShowWindow(m_hWndAgreeTip, SW_HIDE);
    m_progress.ShowWindow(SW_SHOW);
    m_progress.SetRange32(0, 100);
    m_progress.SetPos(0);

    wchar_t text[16];
    swprintf(text, 16, L"%d%% ", 0);
    ::SetWindowTextW(m_hWndPercent, text);
    ::ShowWindow(m_hWndPercent, SW_SHOW);

    // Paint the installing page now, before the slower steps that follow.
    Invalidate(TRUE);
    UpdateWindow();
}
