#include "app/App.h"

#include "framework/AppModule.h"
#include "framework/MessageLoop.h"
#include "ui/MainDlg.h"

int Run(const wchar_t* /*lpstrCmdLine*/, int nCmdShow)
{
    CMessageLoop theLoop;
    g_Module.AddMessageLoop(&theLoop);

    int result = 0;
    {
        CMainDlg dlgMain;
        if (dlgMain.Create(nullptr) != nullptr) {
            dlgMain.ShowWindow(nCmdShow);
            result = theLoop.Run();
        }
    }

    g_Module.RemoveMessageLoop();
    return result;
}
