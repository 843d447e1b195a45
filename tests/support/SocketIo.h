#pragma once

#include <winsock2.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

namespace faultserver {

using Clock = std::chrono::steady_clock;

class WinsockSession {
public:
    WinsockSession();
    ~WinsockSession();
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_ = false;
};

class Socket {
public:
    Socket() = default;
    explicit Socket(SOCKET s) : s_(s) {}
    ~Socket() { Close(); }
    Socket(Socket&& other) noexcept : s_(other.Release()) {}
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    SOCKET Get() const { return s_; }
    bool Valid() const { return s_ != INVALID_SOCKET; }
    SOCKET Release();
    void Close();
    // SO_LINGER 0 makes the close send RST instead of FIN.
    void Reset();

private:
    SOCKET s_ = INVALID_SOCKET;
};

// All waits below poll `stop` in short slices so that Stop() never waits long.
enum class IoResult { Ok, Closed, Timeout, Stopped, Error };

bool SetNonBlocking(SOCKET s);
IoResult WaitReadable(SOCKET s, Clock::time_point deadline, const std::atomic<bool>& stop);
IoResult SendAll(SOCKET s, const char* data, std::size_t size, Clock::time_point deadline, const std::atomic<bool>& stop);
// Reads until the blank line ending a request head; `head` excludes it.
IoResult ReadRequestHead(SOCKET s, std::string& head, std::size_t limit, Clock::time_point deadline,
                         const std::atomic<bool>& stop);
// Reads and drops data until the peer closes, the deadline or stop.
IoResult DrainUntilClosed(SOCKET s, Clock::time_point deadline, const std::atomic<bool>& stop);

}  // namespace faultserver
