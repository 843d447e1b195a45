#include "pipeline/PipelineDefs.h"

std::wstring g_strHostName;
unsigned short g_nServerPort = 80;
bool g_bSecure = false;
std::wstring g_strUrlPath;
std::wstring g_strInstallDir;
std::wstring g_strDownRoot;
bool g_bUseWinHttp = false;
HANDLE g_hDownFile = INVALID_HANDLE_VALUE;
UINT g_nDownTotal = 0;
UINT g_nDownFileSize = 0;
DWORD g_nStallTimeoutMs = 30000;
int g_nErrorShown = 0;
