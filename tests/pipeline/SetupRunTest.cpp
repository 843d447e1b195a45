// The downloaded setup program is run as it should be, and only its success
// leads to the finished page.
#include "FaultServer.h"
#include "HostPath.h"
#include "PipelineHarness.h"

#include <gtest/gtest.h>

#include <algorithm>

using faultserver::FaultServer;

namespace {

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ReadUtf16File(const std::wstring& path)
{
    std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0)
        return std::wstring();
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
}

class DemoSetupServer {
public:
    DemoSetupServer() : m_body(ReadFileBytes(HostPath(DEMO_SETUP_PATH)))
    {
        EXPECT_GT(m_body.size(), 1000000u);
        EXPECT_TRUE(m_server.Start(m_body));
    }
    std::wstring Url() const { return Widen(m_server.Url("/pellucor/PellucorFullSetup.exe")); }

private:
    std::string m_body;
    FaultServer m_server;
};

struct ExitCase {
    DWORD exitCode;
    bool finished;
};

class SetupExitTest : public ::testing::TestWithParam<ExitCase> {};

std::string ExitCaseName(const ::testing::TestParamInfo<ExitCase>& info)
{
    return "Exit" + std::to_string(info.param.exitCode);
}

} // namespace

TEST_P(SetupExitTest, FinishedPageOnlyAfterSuccess)
{
    const ExitCase& c = GetParam();
    DemoSetupServer server;
    std::wstring installDir = MakeTempFolder(L"setup-run test dir");
    std::wstring product = installDir + L"\\Tarvenix\\Pellucor\\Pellucor.exe";
    ::DeleteFileW(product.c_str());

    ::SetEnvironmentVariableW(L"PELLUCOR_DEMO_SETUP_EXIT", std::to_wstring(c.exitCode).c_str());
    PipelineHarness harness(server.Url());
    harness.SetInstallDir(installDir);
    PipelineRun run = harness.Run(300000);
    ::SetEnvironmentVariableW(L"PELLUCOR_DEMO_SETUP_EXIT", nullptr);

    if (c.finished) {
        EXPECT_EQ(run.end, PipelineRun::Finished);
        EXPECT_TRUE(run.boxes.empty());
    } else {
        EXPECT_EQ(run.end, PipelineRun::ClosedByError);
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(run.boxes[0].text, L"System error : " + std::to_wstring(c.exitCode));
        EXPECT_EQ(run.Count(WM_INSTALL_FINISHED, 0), 0);
    }

    // Run exactly so, then deleted; the download folder keeps neither file.
    EXPECT_TRUE(Exists(product));
    EXPECT_EQ(ReadUtf16File(installDir + L"\\Tarvenix\\Pellucor\\install-cmdline.txt"),
              L" /verysilent /Tarvenix /path=\"" + installDir + L"\"");
    EXPECT_FALSE(Exists(PipelineHarness::DownFolder() + L"\\PellucorFullSetup.exe"));
    EXPECT_FALSE(Exists(PipelineHarness::DownFolder() + L"\\PellucorFullSetup.down"));

    // 80 when all bytes are in, 90 once the setup program is in place, 100 when it has ended.
    const auto& texts = run.percentTexts;
    auto at80 = std::find(texts.begin(), texts.end(), L"80% ");
    auto at90 = std::find(texts.begin(), texts.end(), L"90% ");
    auto at100 = std::find(texts.begin(), texts.end(), L"100% ");
    ASSERT_NE(at80, texts.end());
    ASSERT_NE(at90, texts.end());
    ASSERT_NE(at100, texts.end());
    EXPECT_LT(at80, at90);
    EXPECT_LT(at90, at100);
    for (auto it = texts.begin(); it != at90; ++it)
        EXPECT_LE(_wtoi(it->c_str()), 80) << "before the setup program runs";
}

INSTANTIATE_TEST_SUITE_P(ExitCodes, SetupExitTest,
                         ::testing::Values(ExitCase{0, true}, ExitCase{3010, true}, ExitCase{1641, true},
                                           ExitCase{3, false}),
                         ExitCaseName);

TEST(ProgressRegionTest, BarIsClippedToARoundedRectangle)
{
    PipelineHarness harness(L"http://127.0.0.1/unused.exe");
    CMainDlg dlg;
    ASSERT_NE(dlg.Create(nullptr), nullptr);
    HRGN actual = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(dlg.m_progress, actual), ERROR);
    HRGN expected = ::CreateRoundRectRgn(0, 0, 540, 15, 3, 3);
    EXPECT_TRUE(::EqualRgn(actual, expected));
    EXPECT_FALSE(::PtInRegion(actual, 0, 0)) << "corners are cut";
    EXPECT_TRUE(::PtInRegion(actual, 270, 7));
    ::DeleteObject(actual);
    ::DeleteObject(expected);
    dlg.CloseDialog(0);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}
