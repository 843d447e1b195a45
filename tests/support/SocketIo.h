#pragma once

#include <winsock2.h>

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

// Manual-reset event; usable before WSAStartup, unlike WSACreateEvent.
class ManualEvent {
public:
    ManualEvent() : h_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~ManualEvent();
    ManualEvent(const ManualEvent&) = delete;
    ManualEvent& operator=(const ManualEvent&) = delete;

    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != nullptr; }
    void Set() { SetEvent(h_); }
    void Clear() { ResetEvent(h_); }

private:
    HANDLE h_;
};

// A socket whose network events signal its own event object (which also
// makes it non-blocking). Waits go through events, not select(): Wine 8's
// wineserver can abort on a select() whose timeout races a socket event.
class EventSocket {
public:
    EventSocket(Socket socket, long events);
    bool Valid() const { return ok_; }
    Socket& socket() { return socket_; }
    SOCKET Get() const { return socket_.Get(); }
    WSAEVENT Event() const { return event_.Get(); }

private:
    ManualEvent event_;  // declared first so the socket closes before its event
    Socket socket_;
    bool ok_ = false;
};

enum class IoResult { Ok, Closed, Timeout, Stopped, Error };

// Waits for a network event, `stop` or the deadline. Ok means "try again":
// waits are cut into short slices, so a missed event costs a little time only.
IoResult WaitEvent(const EventSocket& s, HANDLE stop, Clock::time_point deadline);
IoResult SendAll(const EventSocket& s, const char* data, std::size_t size, Clock::time_point deadline, HANDLE stop);
// Reads through the blank line ending a request head; `head` keeps the last CRLF.
IoResult ReadRequestHead(const EventSocket& s, std::string& head, std::size_t limit, Clock::time_point deadline,
                         HANDLE stop);
// Drops input until the peer closes (Closed), the deadline (Timeout) or stop.
IoResult DiscardUntilClosed(const EventSocket& s, Clock::time_point deadline, HANDLE stop);

}  // namespace faultserver
