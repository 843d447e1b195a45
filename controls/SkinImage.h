// Skin images: PNG resources decoded once into GDI+ images that the dialog and
// the controls draw on every paint.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <vector>

using ImageList = std::vector<Gdiplus::Image*>;

enum class SkinLoad {
    Loaded,     // *ppImage set (null when the image object could not be allocated)
    NotFound,   // no such resource; nothing allocated
    LoadFailed, // the resource exists but cannot be loaded or locked; *pError set
};

// Copies the resource bytes into a block that the image's stream owns, so the
// bytes live exactly as long as the image. A decode failure still yields an
// image: drawing it draws nothing.
SkinLoad LoadSkinImage(HINSTANCE module, UINT id, const wchar_t* type, Gdiplus::Image** ppImage, DWORD* pError);

// Draws an image stretched into (x, y, cx, cy); a null image draws nothing.
void DrawSkinImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y, int cx, int cy);
