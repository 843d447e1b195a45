#include "FaultServer.h"

#include "FaultServerImpl.h"

#include <ws2tcpip.h>

#include <utility>

namespace faultserver {
namespace {

sockaddr_in Loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

std::uint16_t LocalPort(SOCKET s)
{
    sockaddr_in address{};
    int size = sizeof address;
    if (getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
    return ntohs(address.sin_port);
}

}  // namespace

FaultServer::FaultServer() : impl_(std::make_unique<Impl>()) {}
FaultServer::~FaultServer() = default;

bool FaultServer::Start(std::string body) { return impl_->Start(std::move(body)); }
bool FaultServer::Start(const std::vector<std::uint8_t>& body) { return Start(std::string(body.begin(), body.end())); }
void FaultServer::Stop() { impl_->Stop(); }
std::uint16_t FaultServer::Port() const { return impl_->port_; }
std::string FaultServer::Url(std::string_view path) const
{
    return "http://127.0.0.1:" + std::to_string(Port()) + std::string(path);
}
void FaultServer::AddRule(Rule rule) { impl_->AddRule(std::move(rule)); }
void FaultServer::ClearRules() { impl_->ClearRules(); }
void FaultServer::SetGetBarrier(int count, int timeoutMs) { impl_->SetGetBarrier(count, timeoutMs); }
bool FaultServer::BarrierReached() const { return impl_->Read(&Impl::barrierReached_); }
void FaultServer::RefuseConnections() { impl_->RefuseConnections(); }
bool FaultServer::AcceptConnections() { return impl_->AcceptConnections(); }
int FaultServer::HeadCount() const { return impl_->Read(&Impl::heads_); }
int FaultServer::GetCount() const { return impl_->Read(&Impl::gets_); }
int FaultServer::ConnectionsAccepted() const { return impl_->Read(&Impl::connections_); }
int FaultServer::PeakOpenGets() const { return impl_->Read(&Impl::peakGets_); }
int FaultServer::PeakOpenRangedGets() const { return impl_->Read(&Impl::peakRanged_); }
std::vector<RecordedRequest> FaultServer::Requests() const { return impl_->Read(&Impl::requests_); }
bool FaultServer::WaitForRequests(std::size_t count, int timeoutMs) const
{
    return impl_->WaitForRequests(count, timeoutMs);
}

std::uint16_t FaultServer::ClosedLoopbackPort()
{
    WinsockSession winsock;
    if (!winsock.Ok()) return 0;
    Socket probe(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!probe.Valid()) return 0;
    const sockaddr_in address = Loopback(0);
    if (bind(probe.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return 0;
    return LocalPort(probe.Get());
}

std::string FaultServer::PatternBody(std::size_t size)
{
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        std::uint32_t x = static_cast<std::uint32_t>(i) * 2654435761u;
        x ^= x >> 13;
        body[i] = static_cast<char>(x >> 24);
    }
    return body;
}

bool FaultServer::Impl::Start(std::string body)
{
    std::lock_guard<std::mutex> control(controlMutex_);
    if (running_) return false;
    auto winsock = std::make_unique<WinsockSession>();
    if (!winsock->Ok() || !stopEvent_.Valid() || !stopAccepting_.Valid()) return false;
    winsock_ = std::move(winsock);
    body_ = std::move(body);
    stopping_ = false;
    stopEvent_.Clear();
    if (!Listen(0)) {
        winsock_.reset();
        return false;
    }
    running_ = true;
    return true;
}

bool FaultServer::Impl::Listen(std::uint16_t port)
{
    Socket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!listener.Valid()) return false;
    if (port != 0) {
        // Our own closed connections may still sit in TIME_WAIT on this port.
        BOOL on = TRUE;
        setsockopt(listener.Get(), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
    }
    const sockaddr_in address = Loopback(port);
    if (bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return false;
    if (listen(listener.Get(), SOMAXCONN) != 0) return false;
    const std::uint16_t bound = LocalPort(listener.Get());
    auto evented = std::make_unique<EventSocket>(std::move(listener), FD_ACCEPT);
    if (bound == 0 || !evented->Valid()) return false;
    port_ = bound;
    listener_ = std::move(evented);
    stopAccepting_.Clear();
    acceptThread_ = std::thread([this] {
        try {
            AcceptLoop();
        } catch (...) {
        }
    });
    return true;
}

void FaultServer::Impl::StopAccepting()
{
    stopAccepting_.Set();
    if (acceptThread_.joinable()) acceptThread_.join();
    // Connections still in the backlog get a RST here.
    listener_.reset();
}

void FaultServer::Impl::Stop()
{
    std::lock_guard<std::mutex> control(controlMutex_);
    if (!running_) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    stopEvent_.Set();
    changed_.notify_all();
    StopAccepting();
    ReapWorkers(true);
    winsock_.reset();
    running_ = false;
}

void FaultServer::Impl::RefuseConnections()
{
    std::lock_guard<std::mutex> control(controlMutex_);
    if (running_) StopAccepting();
}

bool FaultServer::Impl::AcceptConnections()
{
    std::lock_guard<std::mutex> control(controlMutex_);
    if (!running_) return false;
    if (listener_) return true;
    return Listen(port_);
}

void FaultServer::Impl::AddRule(Rule rule)
{
    std::lock_guard<std::mutex> lock(mutex_);
    rules_.Add(std::move(rule));
}

void FaultServer::Impl::ClearRules()
{
    std::lock_guard<std::mutex> lock(mutex_);
    rules_.Clear();
}

void FaultServer::Impl::SetGetBarrier(int count, int timeoutMs)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        barrierCount_ = count;
        barrierTimeoutMs_ = timeoutMs;
        barrierOpen_ = count <= 0;
        barrierReached_ = false;
        barrierDeadline_.reset();
    }
    changed_.notify_all();
}

bool FaultServer::Impl::WaitForRequests(std::size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return requests_.size() >= count; });
}

void FaultServer::Impl::AcceptLoop()
{
    while (WaitForSingleObject(stopAccepting_.Get(), 0) != WAIT_OBJECT_0) {
        Socket connection(accept(listener_->Get(), nullptr, nullptr));
        if (!connection.Valid()) {
            if (WaitEvent(*listener_, stopAccepting_.Get(), Clock::time_point::max()) == IoResult::Stopped) return;
            continue;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++connections_;
        }
        ReapWorkers(false);
        auto done = std::make_shared<std::atomic<bool>>(false);
        std::lock_guard<std::mutex> lock(workersMutex_);
        workers_.push_back(Worker{std::thread([this, done, s = connection.Release()] {
                                      Socket owned(s);
                                      try {
                                          Serve(std::move(owned));
                                      } catch (...) {
                                      }
                                      *done = true;
                                  }),
                                  done});
    }
}

void FaultServer::Impl::ReapWorkers(bool all)
{
    std::list<Worker> finished;
    {
        std::lock_guard<std::mutex> lock(workersMutex_);
        for (auto it = workers_.begin(); it != workers_.end();) {
            auto next = std::next(it);
            if (all || *it->done) finished.splice(finished.end(), workers_, it);
            it = next;
        }
    }
    for (auto& worker : finished) worker.thread.join();
}

}  // namespace faultserver
