// How the downloaded setup program is run, and what counts as success.
#pragma once

#include <windows.h>

#include <string>

// " /verysilent /Tarvenix /path=\"<folder>\"": the program's own path is not
// part of it (it goes to process creation as the application name).
std::wstring MakeSetupCommandLine(const std::wstring& installDir);

// 0, or 3010 / 1641 (success, a restart is needed).
bool IsSetupSuccess(DWORD exitCode);
