// The process's application module: its instance handle and the registry of
// message loops by thread, through which a window finds the loop it runs in.
#pragma once

#include <windows.h>

#include <map>

class CMessageLoop;

class CAppModule {
public:
    CAppModule();
    CAppModule(const CAppModule&) = delete;
    CAppModule& operator=(const CAppModule&) = delete;
    ~CAppModule();

    HRESULT Init(HINSTANCE hInstance);
    void Term();

    HINSTANCE GetModuleInstance() const { return m_hInst; }
    HINSTANCE GetResourceInstance() const { return m_hInst; }

    BOOL AddMessageLoop(CMessageLoop* loop);
    BOOL RemoveMessageLoop();
    // The loop of the given thread (the calling one by default), or null.
    CMessageLoop* GetMessageLoop(DWORD threadId = ::GetCurrentThreadId());

private:
    HINSTANCE m_hInst = nullptr;
    CRITICAL_SECTION m_lock;
    std::map<DWORD, CMessageLoop*> m_loops;
};

extern CAppModule g_Module;
