// Frame behaviour: dragging, static colours and the close rules.
#include "ui/MainDlg.h"

#include "lang/LanFile.h"

UINT CMainDlg::OnNcHitTest(POINT ptScreen)
{
    RECT rc;
    GetClientRect(&rc);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    // The whole surface drags the window: it has no caption.
    return ::PtInRect(&rc, ptScreen) ? HTCAPTION : HTNOWHERE;
}

LRESULT CMainDlg::OnCtlColorStatic(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    HDC hdc = reinterpret_cast<HDC>(wParam);
    HWND hWndCtl = reinterpret_cast<HWND>(lParam);
    if (hWndCtl == m_hWndAgreeTip) {
        ::SetTextColor(hdc, RGB(255, 0, 0));
        ::SetBkMode(hdc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(::GetCurrentObject(hdc, OBJ_BRUSH));
    }
    if (hWndCtl == m_hWndPercent)
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    return 0;
}

void CMainDlg::OnClose()
{
    if (m_nInstallState == INSTALL_STATE_INSTALLING) {
        // No way to cancel mid-install: the window only hides and comes back
        // when the setup program has finished.
        ShowWindow(SW_HIDE);
        return;
    }
    BOOL handled = TRUE;
    OnCloseCmd(0, 0, nullptr, handled);
}

LRESULT CMainDlg::OnCloseCmd(WORD, WORD, HWND, BOOL&)
{
    std::wstring caption = LoadLanString(L"STR_SOFT_TIP");
    std::wstring text = LoadLanString(L"STR_CLOSE_TIP");
    if (::MessageBoxW(m_hWnd, text.c_str(), caption.c_str(), MB_YESNO) == IDYES)
        CloseDialog(MAIN_DLG_EXIT_CODE);
    return 0;
}
