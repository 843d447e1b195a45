// Thin wrappers over the standard controls the installer takes over.
#pragma once

#include "framework/Window.h"

#include <commctrl.h>

template <class TBase = CWindow>
class CButtonT : public TBase {};

template <class TBase = CWindow>
class CEditT : public TBase {};

template <class TBase = CWindow>
class CProgressBarCtrlT : public TBase {
public:
    void SetRange32(int low, int high) const { this->SendMessage(PBM_SETRANGE32, low, high); }
    int SetPos(int pos) const { return static_cast<int>(this->SendMessage(PBM_SETPOS, pos)); }
    int GetPos() const { return static_cast<int>(this->SendMessage(PBM_GETPOS)); }
    void GetRange(PBRANGE* range) const
    {
        this->SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(range));
    }
};
