// Under a UI language whose own pictures are not carried (run with
// LC_ALL=fr_FR.UTF-8), the window still builds completely from the base ones.
#include "InstallerApp.h"

using appdriver::ChildInfo;

TEST(LanguageFallbackTest, FrenchWindowIsCompleteAndCanInstall)
{
    ASSERT_EQ(::GetUserDefaultUILanguage(), 1036) << "run this test with LC_ALL=fr_FR.UTF-8";
    InstallerApp app;
    app.Start();

    ChildInfo install;
    ASSERT_TRUE(app->FindChild(1002, install));
    EXPECT_TRUE(install.visible);
    EXPECT_EQ(install.rect.left, 298);
    EXPECT_EQ(install.rect.top, 235);
    EXPECT_EQ(install.rect.right - install.rect.left, 168);

    // French needs the wider path label; the path box got its folder.
    ChildInfo label;
    ASSERT_TRUE(app->FindChild(1012, label));
    EXPECT_EQ(label.rect.left, 12);
    EXPECT_EQ(label.rect.right - label.rect.left, 130);
    ChildInfo path;
    ASSERT_TRUE(app->FindChild(1009, path));
    EXPECT_FALSE(path.text.empty());
    ChildInfo start;
    ASSERT_TRUE(app->FindChild(1015, start));
    EXPECT_FALSE(start.visible);

    // The Install button shows its face, not the bare page.
    appdriver::Capture shot = app->CaptureWindow();
    appdriver::Rgb centre = shot.Pixel(298 + 20, 235 + 23);
    EXPECT_NE(centre, (appdriver::Rgb{0xFF, 0xFF, 0xFF})) << centre.Hex();
    EXPECT_GT(centre.b, centre.r);
    app.CloseWithYes();
}
