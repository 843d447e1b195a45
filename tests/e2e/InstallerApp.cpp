#include "InstallerApp.h"

#include <algorithm>

const wchar_t* const CLOSE_TIP_TEXT = L"Are you sure you want to cancel the installation of Tarvenix Pellucor?";
const wchar_t* const SOFT_TIP_TEXT = L"Pellucor Setup";

std::wstring InstallerExe() { return HostPath(INSTALLER_EXE_PATH); }

void InstallerApp::Start(const std::wstring& commandLineTail, const appdriver::Environment& env)
{
    ASSERT_TRUE(m_driver.Launch(InstallerExe(), commandLineTail, env)) << m_driver.LastError();
    ASSERT_NE(m_driver.WaitMainWindow(20000), nullptr) << m_driver.LastError();
}

void InstallerApp::CloseWithYes()
{
    ASSERT_TRUE(m_driver.CloseWindow()) << m_driver.LastError();
    appdriver::MessageBoxInfo box = m_driver.WaitMessageBox(10000);
    ASSERT_NE(box.hwnd, nullptr) << m_driver.LastError();
    AnswerYesAndExpectExit(box);
}

void InstallerApp::AnswerYesAndExpectExit(const appdriver::MessageBoxInfo& box)
{
    ASSERT_TRUE(m_driver.AnswerMessageBox(box, L"Yes")) << m_driver.LastError();
    DWORD exitCode = 0;
    ASSERT_TRUE(m_driver.WaitExit(10000, exitCode)) << m_driver.LastError();
    EXPECT_EQ(exitCode, 1000u);
}
