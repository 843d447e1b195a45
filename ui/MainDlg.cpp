#include "ui/MainDlg.h"

CMainDlg* g_pMainDlg = nullptr;

BOOL CMainDlg::PreTranslateMessage(MSG* pMsg) { return ::IsDialogMessageW(m_hWnd, pMsg); }

BOOL CMainDlg::OnIdle()
{
    UIUpdateChildWindows();
    return FALSE;
}

LRESULT CMainDlg::OnDestroy(UINT, WPARAM, LPARAM, BOOL&)
{
    if (CMessageLoop* loop = g_Module.GetMessageLoop()) {
        loop->RemoveMessageFilter(this);
        loop->RemoveIdleHandler(this);
    }
    return 0;
}

void CMainDlg::CloseDialog(int nVal)
{
    delete m_pImgLogo;
    m_pImgLogo = nullptr;
    delete m_pImgProduct;
    m_pImgProduct = nullptr;
    delete m_pImgPathFrame;
    m_pImgPathFrame = nullptr;
    for (Gdiplus::Image*& slide : m_vecSlides) {
        delete slide;
        slide = nullptr;
    }
    m_pCurSlide = nullptr;
    DestroyWindow();
    ::PostQuitMessage(nVal);
}
