// The real installer under the driver: starts PellucorSetup.exe in this test's
// Wine prefix and waits for its window.
#pragma once

#include "HostPath.h"
#include "appdriver/AppDriver.h"

#include <gtest/gtest.h>

#include <string>

std::wstring InstallerExe();

// The carried texts the window shows.
extern const wchar_t* const CLOSE_TIP_TEXT;
extern const wchar_t* const SOFT_TIP_TEXT;

class InstallerApp {
public:
    // Launches and waits for the main window; fails the test when it does not come.
    void Start(const std::wstring& commandLineTail = L"", const appdriver::Environment& env = {});
    // Asks to close and answers the question with Yes.
    void CloseWithYes();
    // Answers a close question with Yes and expects exit code 1000.
    void AnswerYesAndExpectExit(const appdriver::MessageBoxInfo& box);

    appdriver::AppDriver& Driver() { return m_driver; }
    appdriver::AppDriver* operator->() { return &m_driver; }

private:
    appdriver::AppDriver m_driver;
};
