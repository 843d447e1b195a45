#include "appdriver/WindowQuery.h"

#include "appdriver/Text.h"

namespace appdriver {
namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kLastMessageBoxButtonId = 11;  // IDCONTINUE

struct TopLevelSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->pid) search->found.push_back(hwnd);
    return TRUE;
}

struct ChildSearch {
    HWND parent;
    std::vector<ChildInfo> children;
};

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    ChildInfo info;
    info.hwnd = hwnd;
    info.id = GetDlgCtrlID(hwnd);
    info.className = ClassNameOf(hwnd);
    info.text = TextOf(hwnd);
    GetWindowRect(hwnd, &info.rect);
    MapWindowPoints(HWND_DESKTOP, search->parent, reinterpret_cast<POINT*>(&info.rect), 2);
    info.visible = IsWindowVisible(hwnd) != FALSE;
    info.enabled = IsWindowEnabled(hwnd) != FALSE;
    search->children.push_back(std::move(info));
    return TRUE;
}

}  // namespace

std::wstring ClassNameOf(HWND hwnd) {
    wchar_t buffer[256];
    int length = GetClassNameW(hwnd, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<size_t>(length)) : std::wstring();
}

std::wstring TextOf(HWND hwnd) {
    // A hung target must not hang the driver: every cross-process call has a timeout.
    const UINT flags = SMTO_ABORTIFHUNG | SMTO_BLOCK;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, flags, 2000, &length)) {
        wchar_t buffer[512];
        int n = InternalGetWindowText(hwnd, buffer, 512);
        return std::wstring(buffer, static_cast<size_t>(n > 0 ? n : 0));
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), flags,
                             2000, &copied))
        return {};
    text.resize(copied);
    return text;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
    TopLevelSearch search{pid, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool LooksLikeMessageBox(HWND hwnd) {
    if (ClassNameOf(hwnd) != L"#32770") return false;
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    if ((style & WS_CAPTION) != WS_CAPTION) return false;
    HWND text = GetDlgItem(hwnd, kMessageBoxTextId);
    if (text == nullptr || !EqualsNoCase(ClassNameOf(text), L"Static")) return false;
    int buttons = 0;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        std::wstring cls = ClassNameOf(child);
        if (EqualsNoCase(cls, L"Static")) continue;
        if (!EqualsNoCase(cls, L"Button")) return false;
        int id = GetDlgCtrlID(child);
        if (id < IDOK || id > kLastMessageBoxButtonId) {
            if (id != IDHELP) return false;
        }
        ++buttons;
    }
    return buttons > 0;
}

std::vector<ChildInfo> ChildrenOf(HWND parent) {
    ChildSearch search{parent, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.children;
}

std::string DescribeTopLevelWindows(DWORD pid) {
    std::string out;
    for (HWND hwnd : TopLevelWindowsOf(pid)) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        out += "  " + HwndText(hwnd) + " class \"" + ToUtf8(ClassNameOf(hwnd)) + "\" text \"" +
               ToUtf8(TextOf(hwnd)) + "\" " + (IsWindowVisible(hwnd) ? "visible" : "hidden") + " at " +
               std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
               std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "\n";
    }
    if (out.empty()) out = "  (none)\n";
    return out;
}

}  // namespace appdriver
