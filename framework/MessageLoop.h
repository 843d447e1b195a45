// The thread's message loop with message filters (first refusal on every
// message, e.g. dialog keyboard navigation) and idle handlers (run once after
// each burst of messages).
#pragma once

#include <windows.h>

#include <vector>

class CMessageFilter {
public:
    virtual BOOL PreTranslateMessage(MSG* pMsg) = 0;

protected:
    ~CMessageFilter() = default;
};

class CIdleHandler {
public:
    virtual BOOL OnIdle() = 0;

protected:
    ~CIdleHandler() = default;
};

class CMessageLoop {
public:
    CMessageLoop() = default;
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;
    virtual ~CMessageLoop() = default;

    BOOL AddMessageFilter(CMessageFilter* filter);
    BOOL RemoveMessageFilter(CMessageFilter* filter);
    BOOL AddIdleHandler(CIdleHandler* handler);
    BOOL RemoveIdleHandler(CIdleHandler* handler);

    // Runs until WM_QUIT and returns its wParam.
    int Run();

    // Messages that do not re-arm the idle pass (they come by themselves).
    static bool IsIdleMessage(const MSG& msg);

protected:
    // Most recently added filter first.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Calls every idle handler; never asks for more idle time.
    virtual BOOL OnIdle(int idleCount);

private:
    std::vector<CMessageFilter*> m_filters;
    std::vector<CIdleHandler*> m_idleHandlers;
};
