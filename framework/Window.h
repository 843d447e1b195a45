// Non-owning wrapper around a window handle: the window's lifetime belongs to
// whoever created it, never to this object.
#pragma once

#include <windows.h>

#include <string>

class CWindow {
public:
    HWND m_hWnd = nullptr;

    CWindow() = default;
    explicit CWindow(HWND hWnd) : m_hWnd(hWnd) {}

    operator HWND() const { return m_hWnd; }
    bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }

    LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessageW(m_hWnd, msg, w, l); }
    BOOL PostMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::PostMessageW(m_hWnd, msg, w, l); }

    BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE) const
    {
        return ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
    }
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) const
    {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }
    BOOL GetClientRect(RECT* rc) const { return ::GetClientRect(m_hWnd, rc); }
    BOOL GetWindowRect(RECT* rc) const { return ::GetWindowRect(m_hWnd, rc); }
    BOOL Invalidate(BOOL erase = TRUE) const { return ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL UpdateWindow() const { return ::UpdateWindow(m_hWnd); }

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    BOOL SetWindowText(const wchar_t* text) const { return ::SetWindowTextW(m_hWnd, text); }
    std::wstring GetWindowText() const;

    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    void AddStyle(DWORD style) const;

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

    // Centres on hWndCenter, or with none on the work area of the nearest monitor,
    // kept inside that area. Moves without resizing, activating or reordering.
    BOOL CenterWindow(HWND hWndCenter = nullptr) const;
};

// Has the parent paint its client area (WM_PRINTCLIENT) into a child's device
// context, lined up under the child: the background of a child that is not a
// full rectangle.
void PaintParentBackground(HWND hWnd, HDC hdc);
