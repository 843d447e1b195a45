// The download progress bar: the standard progress control with a flat track
// and a flat fill painted in place of the themed look.
#pragma once

#include "framework/Controls.h"
#include "framework/WindowImpl.h"

class CDownProgressBarCtrl : public CWindowImpl<CDownProgressBarCtrl, CProgressBarCtrlT<>> {
public:
    BEGIN_MSG_ROUTES()
    END_MSG_ROUTES()
};
