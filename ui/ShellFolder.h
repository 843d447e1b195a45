#pragma once

#include <string>

// The path of a shell special folder (CSIDL_*), empty when the lookup fails.
std::wstring GetShellFolderPath(int csidl);
