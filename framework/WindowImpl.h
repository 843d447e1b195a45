// Base for a class that takes over an existing control (subclassing). Messages
// go through the class's message map first; what it leaves unhandled goes to
// the control's previous window procedure.
#pragma once

#include "framework/MessageMap.h"
#include "framework/Reflection.h"
#include "framework/Window.h"

#include <commctrl.h>

template <class T, class TBase = CWindow>
class CWindowImpl : public CMessageMap, public TBase {
public:
    CWindowImpl() = default;
    CWindowImpl(const CWindowImpl&) = delete;
    CWindowImpl& operator=(const CWindowImpl&) = delete;
    virtual ~CWindowImpl() = default;

    virtual SUBCLASSPROC GetWindowProc() { return WindowProc; }
    virtual void OnFinalMessage(HWND /*hWnd*/) {}

    BOOL SubclassWindow(HWND hWnd)
    {
        if (hWnd == nullptr || this->m_hWnd != nullptr)
            return FALSE;
        if (!::SetWindowSubclass(hWnd, GetWindowProc(), SubclassId(), reinterpret_cast<DWORD_PTR>(this)))
            return FALSE;
        this->m_hWnd = hWnd;
        return TRUE;
    }

    HWND UnsubclassWindow()
    {
        HWND hWnd = this->m_hWnd;
        if (hWnd != nullptr)
            ::RemoveWindowSubclass(hWnd, GetWindowProc(), SubclassId());
        this->m_hWnd = nullptr;
        return hWnd;
    }

    // Reflected notifications get the default handling of the original message.
    BOOL DefaultReflectionHandler(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
    {
        if (!IsReflectedMessage(uMsg))
            return FALSE;
        lResult = ::DefWindowProcW(hWnd, uMsg - REFLECT_BASE, wParam, lParam);
        return TRUE;
    }

protected:
    LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
    {
        return ::DefSubclassProc(this->m_hWnd, uMsg, wParam, lParam);
    }

private:
    UINT_PTR SubclassId() const { return reinterpret_cast<UINT_PTR>(this); }

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR refData)
    {
        auto* self = reinterpret_cast<CWindowImpl*>(refData);
        LRESULT lResult = 0;
        BOOL handled = self->DispatchToMap(hWnd, uMsg, wParam, lParam, lResult);
        if (!handled)
            lResult = ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
        if (uMsg == WM_NCDESTROY) {
            // Put the previous procedure back; the object forgets its window.
            ::RemoveWindowSubclass(hWnd, WindowProc, id);
            self->m_hWnd = nullptr;
            self->OnFinalMessage(hWnd);
        }
        return lResult;
    }
};
