#include "pipeline/DownUrl.h"

namespace {

const wchar_t HTTP_SCHEME[] = L"http://";
const wchar_t HTTPS_SCHEME[] = L"https://";

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::char_traits<wchar_t>::length(prefix), prefix) == 0;
}

// "host:8080" -> "host" and 8080. Anything else (no port, a bare IPv6 address,
// a port out of range) stays as it is.
void TakePort(std::wstring& host, unsigned short& port)
{
    size_t colon = host.rfind(L':');
    if (colon == std::wstring::npos || colon == 0 || colon + 1 == host.size() || host.size() - colon > 6)
        return;
    if (host.find(L':') != colon && host[colon - 1] != L']')
        return;
    unsigned long value = 0;
    for (size_t i = colon + 1; i < host.size(); ++i) {
        if (host[i] < L'0' || host[i] > L'9')
            return;
        value = value * 10 + static_cast<unsigned long>(host[i] - L'0');
    }
    if (value == 0 || value > 65535)
        return;
    port = static_cast<unsigned short>(value);
    host.resize(colon);
}

} // namespace

DownUrl SplitDownUrl(const std::wstring& url)
{
    DownUrl result;
    std::wstring rest;
    if (StartsWith(url, HTTP_SCHEME)) {
        rest = url.substr(std::char_traits<wchar_t>::length(HTTP_SCHEME));
    } else if (StartsWith(url, HTTPS_SCHEME)) {
        rest = url.substr(std::char_traits<wchar_t>::length(HTTPS_SCHEME));
        result.bSecure = true;
        result.nPort = HTTPS_DEFAULT_PORT;
    } else {
        return result;
    }
    result.bHasScheme = true;

    size_t slash = rest.find(L'/');
    if (slash == std::wstring::npos) {
        result.bMissingSlash = true;
        result.strHost = rest;
        return result;
    }
    result.strHost = rest.substr(0, slash);
    result.strPath = rest.substr(slash + 1);
    TakePort(result.strHost, result.nPort);
    return result;
}
