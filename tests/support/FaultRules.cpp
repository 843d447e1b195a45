#include "FaultRules.h"

#include <utility>

namespace faultserver {

Action Action::Reset()
{
    Action a;
    a.fault = Fault::Reset;
    return a;
}

Action Action::CloseAfter(std::uint64_t bodyBytes)
{
    Action a;
    a.fault = Fault::CloseAfter;
    a.bytes = bodyBytes;
    return a;
}

Action Action::ResetAfter(std::uint64_t bodyBytes)
{
    Action a;
    a.fault = Fault::ResetAfter;
    a.bytes = bodyBytes;
    return a;
}

Action Action::Stall(std::uint64_t bodyBytes, int ms)
{
    Action a;
    a.fault = Fault::Stall;
    a.bytes = bodyBytes;
    a.stallMs = ms;
    return a;
}

Action Action::IgnoreRange()
{
    Action a;
    a.fault = Fault::IgnoreRange;
    return a;
}

Action Action::WrongContentRange(std::int64_t rangeShift, std::int64_t totalShift)
{
    Action a;
    a.fault = Fault::WrongContentRange;
    a.rangeShift = rangeShift;
    a.totalShift = totalShift;
    return a;
}

Action Action::Status(int code, std::string body)
{
    Action a;
    a.fault = Fault::Status;
    a.status = code;
    a.text = std::move(body);
    return a;
}

Action Action::NoContentLength()
{
    Action a;
    a.fault = Fault::NoContentLength;
    return a;
}

Action Action::ContentLengthText(std::string value)
{
    Action a;
    a.fault = Fault::ContentLengthText;
    a.text = std::move(value);
    return a;
}

Action Action::ExtraBytes(std::uint64_t count, bool counted)
{
    Action a;
    a.fault = Fault::ExtraBytes;
    a.bytes = count;
    a.extraCounted = counted;
    return a;
}

Rule Rule::Probes()
{
    Rule r;
    r.target = Target::Probes;
    return r;
}

Rule Rule::Ranged()
{
    Rule r;
    r.target = Target::Ranged;
    return r;
}

Rule Rule::RangeStartingAt(std::uint64_t first)
{
    Rule r;
    r.target = Target::Ranged;
    r.rangeStart = first;
    return r;
}

void RuleBook::Add(Rule rule)
{
    entries_.push_back(Entry{std::move(rule)});
}

void RuleBook::Clear()
{
    entries_.clear();
}

int RuleBook::Pick(RequestKind kind, const std::optional<std::uint64_t>& rangeStart, Action& action)
{
    int picked = -1;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry& entry = entries_[i];
        const Rule& rule = entry.rule;
        if (rule.target == Target::Probes && kind != RequestKind::Probe) continue;
        if (rule.target == Target::Ranged && kind != RequestKind::Ranged) continue;
        if (rule.rangeStart && rangeStart != rule.rangeStart) continue;

        ++entry.seen;
        if (picked >= 0) continue;
        if (rule.nth > 0 && entry.seen != rule.nth) continue;
        if (rule.times >= 0 && entry.fired >= rule.times) continue;
        ++entry.fired;
        picked = static_cast<int>(i);
        action = rule.action;
    }
    return picked;
}

const char* FaultName(Fault fault)
{
    switch (fault) {
    case Fault::None: return "None";
    case Fault::Reset: return "Reset";
    case Fault::CloseAfter: return "CloseAfter";
    case Fault::ResetAfter: return "ResetAfter";
    case Fault::Stall: return "Stall";
    case Fault::IgnoreRange: return "IgnoreRange";
    case Fault::WrongContentRange: return "WrongContentRange";
    case Fault::Status: return "Status";
    case Fault::NoContentLength: return "NoContentLength";
    case Fault::ContentLengthText: return "ContentLengthText";
    case Fault::ExtraBytes: return "ExtraBytes";
    }
    return "?";
}

}  // namespace faultserver
