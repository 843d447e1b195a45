#include "framework/AppModule.h"

CAppModule g_Module;

namespace {

class CLockGuard {
public:
    explicit CLockGuard(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
    ~CLockGuard() { ::LeaveCriticalSection(&m_cs); }
    CLockGuard(const CLockGuard&) = delete;
    CLockGuard& operator=(const CLockGuard&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};

} // namespace

CAppModule::CAppModule()
{
    ::InitializeCriticalSection(&m_lock);
    m_hInst = ::GetModuleHandleW(nullptr);
}

CAppModule::~CAppModule() { ::DeleteCriticalSection(&m_lock); }

HRESULT CAppModule::Init(HINSTANCE hInstance)
{
    m_hInst = hInstance;
    return S_OK;
}

void CAppModule::Term()
{
    CLockGuard guard(m_lock);
    m_loops.clear();
}

BOOL CAppModule::AddMessageLoop(CMessageLoop* loop)
{
    CLockGuard guard(m_lock);
    return m_loops.emplace(::GetCurrentThreadId(), loop).second;
}

BOOL CAppModule::RemoveMessageLoop()
{
    CLockGuard guard(m_lock);
    return m_loops.erase(::GetCurrentThreadId()) > 0;
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD threadId)
{
    CLockGuard guard(m_lock);
    auto it = m_loops.find(threadId);
    return it == m_loops.end() ? nullptr : it->second;
}
