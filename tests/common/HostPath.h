// Files of the build tree as a Windows program under Wine sees them: drive Z:
// is the root of the host's file system.
#pragma once

#include <string>

inline std::wstring HostPath(const char* unixPath)
{
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p)
        path += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return path;
}
