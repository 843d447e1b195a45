#include "appdriver/AppDriver.h"

#include "Poll.h"
#include "appdriver/Input.h"
#include "appdriver/Text.h"

namespace appdriver {
namespace {

constexpr DWORD kForegroundTimeoutMs = 2000;
constexpr DWORD kBoxCloseTimeoutMs = 3000;

bool Gone(HWND hwnd) { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); }

}  // namespace

bool AppDriver::Fail(std::string message) {
    error_ = std::move(message);
    return false;
}

void AppDriver::Note(const std::string& message) const {
    if (log_) log_(message);
}

bool AppDriver::Launch(const std::wstring& exePath, const std::wstring& commandLineTail,
                       const Environment& extraEnv, const std::wstring& workDir) {
    main_ = nullptr;
    return process_.Launch(exePath, commandLineTail, extraEnv, workDir, error_);
}

bool AppDriver::Kill() { return process_.Kill(error_); }

bool AppDriver::WaitExit(DWORD timeoutMs, DWORD& exitCode) {
    if (process_.WaitExit(timeoutMs, exitCode, error_)) return true;
    if (process_.Started())
        error_ += "; its top-level windows:\n" + DescribeTopLevelWindows(process_.Id());
    return false;
}

HWND AppDriver::WaitMainWindow(DWORD timeoutMs) {
    main_ = nullptr;
    if (!process_.Started()) {
        Fail("wait main window: no process was launched");
        return nullptr;
    }
    bool exited = false;
    PollUntil(timeoutMs, [&] {
        for (HWND hwnd : TopLevelWindowsOf(process_.Id())) {
            if (IsWindowVisible(hwnd) && !LooksLikeMessageBox(hwnd)) {
                main_ = hwnd;
                return true;
            }
        }
        exited = !process_.Running();
        return exited;
    });
    if (main_ != nullptr) return main_;
    if (exited) {
        DWORD code = 0;
        GetExitCodeProcess(process_.Handle(), &code);
        Fail("wait main window: pid " + std::to_string(process_.Id()) + " exited with code " +
             std::to_string(code) + " before showing a window");
    } else {
        Fail("wait main window: no visible top-level non-message-box window of pid " +
             std::to_string(process_.Id()) + " within " + std::to_string(timeoutMs) +
             " ms; its top-level windows:\n" + DescribeTopLevelWindows(process_.Id()));
    }
    return nullptr;
}

bool AppDriver::WaitMainWindowGone(DWORD timeoutMs) {
    if (!RequireMainWindow("wait main window gone")) return false;
    if (PollUntil(timeoutMs, [&] { return Gone(main_); })) return true;
    return Fail("wait main window gone: " + HwndText(main_) + " still visible after " +
                std::to_string(timeoutMs) + " ms");
}

bool AppDriver::RequireMainWindow(const char* what) {
    if (main_ == nullptr) return Fail(std::string(what) + ": no main window (call WaitMainWindow first)");
    if (!IsWindow(main_)) return Fail(std::string(what) + ": main window " + HwndText(main_) + " no longer exists");
    return true;
}

RECT AppDriver::WindowRect() const {
    RECT r{};
    if (main_ != nullptr) GetWindowRect(main_, &r);
    return r;
}

POINT AppDriver::ClientOrigin() const {
    POINT p{0, 0};
    if (main_ != nullptr) ClientToScreen(main_, &p);
    return p;
}

POINT AppDriver::ToScreen(int x, int y) const {
    POINT origin = ClientOrigin();
    return POINT{origin.x + x, origin.y + y};
}

std::vector<ChildInfo> AppDriver::Children() const {
    if (main_ == nullptr) return {};
    return ChildrenOf(main_);
}

bool AppDriver::FindChild(int id, ChildInfo& child) const {
    for (auto& c : Children()) {
        if (c.id == id) {
            child = std::move(c);
            return true;
        }
    }
    return false;
}

bool AppDriver::BringToFront() {
    if (!RequireMainWindow("bring to front")) return false;
    return BringToForeground(main_, kForegroundTimeoutMs, error_);
}

bool AppDriver::Click(int x, int y) {
    if (!RequireMainWindow("click")) return false;
    if (!MouseClickAt(ToScreen(x, y), error_)) return Fail("click at " + std::to_string(x) + "," + std::to_string(y) + ": " + error_);
    return true;
}

bool AppDriver::Drag(int x0, int y0, int x1, int y1, int steps) {
    if (!RequireMainWindow("drag")) return false;
    // Both ends are taken from where the window is now: it may move while dragged.
    if (!MouseDrag(ToScreen(x0, y0), ToScreen(x1, y1), steps, error_))
        return Fail("drag: " + error_);
    return true;
}

bool AppDriver::KeyCombo(const std::vector<WORD>& virtualKeys) {
    if (!RequireMainWindow("key combo") || !BringToForeground(main_, kForegroundTimeoutMs, error_))
        return false;
    return SendKeyCombo(virtualKeys, error_);
}

bool AppDriver::KeyCombo(const std::wstring& combo) {
    std::vector<WORD> keys;
    if (!ParseKeyCombo(combo, keys, error_)) return false;
    return KeyCombo(keys);
}

bool AppDriver::CloseWindow() {
    if (!RequireMainWindow("close window")) return false;
    if (!PostMessageW(main_, WM_CLOSE, 0, 0)) {
        DWORD code = GetLastError();
        return Fail("close window: PostMessage(WM_CLOSE) failed: " + Win32ErrorText(code));
    }
    return true;
}

HWND AppDriver::FindMessageBox() const {
    for (HWND hwnd : TopLevelWindowsOf(process_.Id()))
        if (hwnd != main_ && IsWindowVisible(hwnd) && LooksLikeMessageBox(hwnd)) return hwnd;
    return nullptr;
}

MessageBoxInfo AppDriver::WaitMessageBox(DWORD timeoutMs) {
    if (!process_.Started()) {
        Fail("wait message box: no process was launched");
        return {};
    }
    HWND box = nullptr;
    bool exited = false;
    PollUntil(timeoutMs, [&] {
        box = FindMessageBox();
        exited = box == nullptr && !process_.Running();
        return box != nullptr || exited;
    });
    if (box != nullptr) {
        // Margin in case a box is shown before its controls are filled in.
        Sleep(100);
        return ReadMessageBox(box);
    }
    if (exited) {
        DWORD code = 0;
        GetExitCodeProcess(process_.Handle(), &code);
        Fail("wait message box: pid " + std::to_string(process_.Id()) + " exited with code " +
             std::to_string(code) + " without showing a message box");
    } else {
        Fail("wait message box: no message box of pid " + std::to_string(process_.Id()) + " within " +
             std::to_string(timeoutMs) + " ms; its top-level windows:\n" +
             DescribeTopLevelWindows(process_.Id()));
    }
    return {};
}

bool AppDriver::ExpectNoMessageBox(DWORD forMs) {
    HWND box = nullptr;
    PollUntil(forMs, [&] {
        box = FindMessageBox();
        return box != nullptr;
    });
    if (box == nullptr) return true;
    MessageBoxInfo info = ReadMessageBox(box);
    return Fail("expected no message box, but got \"" + ToUtf8(info.caption) + "\": \"" +
                ToUtf8(info.text) + "\"");
}

bool AppDriver::AnswerMessageBox(const MessageBoxInfo& box, const std::wstring& buttonTextOrId,
                                 AnswerBy how) {
    if (!box || !IsWindow(box.hwnd)) return Fail("answer message box: the box is gone");
    const MessageBoxButton* button = FindButton(box, buttonTextOrId);
    if (button == nullptr) {
        std::string names;
        for (const auto& t : box.ButtonTexts()) names += (names.empty() ? "\"" : ", \"") + ToUtf8(t) + "\"";
        return Fail("answer message box: no button \"" + ToUtf8(buttonTextOrId) + "\" in \"" +
                    ToUtf8(box.caption) + "\" (buttons: " + names + ")");
    }

    if (how != AnswerBy::Command) {
        std::string clickError;
        RECT r{};
        GetWindowRect(button->hwnd, &r);
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        bool clicked = BringToForeground(box.hwnd, kForegroundTimeoutMs, clickError) &&
                       MouseClickAt(centre, clickError);
        if (clicked && PollUntil(kBoxCloseTimeoutMs, [&] { return Gone(box.hwnd); })) return true;
        if (how == AnswerBy::Mouse) {
            return Fail("answer message box: clicking \"" + ToUtf8(button->text) + "\" " +
                        (clicked ? "did not close the box within " + std::to_string(kBoxCloseTimeoutMs) + " ms"
                                 : "failed: " + clickError));
        }
        Note("mouse click on \"" + ToUtf8(button->text) + "\" did not close the box" +
             (clicked ? "" : " (" + clickError + ")") + "; posting WM_COMMAND");
        if (Gone(box.hwnd)) return true;
    }

    if (!PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(button->id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button->hwnd))) {
        DWORD code = GetLastError();
        return Fail("answer message box: PostMessage(WM_COMMAND) failed: " + Win32ErrorText(code));
    }
    if (PollUntil(kBoxCloseTimeoutMs, [&] { return Gone(box.hwnd); })) return true;
    return Fail("answer message box: \"" + ToUtf8(box.caption) + "\" still open " +
                std::to_string(kBoxCloseTimeoutMs) + " ms after choosing \"" + ToUtf8(button->text) + "\"");
}

Capture AppDriver::CaptureWindow(CaptureMethod method) {
    Capture capture;
    if (!RequireMainWindow("capture")) return capture;
    CaptureWindowImage(main_, method, capture, error_);
    return capture;
}

}  // namespace appdriver
