#include "pipeline/HttpRequest.h"

#include "pipeline/PipelineDefs.h"

HttpTarget CurrentHttpTarget() { return HttpTarget{g_strHostName, g_nServerPort, g_bSecure, g_strUrlPath}; }

std::unique_ptr<CHttpRequest> CreateHttpRequest(bool useWinHttp)
{
    return useWinHttp ? CreateWinHttpRequest() : CreateInetRequest();
}
