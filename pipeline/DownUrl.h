// Splitting the download address into what the transports connect to.
#pragma once

#include <string>

constexpr unsigned short HTTP_DEFAULT_PORT = 80;
constexpr unsigned short HTTPS_DEFAULT_PORT = 443;

struct DownUrl {
    bool bHasScheme = false;    // begins with "http://" or "https://"
    bool bMissingSlash = false; // a scheme but no "/" after the host
    bool bSecure = false;       // "https://": TLS, certificate checks on
    std::wstring strHost;       // without the port
    unsigned short nPort = HTTP_DEFAULT_PORT;
    std::wstring strPath; // everything after the host's "/", query included
};

// An address with neither scheme splits into nothing (bHasScheme false). A
// port written at the end of the host ("host:8080") is taken out of the host.
DownUrl SplitDownUrl(const std::wstring& url);
