#include "ui/ShellFolder.h"

#include <windows.h>
#include <shlobj.h>

std::wstring GetShellFolderPath(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    IMalloc* shellMalloc = nullptr;
    if (SUCCEEDED(::SHGetMalloc(&shellMalloc))) {
        PIDLIST_ABSOLUTE pidl = nullptr;
        if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, csidl, &pidl))) {
            ::SHGetPathFromIDListW(pidl, path);
            shellMalloc->Free(pidl);
        }
        shellMalloc->Release();
    }
    return path;
}
