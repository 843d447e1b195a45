// The process-wide services the dialog needs, brought up as the program does.
#include "framework/AppModule.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

namespace {

class WindowServices : public ::testing::Environment {
public:
    void SetUp() override
    {
        ::CoInitialize(nullptr);
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
        INITCOMMONCONTROLSEX icc = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&icc);
        g_Module.Init(::GetModuleHandleW(nullptr));
    }
    void TearDown() override
    {
        g_Module.Term();
        Gdiplus::GdiplusShutdown(m_token);
        ::CoUninitialize();
    }

private:
    ULONG_PTR m_token = 0;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new WindowServices);
    return RUN_ALL_TESTS();
}
