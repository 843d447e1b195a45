#include "pipeline/DownPaths.h"

namespace {
const wchar_t DOWN_FOLDER_NAME[] = L"\\Wystrel";
const wchar_t TARGET_EXTENSION[] = L"down";
} // namespace

std::wstring DownFileName(const std::wstring& url)
{
    // A query or fragment is not part of the file name (and "?" is no valid
    // character in a Windows file name).
    std::wstring address = url.substr(0, url.find_first_of(L"?#"));
    size_t slash = address.rfind(L'/');
    size_t dot = address.rfind(L'.');
    if (slash == std::wstring::npos || dot == std::wstring::npos || dot < slash)
        return std::wstring();
    return address.substr(slash + 1);
}

DownPaths MakeDownPaths(const std::wstring& url, const std::wstring& downRoot)
{
    DownPaths paths;
    std::wstring name = DownFileName(url);
    if (name.empty())
        return paths;
    std::wstring stem = name.substr(0, name.rfind(L'.') + 1); // keeps the dot
    paths.bUsable = true;
    paths.strFolder = downRoot + DOWN_FOLDER_NAME;
    paths.strTargetFile = paths.strFolder + L"\\" + stem + TARGET_EXTENSION;
    paths.strSetupFile = paths.strFolder + L"\\" + name;
    return paths;
}
