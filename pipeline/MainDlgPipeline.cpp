// The install pipeline's bookkeeping on the UI thread.
#include "ui/MainDlg.h"


LRESULT CMainDlg::OnDownSize(UINT, WPARAM, LPARAM, BOOL&) { return 0; }

LRESULT CMainDlg::OnDownProgress(UINT, WPARAM, LPARAM, BOOL&) { return 0; }

LRESULT CMainDlg::OnPieceDownloaded(UINT, WPARAM, LPARAM, BOOL&) { return 0; }

LRESULT CMainDlg::OnPieceWritten(UINT, WPARAM, LPARAM, BOOL&) { return 0; }

LRESULT CMainDlg::OnDownError(UINT, WPARAM, LPARAM, BOOL&) { return 0; }

LRESULT CMainDlg::OnInstallFinished(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
