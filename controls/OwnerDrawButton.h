// An image button: a BS_OWNERDRAW push button of the dialog template that
// draws the face image of its state (normal, hover, pressed).
#pragma once

#include "controls/SkinImage.h"
#include "framework/Controls.h"
#include "framework/OwnerDraw.h"
#include "framework/WindowImpl.h"

class COwnerDrawButton : public CWindowImpl<COwnerDrawButton, CButtonT<>>, public COwnerDraw<COwnerDrawButton> {
public:
    enum State { STATE_NORMAL = 0, STATE_HOVER = 1, STATE_PRESSED = 2 };

    BEGIN_MSG_ROUTES()
        ROUTE_TO(ProcessOwnerDraw)
        ROUTE_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
        ROUTE_DEFAULT_REFLECTION()
    END_MSG_ROUTES()

    // The images are shared and never owned; one image may fill several slots.
    void SetImages(HWND hWndOwner, ImageList images);
    void DrawItem(DRAWITEMSTRUCT* dis);
    // The faces have transparent parts: erase with the page under the button,
    // not with the button class's grey.
    LRESULT OnEraseBkgnd(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        PaintParentBackground(m_hWnd, reinterpret_cast<HDC>(wParam));
        return 1;
    }

    int GetState() const { return m_nState; }

private:
    RECT m_rcItem = {};
    ImageList m_vecImages;
    int m_nState = STATE_NORMAL;
    HWND m_hWndOwner = nullptr;
};
