// The size probe: asks the server for the setup program's headers and reports
// its Content-Length.
#include "pipeline/PipelineThreads.h"

#include "pipeline/HttpChecks.h"
#include "pipeline/HttpRequest.h"

namespace {

// 0 and the size, or the failure's code and kind.
DWORD ProbeSize(UINT& size, int& kind)
{
    kind = DOWN_ERR_PROBE;
    std::unique_ptr<CHttpRequest> request = CreateHttpRequest(g_bUseWinHttp);
    // WinINet reads only the headers of a GET and abandons the body on close.
    DWORD error = request->Open(CurrentHttpTarget(), g_bUseWinHttp ? L"HEAD" : L"GET");
    if (error == 0)
        error = request->Send();
    if (error != 0)
        return error;

    DWORD status = 0;
    if ((error = request->QueryStatus(status)) != 0)
        return error;
    if (!IsSuccessStatus(status))
        return ERR_HTTP_INVALID_SERVER_RESPONSE;

    std::wstring length;
    if ((error = request->QueryHeader(HttpHeader::ContentLength, length)) != 0)
        return error;
    switch (ParseContentLength(length, size)) {
    case ContentLength::Valid:
        return 0;
    case ContentLength::TooLarge:
        kind = DOWN_ERR_SYSTEM;
        return ERROR_FILE_TOO_LARGE;
    default:
        return ERR_HTTP_INVALID_SERVER_RESPONSE;
    }
}

} // namespace

unsigned __stdcall SizeProbeThread(void*)
{
    UINT size = 0;
    int kind = DOWN_ERR_PROBE;
    DWORD error = ProbeSize(size, kind);
    if (error != 0)
        PostToPipeline(WM_DOWN_ERROR, error, kind);
    else
        PostToPipeline(WM_DOWN_SIZE, 0, size);
    return 1;
}
