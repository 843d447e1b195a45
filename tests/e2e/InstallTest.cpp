// The whole road of one installation with the real program: the carried
// download address, nginx on loopback serving the demo setup program, and the
// demo product installed into the test prefix.
#include "InstallerApp.h"

#include <windows.h>
#include <shlobj.h>

#include <chrono>
#include <cstdio>

using appdriver::ChildInfo;

namespace {

std::wstring ShellFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
    return path;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Visible(InstallerApp& app, int id)
{
    ChildInfo child;
    return app->FindChild(id, child) && child.visible;
}

} // namespace

TEST(InstallTest, InstallsTheDemoProductFromTheServer)
{
    InstallerApp app;
    app.Start();
    ASSERT_TRUE(app->Click(25, 334)) << app->LastError(); // the licence agreement
    auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(app->Click(382, 258)) << app->LastError(); // Install

    // The installing page: progress shown, the idle controls gone.
    bool installing = false;
    for (int i = 0; i < 100 && !installing; ++i) {
        installing = Visible(app, 1010);
        ::Sleep(50);
    }
    EXPECT_TRUE(installing);
    EXPECT_FALSE(Visible(app, 1002));
    EXPECT_FALSE(Visible(app, 1000));

    bool finished = false;
    while (!finished && std::chrono::steady_clock::now() - started < std::chrono::minutes(5)) {
        ASSERT_TRUE(app->ExpectNoMessageBox(200)) << "the installation reported an error";
        finished = Visible(app, 1015);
    }
    ASSERT_TRUE(finished);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("installation took %.1f s from the Install click to the finished page\n", seconds);

    // The finished page: start button, close and minimise back; no progress.
    EXPECT_TRUE(Visible(app, 1000));
    EXPECT_TRUE(Visible(app, 1001));
    EXPECT_FALSE(Visible(app, 1010));
    EXPECT_FALSE(Visible(app, 1016));
    // Controls shown again sit on the white page, not on grey or on what was there before.
    appdriver::Capture shot = app->CaptureWindow();
    std::string error;
    shot.SavePng(L"finished-page.png", error);
    const appdriver::Rgb white{0xFF, 0xFF, 0xFF};
    EXPECT_EQ(shot.Pixel(691, 21), white) << "close button corner " << shot.Pixel(691, 21).Hex();
    EXPECT_EQ(shot.Pixel(661, 21), white) << "minimise button corner " << shot.Pixel(661, 21).Hex();
    EXPECT_LE(shot.Pixel(298, 235).DistanceTo(white), 8) << "start button corner " << shot.Pixel(298, 235).Hex();
    EXPECT_LE(shot.Pixel(465, 280).DistanceTo(white), 24) << "start button corner " << shot.Pixel(465, 280).Hex();

    std::wstring product = ShellFolder(CSIDL_PROGRAM_FILES) + L"\\Tarvenix\\Pellucor\\Pellucor.exe";
    EXPECT_TRUE(Exists(product)) << "missing installed product";
    std::wstring downFolder = ShellFolder(CSIDL_COMMON_DOCUMENTS) + L"\\Wystrel";
    EXPECT_TRUE(Exists(downFolder));
    EXPECT_FALSE(Exists(downFolder + L"\\PellucorFullSetup.exe"));
    EXPECT_FALSE(Exists(downFolder + L"\\PellucorFullSetup.down"));

    app.CloseWithYes();
}
