// The installation path box: the standard single-line edit control without its
// context menu.
#pragma once

#include "framework/Controls.h"
#include "framework/WindowImpl.h"

class CEditImpl : public CWindowImpl<CEditImpl, CEditT<>> {
public:
    BEGIN_MSG_ROUTES()
        ROUTE_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    END_MSG_ROUTES()

    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
};
