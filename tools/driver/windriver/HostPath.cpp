#include "HostPath.h"

#include <windows.h>

#include "appdriver/Text.h"

namespace windriver {

std::wstring ToWindowsPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    // Exported by Wine's kernel32 only; on Windows a leading '/' is left to the caller.
    using ToDos = WCHAR* (*)(const char*);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")));
    if (toDos == nullptr) return path;
    WCHAR* dos = toDos(appdriver::ToUtf8(path).c_str());
    if (dos == nullptr) return path;
    std::wstring out = dos;
    HeapFree(GetProcessHeap(), 0, dos);
    return out;
}

}  // namespace windriver
