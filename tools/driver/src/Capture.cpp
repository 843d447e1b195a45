#include "appdriver/Capture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "appdriver/Input.h"
#include "appdriver/Text.h"

namespace appdriver {
namespace {

// Time for the target (another process) to repaint after being raised.
constexpr DWORD kSettleMs = 200;

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// A top-down 32-bit DIB section selected into a memory DC.
class DibCanvas {
public:
    DibCanvas(HDC compatibleWith, int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(compatibleWith);
        if (dc_ == nullptr) return;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_ != nullptr) old_ = SelectObject(dc_, bitmap_);
    }
    ~DibCanvas() {
        if (old_ != nullptr) SelectObject(dc_, old_);
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool Ok() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_; }

    std::vector<uint32_t> Pixels() const {
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits_);
        std::vector<uint32_t> out(p, p + static_cast<size_t>(width_) * height_);
        for (auto& px : out) px |= 0xFF000000u;  // GDI leaves alpha undefined
        return out;
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

bool AllBlack(const std::vector<uint32_t>& pixels) {
    return std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p & 0x00FFFFFFu) == 0; });
}

}  // namespace

int Rgb::DistanceTo(const Rgb& o) const {
    return std::max({std::abs(r - o.r), std::abs(g - o.g), std::abs(b - o.b)});
}

std::string Rgb::Hex() const {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02X%02X%02X", r, g, b);
    return buffer;
}

Capture::Capture(int width, int height, std::vector<uint32_t> pixels, const char* source)
    : width_(width), height_(height), pixels_(std::move(pixels)), source_(source) {}

Rgb Capture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    uint32_t p = pixels_[static_cast<size_t>(y) * width_ + x];
    return Rgb{static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p)};
}

bool Capture::SavePng(const std::wstring& path, std::string& error) const {
    if (Empty()) {
        error = "save png: nothing was captured";
        return false;
    }
    return WritePng(path, width_, height_, pixels_, error);
}

bool CaptureWindowImage(HWND hwnd, CaptureMethod method, Capture& out, std::string& error) {
    RECT rect{};
    if (!GetWindowRect(hwnd, &rect)) {
        DWORD code = GetLastError();
        error = "capture: GetWindowRect(" + HwndText(hwnd) + ") failed: " + Win32ErrorText(code);
        return false;
    }
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        error = "capture: window " + HwndText(hwnd) + " has an empty rectangle";
        return false;
    }

    ScreenDc screen;
    Capture fromScreen;
    if (method != CaptureMethod::PrintWindow) {
        std::string ignored;  // a window that cannot be raised is still worth a capture
        BringToForeground(hwnd, 1000, ignored);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(kSettleMs);
        DibCanvas canvas(screen.Get(), width, height);
        if (canvas.Ok() && BitBlt(canvas.Dc(), 0, 0, width, height, screen.Get(), rect.left, rect.top,
                                  SRCCOPY | CAPTUREBLT)) {
            fromScreen = Capture(width, height, canvas.Pixels(), "screen");
            if (method == CaptureMethod::Screen || !AllBlack(fromScreen.Bgra())) {
                out = std::move(fromScreen);
                return true;
            }
        } else if (method == CaptureMethod::Screen) {
            DWORD code = GetLastError();
            error = "capture: BitBlt from the screen failed: " + Win32ErrorText(code);
            return false;
        }
    }

    DibCanvas canvas(screen.Get(), width, height);
    if (!canvas.Ok()) {
        error = "capture: could not create a " + std::to_string(width) + "x" + std::to_string(height) +
                " DIB section";
        return false;
    }
    if (!PrintWindow(hwnd, canvas.Dc(), 0)) {
        DWORD code = GetLastError();
        error = "capture: PrintWindow(" + HwndText(hwnd) + ") failed: " + Win32ErrorText(code);
        return false;
    }
    // Wine hands the target our DC, which is useless in another process: black again.
    std::vector<uint32_t> printed = canvas.Pixels();
    if (!fromScreen.Empty() && AllBlack(printed)) out = std::move(fromScreen);
    else out = Capture(width, height, std::move(printed), "PrintWindow");
    return true;
}

}  // namespace appdriver
