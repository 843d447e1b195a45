#include <windows.h>
#include <commctrl.h>

#include <cwctype>
#include <string>
#include <string_view>

#include "installed_window.h"

namespace {

// Started with this switch the window closes itself, so tests can check
// that the installed program starts at all.
constexpr std::wstring_view kSelfTestSwitch = L"/selftest-exit";
constexpr UINT kSelfTestCloseMs = 300;

bool hasSwitch(std::wstring_view arguments, std::wstring_view wanted)
{
    size_t pos = 0;
    while (pos < arguments.size()) {
        while (pos < arguments.size() && std::iswspace(arguments[pos]))
            ++pos;
        size_t end = pos;
        while (end < arguments.size() && !std::iswspace(arguments[end]))
            ++end;
        const std::wstring_view token = arguments.substr(pos, end - pos);
        if (!token.empty() && CompareStringOrdinal(token.data(), static_cast<int>(token.size()), wanted.data(),
                                                   static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL)
            return true;
        pos = end;
    }
    return false;
}

std::wstring moduleFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return path;
    // Keep the backslash of a drive root ("C:\").
    return path.substr(0, slash == 2 && path[1] == L':' ? slash + 1 : slash);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand)
{
    try {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);

        const bool selfTest = hasSwitch(arguments ? arguments : L"", kSelfTestSwitch);
        InstalledWindow window(instance, moduleFolder(), selfTest ? kSelfTestCloseMs : 0);
        if (!window.create(showCommand))
            return 1;

        MSG msg;
        BOOL got;
        while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
            if (window.handle() && IsDialogMessageW(window.handle(), &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return got < 0 ? 1 : static_cast<int>(msg.wParam);
    } catch (...) {
        return 1;
    }
}
