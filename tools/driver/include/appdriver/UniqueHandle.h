#pragma once

#include <windows.h>

namespace appdriver {

// Owns a kernel HANDLE (process, thread). Movable, not copyable.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    HANDLE Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }

    HANDLE Release() {
        HANDLE h = h_;
        h_ = nullptr;
        return h;
    }

    void Reset(HANDLE h = nullptr) {
        if (*this) CloseHandle(h_);
        h_ = h;
    }

private:
    HANDLE h_ = nullptr;
};

}  // namespace appdriver
