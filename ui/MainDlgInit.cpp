// Window construction: size and place, icons, images, every control skinned
// and placed, texts, the default installation folder and the tray record.
#include "ui/MainDlg.h"

#include "framework/AppModule.h"
#include "lang/LanFile.h"
#include "lang/LanImage.h"
#include "ui/MainDlgLayout.h"
#include "ui/ShellFolder.h"

#include <shlobj.h>

#include <cwchar>

namespace {

const wchar_t PNG_TYPE[] = L"PNG";

void MoveTo(HWND hWnd, const LayoutRect& rc) { ::MoveWindow(hWnd, rc.x, rc.y, rc.cx, rc.cy, TRUE); }

HICON LoadAppIcon(int cx, int cy)
{
    return static_cast<HICON>(::LoadImageW(g_Module.GetResourceInstance(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                           cx, cy, LR_DEFAULTCOLOR));
}

} // namespace

LRESULT CMainDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    SetWindowPos(nullptr, 0, 0, MAIN_DLG_WIDTH, MAIN_DLG_HEIGHT, SWP_NOZORDER);
    AddStyle(WS_MINIMIZEBOX);
    CenterWindow();

    SendMessage(WM_SETICON, ICON_BIG,
                reinterpret_cast<LPARAM>(LoadAppIcon(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON))));
    SendMessage(WM_SETICON, ICON_SMALL,
                reinterpret_cast<LPARAM>(
                    LoadAppIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON))));

    if (CMessageLoop* loop = g_Module.GetMessageLoop()) {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
    }

    m_nInstallState = INSTALL_STATE_SETUP;
    m_pPieces = nullptr;
    m_nWriteIndex = 0;
    m_nRetryCount = 0;
    m_nDownloadedCount = 0;
    g_pMainDlg = this;
    m_pImgLogo = nullptr;
    m_pImgProduct = nullptr;
    m_pImgPathFrame = nullptr;

    if (!LoadImageResource(IDP_LOGO, PNG_TYPE, &m_pImgLogo) ||
        !LoadImageResource(IDP_PRODUCT, PNG_TYPE, &m_pImgProduct) ||
        !LoadImageResource(IDP_PATH_FRAME, PNG_TYPE, &m_pImgPathFrame))
        return FALSE;
    for (UINT slideId : {IDP_SLIDE1, IDP_SLIDE2, IDP_SLIDE3}) {
        Gdiplus::Image* slide = nullptr;
        if (!LoadLanImage(slideId, &slide))
            return FALSE;
        m_vecSlides.push_back(slide);
    }
    m_pCurSlide = m_vecSlides.front();

    if (!BuildImageButton(m_btnClose, IDC_BTN_CLOSE, {IDP_CLOSE, IDP_CLOSE_HOVER, IDP_CLOSE}, false, RC_CLOSE, true) ||
        !BuildImageButton(m_btnMinimize, IDC_BTN_MINIMIZE, {IDP_MINIMIZE, IDP_MINIMIZE_HOVER, IDP_MINIMIZE}, false,
                          RC_MINIMIZE, true) ||
        !BuildImageButton(m_btnInstall, IDC_BTN_INSTALL, {IDP_INSTALL, IDP_INSTALL_HOVER, IDP_INSTALL_PRESSED}, true,
                          RC_INSTALL, true) ||
        !BuildSelectButton(m_chkAgree, IDC_CHK_AGREE, {IDP_CHECK_OFF, IDP_CHECK_ON}, false, RC_AGREE) ||
        !BuildSelectButton(m_btnLicence, IDC_BTN_LICENCE, {IDP_LICENCE, IDP_LICENCE}, true, RC_LICENCE) ||
        !BuildSelectButton(m_chkCustom, IDC_CHK_CUSTOM, {IDP_CUSTOM_DOWN, IDP_CUSTOM_UP}, true, RC_CUSTOM))
        return FALSE;

    m_hWndAgreeTip = GetDlgItem(IDC_LBL_AGREE_TIP);
    ::SetWindowTextW(m_hWndAgreeTip, LoadLanString(L"STR_AGREE").c_str());
    MoveTo(m_hWndAgreeTip, RC_AGREE_TIP);
    ::ShowWindow(m_hWndAgreeTip, SW_HIDE);

    if (!BuildImageButton(m_btnBrowse, IDC_BTN_BROWSE, {IDP_BROWSE, IDP_BROWSE_HOVER, IDP_BROWSE}, true, RC_BROWSE,
                          true) ||
        !BuildImageButton(m_btnStart, IDC_BTN_START, {IDP_START, IDP_START_HOVER, IDP_START_PRESSED}, true, RC_START,
                          false) ||
        !BuildImageButton(m_btnHide, IDC_BTN_HIDE, {IDP_HIDE, IDP_HIDE_HOVER, IDP_HIDE}, true, RC_HIDE, false))
        return FALSE;

    m_progress.SubclassWindow(GetDlgItem(IDC_PROGRESS));
    MoveTo(m_progress, RC_PROGRESS);
    m_progress.ShowWindow(SW_HIDE);
    RECT rcBar;
    m_progress.GetClientRect(&rcBar);
    ::SetWindowRgn(m_progress, ::CreateRoundRectRgn(rcBar.left, rcBar.top, rcBar.right, rcBar.bottom, 3, 3), TRUE);

    m_hWndPercent = GetDlgItem(IDC_LBL_PERCENT);
    MoveTo(m_hWndPercent, RC_PERCENT);
    ::ShowWindow(m_hWndPercent, SW_HIDE);

    g_strInstallDir = GetShellFolderPath(CSIDL_PROGRAM_FILESX86);
    DoDataExchange(DdxDirection::Load);
    MoveTo(GetDlgItem(IDC_EDIT_PATH), RC_PATH_EDIT);

    HWND hWndPathLabel = GetDlgItem(IDC_LBL_PATH);
    ::SetWindowTextW(hWndPathLabel, LoadLanString(L"STR_INSTALL_PATH").c_str());
    MoveTo(hWndPathLabel, PathLabelRect(::GetUserDefaultUILanguage()));

    FillTrayIconData();
    return TRUE;
}

BOOL CMainDlg::DoDataExchange(DdxDirection dir)
{
    DdxControl(IDC_EDIT_PATH, m_editPath, dir);
    return DdxText(IDC_EDIT_PATH, g_strInstallDir, dir);
}

void CMainDlg::FillTrayIconData()
{
    m_nid = {};
    m_nid.cbSize = sizeof(NOTIFYICONDATAW);
    m_nid.hWnd = m_hWnd;
    m_nid.uID = 1;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = LoadAppIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    std::wstring project = LoadLanString(L"STR_PROJECT_NAME");
    std::wstring tip = project + LoadLanString(L"STR_DOWNLOADING");
    // The record's text fields are fixed arrays: longer texts are cut to fit.
    wcsncpy(m_nid.szTip, tip.c_str(), ARRAYSIZE(m_nid.szTip) - 1);
    wcsncpy(m_nid.szInfo, LoadLanString(L"STR_BEING_INSTALLED").c_str(), ARRAYSIZE(m_nid.szInfo) - 1);
    wcsncpy(m_nid.szInfoTitle, project.c_str(), ARRAYSIZE(m_nid.szInfoTitle) - 1);
}

BOOL CMainDlg::LoadImageResource(UINT id, const wchar_t* type, Gdiplus::Image** ppImage)
{
    DWORD error = 0;
    switch (LoadSkinImage(g_Module.GetResourceInstance(), id, type, ppImage, &error)) {
    case SkinLoad::Loaded:
        return TRUE;
    case SkinLoad::LoadFailed:
        PostMessage(WM_DOWN_ERROR, error, DOWN_ERR_SYSTEM);
        return FALSE;
    default:
        return FALSE;
    }
}

// The language's own picture when the program carries it, else the base
// picture: without the fallback a UI language whose pictures are not carried
// would get a window that stops half built and cannot install.
BOOL CMainDlg::LoadLanImage(UINT baseId, Gdiplus::Image** ppImage)
{
    UINT id = GetLanImageId(baseId);
    if (id != baseId && ::FindResourceW(g_Module.GetResourceInstance(), MAKEINTRESOURCEW(id), PNG_TYPE) == nullptr)
        id = baseId;
    return LoadImageResource(id, PNG_TYPE, ppImage);
}

BOOL CMainDlg::LoadFace(UINT id, bool language, Gdiplus::Image** ppImage)
{
    return language ? LoadLanImage(id, ppImage) : LoadImageResource(id, PNG_TYPE, ppImage);
}

BOOL CMainDlg::BuildImageButton(COwnerDrawButton& button, int id, const UINT (&imageIds)[3], bool language,
                                const LayoutRect& rc, bool visible)
{
    ImageList images;
    for (size_t i = 0; i < 3; ++i) {
        size_t first = 0;
        while (imageIds[first] != imageIds[i])
            ++first;
        Gdiplus::Image* image = nullptr;
        if (first < i)
            image = images[first]; // a repeated id shares one image object
        else if (!LoadFace(imageIds[i], language, &image))
            return FALSE;
        images.push_back(image);
    }
    button.SetImages(m_hWnd, images);
    button.SubclassWindow(GetDlgItem(id));
    MoveTo(button, rc);
    if (!visible)
        button.ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CMainDlg::BuildSelectButton(CSelectStateButton& button, int id, const UINT (&imageIds)[2], bool language,
                                 const LayoutRect& rc)
{
    ImageList images;
    for (UINT imageId : imageIds) {
        Gdiplus::Image* image = nullptr;
        if (!LoadFace(imageId, language, &image))
            return FALSE;
        images.push_back(image);
    }
    button.SetImages(m_hWnd, images);
    button.SubclassWindow(GetDlgItem(id));
    MoveTo(button, rc);
    return TRUE;
}
