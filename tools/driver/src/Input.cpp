#include "appdriver/Input.h"

#include <cwctype>

#include "Poll.h"
#include "appdriver/Text.h"

namespace appdriver {
namespace {

// Gives the target's message loop time to see each event as its own.
constexpr DWORD kEventGapMs = 40;

bool Send(INPUT& input, const char* what, std::string& error) {
    if (SendInput(1, &input, sizeof(INPUT)) != 1) {
        DWORD code = GetLastError();
        error = std::string("SendInput (") + what + ") failed: " + Win32ErrorText(code);
        return false;
    }
    Sleep(kEventGapMs);
    return true;
}

bool MoveTo(POINT p, std::string& error) {
    if (!SetCursorPos(p.x, p.y)) {
        DWORD code = GetLastError();
        error = "SetCursorPos(" + std::to_string(p.x) + "," + std::to_string(p.y) +
                ") failed: " + Win32ErrorText(code);
        return false;
    }
    // SetCursorPos alone produces no WM_MOUSEMOVE in some setups; an absolute move does.
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(((p.x - left) * 65535LL + (width - 1) / 2) / (width > 1 ? width - 1 : 1));
    input.mi.dy = static_cast<LONG>(((p.y - top) * 65535LL + (height - 1) / 2) / (height > 1 ? height - 1 : 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    return Send(input, "mouse move", error);
}

bool Button(DWORD flag, const char* what, std::string& error) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    return Send(input, what, error);
}

bool IsExtendedKey(WORD vk) {
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_INSERT: case VK_DELETE: case VK_RMENU: case VK_RCONTROL:
    case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_DIVIDE: case VK_NUMLOCK:
        return true;
    default:
        return false;
    }
}

bool Key(WORD vk, bool up, std::string& error) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return Send(input, up ? "key up" : "key down", error);
}

std::wstring Lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

struct NamedKey {
    const wchar_t* name;
    WORD vk;
};

constexpr NamedKey kNamedKeys[] = {
    {L"alt", VK_MENU},        {L"ctrl", VK_CONTROL},   {L"control", VK_CONTROL},
    {L"shift", VK_SHIFT},     {L"win", VK_LWIN},       {L"enter", VK_RETURN},
    {L"return", VK_RETURN},   {L"esc", VK_ESCAPE},     {L"escape", VK_ESCAPE},
    {L"tab", VK_TAB},         {L"space", VK_SPACE},    {L"backspace", VK_BACK},
    {L"delete", VK_DELETE},   {L"del", VK_DELETE},     {L"insert", VK_INSERT},
    {L"home", VK_HOME},       {L"end", VK_END},        {L"pageup", VK_PRIOR},
    {L"pagedown", VK_NEXT},   {L"left", VK_LEFT},      {L"right", VK_RIGHT},
    {L"up", VK_UP},           {L"down", VK_DOWN},
};

}  // namespace

bool MouseClickAt(POINT screen, std::string& error) {
    return MoveTo(screen, error) && Button(MOUSEEVENTF_LEFTDOWN, "left down", error) &&
           Button(MOUSEEVENTF_LEFTUP, "left up", error);
}

bool MouseDrag(POINT from, POINT to, int steps, std::string& error) {
    if (steps < 1) steps = 1;
    if (!MoveTo(from, error) || !Button(MOUSEEVENTF_LEFTDOWN, "left down", error)) return false;
    for (int i = 1; i <= steps; ++i) {
        POINT p{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        if (!MoveTo(p, error)) {
            Button(MOUSEEVENTF_LEFTUP, "left up", error);
            return false;
        }
    }
    return Button(MOUSEEVENTF_LEFTUP, "left up", error);
}

bool SendKeyCombo(const std::vector<WORD>& virtualKeys, std::string& error) {
    size_t pressed = 0;
    bool ok = true;
    for (; pressed < virtualKeys.size(); ++pressed) {
        if (!Key(virtualKeys[pressed], false, error)) {
            ok = false;
            break;
        }
    }
    // Release whatever went down even after a failure, or the key stays stuck.
    std::string releaseError;
    while (pressed > 0) {
        if (!Key(virtualKeys[--pressed], true, releaseError) && ok) {
            ok = false;
            error = releaseError;
        }
    }
    return ok;
}

bool ParseKeyCombo(const std::wstring& combo, std::vector<WORD>& virtualKeys, std::string& error) {
    virtualKeys.clear();
    size_t start = 0;
    while (start <= combo.size()) {
        size_t plus = combo.find(L'+', start);
        if (plus == start && plus + 1 == combo.size()) plus = std::wstring::npos;  // "Ctrl++"
        std::wstring part = combo.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start);
        std::wstring name = Lower(part);
        WORD vk = 0;
        for (const auto& key : kNamedKeys)
            if (name == key.name) vk = key.vk;
        if (vk == 0 && name.size() >= 2 && name[0] == L'f') {
            int n = _wtoi(name.c_str() + 1);
            if (n >= 1 && n <= 24) vk = static_cast<WORD>(VK_F1 + n - 1);
        }
        if (vk == 0 && name.size() == 1) {
            SHORT scan = VkKeyScanW(name[0]);
            if (scan != -1) vk = static_cast<WORD>(LOBYTE(scan));
        }
        if (vk == 0) {
            error = "unknown key \"" + ToUtf8(part) + "\" in \"" + ToUtf8(combo) + "\"";
            return false;
        }
        virtualKeys.push_back(vk);
        if (plus == std::wstring::npos) break;
        start = plus + 1;
    }
    return true;
}

bool BringToForeground(HWND hwnd, DWORD timeoutMs, std::string& error) {
    if (!IsWindow(hwnd)) {
        error = "bring to foreground: " + HwndText(hwnd) + " is not a window";
        return false;
    }
    if (GetForegroundWindow() == hwnd) return true;
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    BringWindowToTop(hwnd);
    if (!SetForegroundWindow(hwnd)) {
        // Windows refuses foreground changes to background callers; sharing input with the
        // current foreground thread lifts that.
        DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
        DWORD self = GetCurrentThreadId();
        bool attached = foregroundThread != 0 && foregroundThread != self &&
                        AttachThreadInput(self, foregroundThread, TRUE);
        SetForegroundWindow(hwnd);
        if (attached) AttachThreadInput(self, foregroundThread, FALSE);
    }
    if (PollUntil(timeoutMs, [&] { return GetForegroundWindow() == hwnd; }, 20)) return true;
    error = "bring to foreground: " + HwndText(hwnd) + " is still not the foreground window after " +
            std::to_string(timeoutMs) + " ms (foreground is " + HwndText(GetForegroundWindow()) + ")";
    return false;
}

}  // namespace appdriver
