#include "pipeline/PipelineDefs.h"

std::wstring g_strHostName;
std::wstring g_strUrlPath;
std::wstring g_strInstallDir;
std::wstring g_strDownRoot;
bool g_bUseWinHttp = false;
HANDLE g_hDownFile = INVALID_HANDLE_VALUE;
UINT g_nDownTotal = 0;
