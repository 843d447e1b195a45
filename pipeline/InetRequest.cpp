// The WinINet transport.
#include "pipeline/HttpRequest.h"

#include "pipeline/InternetHandle.h"
#include "pipeline/PipelineDefs.h"

#include <wininet.h>

void SetConnectionLimits(HINTERNET hConnect)
{
    // Forty parallel requests go to one host: lift the per-server limits above that.
    DWORD limit = 50;
    ::InternetSetOptionW(hConnect, INTERNET_OPTION_MAX_CONNS_PER_SERVER, &limit, sizeof(limit));
    ::InternetSetOptionW(hConnect, INTERNET_OPTION_MAX_CONNS_PER_1_0_SERVER, &limit, sizeof(limit));
}

bool ConnectionUsesProxy()
{
    DWORD state = 0;
    ::InternetGetConnectedState(&state, 0); // only the flag matters, not the result
    return (state & INTERNET_CONNECTION_PROXY) != 0;
}

namespace {

using CInetHandle = CInternetHandle<InternetCloseHandle>;

// A connection that cannot connect, or stays silent, must fail instead of hanging.
void SetStallTimeouts(HINTERNET handle)
{
    DWORD timeout = g_nStallTimeoutMs;
    ::InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
    ::InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof(timeout));
    ::InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
}

class CInetRequest : public CHttpRequest {
public:
    ~CInetRequest() override
    {
        // Request, connection, session: in this order.
        m_request.Close();
        m_connect.Close();
        m_session.Close();
    }

    DWORD Open(const HttpTarget& target, const wchar_t* verb) override
    {
        DWORD access = ConnectionUsesProxy() ? INTERNET_OPEN_TYPE_PRECONFIG
                                             : INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY;
        m_session.Attach(::InternetOpenW(L"", access, nullptr, nullptr, 0));
        if (m_session == nullptr)
            return LastErrorOr(ERROR_INTERNET_INTERNAL_ERROR);

        SetStallTimeouts(m_session);

        m_connect.Attach(::InternetConnectW(m_session, target.strHost.c_str(), target.nPort, nullptr, nullptr,
                                            INTERNET_SERVICE_HTTP, 0, 0));
        if (m_connect == nullptr)
            return LastErrorOr(ERROR_INTERNET_INTERNAL_ERROR);
        SetConnectionLimits(m_connect);

        const wchar_t* acceptTypes[] = {L"*/*", nullptr};
        DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
        // NB: never add INTERNET_FLAG_IGNORE_CERT_* here: what is downloaded runs as administrator.
        if (target.bSecure)
            flags |= INTERNET_FLAG_SECURE;
        m_request.Attach(::HttpOpenRequestW(m_connect, verb, target.strPath.c_str(), L"HTTP/1.1", nullptr, acceptTypes,
                                            flags, 0));
        if (m_request == nullptr)
            return LastErrorOr(ERROR_INTERNET_INTERNAL_ERROR);
        // Some stacks take the time-outs from the request handle only.
        SetStallTimeouts(m_request);
        return 0;
    }

    DWORD AddHeader(const std::wstring& header) override
    {
        if (!::HttpAddRequestHeadersW(m_request, header.c_str(), static_cast<DWORD>(header.size()),
                                      HTTP_ADDREQ_FLAG_ADD))
            return LastErrorOr(ERROR_INTERNET_INTERNAL_ERROR);
        return 0;
    }

    DWORD Send() override
    {
        if (!::HttpSendRequestW(m_request, nullptr, 0, nullptr, 0))
            return LastErrorOr(ERROR_INTERNET_INTERNAL_ERROR);
        return 0;
    }

    DWORD QueryStatus(DWORD& status) override
    {
        DWORD size = sizeof(status);
        if (!::HttpQueryInfoW(m_request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
            return LastErrorOr(ERROR_HTTP_HEADER_NOT_FOUND);
        return 0;
    }

    DWORD QueryHeader(HttpHeader header, std::wstring& value) override
    {
        DWORD info = header == HttpHeader::ContentLength ? HTTP_QUERY_CONTENT_LENGTH : HTTP_QUERY_CONTENT_RANGE;
        wchar_t buffer[128] = {};
        DWORD size = sizeof(buffer) - sizeof(wchar_t);
        DWORD index = 0;
        if (!::HttpQueryInfoW(m_request, info, buffer, &size, &index))
            return LastErrorOr(ERROR_HTTP_HEADER_NOT_FOUND);
        value.assign(buffer, size / sizeof(wchar_t));
        return 0;
    }

    DWORD Read(BYTE* buffer, DWORD size, DWORD& got) override
    {
        got = 0;
        if (!::InternetReadFile(m_request, buffer, size, &got))
            return LastErrorOr(ERROR_INTERNET_INTERNAL_ERROR);
        return 0;
    }

private:
    CInetHandle m_session;
    CInetHandle m_connect;
    CInetHandle m_request;
};

} // namespace

std::unique_ptr<CHttpRequest> CreateInetRequest() { return std::make_unique<CInetRequest>(); }
