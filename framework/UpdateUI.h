// UI-update mix-in: commands record the wanted enabled state of child controls
// and the idle pass applies it in one go, instead of every handler touching
// the controls. A dialog with no bindings only takes part in the idle pass.
#pragma once

#include <windows.h>

#include <map>

template <class T>
class CUpdateUI {
public:
    void UIEnable(int id, bool enable) { m_pending[id] = enable; }

    BOOL UIUpdateChildWindows()
    {
        HWND hWnd = static_cast<T*>(this)->m_hWnd;
        for (const auto& entry : m_pending)
            ::EnableWindow(::GetDlgItem(hWnd, entry.first), entry.second ? TRUE : FALSE);
        m_pending.clear();
        return TRUE;
    }

protected:
    ~CUpdateUI() = default;

private:
    std::map<int, bool> m_pending;
};
