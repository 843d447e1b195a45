#include "FaultServer.h"

#include "HttpResponse.h"
#include "SocketIo.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <list>
#include <mutex>
#include <thread>
#include <utility>

namespace faultserver {
namespace {

constexpr std::size_t kHeadLimit = 64 * 1024;
constexpr auto kRequestTimeout = std::chrono::seconds(10);
constexpr auto kSendTimeout = std::chrono::seconds(60);
constexpr auto kLingerTimeout = std::chrono::seconds(1);

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

RequestKind KindOf(const HttpRequest& request)
{
    if (request.method == "HEAD") return RequestKind::Probe;
    if (request.method != "GET") return RequestKind::Other;
    return request.HeaderCount("Range") == 0 ? RequestKind::Probe : RequestKind::Ranged;
}

}  // namespace

class FaultServer::Impl {
public:
    ~Impl() { Stop(); }

    bool Start(std::string body);
    void Stop();
    void RefuseConnections();
    bool AcceptConnections();
    void SetGetBarrier(int count, int timeoutMs);
    bool WaitForRequests(std::size_t count, int timeoutMs) const;

    template <typename T>
    T Read(T Impl::*field) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return this->*field;
    }
    void AddRule(Rule rule)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        rules_.Add(std::move(rule));
    }
    void ClearRules()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        rules_.Clear();
    }

    std::atomic<std::uint16_t> port_{0};
    std::vector<RecordedRequest> requests_;
    int heads_ = 0;
    int gets_ = 0;
    int connections_ = 0;
    int peakGets_ = 0;
    int peakRanged_ = 0;
    bool barrierReached_ = false;

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    bool Listen(std::uint16_t port);
    void StopAccepting();
    void AcceptLoop();
    void AcceptConnectionsUntilStopped();
    void ReapWorkers(bool all);
    void Serve(Socket connection);
    void WaitAtBarrier();
    bool Transmit(SOCKET s, const std::string& head, std::string_view body, std::uint64_t extraBytes,
                  const Action& action);

    std::string body_;
    std::unique_ptr<WinsockSession> winsock_;
    bool running_ = false;
    std::mutex controlMutex_;  // Start, Stop, RefuseConnections, AcceptConnections

    Socket listener_;
    std::thread acceptThread_;
    std::atomic<bool> stopAccepting_{false};
    std::atomic<bool> stopping_{false};
    std::mutex workersMutex_;
    std::list<Worker> workers_;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    RuleBook rules_;
    int openGets_ = 0;
    int openRanged_ = 0;
    int barrierCount_ = 0;
    int barrierTimeoutMs_ = 0;
    bool barrierOpen_ = true;
    std::optional<Clock::time_point> barrierDeadline_;
};

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

bool FaultServer::Impl::Start(std::string body)
{
    std::lock_guard<std::mutex> control(controlMutex_);
    if (running_) return false;
    winsock_ = std::make_unique<WinsockSession>();
    if (!winsock_->Ok()) {
        winsock_.reset();
        return false;
    }
    body_ = std::move(body);
    stopping_ = false;
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
    if (!SetNonBlocking(listener.Get())) return false;
    port_ = LocalPort(listener.Get());
    if (port_ == 0) return false;
    listener_ = std::move(listener);
    stopAccepting_ = false;
    acceptThread_ = std::thread([this] { AcceptLoop(); });
    return true;
}

void FaultServer::Impl::StopAccepting()
{
    stopAccepting_ = true;
    if (acceptThread_.joinable()) acceptThread_.join();
    // Connections still in the backlog get a RST here.
    listener_.Close();
}

void FaultServer::Impl::Stop()
{
    std::lock_guard<std::mutex> control(controlMutex_);
    if (!running_) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
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
    if (listener_.Valid()) return true;
    return Listen(port_);
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
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return requests_.size() >= count; });
}

void FaultServer::Impl::AcceptLoop()
{
    try {
        AcceptConnectionsUntilStopped();
    } catch (...) {
    }
}

void FaultServer::Impl::AcceptConnectionsUntilStopped()
{
    while (!stopAccepting_) {
        if (WaitReadable(listener_.Get(), Clock::now() + std::chrono::milliseconds(100), stopAccepting_) != IoResult::Ok)
            continue;
        Socket connection(accept(listener_.Get(), nullptr, nullptr));
        if (!connection.Valid()) continue;
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

void FaultServer::Impl::Serve(Socket connection)
{
    SOCKET s = connection.Get();
    if (!SetNonBlocking(s)) return;
    std::string head;
    if (ReadRequestHead(s, head, kHeadLimit, Clock::now() + kRequestTimeout, stopping_) != IoResult::Ok) return;

    auto parsed = ParseRequestHead(head);
    if (!parsed) {
        HttpResponse bad;
        bad.status = 400;
        bad.SetHeader("Content-Length", "0");
        bad.SetHeader("Connection", "close");
        const std::string text = bad.Head();
        SendAll(s, text.data(), text.size(), Clock::now() + kSendTimeout, stopping_);
        shutdown(s, SD_SEND);
        DrainUntilClosed(s, Clock::now() + kLingerTimeout, stopping_);
        return;
    }

    RecordedRequest record;
    static_cast<HttpRequest&>(record) = std::move(*parsed);
    record.kind = KindOf(record);
    if (record.kind == RequestKind::Ranged && record.HeaderCount("Range") == 1)
        record.range = ParseRangeValue(*record.HeaderValue("Range"));
    const bool isGet = record.method == "GET";
    const bool isRanged = record.kind == RequestKind::Ranged;

    Action action;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::optional<std::uint64_t> start;
        if (record.range) start = record.range->first;
        record.rule = rules_.Pick(record.kind, start, action);
        record.fault = action.fault;
        if (record.method == "HEAD") ++heads_;
        if (isGet) {
            ++gets_;
            peakGets_ = std::max(peakGets_, ++openGets_);
        }
        if (isRanged) peakRanged_ = std::max(peakRanged_, ++openRanged_);
        requests_.push_back(record);
    }
    changed_.notify_all();

    struct OpenCount {
        FaultServer::Impl& server;
        bool get;
        bool ranged;
        ~OpenCount()
        {
            std::lock_guard<std::mutex> lock(server.mutex_);
            if (get) --server.openGets_;
            if (ranged) --server.openRanged_;
        }
    };
    bool reset = false;
    {
        OpenCount open{*this, isGet, isRanged};
        if (isRanged) WaitAtBarrier();
        if (stopping_) return;

        RequestShape shape;
        shape.head = record.method == "HEAD";
        shape.kind = record.kind;
        shape.range = record.range;
        const HttpResponse response = BuildResponse(shape, body_, action);
        reset = !Transmit(s, response.Head(), response.Body(), response.extraBytes, action);
    }
    if (reset) {
        connection.Reset();
        return;
    }
    // Lingering close: a close with unread input would send RST and could
    // destroy the answer before the client read it.
    shutdown(s, SD_SEND);
    DrainUntilClosed(s, Clock::now() + kLingerTimeout, stopping_);
}

void FaultServer::Impl::WaitAtBarrier()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (barrierOpen_ || stopping_) return;
    if (openRanged_ >= barrierCount_) {
        barrierOpen_ = true;
        barrierReached_ = true;
        lock.unlock();
        changed_.notify_all();
        return;
    }
    if (!barrierDeadline_) barrierDeadline_ = Clock::now() + std::chrono::milliseconds(barrierTimeoutMs_);
    const auto deadline = *barrierDeadline_;
    if (!changed_.wait_until(lock, deadline, [&] { return barrierOpen_ || stopping_.load(); })) {
        barrierOpen_ = true;
        lock.unlock();
        changed_.notify_all();
    }
}

// Returns false when the connection must end with a RST.
bool FaultServer::Impl::Transmit(SOCKET s, const std::string& head, std::string_view body, std::uint64_t extraBytes,
                           const Action& action)
{
    if (action.fault == Fault::Reset) return false;
    const auto deadline = Clock::now() + kSendTimeout;
    if (SendAll(s, head.data(), head.size(), deadline, stopping_) != IoResult::Ok) return true;

    std::size_t cut = body.size();
    const bool cutShort =
        action.fault == Fault::CloseAfter || action.fault == Fault::ResetAfter || action.fault == Fault::Stall;
    if (cutShort) cut = static_cast<std::size_t>(std::min<std::uint64_t>(action.bytes, body.size()));
    if (SendAll(s, body.data(), cut, deadline, stopping_) != IoResult::Ok) return true;
    if (action.fault == Fault::CloseAfter) return true;
    if (action.fault == Fault::ResetAfter) return false;

    if (action.fault == Fault::Stall) {
        const auto until = action.stallMs < 0 ? Clock::time_point::max()
                                              : Clock::now() + std::chrono::milliseconds(action.stallMs);
        // Watch the socket meanwhile so a client that gives up frees the thread.
        for (;;) {
            const IoResult wait = WaitReadable(s, until, stopping_);
            if (wait == IoResult::Timeout) break;
            if (wait != IoResult::Ok) return true;
            char scratch[512];
            const int got = recv(s, scratch, sizeof scratch, 0);
            if (got == 0 || (got == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK)) return true;
        }
        if (SendAll(s, body.data() + cut, body.size() - cut, Clock::now() + kSendTimeout, stopping_) != IoResult::Ok)
            return true;
    }

    if (extraBytes > 0) {
        const std::string extra(static_cast<std::size_t>(extraBytes), 'X');
        SendAll(s, extra.data(), extra.size(), deadline, stopping_);
    }
    return true;
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

}  // namespace faultserver
