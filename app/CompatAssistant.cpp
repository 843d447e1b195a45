#include "app/App.h"

#include <windows.h>

namespace {
const wchar_t PERSISTED_KEY[] =
    L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility Assistant\\Persisted";
}

bool RegisterCompatPersisted()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, PERSISTED_KEY, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return false;
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD one = 1;
    LONG set = ::RegSetValueExW(key, path, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
    ::RegCloseKey(key);
    return set == ERROR_SUCCESS;
}
