#pragma once

#include <windows.h>

#include <string>

#include "unique_font.h"

// The product's only window: says that Pellucor is installed and where it
// runs from, with a button to close it.
class InstalledWindow {
public:
    // closeAfterMs > 0 closes the window on its own after that delay.
    InstalledWindow(HINSTANCE instance, std::wstring installFolder, UINT closeAfterMs);
    ~InstalledWindow();

    InstalledWindow(const InstalledWindow&) = delete;
    InstalledWindow& operator=(const InstalledWindow&) = delete;

    // Creates and shows the window; false (with GetLastError set) on failure.
    bool create(int showCommand);

    HWND handle() const { return hwnd_; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool onCreate();
    void layout();
    void paint(HDC dc) const;
    int scaled(int dips) const { return MulDiv(dips, dpi_, 96); }

    HINSTANCE instance_;
    std::wstring installFolder_;
    UINT closeAfterMs_;

    HWND hwnd_ = nullptr;
    HWND okButton_ = nullptr;
    HICON icon_ = nullptr;
    int dpi_ = 96;
    UniqueFont bodyFont_;
    UniqueFont headingFont_;

    RECT iconRect_{};
    RECT headingRect_{};
    RECT labelRect_{};
    RECT folderRect_{};
    int bandTop_ = 0;
};
