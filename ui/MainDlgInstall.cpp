// The Install command: the gate between the idle window and the pipeline.
#include "ui/MainDlg.h"

LRESULT CMainDlg::OnInstall(WORD, WORD, HWND, BOOL&) { return 0; }
