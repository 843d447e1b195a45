#include "StepRunner.h"

#include <cstdio>
#include <cwchar>

#include "HostPath.h"
#include "appdriver/Text.h"

namespace windriver {
namespace {

using appdriver::ToUtf8;

bool ToInt(const std::wstring& text, long& value) {
    if (text.empty()) return false;
    wchar_t* end = nullptr;
    value = std::wcstol(text.c_str(), &end, 10);
    return end != nullptr && *end == L'\0';
}

bool ToInts(const std::vector<std::wstring>& args, size_t count, std::vector<long>& values,
            std::string& detail) {
    values.assign(count, 0);
    for (size_t i = 0; i < count; ++i) {
        if (!ToInt(args[i], values[i])) {
            detail = "\"" + ToUtf8(args[i]) + "\" is not a number";
            return false;
        }
    }
    return true;
}

bool ParseColour(const std::wstring& text, appdriver::Rgb& colour) {
    std::wstring hex = text[0] == L'#' ? text.substr(1) : text;
    if (hex.size() != 6 || hex.find_first_not_of(L"0123456789abcdefABCDEF") != std::wstring::npos)
        return false;
    unsigned long v = std::wcstoul(hex.c_str(), nullptr, 16);
    colour = appdriver::Rgb{static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v)};
    return true;
}

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
           "x" + std::to_string(r.bottom - r.top);
}

std::string Quoted(const std::wstring& text) {
    std::string out = "\"";
    for (char c : ToUtf8(text)) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '"') out += "\\\"";
        else out += c;
    }
    return out + "\"";
}

std::string BoxText(const appdriver::MessageBoxInfo& box) {
    std::string buttons;
    for (const auto& b : box.buttons)
        buttons += (buttons.empty() ? "" : " ") + Quoted(b.text) + "(" + std::to_string(b.id) + ")";
    return "caption " + Quoted(box.caption) + " text " + Quoted(box.text) + " buttons [" + buttons +
           "] owner " + appdriver::HwndText(box.owner);
}

}  // namespace

void Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

bool StepRunner::Run(const std::vector<Step>& steps) {
    driver_.SetLog([](const std::string& note) { Print("note " + note); });
    for (const auto& step : steps) {
        std::string detail;
        std::string name = ToUtf8(step.option.substr(2));
        if (!RunStep(step, detail)) {
            Print("FAIL " + name + ": " + detail);
            return false;
        }
        Print("ok   " + name + (detail.empty() ? "" : ": " + detail));
    }
    return true;
}

bool StepRunner::Capture(std::string& detail) {
    lastCapture_ = driver_.CaptureWindow(captureBy_);
    if (lastCapture_.Empty()) {
        detail = driver_.LastError();
        return false;
    }
    return true;
}

bool StepRunner::RunStep(const Step& step, std::string& detail) {
    const std::wstring& o = step.option;
    const auto& a = step.args;
    std::vector<long> n;
    auto fail = [&] {
        detail = driver_.LastError();
        return false;
    };

    if (o == L"--env") {
        size_t eq = a[0].find(L'=');
        if (eq == std::wstring::npos || eq == 0) {
            detail = "expected NAME=VALUE, got " + Quoted(a[0]);
            return false;
        }
        env_.emplace_back(a[0].substr(0, eq), a[0].substr(eq + 1));
        detail = ToUtf8(a[0]);
        return true;
    }
    if (o == L"--cwd") {
        cwd_ = ToWindowsPath(a[0]);
        detail = ToUtf8(cwd_);
        return true;
    }
    if (o == L"--args") {
        args_ = a[0];
        detail = Quoted(args_);
        return true;
    }
    if (o == L"--timeout" || o == L"--tolerance") {
        if (!ToInts(a, 1, n, detail) || n[0] < 0) {
            if (detail.empty()) detail = "must not be negative";
            return false;
        }
        if (o == L"--timeout") timeoutMs_ = static_cast<DWORD>(n[0]);
        else tolerance_ = static_cast<int>(n[0]);
        detail = std::to_string(n[0]);
        return true;
    }
    if (o == L"--answer-by") {
        if (a[0] == L"mouse") answerBy_ = appdriver::AnswerBy::Mouse;
        else if (a[0] == L"command") answerBy_ = appdriver::AnswerBy::Command;
        else if (a[0] == L"both") answerBy_ = appdriver::AnswerBy::MouseThenCommand;
        else {
            detail = "expected mouse, command or both";
            return false;
        }
        detail = ToUtf8(a[0]);
        return true;
    }
    if (o == L"--capture-by") {
        if (a[0] == L"screen") captureBy_ = appdriver::CaptureMethod::Screen;
        else if (a[0] == L"print") captureBy_ = appdriver::CaptureMethod::PrintWindow;
        else if (a[0] == L"auto") captureBy_ = appdriver::CaptureMethod::ScreenThenPrintWindow;
        else {
            detail = "expected screen, print or auto";
            return false;
        }
        detail = ToUtf8(a[0]);
        return true;
    }
    if (o == L"--launch") {
        std::wstring exe = ToWindowsPath(a[0]);
        if (!driver_.Launch(exe, args_, env_, cwd_)) return fail();
        detail = ToUtf8(exe) + " pid " + std::to_string(driver_.ProcessId());
        env_.clear();
        args_.clear();
        cwd_.clear();
        return true;
    }
    if (o == L"--wait-window") {
        if (!ToInts(a, 1, n, detail)) return false;
        HWND hwnd = driver_.WaitMainWindow(static_cast<DWORD>(n[0]));
        if (hwnd == nullptr) return fail();
        detail = appdriver::HwndText(hwnd) + " " + RectText(driver_.WindowRect());
        return true;
    }
    if (o == L"--wait-window-gone") {
        if (!ToInts(a, 1, n, detail)) return false;
        return driver_.WaitMainWindowGone(static_cast<DWORD>(n[0])) || fail();
    }
    if (o == L"--print-window") {
        HWND hwnd = driver_.MainWindow();
        if (hwnd == nullptr) {
            detail = "no main window (use --wait-window first)";
            return false;
        }
        POINT origin = driver_.ClientOrigin();
        RECT client{};
        GetClientRect(hwnd, &client);
        detail = appdriver::HwndText(hwnd) + " rect " + RectText(driver_.WindowRect()) + " client origin " +
                 std::to_string(origin.x) + "," + std::to_string(origin.y) + " client " +
                 std::to_string(client.right) + "x" + std::to_string(client.bottom) + " class " +
                 Quoted(appdriver::ClassNameOf(hwnd)) + " text " + Quoted(appdriver::TextOf(hwnd)) +
                 (IsWindowVisible(hwnd) ? " visible" : " hidden");
        return true;
    }
    if (o == L"--print-children") {
        if (driver_.MainWindow() == nullptr) {
            detail = "no main window (use --wait-window first)";
            return false;
        }
        auto children = driver_.Children();
        for (const auto& c : children)
            Print("     child id " + std::to_string(c.id) + " class " + Quoted(c.className) + " text " +
                  Quoted(c.text) + " rect " + RectText(c.rect) + (c.visible ? " visible" : " hidden") +
                  (c.enabled ? "" : " disabled"));
        detail = std::to_string(children.size()) + " children";
        return true;
    }
    if (o == L"--expect-child") {
        if (!ToInts(a, 1, n, detail)) return false;
        appdriver::ChildInfo child;
        if (!driver_.FindChild(static_cast<int>(n[0]), child)) {
            detail = "no child with id " + std::to_string(n[0]);
            return false;
        }
        detail = "id " + std::to_string(n[0]) + " text " + Quoted(child.text);
        if (appdriver::StripMnemonic(child.text) != appdriver::StripMnemonic(a[1])) {
            detail += ", expected " + Quoted(a[1]);
            return false;
        }
        return true;
    }
    if (o == L"--wait-child") {
        if (!ToInts(a, 2, n, detail)) return false;
        DWORD deadline = GetTickCount() + static_cast<DWORD>(n[1]);
        appdriver::ChildInfo child;
        for (;;) {
            if (driver_.FindChild(static_cast<int>(n[0]), child) && child.visible) {
                detail = "id " + std::to_string(n[0]) + " visible";
                return true;
            }
            if (!driver_.IsRunning() || static_cast<LONG>(GetTickCount() - deadline) > 0) {
                detail = "child " + std::to_string(n[0]) + " not visible after " + std::to_string(n[1]) + " ms" +
                         (driver_.IsRunning() ? "" : " (the program ended)");
                return false;
            }
            Sleep(100);
        }
    }
    if (o == L"--expect-window-at") {
        if (!ToInts(a, 2, n, detail)) return false;
        RECT r = driver_.WindowRect();
        detail = "window at " + std::to_string(r.left) + "," + std::to_string(r.top);
        if (r.left != n[0] || r.top != n[1]) {
            detail += ", expected " + std::to_string(n[0]) + "," + std::to_string(n[1]);
            return false;
        }
        return true;
    }
    if (o == L"--click") {
        if (!ToInts(a, 2, n, detail)) return false;
        if (!driver_.Click(static_cast<int>(n[0]), static_cast<int>(n[1]))) return fail();
        detail = std::to_string(n[0]) + "," + std::to_string(n[1]);
        return true;
    }
    if (o == L"--drag") {
        if (!ToInts(a, 4, n, detail)) return false;
        RECT before = driver_.WindowRect();
        if (!driver_.Drag(static_cast<int>(n[0]), static_cast<int>(n[1]), static_cast<int>(n[2]),
                          static_cast<int>(n[3])))
            return fail();
        Sleep(100);
        RECT after = driver_.WindowRect();
        detail = "window moved from " + std::to_string(before.left) + "," + std::to_string(before.top) +
                 " to " + std::to_string(after.left) + "," + std::to_string(after.top);
        return true;
    }
    if (o == L"--key") {
        if (!driver_.KeyCombo(a[0])) return fail();
        detail = ToUtf8(a[0]);
        return true;
    }
    if (o == L"--close-window") {
        return driver_.CloseWindow() || fail();
    }
    if (o == L"--wait-box" || o == L"--answer-box") {
        DWORD wait = timeoutMs_;
        if (o == L"--wait-box") {
            if (!ToInts(a, 1, n, detail)) return false;
            wait = static_cast<DWORD>(n[0]);
        }
        lastBox_ = driver_.WaitMessageBox(wait);
        if (!lastBox_) return fail();
        detail = BoxText(lastBox_);
        if (o == L"--wait-box") return true;
        Print("     box " + detail);
        if (!driver_.AnswerMessageBox(lastBox_, a[0], answerBy_)) return fail();
        detail = "pressed " + Quoted(a[0]);
        return true;
    }
    if (o == L"--expect-box") {
        if (!lastBox_) {
            detail = "no message box was read yet";
            return false;
        }
        detail = "text " + Quoted(lastBox_.text);
        if (lastBox_.text.find(a[0]) == std::wstring::npos) {
            detail += " does not contain " + Quoted(a[0]);
            return false;
        }
        return true;
    }
    if (o == L"--no-box") {
        if (!ToInts(a, 1, n, detail)) return false;
        return driver_.ExpectNoMessageBox(static_cast<DWORD>(n[0])) || fail();
    }
    if (o == L"--screenshot") {
        if (!Capture(detail)) return false;
        std::wstring path = ToWindowsPath(a[0]);
        if (!lastCapture_.SavePng(path, detail)) return false;
        detail = ToUtf8(path) + " " + std::to_string(lastCapture_.Width()) + "x" +
                 std::to_string(lastCapture_.Height()) + " from " + lastCapture_.Source();
        return true;
    }
    if (o == L"--screenshot-box") {
        if (!lastBox_ || !IsWindow(lastBox_.hwnd)) {
            detail = "no open message box was read (use --wait-box first)";
            return false;
        }
        appdriver::Capture box;
        std::wstring path = ToWindowsPath(a[0]);
        if (!appdriver::CaptureWindowImage(lastBox_.hwnd, captureBy_, box, detail) || !box.SavePng(path, detail))
            return false;
        detail = ToUtf8(path) + " " + std::to_string(box.Width()) + "x" + std::to_string(box.Height()) +
                 " from " + box.Source();
        return true;
    }
    if (o == L"--pixel" || o == L"--expect-pixel") {
        if (!ToInts(a, 2, n, detail)) return false;
        appdriver::Rgb wanted;
        if (o == L"--expect-pixel" && !ParseColour(a[2], wanted)) {
            detail = "\"" + ToUtf8(a[2]) + "\" is not RRGGBB";
            return false;
        }
        if ((o == L"--expect-pixel" || lastCapture_.Empty()) && !Capture(detail)) return false;
        appdriver::Rgb got = lastCapture_.Pixel(n[0], n[1]);
        detail = std::to_string(n[0]) + "," + std::to_string(n[1]) + " is " + got.Hex();
        if (o == L"--pixel") return true;
        if (got.DistanceTo(wanted) > tolerance_) {
            detail += ", expected " + wanted.Hex() + " (tolerance " + std::to_string(tolerance_) + ")";
            return false;
        }
        return true;
    }
    if (o == L"--sleep") {
        if (!ToInts(a, 1, n, detail)) return false;
        Sleep(static_cast<DWORD>(n[0]));
        return true;
    }
    if (o == L"--expect-exit") {
        if (!ToInts(a, 1, n, detail)) return false;
        DWORD code = 0;
        if (!driver_.WaitExit(timeoutMs_, code)) return fail();
        detail = "exit code " + std::to_string(code);
        if (code != static_cast<DWORD>(n[0])) {
            detail += ", expected " + std::to_string(n[0]);
            return false;
        }
        return true;
    }
    if (o == L"--expect-running") {
        if (driver_.IsRunning()) return true;
        DWORD code = 0;
        GetExitCodeProcess(driver_.ProcessHandle(), &code);
        detail = driver_.ProcessHandle() == nullptr ? "no process was launched"
                                                     : "process ended with code " + std::to_string(code);
        return false;
    }
    if (o == L"--kill") {
        return driver_.Kill() || fail();
    }
    detail = "internal error: unhandled option";
    return false;
}

}  // namespace windriver
