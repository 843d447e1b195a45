// The progress bar's painting, into a memory bitmap.
#include "controls/DownProgressBarCtrl.h"

#include <gtest/gtest.h>

namespace {

// Paints a 540 x 15 bar and returns how many pixels of its middle row are filled.
int FilledWidth(int pos, PBRANGE range = {0, 100})
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 540;
    bmi.bmiHeader.biHeight = -15;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT rc = {0, 0, 540, 15};
    CDownProgressBarCtrl::PaintBar(dc, rc, range, pos);
    ::GdiFlush();

    const DWORD* row = static_cast<const DWORD*>(bits) + 7 * 540;
    const DWORD track = RGB(255, 219, 197); // DIB pixels are 0x00RRGGBB: the COLORREF reversed
    const DWORD bar = RGB(255, 136, 64);
    int filled = 0;
    bool sawTrack = false;
    for (int x = 0; x < 540; ++x) {
        DWORD pixel = row[x] & 0xFFFFFF;
        if (pixel == bar) {
            EXPECT_FALSE(sawTrack) << "the fill grows from the left edge";
            ++filled;
        } else {
            EXPECT_EQ(pixel, track) << "at x " << x;
            sawTrack = true;
        }
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return filled;
}

} // namespace

TEST(ProgressBarPaintTest, FillFollowsThePosition)
{
    EXPECT_EQ(FilledWidth(0), 0);
    EXPECT_EQ(FilledWidth(50), 270);
    EXPECT_EQ(FilledWidth(33), 178); // 178.2 truncated
    EXPECT_EQ(FilledWidth(80), 432);
    EXPECT_EQ(FilledWidth(100), 540);
    EXPECT_EQ(FilledWidth(50, PBRANGE{0, 0}), 0); // an empty range: track only
}
