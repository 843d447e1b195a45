#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

struct ResourceBytes {
    const void* data = nullptr;
    size_t size = 0;
};

// The bytes of a resource linked into module; they live as long as the module.
std::optional<ResourceBytes> findResourceBytes(HMODULE module, int id, const wchar_t* type);
