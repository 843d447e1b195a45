// Process entry: brings up COM, GDI+, the language file and the common
// controls, runs the main dialog, and tears everything down in reverse order.
#include "app/App.h"
#include "framework/AppModule.h"
#include "lang/LanFile.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <gdiplus.h>

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPWSTR lpCmdLine, int nCmdShow)
{
    ::CoInitialize(nullptr);

    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    RegisterCompatPersisted();
    ExtractLanFile();
    InitLanFilePath();

    INITCOMMONCONTROLSEX icc = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);

    g_Module.Init(hInstance);
    int result = Run(lpCmdLine, nCmdShow);
    g_Module.Term();

    Gdiplus::GdiplusShutdown(gdiplusToken);
    ::CoUninitialize();
    return result;
}
