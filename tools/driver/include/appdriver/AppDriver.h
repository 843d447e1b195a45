#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "appdriver/Capture.h"
#include "appdriver/ChildProcess.h"
#include "appdriver/MessageBoxes.h"
#include "appdriver/WindowQuery.h"

namespace appdriver {

enum class AnswerBy {
    Mouse,             // a real click on the button
    Command,           // WM_COMMAND with the button id posted to the box
    MouseThenCommand,  // the click, and the command if the box is still there afterwards
};

// Drives one program under test: launch, find its main window, send real input, read and
// answer its message boxes, capture it, read its exit code. Failing calls return
// false / nullptr / an empty result and leave the reason in LastError().
class AppDriver {
public:
    AppDriver() = default;
    ~AppDriver() = default;  // ChildProcess terminates a still-running program

    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;

    // --- process
    bool Launch(const std::wstring& exePath, const std::wstring& commandLineTail = L"",
                const Environment& extraEnv = {}, const std::wstring& workDir = L"");
    bool Kill();
    bool IsRunning() const { return process_.Running(); }
    DWORD ProcessId() const { return process_.Id(); }
    HANDLE ProcessHandle() const { return process_.Handle(); }
    bool WaitExit(DWORD timeoutMs, DWORD& exitCode);

    // --- main window
    // First visible top-level window of the process that is not a message box.
    HWND WaitMainWindow(DWORD timeoutMs);
    HWND MainWindow() const { return main_; }
    bool WaitMainWindowGone(DWORD timeoutMs);
    RECT WindowRect() const;    // screen coordinates; empty when there is no main window
    POINT ClientOrigin() const; // screen position of client (0,0)
    std::vector<ChildInfo> Children() const;  // rects in the main window's client coordinates
    bool FindChild(int id, ChildInfo& child) const;

    // --- input (x, y in the main window's client coordinates)
    bool BringToFront();
    bool Click(int x, int y);
    bool Drag(int x0, int y0, int x1, int y1, int steps = 12);
    bool KeyCombo(const std::vector<WORD>& virtualKeys);
    bool KeyCombo(const std::wstring& combo);  // "Alt+F4"
    bool CloseWindow();                        // posts WM_CLOSE

    // --- message boxes
    MessageBoxInfo WaitMessageBox(DWORD timeoutMs);  // .hwnd == nullptr on timeout
    // buttonTextOrId: "Yes", "&Yes", "6", "IDYES". Succeeds once the box is gone.
    bool AnswerMessageBox(const MessageBoxInfo& box, const std::wstring& buttonTextOrId,
                          AnswerBy how = AnswerBy::MouseThenCommand);
    // True when no message box shows up within forMs.
    bool ExpectNoMessageBox(DWORD forMs);

    // --- pixels
    Capture CaptureWindow(CaptureMethod method = CaptureMethod::ScreenThenPrintWindow);

    const std::string& LastError() const { return error_; }
    // Receives notes on recoveries (e.g. a mouse click that did not land and was retried).
    void SetLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

private:
    bool Fail(std::string message);
    bool RequireMainWindow(const char* what);
    HWND FindMessageBox() const;
    POINT ToScreen(int x, int y) const;
    void Note(const std::string& message) const;

    ChildProcess process_;
    HWND main_ = nullptr;
    std::string error_;
    std::function<void(const std::string&)> log_;
};

}  // namespace appdriver
