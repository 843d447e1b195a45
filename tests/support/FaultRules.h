#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace faultserver {

// What the server does with a request a rule picked.
enum class Fault {
    None,               // answer normally
    Reset,              // RST before any response byte
    CloseAfter,         // headers promise everything; close (FIN) after `bytes` body bytes
    ResetAfter,         // same, but RST (the kernel may drop unsent bytes)
    Stall,              // headers + `bytes` body bytes, silence for stallMs (-1: until Stop), then the rest
    IgnoreRange,        // 200 with the whole body
    WrongContentRange,  // 206 with the right bytes, Content-Range shifted by rangeShift / totalShift
    Status,             // status code with Content-Length: body size (0 when no body)
    NoContentLength,    // normal answer without Content-Length, end marked by close
    ContentLengthText,  // normal answer with Content-Length: text
    ExtraBytes,         // `bytes` extra 'X' bytes after the body
};

struct Action {
    Fault fault = Fault::None;
    std::uint64_t bytes = 0;
    int stallMs = 0;
    int status = 0;
    std::string text;               // Status: body; ContentLengthText: header value
    std::int64_t rangeShift = 0;
    std::int64_t totalShift = 0;
    bool extraCounted = false;      // ExtraBytes: Content-Length includes the extra bytes

    static Action None() { return {}; }
    static Action Reset();
    static Action CloseAfter(std::uint64_t bodyBytes);
    static Action ResetAfter(std::uint64_t bodyBytes);
    static Action Stall(std::uint64_t bodyBytes, int ms);  // ms < 0: until Stop or the client leaves
    static Action IgnoreRange();
    static Action WrongContentRange(std::int64_t rangeShift, std::int64_t totalShift = 0);
    static Action Status(int code, std::string body = std::string());
    static Action NoContentLength();
    static Action ContentLengthText(std::string value);
    static Action ExtraBytes(std::uint64_t count, bool counted = false);
};

// Probe: HEAD, or GET without Range. Ranged: GET with a Range header (even a broken one).
enum class RequestKind { Probe, Ranged, Other };

enum class Target { Any, Probes, Ranged };

// Picks requests. Counting for `nth` covers every request that passes target and
// rangeStart, whether or not this rule or an earlier one fired on it.
struct Rule {
    Target target = Target::Any;
    std::optional<std::uint64_t> rangeStart;  // only ranged GETs whose range starts here
    int nth = 0;                              // only the nth such request (1-based); 0: each
    int times = -1;                           // how often it may fire; -1: always
    Action action;

    static Rule Any() { return {}; }
    static Rule Probes();
    static Rule Ranged();
    static Rule RangeStartingAt(std::uint64_t first);
    Rule& Nth(int n) { nth = n; return *this; }
    Rule& Times(int n) { times = n; return *this; }
    Rule& Do(Action a) { action = std::move(a); return *this; }
};

// The first rule that matches and has firings left applies.
class RuleBook {
public:
    void Add(Rule rule);
    void Clear();
    // Returns the index of the rule that fired, if any, and its action through `action`.
    int Pick(RequestKind kind, const std::optional<std::uint64_t>& rangeStart, Action& action);

private:
    struct Entry {
        Rule rule;
        int seen = 0;
        int fired = 0;
    };
    std::vector<Entry> entries_;
};

const char* FaultName(Fault fault);

}  // namespace faultserver
