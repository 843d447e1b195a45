// Message maps: a class lists which messages go to which handler between
// BEGIN_MSG_ROUTES and END_MSG_ROUTES; the macros expand into its
// ProcessWindowMessage. Entries are tried in order and the first one that
// leaves its handled flag set ends the search.
//
// Two handler forms exist:
//  - raw handlers get (msg, wParam, lParam, BOOL& bHandled), bHandled set on entry;
//  - cracked handlers get decoded arguments and report "not handled" through
//    SetMsgHandled(FALSE), which lives in the map object for the current message.
#pragma once

#include <windows.h>

// Signed client or screen coordinates packed into an lParam.
inline POINT PointFromLParam(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

class CMessageMap {
public:
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) = 0;

    BOOL IsMsgHandled() const { return m_bMsgHandled; }
    void SetMsgHandled(BOOL handled) { m_bMsgHandled = handled; }

protected:
    ~CMessageMap() = default;

    // Runs the map for one message; keeps the handled flag of an outer message
    // intact when handlers send messages to their own window.
    BOOL DispatchToMap(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
    {
        BOOL outer = m_bMsgHandled;
        BOOL handled = ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult);
        m_bMsgHandled = outer;
        return handled;
    }

private:
    BOOL m_bMsgHandled = TRUE;
};

#define BEGIN_MSG_ROUTES()                                                                          \
public:                                                                                             \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) \
        override                                                                                    \
    {                                                                                               \
        BOOL bHandled = TRUE;                                                                       \
        (void)hWnd, (void)uMsg, (void)wParam, (void)lParam, (void)lResult, (void)bHandled;

#define END_MSG_ROUTES() \
    return FALSE;        \
    }

#define ROUTE_MESSAGE(msg, func)                              \
    if (uMsg == (msg)) {                                      \
        bHandled = TRUE;                                      \
        lResult = func(uMsg, wParam, lParam, bHandled);       \
        if (bHandled)                                         \
            return TRUE;                                      \
    }

#define ROUTE_COMMAND_ID(id, func)                                                                        \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id)) {                                                   \
        bHandled = TRUE;                                                                                  \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled);         \
        if (bHandled)                                                                                     \
            return TRUE;                                                                                  \
    }

// Hands the message to a mix-in's map (a member function with the map's signature).
#define ROUTE_TO(func)                                           \
    if (func(hWnd, uMsg, wParam, lParam, lResult))               \
        return TRUE;

// Sends control notifications back to the control they concern (see Reflection.h).
#define ROUTE_REFLECT_NOTIFICATIONS()                                  \
    {                                                                  \
        bHandled = TRUE;                                               \
        lResult = ReflectNotifications(uMsg, wParam, lParam, bHandled); \
        if (bHandled)                                                  \
            return TRUE;                                               \
    }

// Reflected notifications nobody claimed get the default handling of the
// original message.
#define ROUTE_DEFAULT_REFLECTION()                                          \
    if (DefaultReflectionHandler(hWnd, uMsg, wParam, lParam, lResult))      \
        return TRUE;

// Cracked entries.
#define ROUTE_WM_NCHITTEST(func)                                                              \
    if (uMsg == WM_NCHITTEST) {                                                               \
        SetMsgHandled(TRUE);                                                                  \
        lResult = static_cast<LRESULT>(func(PointFromLParam(lParam)));                          \
        if (IsMsgHandled())                                                                   \
            return TRUE;                                                                      \
    }

#define ROUTE_WM_TIMER(func)                     \
    if (uMsg == WM_TIMER) {                      \
        SetMsgHandled(TRUE);                     \
        func(static_cast<UINT_PTR>(wParam));     \
        lResult = 0;                             \
        if (IsMsgHandled())                      \
            return TRUE;                         \
    }

#define ROUTE_WM_CLOSE(func)  \
    if (uMsg == WM_CLOSE) {   \
        SetMsgHandled(TRUE);  \
        func();               \
        lResult = 0;          \
        if (IsMsgHandled())   \
            return TRUE;      \
    }
