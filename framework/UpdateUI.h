// UI-update mix-in: the place where a dialog pushes pending control state
// during the idle pass. The installer's dialog declares no bindings, so it only
// takes part in the idle pass.
#pragma once

#include <windows.h>

template <class T>
class CUpdateUI {
public:
    BOOL UIUpdateChildWindows() { return TRUE; }

protected:
    ~CUpdateUI() = default;
};
