#include "framework/MessageLoop.h"

#include <algorithm>

namespace {

template <class T>
BOOL AddItem(std::vector<T*>& list, T* item)
{
    if (item == nullptr)
        return FALSE;
    list.push_back(item);
    return TRUE;
}

template <class T>
BOOL RemoveOne(std::vector<T*>& list, T* item)
{
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end())
        return FALSE;
    list.erase(it);
    return TRUE;
}

} // namespace

BOOL CMessageLoop::AddMessageFilter(CMessageFilter* filter) { return AddItem(m_filters, filter); }
BOOL CMessageLoop::RemoveMessageFilter(CMessageFilter* filter) { return RemoveOne(m_filters, filter); }
BOOL CMessageLoop::AddIdleHandler(CIdleHandler* handler) { return AddItem(m_idleHandlers, handler); }
BOOL CMessageLoop::RemoveIdleHandler(CIdleHandler* handler) { return RemoveOne(m_idleHandlers, handler); }

bool CMessageLoop::IsIdleMessage(const MSG& msg)
{
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_PAINT:
    case 0x0118: // the system caret blink timer
        return false;
    default:
        return true;
    }
}

BOOL CMessageLoop::PreTranslateMessage(MSG* pMsg)
{
    // A filter may remove itself (its window is being destroyed): walk a copy.
    std::vector<CMessageFilter*> filters(m_filters);
    for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
        if ((*it)->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

BOOL CMessageLoop::OnIdle(int /*idleCount*/)
{
    std::vector<CIdleHandler*> handlers(m_idleHandlers);
    for (CIdleHandler* handler : handlers)
        handler->OnIdle();
    return FALSE;
}

int CMessageLoop::Run()
{
    bool idleArmed = true;
    int idleCount = 0;
    MSG msg = {};
    for (;;) {
        while (idleArmed && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idleArmed = false;
        }

        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            continue;
        if (!got)
            break;

        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (IsIdleMessage(msg)) {
            idleArmed = true;
            idleCount = 0;
        }
    }
    return static_cast<int>(msg.wParam);
}
