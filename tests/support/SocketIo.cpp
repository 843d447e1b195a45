#include "SocketIo.h"

#include <algorithm>
#include <utility>

namespace faultserver {
namespace {

constexpr auto kSlice = std::chrono::milliseconds(20);

enum class Direction { Read, Write };

IoResult WaitFor(SOCKET s, Direction direction, Clock::time_point deadline, const std::atomic<bool>& stop)
{
    for (;;) {
        if (stop.load()) return IoResult::Stopped;
        const auto now = Clock::now();
        if (now >= deadline) return IoResult::Timeout;
        const auto slice = std::min<Clock::duration>(kSlice, deadline - now);
        const long us = static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(slice).count());
        timeval tv{us / 1000000, us % 1000000};
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(s, &fds);
        fd_set errors;
        FD_ZERO(&errors);
        FD_SET(s, &errors);
        const int n = direction == Direction::Read ? select(0, &fds, nullptr, &errors, &tv)
                                                   : select(0, nullptr, &fds, &errors, &tv);
        if (n == SOCKET_ERROR) return IoResult::Error;
        if (n > 0) return FD_ISSET(s, &errors) ? IoResult::Error : IoResult::Ok;
    }
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

bool SetNonBlocking(SOCKET s)
{
    u_long on = 1;
    return ioctlsocket(s, FIONBIO, &on) == 0;
}

IoResult WaitReadable(SOCKET s, Clock::time_point deadline, const std::atomic<bool>& stop)
{
    return WaitFor(s, Direction::Read, deadline, stop);
}

IoResult SendAll(SOCKET s, const char* data, std::size_t size, Clock::time_point deadline, const std::atomic<bool>& stop)
{
    while (size > 0) {
        const int chunk = static_cast<int>(std::min<std::size_t>(size, 64 * 1024));
        const int sent = send(s, data, chunk, 0);
        if (sent > 0) {
            data += sent;
            size -= static_cast<std::size_t>(sent);
            continue;
        }
        const int error = WSAGetLastError();
        if (sent == SOCKET_ERROR && error != WSAEWOULDBLOCK) {
            return error == WSAECONNRESET || error == WSAECONNABORTED || error == WSAESHUTDOWN ? IoResult::Closed
                                                                                                : IoResult::Error;
        }
        const IoResult wait = WaitFor(s, Direction::Write, deadline, stop);
        if (wait != IoResult::Ok) return wait;
    }
    return IoResult::Ok;
}

IoResult ReadRequestHead(SOCKET s, std::string& head, std::size_t limit, Clock::time_point deadline,
                         const std::atomic<bool>& stop)
{
    head.clear();
    char buffer[4096];
    for (;;) {
        // Read only up to the blank line: a GET has no body, and anything past it
        // left unread would turn our close into a RST.
        const std::size_t end = head.find("\r\n\r\n");
        if (end != std::string::npos) {
            head.resize(end + 2);
            return IoResult::Ok;
        }
        if (head.size() >= limit) return IoResult::Error;
        const IoResult wait = WaitReadable(s, deadline, stop);
        if (wait != IoResult::Ok) return wait;
        const int got = recv(s, buffer, sizeof buffer, MSG_PEEK);
        if (got == 0) return IoResult::Closed;
        if (got == SOCKET_ERROR) {
            const int error = WSAGetLastError();
            if (error == WSAEWOULDBLOCK) continue;
            return IoResult::Closed;
        }
        // Consume only through the terminator if it is in this chunk.
        const std::string_view peeked(buffer, static_cast<std::size_t>(got));
        std::string joined = head.substr(head.size() < 3 ? 0 : head.size() - 3);
        const std::size_t tailLen = joined.size();
        joined.append(peeked);
        const std::size_t found = joined.find("\r\n\r\n");
        const int take = found == std::string::npos ? got : static_cast<int>(found + 4 - tailLen);
        const int read = recv(s, buffer, take, 0);
        if (read <= 0) return IoResult::Closed;
        head.append(buffer, static_cast<std::size_t>(read));
    }
}

IoResult DrainUntilClosed(SOCKET s, Clock::time_point deadline, const std::atomic<bool>& stop)
{
    char buffer[4096];
    for (;;) {
        const IoResult wait = WaitReadable(s, deadline, stop);
        if (wait != IoResult::Ok) return wait;
        const int got = recv(s, buffer, sizeof buffer, 0);
        if (got == 0) return IoResult::Closed;
        if (got == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK) return IoResult::Closed;
    }
}

}  // namespace faultserver
