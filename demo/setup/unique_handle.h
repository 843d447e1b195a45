#pragma once

#include <windows.h>

// Owns a kernel HANDLE that is invalid when INVALID_HANDLE_VALUE (as from CreateFileW).
class UniqueFileHandle {
public:
    explicit UniqueFileHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueFileHandle()
    {
        if (valid())
            CloseHandle(handle_);
    }

    UniqueFileHandle(const UniqueFileHandle&) = delete;
    UniqueFileHandle& operator=(const UniqueFileHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

    // Closes now so that a failing close (e.g. a late write error) is seen.
    bool close()
    {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle != INVALID_HANDLE_VALUE && handle != nullptr && CloseHandle(handle);
    }

private:
    HANDLE handle_;
};
