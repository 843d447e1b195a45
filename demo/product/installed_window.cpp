#include "installed_window.h"

#include <algorithm>
#include <utility>

namespace {

constexpr wchar_t kClassName[] = L"TarvenixPellucorWindow";
constexpr wchar_t kTitle[] = L"Pellucor";
constexpr wchar_t kHeading[] = L"Pellucor by Tarvenix is installed.";
constexpr wchar_t kFolderLabel[] = L"It runs from this folder:";
constexpr UINT_PTR kCloseTimer = 1;

// Same blue as the main instruction of a task dialog.
constexpr COLORREF kHeadingColor = RGB(0x00, 0x33, 0x99);

constexpr UINT kHeadingFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
// DT_EDITCONTROL lets a long folder without blanks break inside a "word".
constexpr UINT kFolderFormat = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

int measureHeight(HDC dc, HFONT font, const std::wstring& text, int width, UINT format)
{
    const HGDIOBJ previous = SelectObject(dc, font);
    RECT rect{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
    SelectObject(dc, previous);
    return rect.bottom - rect.top;
}

void drawText(HDC dc, HFONT font, COLORREF color, const std::wstring& text, RECT rect, UINT format)
{
    const HGDIOBJ previous = SelectObject(dc, font);
    SetTextColor(dc, color);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SelectObject(dc, previous);
}

}  // namespace

InstalledWindow::InstalledWindow(HINSTANCE instance, std::wstring installFolder, UINT closeAfterMs)
    : instance_(instance), installFolder_(std::move(installFolder)), closeAfterMs_(closeAfterMs)
{
}

InstalledWindow::~InstalledWindow()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

bool InstalledWindow::create(int showCommand)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &InstalledWindow::windowProc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;

    const HWND hwnd = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      nullptr, nullptr, instance_, this);
    if (!hwnd)
        return false;

    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    SetFocus(okButton_);
    if (closeAfterMs_ > 0)
        SetTimer(hwnd, kCloseTimer, closeAfterMs_, nullptr);
    return true;
}

LRESULT CALLBACK InstalledWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<InstalledWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<InstalledWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);

    try {
        const LRESULT result = self->handleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    } catch (...) {
        // Nothing may unwind through user32; give up on the window instead.
        PostQuitMessage(1);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT InstalledWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate() ? 0 : -1;

    case WM_ERASEBKGND:
        return 1;  // WM_PAINT fills everything

    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd_, &ps);
        paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }

    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));

    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(hwnd_);
            return 0;
        }
        break;

    case WM_TIMER:
        if (wParam == kCloseTimer) {
            KillTimer(hwnd_, kCloseTimer);
            DestroyWindow(hwnd_);
            return 0;
        }
        break;

    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        InvalidateRect(hwnd_, nullptr, FALSE);
        break;

    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool InstalledWindow::onCreate()
{
    if (const HDC screen = GetDC(nullptr)) {
        dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW body{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        body = metrics.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(body), &body);
    bodyFont_.reset(CreateFontIndirectW(&body));

    LOGFONTW heading = body;
    heading.lfHeight = MulDiv(body.lfHeight, 4, 3);  // 9 pt -> 12 pt, like a main instruction
    headingFont_.reset(CreateFontIndirectW(&heading));
    if (!bodyFont_ || !headingFont_)
        return false;

    icon_ = LoadIconW(nullptr, IDI_INFORMATION);

    okButton_ = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)),
                                instance_, nullptr);
    if (!okButton_)
        return false;
    SendMessageW(okButton_, WM_SETFONT, reinterpret_cast<WPARAM>(bodyFont_.get()), FALSE);

    layout();
    return true;
}

void InstalledWindow::layout()
{
    const int margin = scaled(22);
    const int iconSize = GetSystemMetrics(SM_CXICON);
    const int textLeft = margin + iconSize + scaled(14);
    const int textWidth = scaled(340);
    const int clientWidth = textLeft + textWidth + margin;

    const HDC dc = GetDC(hwnd_);
    const int headingHeight = measureHeight(dc, headingFont_.get(), kHeading, textWidth, kHeadingFormat);
    const int labelHeight = measureHeight(dc, bodyFont_.get(), kFolderLabel, textWidth, kHeadingFormat);
    const int folderHeight = measureHeight(dc, bodyFont_.get(), installFolder_, textWidth, kFolderFormat);
    ReleaseDC(hwnd_, dc);

    iconRect_ = {margin, margin, margin + iconSize, margin + iconSize};
    int y = margin + std::max(0, (iconSize - headingHeight) / 2 - scaled(2));
    headingRect_ = {textLeft, y, textLeft + textWidth, y + headingHeight};
    y = headingRect_.bottom + scaled(12);
    labelRect_ = {textLeft, y, textLeft + textWidth, y + labelHeight};
    y = labelRect_.bottom + scaled(3);
    folderRect_ = {textLeft, y, textLeft + textWidth, y + folderHeight};

    bandTop_ = std::max(folderRect_.bottom, iconRect_.bottom) + margin;

    const int buttonWidth = scaled(88);
    const int buttonHeight = std::max(scaled(26), labelHeight + scaled(10));
    const int bandPadding = scaled(12);
    const int clientHeight = bandTop_ + bandPadding + buttonHeight + bandPadding;
    MoveWindow(okButton_, clientWidth - margin - buttonWidth, bandTop_ + bandPadding, buttonWidth, buttonHeight,
               FALSE);

    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int workWidth = work.right - work.left;
    const int workHeight = work.bottom - work.top;
    const int x = work.left + std::max(0, (workWidth - width) / 2);
    const int top = work.top + std::max(0, (workHeight - height) / 2);
    SetWindowPos(hwnd_, nullptr, x, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InstalledWindow::paint(HDC dc) const
{
    RECT client{};
    GetClientRect(hwnd_, &client);

    RECT content = client;
    content.bottom = bandTop_;
    FillRect(dc, &content, GetSysColorBrush(COLOR_WINDOW));

    RECT band = client;
    band.top = bandTop_;
    FillRect(dc, &band, GetSysColorBrush(COLOR_BTNFACE));
    RECT separator = band;
    separator.bottom = separator.top + 1;
    FillRect(dc, &separator, GetSysColorBrush(COLOR_3DLIGHT));

    if (icon_)
        DrawIconEx(dc, iconRect_.left, iconRect_.top, icon_, iconRect_.right - iconRect_.left,
                   iconRect_.bottom - iconRect_.top, 0, nullptr, DI_NORMAL);

    SetBkMode(dc, TRANSPARENT);
    drawText(dc, headingFont_.get(), kHeadingColor, kHeading, headingRect_, kHeadingFormat);
    drawText(dc, bodyFont_.get(), GetSysColor(COLOR_WINDOWTEXT), kFolderLabel, labelRect_, kHeadingFormat);
    drawText(dc, bodyFont_.get(), GetSysColor(COLOR_WINDOWTEXT), installFolder_, folderRect_, kFolderFormat);
}
