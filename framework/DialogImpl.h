// Base for a modeless dialog created from a dialog template. The derived class
// names its template with `enum { IDD = ... };` and routes messages with a
// message map (MessageMap.h).
#pragma once

#include "framework/AppModule.h"
#include "framework/MessageMap.h"
#include "framework/Reflection.h"
#include "framework/Window.h"

template <class T>
class CDialogImpl : public CMessageMap, public CWindow {
public:
    CDialogImpl() = default;
    CDialogImpl(const CDialogImpl&) = delete;
    CDialogImpl& operator=(const CDialogImpl&) = delete;
    virtual ~CDialogImpl() = default;

    virtual DLGPROC GetDialogProc() { return DialogProc; }
    virtual void OnFinalMessage(HWND /*hWnd*/) {}

    HWND Create(HWND hWndParent, LPARAM initParam = 0)
    {
        m_initParam = initParam;
        return ::CreateDialogParamW(g_Module.GetResourceInstance(), MAKEINTRESOURCEW(T::IDD), hWndParent,
                                    GetDialogProc(), reinterpret_cast<LPARAM>(this));
    }

    BOOL DestroyWindow() { return ::DestroyWindow(m_hWnd); }

    LRESULT ReflectNotifications(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
    {
        return ReflectNotification(m_hWnd, uMsg, wParam, lParam, bHandled);
    }

protected:
    LPARAM m_initParam = 0;

    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
    {
        CDialogImpl* self;
        if (uMsg == WM_INITDIALOG) {
            // Bind the object to its window once, as a full pointer.
            self = reinterpret_cast<CDialogImpl*>(lParam);
            ::SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
            self->m_hWnd = hWnd;
            lParam = self->m_initParam;
        } else {
            self = reinterpret_cast<CDialogImpl*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
        }
        if (self == nullptr)
            return FALSE; // messages before WM_INITDIALOG

        LRESULT lResult = 0;
        BOOL handled = self->DispatchToMap(hWnd, uMsg, wParam, lParam, lResult);

        if (uMsg == WM_NCDESTROY) {
            ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
            self->m_hWnd = nullptr;
            self->OnFinalMessage(hWnd);
            return FALSE;
        }
        if (!handled)
            return FALSE;

        switch (uMsg) {
        // These return their result directly instead of through DWLP_MSGRESULT.
        case WM_INITDIALOG:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return static_cast<INT_PTR>(lResult);
        default:
            ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, lResult);
            return TRUE;
        }
    }
};
