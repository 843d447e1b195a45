#include "setup_command_line.h"

#include <windows.h>

#include <vector>

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool equalsIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size()
        && CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE)
               == CSTR_EQUAL;
}

bool startsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Splits at blanks outside double quotes; quotes stay in the tokens and a
// backslash is an ordinary character.
std::vector<std::wstring_view> tokenize(std::wstring_view raw)
{
    std::vector<std::wstring_view> tokens;
    size_t pos = 0;
    while (pos < raw.size()) {
        while (pos < raw.size() && isBlank(raw[pos]))
            ++pos;
        if (pos == raw.size())
            break;
        const size_t start = pos;
        bool quoted = false;
        while (pos < raw.size() && (quoted || !isBlank(raw[pos]))) {
            if (raw[pos] == L'"')
                quoted = !quoted;
            ++pos;
        }
        tokens.push_back(raw.substr(start, pos - start));
    }
    return tokens;
}

}  // namespace

SetupCommandLine parseSetupCommandLine(std::wstring_view raw)
{
    constexpr std::wstring_view kVerySilent = L"/verysilent";
    constexpr std::wstring_view kPathPrefix = L"/path=\"";

    SetupCommandLine result;
    for (const std::wstring_view token : tokenize(raw)) {
        if (equalsIgnoringCase(token, kVerySilent)) {
            result.verySilent = true;
        } else if (!result.folder && startsWithIgnoringCase(token, kPathPrefix)) {
            const std::wstring_view rest = token.substr(kPathPrefix.size());
            const size_t closing = rest.find(L'"');
            if (closing != std::wstring_view::npos && closing > 0)
                result.folder = std::wstring(rest.substr(0, closing));
        }
    }
    return result;
}
