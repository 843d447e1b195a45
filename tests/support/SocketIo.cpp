#include "SocketIo.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace faultserver {
namespace {

constexpr auto kSlice = std::chrono::milliseconds(100);

bool WouldBlock()
{
    return WSAGetLastError() == WSAEWOULDBLOCK;
}

}  // namespace

WinsockSession::WinsockSession()
{
    WSADATA data;
    ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSession::~WinsockSession()
{
    if (ok_) WSACleanup();
}

Socket& Socket::operator=(Socket&& other) noexcept
{
    if (this != &other) {
        Close();
        s_ = other.Release();
    }
    return *this;
}

SOCKET Socket::Release()
{
    return std::exchange(s_, INVALID_SOCKET);
}

void Socket::Close()
{
    if (s_ != INVALID_SOCKET) closesocket(Release());
}

void Socket::Reset()
{
    if (s_ == INVALID_SOCKET) return;
    linger hard{1, 0};
    setsockopt(s_, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
    Close();
}

ManualEvent::~ManualEvent()
{
    if (h_ != nullptr) CloseHandle(h_);
}

EventSocket::EventSocket(Socket socket, long events) : socket_(std::move(socket))
{
    ok_ = socket_.Valid() && event_.Valid() && WSAEventSelect(socket_.Get(), event_.Get(), events) == 0;
}

IoResult WaitEvent(const EventSocket& s, HANDLE stop, Clock::time_point deadline)
{
    const auto now = Clock::now();
    if (WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) return IoResult::Stopped;
    if (now >= deadline) return IoResult::Timeout;
    const auto slice = std::min<Clock::duration>(kSlice, deadline - now);
    const DWORD ms = static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(slice).count()) + 1;
    const HANDLE handles[] = {stop, s.Event()};
    const DWORD waited = WaitForMultipleObjects(2, handles, FALSE, ms);
    if (waited == WAIT_OBJECT_0) return IoResult::Stopped;
    if (waited == WAIT_OBJECT_0 + 1) {
        WSANETWORKEVENTS events;
        WSAEnumNetworkEvents(s.Get(), s.Event(), &events);  // also resets the event
        return IoResult::Ok;
    }
    if (waited == WAIT_TIMEOUT) return IoResult::Ok;
    return IoResult::Error;
}

IoResult SendAll(const EventSocket& s, const char* data, std::size_t size, Clock::time_point deadline, HANDLE stop)
{
    while (size > 0) {
        const int chunk = static_cast<int>(std::min<std::size_t>(size, 64 * 1024));
        const int sent = send(s.Get(), data, chunk, 0);
        if (sent > 0) {
            data += sent;
            size -= static_cast<std::size_t>(sent);
            continue;
        }
        if (!WouldBlock()) return IoResult::Closed;
        const IoResult wait = WaitEvent(s, stop, deadline);
        if (wait != IoResult::Ok) return wait;
    }
    return IoResult::Ok;
}

IoResult ReadRequestHead(const EventSocket& s, std::string& head, std::size_t limit, Clock::time_point deadline,
                         HANDLE stop)
{
    head.clear();
    char buffer[4096];
    for (;;) {
        const std::size_t end = head.find("\r\n\r\n");
        if (end != std::string::npos) {
            head.resize(end + 2);
            return IoResult::Ok;
        }
        if (head.size() >= limit) return IoResult::Error;
        // Peek, then take only through the terminator: a byte left unread
        // when we close would turn our FIN into a RST.
        const int got = recv(s.Get(), buffer, sizeof buffer, MSG_PEEK);
        if (got == 0) return IoResult::Closed;
        if (got == SOCKET_ERROR) {
            if (!WouldBlock()) return IoResult::Closed;
            const IoResult wait = WaitEvent(s, stop, deadline);
            if (wait != IoResult::Ok) return wait;
            continue;
        }
        const std::size_t keep = std::min<std::size_t>(head.size(), 3);
        std::string joined = head.substr(head.size() - keep);
        joined.append(buffer, static_cast<std::size_t>(got));
        const std::size_t found = joined.find("\r\n\r\n");
        const int take = found == std::string::npos ? got : static_cast<int>(found + 4 - keep);
        const int read = recv(s.Get(), buffer, take, 0);
        if (read <= 0) return IoResult::Closed;
        head.append(buffer, static_cast<std::size_t>(read));
    }
}

IoResult DiscardUntilClosed(const EventSocket& s, Clock::time_point deadline, HANDLE stop)
{
    char buffer[4096];
    for (;;) {
        const int got = recv(s.Get(), buffer, sizeof buffer, 0);
        if (got == 0) return IoResult::Closed;
        if (got > 0) continue;
        if (!WouldBlock()) return IoResult::Closed;
        const IoResult wait = WaitEvent(s, stop, deadline);
        if (wait != IoResult::Ok) return wait;
    }
}

}  // namespace faultserver
