#include "lang/LanFile.h"

#include "res/resource.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>

std::wstring g_strLanFilePath;

namespace {

const wchar_t LAN_SECTION[] = L"LANSTR";
const wchar_t LAN_FILE_NAME[] = L"English";
const wchar_t LAN_FILE_EXT[] = L".ini";
const wchar_t DATA_FOLDER_NAME[] = L"\\TarvenixDown\\";

std::wstring GetCommonAppDataFolder()
{
    wchar_t path[MAX_PATH] = {};
    PIDLIST_ABSOLUTE pidl = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_COMMON_APPDATA, &pidl))) {
        ::SHGetPathFromIDListW(pidl, path);
        ::CoTaskMemFree(pidl);
    }
    return path;
}

std::wstring GetModulePath()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

} // namespace

std::wstring MakeDataFolderPath(const std::wstring& commonAppData, const std::wstring& exePath)
{
    std::wstring name = ::PathFindFileNameW(exePath.c_str());
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.resize(dot);
    return commonAppData + DATA_FOLDER_NAME + name;
}

std::wstring GetDataFolderPath()
{
    return MakeDataFolderPath(GetCommonAppDataFolder(), GetModulePath());
}

void ExtractLanFile()
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(IDR_LANFILE), L"INI");
    if (res == nullptr)
        return;
    DWORD size = ::SizeofResource(module, res);
    HGLOBAL data = ::LoadResource(module, res);
    const void* bytes = data ? ::LockResource(data) : nullptr;
    if (bytes == nullptr)
        return;

    std::wstring folder = GetDataFolderPath();
    ::SHCreateDirectory(nullptr, folder.c_str());

    std::wstring path = folder + L"\\" + LAN_FILE_NAME + LAN_FILE_EXT;
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        return;
    fwrite(bytes, 1, size, file);
    fclose(file);
}

void InitLanFilePath()
{
    g_strLanFilePath = GetDataFolderPath() + L"\\" + LAN_FILE_NAME + LAN_FILE_EXT;
}

std::wstring LoadLanString(const wchar_t* key)
{
    std::wstring result;
    wchar_t buffer[256] = {};
    DWORD got = ::GetPrivateProfileStringW(LAN_SECTION, key, L"", buffer, 256, g_strLanFilePath.c_str());
    if (got > 0)
        result = buffer;
    return result;
}
