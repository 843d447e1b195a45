#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace appdriver {

// Real input through SetCursorPos + SendInput; coordinates are screen coordinates.
bool MouseClickAt(POINT screen, std::string& error);
bool MouseDrag(POINT from, POINT to, int steps, std::string& error);

// Presses keys in order and releases them in reverse order, to whatever window has focus.
bool SendKeyCombo(const std::vector<WORD>& virtualKeys, std::string& error);

// "Alt+F4", "Ctrl+Shift+Tab", "Enter", "Esc", "Space", "A", "F10". Case-insensitive.
bool ParseKeyCombo(const std::wstring& combo, std::vector<WORD>& virtualKeys, std::string& error);

// Makes hwnd the foreground window and waits until the system reports it so.
bool BringToForeground(HWND hwnd, DWORD timeoutMs, std::string& error);

}  // namespace appdriver
