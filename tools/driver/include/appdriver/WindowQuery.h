#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace appdriver {

struct ChildInfo {
    HWND hwnd = nullptr;
    int id = 0;               // GetDlgCtrlID; static labels from templates read 65535
    std::wstring className;
    std::wstring text;
    RECT rect{};              // in the client coordinates of the window that was queried
    bool visible = false;     // IsWindowVisible: false also when an ancestor is hidden
    bool enabled = false;
};

std::wstring ClassNameOf(HWND hwnd);

// Window text through WM_GETTEXT, so it also works for controls of another process.
std::wstring TextOf(HWND hwnd);

// Top-level windows owned by threads of process pid, visible or not, in Z order.
std::vector<HWND> TopLevelWindowsOf(DWORD pid);

// A standard MessageBox: a captioned "#32770" with its text in Static 0xFFFF and
// only buttons carrying the IDOK..IDCONTINUE ids.
bool LooksLikeMessageBox(HWND hwnd);

// Every descendant of parent (not only direct children), in Z order.
std::vector<ChildInfo> ChildrenOf(HWND parent);

// One line per top-level window of pid, for timeout messages.
std::string DescribeTopLevelWindows(DWORD pid);

}  // namespace appdriver
