#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace appdriver {

struct Rgb {
    BYTE r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
    // Largest per-channel difference, for comparisons with a tolerance.
    int DistanceTo(const Rgb& o) const;
    std::string Hex() const;  // "1E90FF"
};

enum class CaptureMethod {
    Screen,                  // BitBlt from GetDC(NULL): what a person sees, overlaps included
    PrintWindow,             // the window painting itself into a memory DC
    ScreenThenPrintWindow,   // PrintWindow only when the screen read gives nothing but black
};

// A 32-bit BGRA image, top-down, one uint32_t per pixel (0xAARRGGBB in memory order B,G,R,A).
class Capture {
public:
    Capture() = default;
    Capture(int width, int height, std::vector<uint32_t> pixels, const char* source);

    bool Empty() const { return pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<uint32_t>& Bgra() const { return pixels_; }
    const char* Source() const { return source_; }

    // x, y relative to the window's top-left corner; out of range gives black.
    Rgb Pixel(int x, int y) const;

    bool SavePng(const std::wstring& path, std::string& error) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    const char* source_ = "";
};

// Brings hwnd to the front, lets it paint, then grabs its window rectangle.
bool CaptureWindowImage(HWND hwnd, CaptureMethod method, Capture& out, std::string& error);

// GDI+ PNG encoder; pixels as in Capture::Bgra, alpha ignored.
bool WritePng(const std::wstring& path, int width, int height, const std::vector<uint32_t>& bgra,
              std::string& error);

}  // namespace appdriver
