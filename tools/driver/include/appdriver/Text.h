#pragma once

#include <windows.h>

#include <string>

namespace appdriver {

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// "&Yes" -> "Yes", "Save && quit" -> "Save & quit".
std::wstring StripMnemonic(const std::wstring& text);

bool EqualsNoCase(const std::wstring& a, const std::wstring& b);

// "5 (Access is denied.)" for a GetLastError() value.
std::string Win32ErrorText(DWORD code);

// "0x0002004C"
std::string HwndText(HWND hwnd);

}  // namespace appdriver
