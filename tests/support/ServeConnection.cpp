#include "FaultServerImpl.h"
#include "HttpResponse.h"

#include <algorithm>
#include <utility>

namespace faultserver {
namespace {

constexpr std::size_t kHeadLimit = 64 * 1024;
constexpr auto kRequestTimeout = std::chrono::seconds(10);
constexpr auto kSendTimeout = std::chrono::seconds(60);
constexpr auto kLingerTimeout = std::chrono::seconds(1);

RequestKind KindOf(const HttpRequest& request)
{
    if (request.method == "HEAD") return RequestKind::Probe;
    if (request.method != "GET") return RequestKind::Other;
    return request.HeaderCount("Range") == 0 ? RequestKind::Probe : RequestKind::Ranged;
}

}  // namespace

void FaultServer::Impl::Serve(Socket connection)
{
    EventSocket s(std::move(connection), FD_READ | FD_WRITE | FD_CLOSE);
    if (!s.Valid()) return;
    const HANDLE stop = stopEvent_.Get();
    std::string head;
    if (ReadRequestHead(s, head, kHeadLimit, Clock::now() + kRequestTimeout, stop) != IoResult::Ok) return;

    auto parsed = ParseRequestHead(head);
    if (!parsed) {
        HttpResponse bad;
        bad.status = 400;
        bad.SetHeader("Content-Length", "0");
        bad.SetHeader("Connection", "close");
        const std::string text = bad.Head();
        SendAll(s, text.data(), text.size(), Clock::now() + kSendTimeout, stop);
        CloseGracefully(s);
        return;
    }

    Action action;
    const RecordedRequest request = Register(std::move(*parsed), action);
    bool reset = false;
    {
        struct Open {
            Impl& impl;
            const RecordedRequest& request;
            ~Open() { impl.Unregister(request); }
        } open{*this, request};

        if (request.kind == RequestKind::Ranged) WaitAtBarrier();
        if (stopping_) return;
        RequestShape shape;
        shape.head = request.method == "HEAD";
        shape.kind = request.kind;
        shape.range = request.range;
        const HttpResponse response = BuildResponse(shape, body_, action);
        reset = !Transmit(s, response.Head(), response.Body(), response.extraBytes, action);
    }
    if (reset) {
        s.socket().Reset();
        return;
    }
    CloseGracefully(s);
}

RecordedRequest FaultServer::Impl::Register(HttpRequest request, Action& action)
{
    RecordedRequest record;
    static_cast<HttpRequest&>(record) = std::move(request);
    record.kind = KindOf(record);
    if (record.kind == RequestKind::Ranged && record.HeaderCount("Range") == 1)
        record.range = ParseRangeValue(*record.HeaderValue("Range"));
    std::optional<std::uint64_t> start;
    if (record.range) start = record.range->first;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        record.rule = rules_.Pick(record.kind, start, action);
        record.fault = action.fault;
        if (record.method == "HEAD") ++heads_;
        if (record.method == "GET") {
            ++gets_;
            peakGets_ = std::max(peakGets_, ++openGets_);
        }
        if (record.kind == RequestKind::Ranged) peakRanged_ = std::max(peakRanged_, ++openRanged_);
        requests_.push_back(record);
    }
    changed_.notify_all();
    return record;
}

void FaultServer::Impl::Unregister(const RecordedRequest& request)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (request.method == "GET") --openGets_;
    if (request.kind == RequestKind::Ranged) --openRanged_;
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
bool FaultServer::Impl::Transmit(const EventSocket& s, const std::string& head, std::string_view body,
                                 std::uint64_t extraBytes, const Action& action)
{
    if (action.fault == Fault::Reset) return false;
    const HANDLE stop = stopEvent_.Get();
    const auto deadline = Clock::now() + kSendTimeout;
    if (SendAll(s, head.data(), head.size(), deadline, stop) != IoResult::Ok) return true;

    std::size_t cut = body.size();
    if (action.fault == Fault::CloseAfter || action.fault == Fault::ResetAfter || action.fault == Fault::Stall)
        cut = static_cast<std::size_t>(std::min<std::uint64_t>(action.bytes, body.size()));
    if (SendAll(s, body.data(), cut, deadline, stop) != IoResult::Ok) return true;
    if (action.fault == Fault::CloseAfter) return true;
    if (action.fault == Fault::ResetAfter) return false;

    if (action.fault == Fault::Stall) {
        const auto until = action.stallMs < 0 ? Clock::time_point::max()
                                              : Clock::now() + std::chrono::milliseconds(action.stallMs);
        // Keep reading meanwhile, so a client that gives up frees the thread.
        if (DiscardUntilClosed(s, until, stop) != IoResult::Timeout) return true;
        if (SendAll(s, body.data() + cut, body.size() - cut, Clock::now() + kSendTimeout, stop) != IoResult::Ok)
            return true;
    }

    if (extraBytes > 0) {
        const std::string extra(static_cast<std::size_t>(extraBytes), 'X');
        SendAll(s, extra.data(), extra.size(), deadline, stop);
    }
    return true;
}

// Lingering close: closing with unread input sends RST, which can destroy
// the answer before the client has read it.
void FaultServer::Impl::CloseGracefully(const EventSocket& s)
{
    shutdown(s.Get(), SD_SEND);
    DiscardUntilClosed(s, Clock::now() + kLingerTimeout, stopEvent_.Get());
}

}  // namespace faultserver
