// Notification reflection: owner-drawn and other controls get the notifications
// that Windows sends to their parent back under REFLECT_BASE + message, so a
// control class can draw and react to itself.
#pragma once

#include <windows.h>

constexpr UINT REFLECT_BASE = WM_USER + 0x1C00; // 0x2000, the range OLE controls use too

// The child control that a parent notification concerns, or null.
HWND FindReflectionTarget(HWND hWndParent, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Sends the notification to its child as REFLECT_BASE + uMsg. bHandled is cleared
// when no child is concerned, so the parent's default processing applies.
LRESULT ReflectNotification(HWND hWndParent, UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

inline bool IsReflectedMessage(UINT uMsg)
{
    return uMsg >= REFLECT_BASE && uMsg < REFLECT_BASE + WM_USER;
}
