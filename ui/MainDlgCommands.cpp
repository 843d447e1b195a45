// Window commands and the notification-area icon.
#include "ui/MainDlg.h"

LRESULT CMainDlg::OnMinimize(WORD, WORD, HWND, BOOL&) { return 0; }

LRESULT CMainDlg::OnCustomInstall(WORD, WORD, HWND, BOOL&) { return 0; }

LRESULT CMainDlg::OnAgreeClick(WORD, WORD, HWND, BOOL&) { return 0; }

LRESULT CMainDlg::OnLicence(WORD, WORD, HWND, BOOL&) { return 0; }

LRESULT CMainDlg::OnHide(WORD, WORD, HWND, BOOL&) { return 0; }

LRESULT CMainDlg::OnStartProduct(WORD, WORD, HWND, BOOL&) { return 0; }

LRESULT CMainDlg::OnBrowse(WORD, WORD, HWND, BOOL&) { return 0; }

LRESULT CMainDlg::OnTrayNotify(UINT, WPARAM, LPARAM, BOOL&) { return 0; }

void CMainDlg::OnTimer(UINT_PTR) {}
