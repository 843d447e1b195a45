// An owned WinINet or WinHTTP handle (both are plain pointers closed by their
// stack's own function), closed when the owner goes.
#pragma once

#include <windows.h>

template <BOOL(WINAPI* CloseFn)(void*)>
class CInternetHandle {
public:
    CInternetHandle() = default;
    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;
    ~CInternetHandle() { Close(); }

    void Attach(void* handle)
    {
        Close();
        m_handle = handle;
    }
    void Close()
    {
        if (m_handle != nullptr)
            CloseFn(m_handle);
        m_handle = nullptr;
    }
    operator void*() const { return m_handle; }

private:
    void* m_handle = nullptr;
};

// The calling thread's last error, or fallback where the failing call set none.
inline DWORD LastErrorOr(DWORD fallback)
{
    DWORD error = ::GetLastError();
    return error != 0 ? error : fallback;
}
