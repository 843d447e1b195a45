#pragma once

#include <windows.h>

#include <optional>

// Tests make the setup report e.g. failure 3 or reboot codes 3010/1641 after a
// normal install by setting PELLUCOR_DEMO_SETUP_EXIT to a decimal number.
std::optional<DWORD> exitCodeOverride();
