#include "pipeline/SetupCommand.h"

std::wstring MakeSetupCommandLine(const std::wstring& installDir)
{
    return L" /verysilent /Tarvenix /path=\"" + installDir + L"\"";
}

bool IsSetupSuccess(DWORD exitCode)
{
    return exitCode == 0 || exitCode == ERROR_SUCCESS_REBOOT_REQUIRED || exitCode == ERROR_SUCCESS_REBOOT_INITIATED;
}
