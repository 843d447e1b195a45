#include "exit_code_override.h"

#include <cstdint>
#include <string_view>

std::optional<DWORD> exitCodeOverride()
{
    wchar_t buffer[32];
    const DWORD length = GetEnvironmentVariableW(L"PELLUCOR_DEMO_SETUP_EXIT", buffer, ARRAYSIZE(buffer));
    if (length == 0 || length >= ARRAYSIZE(buffer))
        return std::nullopt;

    std::wstring_view text(buffer, length);
    while (!text.empty() && text.front() == L' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == L' ')
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && text.front() == L'-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;

    std::uint64_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - L'0');
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    // "-1" means 0xFFFFFFFF, as a process exit code would show it.
    const auto code = static_cast<DWORD>(value);
    return negative ? static_cast<DWORD>(0u - code) : code;
}
