#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace faultserver {

struct ByteRange {
    std::uint64_t first = 0;
    std::uint64_t last = 0;  // inclusive, as the client wrote it

    bool operator==(const ByteRange& other) const { return first == other.first && last == other.last; }
    bool operator!=(const ByteRange& other) const { return !(*this == other); }
};

using Header = std::pair<std::string, std::string>;

struct HttpRequest {
    std::string method;
    std::string path;
    std::string version;
    std::vector<Header> headers;  // in arrival order, names as sent, values trimmed

    // First header of that name (case-insensitive).
    std::optional<std::string> HeaderValue(std::string_view name) const;
    int HeaderCount(std::string_view name) const;
};

bool EqualsNoCase(std::string_view a, std::string_view b);

// Parses everything before the blank line. Lines must end in CRLF; no folding.
std::optional<HttpRequest> ParseRequestHead(std::string_view head);

// Accepts only "bytes=<first>-<last>" (unit case-insensitive, decimal digits,
// no blanks inside). first > last is returned as is; the caller decides.
std::optional<ByteRange> ParseRangeValue(std::string_view value);

}  // namespace faultserver
