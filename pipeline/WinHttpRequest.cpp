// The WinHTTP transport.
#include "pipeline/HttpRequest.h"

#include "pipeline/InternetHandle.h"
#include "pipeline/PipelineDefs.h"

#include <winhttp.h>

namespace {

using CWinHttpHandle = CInternetHandle<WinHttpCloseHandle>;

// A connection that cannot connect, or stays silent, must fail instead of hanging.
void SetStallTimeouts(HINTERNET handle)
{
    int timeout = static_cast<int>(g_nStallTimeoutMs);
    ::WinHttpSetTimeouts(handle, timeout, timeout, timeout, timeout);
}

class CWinHttpRequest : public CHttpRequest {
public:
    ~CWinHttpRequest() override
    {
        m_request.Close();
        m_connect.Close();
        m_session.Close();
    }

    DWORD Open(const HttpTarget& target, const wchar_t* verb) override
    {
        DWORD access = ConnectionUsesProxy() ? WINHTTP_ACCESS_TYPE_DEFAULT_PROXY : WINHTTP_ACCESS_TYPE_NO_PROXY;
        m_session.Attach(::WinHttpOpen(nullptr, access, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
        if (m_session == nullptr)
            return LastErrorOr(ERROR_WINHTTP_INTERNAL_ERROR);

        SetStallTimeouts(m_session);

        m_connect.Attach(::WinHttpConnect(m_session, target.strHost.c_str(), target.nPort, 0));
        if (m_connect == nullptr)
            return LastErrorOr(ERROR_WINHTTP_INTERNAL_ERROR);

        const wchar_t* acceptTypes[] = {L"*/*", nullptr};
        DWORD flags = WINHTTP_FLAG_REFRESH;
        // NB: never relax the certificate checks: what is downloaded runs as administrator.
        if (target.bSecure)
            flags |= WINHTTP_FLAG_SECURE;
        m_request.Attach(::WinHttpOpenRequest(m_connect, verb, target.strPath.c_str(), L"HTTP/1.1",
                                              WINHTTP_NO_REFERER, acceptTypes, flags));
        if (m_request == nullptr)
            return LastErrorOr(ERROR_WINHTTP_INTERNAL_ERROR);
        SetStallTimeouts(m_request);
        return 0;
    }

    DWORD AddHeader(const std::wstring& header) override
    {
        if (!::WinHttpAddRequestHeaders(m_request, header.c_str(), static_cast<DWORD>(header.size()),
                                        WINHTTP_ADDREQ_FLAG_ADD))
            return LastErrorOr(ERROR_WINHTTP_INTERNAL_ERROR);
        return 0;
    }

    DWORD Send() override
    {
        if (!::WinHttpSendRequest(m_request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0))
            return LastErrorOr(ERROR_WINHTTP_INTERNAL_ERROR);
        if (!::WinHttpReceiveResponse(m_request, nullptr))
            return LastErrorOr(ERROR_WINHTTP_INTERNAL_ERROR);
        return 0;
    }

    DWORD QueryStatus(DWORD& status) override
    {
        DWORD size = sizeof(status);
        if (!::WinHttpQueryHeaders(m_request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                   WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
            return LastErrorOr(ERROR_WINHTTP_HEADER_NOT_FOUND);
        return 0;
    }

    DWORD QueryHeader(HttpHeader header, std::wstring& value) override
    {
        // Read as text and parsed by the caller: the number flag would turn
        // "12abc" into 12 and clamp large values.
        DWORD info = header == HttpHeader::ContentLength ? WINHTTP_QUERY_CONTENT_LENGTH : WINHTTP_QUERY_CONTENT_RANGE;
        wchar_t buffer[128] = {};
        DWORD size = sizeof(buffer) - sizeof(wchar_t);
        if (!::WinHttpQueryHeaders(m_request, info, WINHTTP_HEADER_NAME_BY_INDEX, buffer, &size,
                                   WINHTTP_NO_HEADER_INDEX))
            return LastErrorOr(ERROR_WINHTTP_HEADER_NOT_FOUND);
        value.assign(buffer, size / sizeof(wchar_t));
        return 0;
    }

    DWORD Read(BYTE* buffer, DWORD size, DWORD& got) override
    {
        got = 0;
        if (!::WinHttpReadData(m_request, buffer, size, &got))
            return LastErrorOr(ERROR_WINHTTP_INTERNAL_ERROR);
        return 0;
    }

private:
    CWinHttpHandle m_session;
    CWinHttpHandle m_connect;
    CWinHttpHandle m_request;
};

} // namespace

std::unique_ptr<CHttpRequest> CreateWinHttpRequest() { return std::make_unique<CWinHttpRequest>(); }
