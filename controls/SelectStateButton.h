// A two-state image button (not selected / selected): the agreement tick, the
// agreement sentence and the custom-install toggle.
#pragma once

#include "controls/SkinImage.h"
#include "framework/Controls.h"
#include "framework/OwnerDraw.h"
#include "framework/WindowImpl.h"

class CSelectStateButton : public CWindowImpl<CSelectStateButton, CButtonT<>>,
                           public COwnerDraw<CSelectStateButton> {
public:
    CSelectStateButton();
    ~CSelectStateButton() override;

    BEGIN_MSG_ROUTES()
        ROUTE_TO(ProcessOwnerDraw)
        ROUTE_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
        ROUTE_DEFAULT_REFLECTION()
    END_MSG_ROUTES()

    void SetImages(HWND hWndOwner, ImageList images);
    void DrawItem(DRAWITEMSTRUCT* dis);
    // The faces have transparent parts: erase with the page under the button,
    // not with the button class's grey.
    LRESULT OnEraseBkgnd(UINT, WPARAM wParam, LPARAM, BOOL&)
    {
        PaintParentBackground(m_hWnd, reinterpret_cast<HDC>(wParam));
        return 1;
    }

    // 1 when selected. Safe from any thread.
    int GetState();

private:
    int m_nState = 0; // guarded by m_csState
    ImageList m_vecImages;
    HWND m_hWndOwner = nullptr;
    CRITICAL_SECTION m_csState;
};
