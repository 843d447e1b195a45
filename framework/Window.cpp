#include "framework/Window.h"

std::wstring CWindow::GetWindowText() const
{
    int len = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    int got = ::GetWindowTextW(m_hWnd, &text[0], len + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void CWindow::AddStyle(DWORD style) const
{
    DWORD current = GetStyle();
    if ((current & style) != style)
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(current | style));
}

BOOL CWindow::CenterWindow(HWND hWndCenter) const
{
    RECT rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);

    RECT rcArea;
    RECT rcCenter;
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    HMONITOR monitor = ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    if (::GetMonitorInfoW(monitor, &mi)) {
        rcArea = mi.rcWork;
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
    }
    if (hWndCenter)
        ::GetWindowRect(hWndCenter, &rcCenter);
    else
        rcCenter = rcArea;

    int width = rcWindow.right - rcWindow.left;
    int height = rcWindow.bottom - rcWindow.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - width / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - height / 2;
    if (x + width > rcArea.right)
        x = rcArea.right - width;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + height > rcArea.bottom)
        y = rcArea.bottom - height;
    if (y < rcArea.top)
        y = rcArea.top;
    return ::SetWindowPos(m_hWnd, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaintParentBackground(HWND hWnd, HDC hdc)
{
    HWND parent = ::GetParent(hWnd);
    if (parent == nullptr)
        return;
    POINT origin = {0, 0};
    ::MapWindowPoints(hWnd, parent, &origin, 1);
    POINT saved;
    ::OffsetViewportOrgEx(hdc, -origin.x, -origin.y, &saved);
    ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
    ::SetViewportOrgEx(hdc, saved.x, saved.y, nullptr);
}
