// Dialog data exchange between controls and variables: loading puts the
// variable into the control, saving reads the control back.
#pragma once

#include <windows.h>

#include <string>

enum class DdxDirection { Load, Save };

template <class T>
class CWinDataExchange {
public:
    // Binds a control object to its dialog item the first time data is loaded.
    template <class TControl>
    void DdxControl(int id, TControl& control, DdxDirection dir)
    {
        if (dir == DdxDirection::Load && control.m_hWnd == nullptr)
            control.SubclassWindow(::GetDlgItem(Dialog(), id));
    }

    BOOL DdxText(int id, std::wstring& value, DdxDirection dir)
    {
        if (dir == DdxDirection::Load) {
            if (!::SetDlgItemTextW(Dialog(), id, value.c_str())) {
                OnDataExchangeError(id);
                return FALSE;
            }
            return TRUE;
        }
        HWND item = ::GetDlgItem(Dialog(), id);
        int len = ::GetWindowTextLengthW(item);
        std::wstring text(static_cast<size_t>(len) + 1, L'\0');
        int got = ::GetWindowTextW(item, &text[0], len + 1);
        text.resize(got > 0 ? static_cast<size_t>(got) : 0);
        value = text;
        if (got < len) {
            OnDataExchangeError(id);
            return FALSE;
        }
        return TRUE;
    }

    void OnDataExchangeError(int id)
    {
        ::MessageBeep(static_cast<UINT>(-1));
        ::SetFocus(::GetDlgItem(Dialog(), id));
    }

protected:
    ~CWinDataExchange() = default;

private:
    HWND Dialog() const { return static_cast<const T*>(this)->m_hWnd; }
};
