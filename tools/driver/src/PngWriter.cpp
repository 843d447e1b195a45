#include <windows.h>

// GDI+ headers use unqualified min/max.
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <memory>

#include "appdriver/Capture.h"
#include "appdriver/Text.h"

namespace appdriver {
namespace {

class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        status_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    ~GdiplusSession() {
        if (status_ == Gdiplus::Ok) Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    Gdiplus::Status Status() const { return status_; }

private:
    ULONG_PTR token_ = 0;
    Gdiplus::Status status_ = Gdiplus::GenericError;
};

bool FindEncoder(const wchar_t* mimeType, CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::unique_ptr<BYTE[]> buffer(new BYTE[bytes]);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.get());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(encoders[i].MimeType, mimeType) == 0) {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

bool WritePng(const std::wstring& path, int width, int height, const std::vector<uint32_t>& bgra,
              std::string& error) {
    GdiplusSession session;
    if (session.Status() != Gdiplus::Ok) {
        error = "save png: GdiplusStartup failed with status " + std::to_string(session.Status());
        return false;
    }
    CLSID png{};
    if (!FindEncoder(L"image/png", png)) {
        error = "save png: GDI+ has no image/png encoder";
        return false;
    }
    std::vector<uint32_t> copy(bgra);  // Bitmap wants a mutable scan0
    Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppRGB,
                           reinterpret_cast<BYTE*>(copy.data()));
    Gdiplus::Status status = bitmap.Save(path.c_str(), &png, nullptr);
    if (status != Gdiplus::Ok) {
        error = "save png: Bitmap::Save(" + ToUtf8(path) + ") failed with GDI+ status " +
                std::to_string(status);
        return false;
    }
    return true;
}

}  // namespace appdriver
