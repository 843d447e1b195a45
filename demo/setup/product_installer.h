#pragma once

#include <string>
#include <string_view>

#include "embedded_resource.h"

// Installs into <folder>\Tarvenix\Pellucor: the product as Pellucor.exe and,
// beside it, install-cmdline.txt with the raw command line (UTF-16LE, BOM).
// False on any failure.
bool installProduct(const std::wstring& folder, const ResourceBytes& product, std::wstring_view rawCommandLine);
