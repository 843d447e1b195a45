// One HTTP request over either of the platform's two transports: WinINet (the
// first choice) or WinHTTP (after the switch). The size probe and the chunk
// download worker run the same steps over both.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

// Where requests go, as the Install command split it from the download address.
struct HttpTarget {
    std::wstring strHost;
    unsigned short nPort;
    bool bSecure;
    std::wstring strPath; // without its leading "/"
};

// The target of the process-wide address values.
HttpTarget CurrentHttpTarget();

// Both transports use the system's proxy settings only when the machine's
// connection goes through a proxy.
bool ConnectionUsesProxy();

enum class HttpHeader { ContentLength, ContentRange };

class CHttpRequest {
public:
    virtual ~CHttpRequest() = default;

    // Every call returns 0 or the system error code of the failing step.
    // Session (with the stall bound as its time-outs), connection, request.
    virtual DWORD Open(const HttpTarget& target, const wchar_t* verb) = 0;
    virtual DWORD AddHeader(const std::wstring& header) = 0;
    // Sends, and waits for the response headers.
    virtual DWORD Send() = 0;
    virtual DWORD QueryStatus(DWORD& status) = 0;
    virtual DWORD QueryHeader(HttpHeader header, std::wstring& value) = 0;
    // got == 0 with success: the body has ended.
    virtual DWORD Read(BYTE* buffer, DWORD size, DWORD& got) = 0;
};

std::unique_ptr<CHttpRequest> CreateInetRequest();
std::unique_ptr<CHttpRequest> CreateWinHttpRequest();
std::unique_ptr<CHttpRequest> CreateHttpRequest(bool useWinHttp);
