#include "product_installer.h"

#include <windows.h>
#include <shlobj.h>

#include "unique_handle.h"

namespace {

std::wstring fullPath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return {};
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return {};
    full.resize(length);
    return full;
}

std::wstring productFolder(const std::wstring& folder)
{
    std::wstring base = fullPath(folder);
    // "D:\" must give "D:\Tarvenix", not "D:\\Tarvenix".
    while (!base.empty() && (base.back() == L'\\' || base.back() == L'/'))
        base.pop_back();
    if (base.empty())
        return {};
    return base + L"\\Tarvenix\\Pellucor";
}

bool createFolder(const std::wstring& path)
{
    const int result = SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
    if (result == ERROR_SUCCESS)
        return true;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool writeFile(const std::wstring& path, const void* data, size_t size)
{
    UniqueFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;

    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x100000 ? 0x100000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes, chunk, &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return file.close();
}

}  // namespace

bool installProduct(const std::wstring& folder, const ResourceBytes& product, std::wstring_view rawCommandLine)
{
    const std::wstring target = productFolder(folder);
    if (target.empty() || !createFolder(target))
        return false;

    if (!writeFile(target + L"\\Pellucor.exe", product.data, product.size))
        return false;

    std::wstring record;
    record.reserve(1 + rawCommandLine.size());
    record += L'\xFEFF';
    record += rawCommandLine;
    return writeFile(target + L"\\install-cmdline.txt", record.data(), record.size() * sizeof(wchar_t));
}
