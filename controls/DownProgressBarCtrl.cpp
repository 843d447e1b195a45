#include "controls/DownProgressBarCtrl.h"

LRESULT CDownProgressBarCtrl::OnPaint(UINT, WPARAM, LPARAM, BOOL&)
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    GetClientRect(&rc);
    PBRANGE range = {0, 0};
    GetRange(&range);
    PaintBar(hdc, rc, range, GetPos());
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

void CDownProgressBarCtrl::PaintBar(HDC hdc, const RECT& rc, const PBRANGE& range, int pos)
{
    HBRUSH track = ::CreateSolidBrush(PROGRESS_TRACK_COLOR);
    ::FillRect(hdc, &rc, track);
    ::DeleteObject(track);

    if (range.iHigh == range.iLow)
        return; // an empty range has no fill
    RECT fill = rc;
    fill.right = static_cast<LONG>(static_cast<double>(rc.right - rc.left) / (range.iHigh - range.iLow) * pos);
    HBRUSH bar = ::CreateSolidBrush(PROGRESS_BAR_COLOR);
    ::FillRect(hdc, &fill, bar);
    ::DeleteObject(bar);
}
