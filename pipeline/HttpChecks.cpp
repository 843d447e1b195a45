#include "pipeline/HttpChecks.h"

#include <cstdio>

namespace {

constexpr unsigned long long MAX_DOWN_SIZE = 0x7FFFFFFFull; // the chunk plan's numbers are signed 32-bit

// Digits only, no sign or blanks; false on overflow past 64 bits' worth.
bool ParseDecimal(const std::wstring& text, size_t& pos, unsigned long long& value)
{
    size_t start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
        if (value > 1000000000000000ull)
            return false;
        value = value * 10 + static_cast<unsigned>(text[pos] - L'0');
        ++pos;
    }
    return pos > start;
}

bool Expect(const std::wstring& text, size_t& pos, const wchar_t* literal)
{
    size_t len = std::char_traits<wchar_t>::length(literal);
    if (text.compare(pos, len, literal) != 0)
        return false;
    pos += len;
    return true;
}

} // namespace

ContentLength ParseContentLength(const std::wstring& text, UINT& size)
{
    size_t pos = 0;
    unsigned long long value = 0;
    if (!ParseDecimal(text, pos, value)) {
        // Too many digits to hold still means a huge number, not garbage.
        bool allDigits = !text.empty() && text.find_first_not_of(L"0123456789") == std::wstring::npos;
        return allDigits ? ContentLength::TooLarge : ContentLength::Invalid;
    }
    if (pos != text.size() || value == 0)
        return ContentLength::Invalid;
    if (value > MAX_DOWN_SIZE)
        return ContentLength::TooLarge;
    size = static_cast<UINT>(value);
    return ContentLength::Valid;
}

bool IsSuccessStatus(DWORD status) { return status >= 200 && status < 300; }

std::wstring MakeRangeHeader(UINT first, UINT last)
{
    wchar_t header[64];
    swprintf(header, 64, L"Range:bytes=%d-%d", static_cast<int>(first), static_cast<int>(last));
    return header;
}

bool IsAcceptedRangeResponse(DWORD status, const std::wstring& contentRange, UINT first, UINT last, UINT total)
{
    if (status == 200)
        return first == 0 && static_cast<unsigned long long>(last) + 1 == total;
    if (status != 206)
        return false;
    size_t pos = 0;
    unsigned long long a = 0, b = 0, size = 0;
    return Expect(contentRange, pos, L"bytes ") && ParseDecimal(contentRange, pos, a) && Expect(contentRange, pos, L"-") &&
           ParseDecimal(contentRange, pos, b) && Expect(contentRange, pos, L"/") &&
           ParseDecimal(contentRange, pos, size) && pos == contentRange.size() && a == first && b == last &&
           size == total;
}
