#include "controls/SkinImage.h"

#include <cstring>

SkinLoad LoadSkinImage(HINSTANCE module, UINT id, const wchar_t* type, Gdiplus::Image** ppImage, DWORD* pError)
{
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (res == nullptr)
        return SkinLoad::NotFound;
    DWORD size = ::SizeofResource(module, res);

    HGLOBAL data = ::LoadResource(module, res);
    if (data == nullptr) {
        *pError = ::GetLastError();
        return SkinLoad::LoadFailed;
    }
    const void* bytes = ::LockResource(data);
    if (bytes == nullptr) {
        *pError = ::GetLastError();
        return SkinLoad::LoadFailed;
    }

    HGLOBAL block = ::GlobalAlloc(GMEM_FIXED, size);
    if (block == nullptr) {
        *pError = ::GetLastError();
        return SkinLoad::LoadFailed;
    }
    std::memcpy(::GlobalLock(block), bytes, size);
    ::GlobalUnlock(block);

    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
        ::GlobalFree(block);
        *pError = ERROR_OUTOFMEMORY;
        return SkinLoad::LoadFailed;
    }
    // The image keeps its own reference to the stream for as long as it lives.
    *ppImage = Gdiplus::Image::FromStream(stream, FALSE);
    stream->Release();
    return SkinLoad::Loaded;
}

void DrawSkinImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y, int cx, int cy)
{
    if (image != nullptr)
        graphics.DrawImage(image, x, y, cx, cy);
}
