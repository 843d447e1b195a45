// The window's own surface: the white page with its pictures, or the banner
// slide while installing, and the one-pixel frame.
#include "ui/MainDlg.h"

namespace {

const Gdiplus::Color PAGE_WHITE(0xFF, 0xFF, 0xFF, 0xFF);
const Gdiplus::Color LINE_GREY(0xFF, 0xE0, 0xE0, 0xE0);
const Gdiplus::Color FRAME_GREY(0xFF, 0xCC, 0xCC, 0xCC);

} // namespace

LRESULT CMainDlg::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    RECT rcClient;
    GetClientRect(&rcClient);
    PaintPage(hdc, rcClient);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

// The page painted into another device context, e.g. under a skinned control.
LRESULT CMainDlg::OnPrintClient(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    RECT rcClient;
    GetClientRect(&rcClient);
    PaintPage(reinterpret_cast<HDC>(wParam), rcClient);
    return 0;
}

void CMainDlg::PaintPage(HDC hdc, const RECT& rcClient) const
{
    Gdiplus::Graphics graphics(hdc);
    Gdiplus::SolidBrush white(PAGE_WHITE);

    switch (m_nInstallState) {
    case INSTALL_STATE_SETUP: {
        graphics.FillRectangle(&white, 0, 0, MAIN_DLG_WIDTH, MAIN_DLG_HEIGHT);
        Gdiplus::SolidBrush line(LINE_GREY);
        graphics.FillRectangle(&line, 0, SETUP_LINE_Y, MAIN_DLG_WIDTH, 1);
        graphics.FillRectangle(&line, 0, BOTTOM_LINE_Y, MAIN_DLG_WIDTH, 1);
        DrawSkinImage(graphics, m_pImgLogo, RC_LOGO.x, RC_LOGO.y, RC_LOGO.cx, RC_LOGO.cy);
        DrawSkinImage(graphics, m_pImgProduct, RC_PRODUCT.x, RC_PRODUCT.y, RC_PRODUCT.cx, RC_PRODUCT.cy);
        break;
    }
    case INSTALL_STATE_INSTALLING:
        DrawSkinImage(graphics, m_pCurSlide, 0, 0, MAIN_DLG_WIDTH, SLIDE_HEIGHT);
        graphics.FillRectangle(&white, static_cast<INT>(rcClient.left), SLIDE_HEIGHT, static_cast<INT>(rcClient.right),
                               static_cast<INT>(rcClient.bottom));
        break;
    case INSTALL_STATE_FINISHED:
        graphics.FillRectangle(&white, 0, 0, MAIN_DLG_WIDTH, MAIN_DLG_HEIGHT);
        DrawSkinImage(graphics, m_pImgLogo, RC_LOGO.x, RC_LOGO.y, RC_LOGO.cx, RC_LOGO.cy);
        DrawSkinImage(graphics, m_pImgProduct, RC_PRODUCT.x, RC_PRODUCT.y, RC_PRODUCT.cx, RC_PRODUCT.cy);
        break;
    default:
        break;
    }

    Gdiplus::Pen frame(FRAME_GREY, 1.0f);
    graphics.DrawRectangle(&frame, 0, 0, static_cast<INT>(rcClient.right - 1), static_cast<INT>(rcClient.bottom - 1));
}
