// Owner-draw mix-in for a subclassed control: routes the reflected draw-item
// family to T::DrawItem and gives the others a default answer. The control's
// map chains to it with ROUTE_TO(ProcessOwnerDraw).
#pragma once

#include "framework/Reflection.h"

#include <windows.h>

template <class T>
class COwnerDraw {
public:
    BOOL ProcessOwnerDraw(HWND /*hWnd*/, UINT uMsg, WPARAM /*wParam*/, LPARAM lParam, LRESULT& lResult)
    {
        T* self = static_cast<T*>(this);
        switch (uMsg) {
        case REFLECT_BASE + WM_DRAWITEM:
            self->DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            lResult = TRUE;
            return TRUE;
        case REFLECT_BASE + WM_MEASUREITEM:
            MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            lResult = TRUE;
            return TRUE;
        case REFLECT_BASE + WM_COMPAREITEM:
            lResult = 0;
            return TRUE;
        case REFLECT_BASE + WM_DELETEITEM:
            lResult = TRUE;
            return TRUE;
        default:
            return FALSE;
        }
    }

protected:
    ~COwnerDraw() = default;

private:
    // Menu items get the menu height, anything else the system font's height.
    static void MeasureItem(MEASUREITEMSTRUCT* mis)
    {
        if (mis->CtlType == ODT_MENU) {
            mis->itemHeight = static_cast<UINT>(::GetSystemMetrics(SM_CYMENU));
            return;
        }
        HDC dc = ::GetDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
        TEXTMETRICW tm = {};
        ::GetTextMetricsW(dc, &tm);
        ::SelectObject(dc, old);
        ::ReleaseDC(nullptr, dc);
        mis->itemHeight = static_cast<UINT>(tm.tmHeight);
    }
};
