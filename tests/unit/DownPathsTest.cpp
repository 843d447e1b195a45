#include "pipeline/DownPaths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const wchar_t* url;
    bool usable;
    const wchar_t* target; // relative to <root>\Wystrel
    const wchar_t* setup;
};

class DownPathsTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(DownPathsTest, DerivesTargetAndSetupPaths)
{
    const PathCase& c = GetParam();
    DownPaths paths = MakeDownPaths(c.url, L"C:\\Users\\Public\\Documents");
    EXPECT_EQ(paths.bUsable, c.usable);
    if (!c.usable) {
        EXPECT_TRUE(paths.strTargetFile.empty());
        EXPECT_TRUE(paths.strSetupFile.empty());
        return;
    }
    std::wstring folder = L"C:\\Users\\Public\\Documents\\Wystrel";
    EXPECT_EQ(paths.strFolder, folder);
    EXPECT_EQ(paths.strTargetFile, folder + L"\\" + c.target);
    EXPECT_EQ(paths.strSetupFile, folder + L"\\" + c.setup);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, DownPathsTest,
    ::testing::Values(
        PathCase{L"http://dl.example.com/pellucor/setup-full.exe", true, L"setup-full.down", L"setup-full.exe"},
        PathCase{L"http://host/a.b.exe", true, L"a.b.down", L"a.b.exe"},
        PathCase{L"https://host/x.", true, L"x.down", L"x."},
        // The last "." before the last "/": a dotted host, no extension.
        PathCase{L"http://dl.example.com/setup", false, nullptr, nullptr},
        PathCase{L"no-slash.exe", false, nullptr, nullptr},
        PathCase{L"", false, nullptr, nullptr}));

} // namespace
