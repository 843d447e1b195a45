#include "embedded_resource.h"

std::optional<ResourceBytes> findResourceBytes(HMODULE module, int id, const wchar_t* type)
{
    const HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!info)
        return std::nullopt;
    const DWORD size = SizeofResource(module, info);
    const HGLOBAL loaded = LoadResource(module, info);
    if (!loaded || size == 0)
        return std::nullopt;
    const void* data = LockResource(loaded);
    if (!data)
        return std::nullopt;
    return ResourceBytes{data, size};
}
