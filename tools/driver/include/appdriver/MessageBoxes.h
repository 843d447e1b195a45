#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace appdriver {

struct MessageBoxButton {
    int id = 0;              // IDOK, IDYES, ...
    std::wstring text;       // mnemonic stripped: "Yes"
    std::wstring rawText;    // as shown to the system: "&Yes"
    HWND hwnd = nullptr;
};

struct MessageBoxInfo {
    HWND hwnd = nullptr;     // nullptr: no box was found
    HWND owner = nullptr;    // GetWindow(GW_OWNER)
    std::wstring caption;
    std::wstring text;
    std::vector<MessageBoxButton> buttons;  // left to right

    explicit operator bool() const { return hwnd != nullptr; }
    std::vector<std::wstring> ButtonTexts() const;
};

MessageBoxInfo ReadMessageBox(HWND box);

// Matches the stripped or raw text (case-insensitive), a decimal id ("6"), or a standard
// name ("yes", "IDYES") so answers still work on a translated system.
const MessageBoxButton* FindButton(const MessageBoxInfo& box, const std::wstring& textOrId);

}  // namespace appdriver
