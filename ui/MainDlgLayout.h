// Fixed pixel geometry of the main window (client coordinates).
#pragma once

#include <windows.h>

constexpr int MAIN_DLG_WIDTH = 750;
constexpr int MAIN_DLG_HEIGHT = 360;          // collapsed: the path row lies below
constexpr int MAIN_DLG_EXPANDED_HEIGHT = 434; // custom install: the path row shows

struct LayoutRect {
    int x, y, cx, cy;
};

constexpr LayoutRect RC_CLOSE = {690, 20, 20, 20};
constexpr LayoutRect RC_MINIMIZE = {660, 20, 20, 20};
constexpr LayoutRect RC_INSTALL = {298, 235, 168, 46};
constexpr LayoutRect RC_AGREE = {20, 329, 11, 11};
constexpr LayoutRect RC_LICENCE = {42, 329, 390, 15};
constexpr LayoutRect RC_CUSTOM = {541, 329, 180, 12};
constexpr LayoutRect RC_AGREE_TIP = {20, 344, 350, 15};
constexpr LayoutRect RC_BROWSE = {581, 381, 90, 32};
constexpr LayoutRect RC_START = {298, 235, 168, 46};
constexpr LayoutRect RC_HIDE = {645, 317, 57, 26};
constexpr LayoutRect RC_PROGRESS = {48, 320, 540, 15};
constexpr LayoutRect RC_PERCENT = {599, 320, 30, 15};
constexpr LayoutRect RC_PATH_EDIT = {150, 388, 420, 22};

// Pictures the dialog paints itself.
constexpr LayoutRect RC_LOGO = {40, 20, 190, 31};
constexpr LayoutRect RC_PRODUCT = {200, 60, 370, 153};
constexpr int SLIDE_HEIGHT = 290;
constexpr int SETUP_LINE_Y = 312;
constexpr int BOTTOM_LINE_Y = 359;

// The path label's place: some languages need a wider label.
inline LayoutRect PathLabelRect(LANGID uiLanguage)
{
    switch (uiLanguage) {
    case 1040: // Italian
    case 1036: // French
        return {12, 388, 130, 32};
    case 1028: // Chinese (Traditional)
        return {82, 388, 60, 32};
    default:
        return {42, 388, 100, 32};
    }
}
