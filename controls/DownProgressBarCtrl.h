// The download progress bar: the standard progress control, which keeps the
// range and the position, painted as a flat track with a flat fill.
#pragma once

#include "framework/Controls.h"
#include "framework/WindowImpl.h"

constexpr COLORREF PROGRESS_TRACK_COLOR = RGB(197, 219, 255);
constexpr COLORREF PROGRESS_BAR_COLOR = RGB(64, 136, 255);

class CDownProgressBarCtrl : public CWindowImpl<CDownProgressBarCtrl, CProgressBarCtrlT<>> {
public:
    BEGIN_MSG_ROUTES()
        ROUTE_MESSAGE(WM_PAINT, OnPaint)
    END_MSG_ROUTES()

    LRESULT OnPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    // The track over rc, and the fill from its left edge in proportion to pos.
    static void PaintBar(HDC hdc, const RECT& rc, const PBRANGE& range, int pos);
};
