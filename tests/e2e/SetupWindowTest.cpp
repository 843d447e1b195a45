// The real installer window, driven from outside as a user would.
#include "FileBytes.h"
#include "InstallerApp.h"

#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <string>

using appdriver::ChildInfo;
using appdriver::MessageBoxInfo;
using appdriver::Rgb;

namespace {

struct ExpectedChild {
    int id;
    RECT rc; // x, y, width, height
    bool visible;
};

// Where construction puts every control, and which ones the setup page shows.
const ExpectedChild SETUP_LAYOUT[] = {
    {1000, {690, 20, 20, 20}, true},    {1001, {660, 20, 20, 20}, true},   {1002, {298, 235, 168, 46}, true},
    {1003, {20, 329, 11, 11}, true},    {1004, {42, 329, 390, 15}, true},  {1005, {541, 329, 180, 12}, true},
    {1013, {20, 344, 350, 15}, false},  {1008, {581, 381, 90, 32}, true},  {1015, {298, 235, 168, 46}, false},
    {1014, {645, 317, 57, 26}, false},  {1010, {48, 320, 540, 15}, false}, {1016, {599, 320, 30, 15}, false},
    {1009, {150, 388, 420, 22}, true},  {1012, {42, 388, 100, 32}, true},
};

bool Inside(int x, int y, const RECT& xywh)
{
    return x >= xywh.left && x < xywh.left + xywh.right && y >= xywh.top && y < xywh.top + xywh.bottom;
}

std::wstring LanFilePath()
{
    wchar_t common[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, common);
    return std::wstring(common) + L"\\TarvenixDown\\PellucorSetup\\English.ini";
}

void ExpectCloseQuestion(const MessageBoxInfo& box)
{
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text, CLOSE_TIP_TEXT);
    EXPECT_EQ(box.caption, SOFT_TIP_TEXT);
    std::vector<std::wstring> buttons = box.ButtonTexts();
    EXPECT_EQ(buttons.size(), 2u);
    EXPECT_NE(std::find(buttons.begin(), buttons.end(), L"Yes"), buttons.end());
    EXPECT_NE(std::find(buttons.begin(), buttons.end(), L"No"), buttons.end());
}

class SetupWindowTest : public ::testing::Test {
protected:
    void SetUp() override { m_app.Start(); }
    InstallerApp m_app;
};

} // namespace

TEST_F(SetupWindowTest, IsCentredAt750By360)
{
    RECT rc = m_app->WindowRect();
    EXPECT_EQ(rc.right - rc.left, 750);
    EXPECT_EQ(rc.bottom - rc.top, 360);
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(rc.left, (work.left + work.right) / 2 - 375, 1);
    EXPECT_NEAR(rc.top, (work.top + work.bottom) / 2 - 180, 1);
    m_app.CloseWithYes();
}

TEST_F(SetupWindowTest, EveryChildSitsAtItsRectangle)
{
    for (const ExpectedChild& expected : SETUP_LAYOUT) {
        ChildInfo child;
        ASSERT_TRUE(m_app->FindChild(expected.id, child)) << "control " << expected.id;
        EXPECT_EQ(child.rect.left, expected.rc.left) << "control " << expected.id;
        EXPECT_EQ(child.rect.top, expected.rc.top) << "control " << expected.id;
        EXPECT_EQ(child.rect.right - child.rect.left, expected.rc.right) << "control " << expected.id;
        EXPECT_EQ(child.rect.bottom - child.rect.top, expected.rc.bottom) << "control " << expected.id;
        EXPECT_EQ(child.visible, expected.visible) << "control " << expected.id;
    }
    ChildInfo label;
    ASSERT_TRUE(m_app->FindChild(1012, label));
    EXPECT_EQ(label.text, L"Installation path:");
    ChildInfo path;
    ASSERT_TRUE(m_app->FindChild(1009, path));
    EXPECT_EQ(path.text, L"C:\\Program Files");
    m_app.CloseWithYes();
}

TEST_F(SetupWindowTest, PaintsTheSetupPage)
{
    appdriver::Capture shot = m_app->CaptureWindow();
    ASSERT_EQ(shot.Width(), 750);
    ASSERT_EQ(shot.Height(), 360);
    std::string error;
    shot.SavePng(L"setup-page.png", error);

    const Rgb frame{0xCC, 0xCC, 0xCC}, line{0xE0, 0xE0, 0xE0}, white{0xFF, 0xFF, 0xFF};
    for (int x = 0; x < 750; x += 7) {
        EXPECT_EQ(shot.Pixel(x, 0), frame) << "top frame at x " << x;
        EXPECT_EQ(shot.Pixel(x, 359), frame) << "bottom frame at x " << x;
    }
    for (int y = 0; y < 360; y += 7) {
        EXPECT_EQ(shot.Pixel(0, y), frame) << "left frame at y " << y;
        EXPECT_EQ(shot.Pixel(749, y), frame) << "right frame at y " << y;
    }
    for (int x = 1; x < 749; x += 7)
        EXPECT_EQ(shot.Pixel(x, 312), line) << "grey line at x " << x;

    // White everywhere else, outside the two pictures and the visible controls.
    const RECT pictures[] = {{40, 20, 190, 31}, {200, 60, 370, 153}};
    int checked = 0;
    for (int y = 1; y < 359; y += 5) {
        for (int x = 1; x < 749; x += 5) {
            if (y == 312 || Inside(x, y, pictures[0]) || Inside(x, y, pictures[1]))
                continue;
            bool onControl = false;
            for (const ExpectedChild& child : SETUP_LAYOUT)
                onControl = onControl || (child.visible && Inside(x, y, child.rc));
            if (onControl)
                continue;
            ++checked;
            ASSERT_EQ(shot.Pixel(x, y), white) << "at " << x << "," << y;
        }
    }
    EXPECT_GT(checked, 7000);
    m_app.CloseWithYes();
}

TEST_F(SetupWindowTest, DragOnAnEmptyPartMovesTheWindow)
{
    RECT before = m_app->WindowRect();
    ASSERT_TRUE(m_app->Drag(100, 150, 160, 190)) << m_app->LastError();
    RECT after = m_app->WindowRect();
    EXPECT_EQ(after.left - before.left, 60);
    EXPECT_EQ(after.top - before.top, 40);
    m_app.CloseWithYes();
}

TEST_F(SetupWindowTest, CloseButtonAsksAndNoKeepsTheWindow)
{
    ASSERT_TRUE(m_app->Click(700, 30)) << m_app->LastError();
    MessageBoxInfo box = m_app->WaitMessageBox(10000);
    ExpectCloseQuestion(box);
    EXPECT_EQ(box.owner, m_app->MainWindow());
    ASSERT_TRUE(m_app->AnswerMessageBox(box, L"No")) << m_app->LastError();
    EXPECT_TRUE(m_app->ExpectNoMessageBox(500));
    EXPECT_TRUE(m_app->IsRunning());
    EXPECT_TRUE(::IsWindowVisible(m_app->MainWindow()));

    ASSERT_TRUE(m_app->Click(700, 30)) << m_app->LastError();
    box = m_app->WaitMessageBox(10000);
    ExpectCloseQuestion(box);
    m_app.AnswerYesAndExpectExit(box);
}

TEST_F(SetupWindowTest, AltF4AsksTheSameQuestion)
{
    // Injected keys now and then reach Wine before the window has the focus: try again.
    MessageBoxInfo box;
    for (int attempt = 0; attempt < 3 && box.hwnd == nullptr; ++attempt) {
        ASSERT_TRUE(m_app->KeyCombo(L"Alt+F4")) << m_app->LastError();
        box = m_app->WaitMessageBox(3000);
    }
    ExpectCloseQuestion(box);
    m_app.AnswerYesAndExpectExit(box);
}

TEST(SetupStartTest, RewritesAnEditedLanguageFileAndIgnoresTheCommandLine)
{
    std::string carried = ReadFileBytes(HostPath(LANFILE_PATH));
    ASSERT_FALSE(carried.empty());
    {
        InstallerApp app;
        app.Start();
        EXPECT_EQ(ReadFileBytes(LanFilePath()), carried);
        app.CloseWithYes();
    }
    {
        std::ofstream edit(LanFilePath().c_str(), std::ios::binary | std::ios::trunc);
        edit << "\xFF\xFE[\0L\0]\0";
    }
    InstallerApp app;
    app.Start(L"/S /D=C:\\Elsewhere --help \"quoted text\"");
    EXPECT_EQ(ReadFileBytes(LanFilePath()), carried);
    ChildInfo path;
    ASSERT_TRUE(app->FindChild(1009, path));
    EXPECT_EQ(path.text, L"C:\\Program Files");
    app.CloseWithYes();
}
