#pragma once

// A loopback HTTP/1.1 server for tests: one request per connection, faults
// injected per request by rules, statistics on what clients sent.

#include "FaultRules.h"
#include "HttpRequest.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace faultserver {

struct RecordedRequest : HttpRequest {
    RequestKind kind = RequestKind::Other;
    std::optional<ByteRange> range;  // a well-formed Range header, as sent
    int rule = -1;                   // index of the rule that fired, -1 for none
    Fault fault = Fault::None;
};

class FaultServer {
public:
    FaultServer();
    ~FaultServer();
    FaultServer(const FaultServer&) = delete;
    FaultServer& operator=(const FaultServer&) = delete;

    // Listens on 127.0.0.1 at a port the system picks. False if it could not.
    bool Start(std::string body);
    bool Start(const std::vector<std::uint8_t>& body);
    // Closes the listener and every connection, joins all threads. Idempotent.
    void Stop();
    std::uint16_t Port() const;
    std::string Url(std::string_view path = "/file.bin") const;

    void AddRule(Rule rule);
    void ClearRules();

    // Holds ranged GETs unanswered until `count` of them are open at once or
    // `timeoutMs` passed since the first was held; from then on lets all
    // through until set again. count <= 0 removes the barrier.
    void SetGetBarrier(int count, int timeoutMs);
    bool BarrierReached() const;

    // Closes the listener but keeps the port: connects are refused. Open
    // connections go on. AcceptConnections() listens on the same port again.
    void RefuseConnections();
    bool AcceptConnections();

    int HeadCount() const;
    int GetCount() const;
    int ConnectionsAccepted() const;
    int PeakOpenGets() const;        // GETs between arrival and the end of their answer
    int PeakOpenRangedGets() const;
    std::vector<RecordedRequest> Requests() const;
    bool WaitForRequests(std::size_t count, int timeoutMs) const;

    // A loopback port that nothing listens on (bound once, then released).
    static std::uint16_t ClosedLoopbackPort();
    // Bytes that differ from their neighbours, so a misplaced range shows.
    static std::string PatternBody(std::size_t size);

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace faultserver
