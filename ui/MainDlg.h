// The installer's only window: a borderless, image-skinned modeless dialog and
// the hub of the program. Every command, every worker report and every timer
// arrives here as a message; the handlers start the next steps.
#pragma once

#include "controls/DownProgressBarCtrl.h"
#include "controls/EditImpl.h"
#include "controls/OwnerDrawButton.h"
#include "controls/SelectStateButton.h"
#include "controls/SkinImage.h"
#include "framework/DataExchange.h"
#include "framework/DialogImpl.h"
#include "framework/MessageLoop.h"
#include "framework/UpdateUI.h"
#include "pipeline/PipelineDefs.h"
#include "res/resource.h"
#include "ui/MainDlgLayout.h"

#include <shellapi.h>

#include <vector>

class CMainDlg;

// The one dialog; workers post their reports to its window.
extern CMainDlg* g_pMainDlg;

constexpr UINT_PTR SLIDE_TIMER_ID = 3395;
constexpr int MAIN_DLG_EXIT_CODE = 1000;

// Page of the window.
enum InstallState { INSTALL_STATE_SETUP = 0, INSTALL_STATE_INSTALLING = 1, INSTALL_STATE_FINISHED = 2 };

class CMainDlg : public CDialogImpl<CMainDlg>,
                 public CUpdateUI<CMainDlg>,
                 public CWinDataExchange<CMainDlg>,
                 public CMessageFilter,
                 public CIdleHandler {
public:
    enum { IDD = IDD_MAINDLG };

    CMainDlg() = default;
    ~CMainDlg() override = default;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnIdle() override;

    BEGIN_MSG_ROUTES()
        ROUTE_MESSAGE(WM_INITDIALOG, OnInitDialog)
        ROUTE_MESSAGE(WM_DESTROY, OnDestroy)
        ROUTE_WM_NCHITTEST(OnNcHitTest)
        ROUTE_MESSAGE(WM_DOWN_PROGRESS, OnDownProgress)
        ROUTE_MESSAGE(WM_DOWN_SIZE, OnDownSize)
        ROUTE_MESSAGE(WM_PIECE_DOWNLOADED, OnPieceDownloaded)
        ROUTE_MESSAGE(WM_DOWN_ERROR, OnDownError)
        ROUTE_MESSAGE(WM_INSTALL_FINISHED, OnInstallFinished)
        ROUTE_MESSAGE(WM_PIECE_WRITTEN, OnPieceWritten)
        ROUTE_MESSAGE(WM_TRAY_NOTIFY, OnTrayNotify)
        ROUTE_MESSAGE(WM_PAINT, OnPaint)
        ROUTE_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
        ROUTE_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
        ROUTE_WM_TIMER(OnTimer)
        ROUTE_WM_CLOSE(OnClose)
        ROUTE_COMMAND_ID(IDC_BTN_CLOSE, OnCloseCmd)
        ROUTE_COMMAND_ID(IDC_BTN_MINIMIZE, OnMinimize)
        ROUTE_COMMAND_ID(IDC_BTN_INSTALL, OnInstall)
        ROUTE_COMMAND_ID(IDC_CHK_CUSTOM, OnCustomInstall)
        ROUTE_COMMAND_ID(IDC_CHK_AGREE, OnAgreeClick)
        ROUTE_COMMAND_ID(IDC_BTN_LICENCE, OnLicence)
        ROUTE_COMMAND_ID(IDC_BTN_HIDE, OnHide)
        ROUTE_COMMAND_ID(IDC_BTN_START, OnStartProduct)
        ROUTE_COMMAND_ID(IDC_BTN_BROWSE, OnBrowse)
        ROUTE_REFLECT_NOTIFICATIONS()
    END_MSG_ROUTES()

    // Construction
    LRESULT OnInitDialog(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    void FillTrayIconData();
    BOOL LoadImageResource(UINT id, const wchar_t* type, Gdiplus::Image** ppImage);
    BOOL DoDataExchange(DdxDirection dir);

    // Frame
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    UINT OnNcHitTest(POINT ptScreen);
    LRESULT OnPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnPrintClient(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnCtlColorStatic(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    void OnClose();
    LRESULT OnCloseCmd(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    void CloseDialog(int nVal);

    // Window commands
    LRESULT OnMinimize(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnCustomInstall(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnAgreeClick(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnLicence(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnHide(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnStartProduct(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnBrowse(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnTrayNotify(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    void OnTimer(UINT_PTR nIDEvent);

    // Install pipeline
    LRESULT OnInstall(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled);
    LRESULT OnDownSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDownProgress(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnPieceDownloaded(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnPieceWritten(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnDownError(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnInstallFinished(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    void RestartWithWinHttp();

    // Paints the page of the given state into any device context (the window's
    // paint, or a memory bitmap in tests).
    void PaintPage(HDC hdc, const RECT& rcClient) const;

    int GetInstallState() const { return m_nInstallState; }

private:
    void PostDownError(DWORD error, int kind);
    bool OpenTargetFile();
    static std::wstring FormatError(const wchar_t* key, DWORD error);
    void ShowErrorAndClose(const std::wstring& text);
    void SwitchToInstallingLayout();

    BOOL LoadLanImage(UINT baseId, Gdiplus::Image** ppImage);
    BOOL LoadFace(UINT id, bool language, Gdiplus::Image** ppImage);
    BOOL BuildImageButton(COwnerDrawButton& button, int id, const UINT (&imageIds)[3], bool language,
                          const LayoutRect& rc, bool visible);
    BOOL BuildSelectButton(CSelectStateButton& button, int id, const UINT (&imageIds)[2], bool language,
                           const LayoutRect& rc);

public:
    int m_nInstallState = INSTALL_STATE_SETUP;
    COwnerDrawButton m_btnClose;
    COwnerDrawButton m_btnMinimize;
    COwnerDrawButton m_btnInstall;
    COwnerDrawButton m_btnBrowse;
    CSelectStateButton m_chkAgree;
    CSelectStateButton m_btnLicence;
    CSelectStateButton m_chkCustom;
    COwnerDrawButton m_btnHide;
    COwnerDrawButton m_btnStart;
    CDownProgressBarCtrl m_progress;
    CEditImpl m_editPath;
    HWND m_hWndAgreeTip = nullptr;
    HWND m_hWndPercent = nullptr;
    NOTIFYICONDATAW m_nid = {};
    Gdiplus::Image* m_pImgLogo = nullptr;
    Gdiplus::Image* m_pImgProduct = nullptr;
    Gdiplus::Image* m_pImgPathFrame = nullptr;
    std::vector<Gdiplus::Image*> m_vecSlides;
    Gdiplus::Image* m_pCurSlide = nullptr;
    DownPiece* m_pPieces = nullptr;
    UINT m_nDownSize = 0;
    int m_nWriteIndex = 0;
    std::vector<int> m_vecDownloaded;
    int m_nRetryCount = 0;
    std::vector<int> m_vecFailed;
    int m_nDownloadedCount = 0;
};
