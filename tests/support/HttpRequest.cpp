#include "HttpRequest.h"

#include <cctype>
#include <limits>

namespace faultserver {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsTokenChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

std::optional<std::uint64_t> ParseDecimal(std::string_view s)
{
    if (s.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

std::optional<std::string> HttpRequest::HeaderValue(std::string_view name) const
{
    for (const auto& header : headers) {
        if (EqualsNoCase(header.first, name)) return header.second;
    }
    return std::nullopt;
}

int HttpRequest::HeaderCount(std::string_view name) const
{
    int count = 0;
    for (const auto& header : headers) {
        if (EqualsNoCase(header.first, name)) ++count;
    }
    return count;
}

std::optional<HttpRequest> ParseRequestHead(std::string_view head)
{
    HttpRequest request;
    bool firstLine = true;
    while (!head.empty()) {
        const std::size_t end = head.find("\r\n");
        const std::string_view line = head.substr(0, end);
        head = end == std::string_view::npos ? std::string_view() : head.substr(end + 2);
        if (line.find('\n') != std::string_view::npos || line.find('\r') != std::string_view::npos) return std::nullopt;

        if (firstLine) {
            firstLine = false;
            const std::size_t sp1 = line.find(' ');
            const std::size_t sp2 = sp1 == std::string_view::npos ? sp1 : line.find(' ', sp1 + 1);
            if (sp2 == std::string_view::npos || line.find(' ', sp2 + 1) != std::string_view::npos) return std::nullopt;
            request.method = std::string(line.substr(0, sp1));
            request.path = std::string(line.substr(sp1 + 1, sp2 - sp1 - 1));
            request.version = std::string(line.substr(sp2 + 1));
            if (request.method.empty() || request.path.empty() || request.version.rfind("HTTP/1.", 0) != 0) return std::nullopt;
            continue;
        }

        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0) return std::nullopt;
        const std::string_view name = line.substr(0, colon);
        for (char c : name) {
            if (!IsTokenChar(c)) return std::nullopt;
        }
        request.headers.emplace_back(std::string(name), std::string(Trim(line.substr(colon + 1))));
    }
    if (firstLine) return std::nullopt;
    return request;
}

std::optional<ByteRange> ParseRangeValue(std::string_view value)
{
    value = Trim(value);
    const std::size_t equals = value.find('=');
    if (equals == std::string_view::npos || !EqualsNoCase(value.substr(0, equals), "bytes")) return std::nullopt;
    const std::string_view spec = value.substr(equals + 1);
    const std::size_t dash = spec.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const auto first = ParseDecimal(spec.substr(0, dash));
    const auto last = ParseDecimal(spec.substr(dash + 1));
    if (!first || !last) return std::nullopt;
    return ByteRange{*first, *last};
}

}  // namespace faultserver
