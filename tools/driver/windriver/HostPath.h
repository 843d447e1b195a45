#pragma once

#include <string>

namespace windriver {

// Under Wine, turns "/unix/path" into the DOS path Wine maps it to; anything else unchanged.
std::wstring ToWindowsPath(const std::wstring& path);

}  // namespace windriver
