// Resource and control ids.
#pragma once

#define IDI_APP 128
#define IDD_MAINDLG 129
#define IDR_LANFILE 253

// Dialog controls
#define IDC_BTN_CLOSE 1000
#define IDC_BTN_MINIMIZE 1001
#define IDC_BTN_INSTALL 1002
#define IDC_CHK_AGREE 1003
#define IDC_BTN_LICENCE 1004
#define IDC_CHK_CUSTOM 1005
#define IDC_BTN_BROWSE 1008
#define IDC_EDIT_PATH 1009
#define IDC_PROGRESS 1010
#define IDC_LBL_PATH 1012
#define IDC_LBL_AGREE_TIP 1013
#define IDC_BTN_HIDE 1014
#define IDC_BTN_START 1015
#define IDC_LBL_PERCENT 1016

// Skin images (type "PNG"); ids marked "language" are base ids that the UI
// language may shift.
#define IDP_CHECK_ON 202
#define IDP_PATH_FRAME 207
#define IDP_LOGO 213
#define IDP_PRODUCT 214
#define IDP_CHECK_OFF 215
#define IDP_CLOSE 239
#define IDP_CLOSE_HOVER 240
#define IDP_MINIMIZE 243
#define IDP_MINIMIZE_HOVER 244
#define IDP_BROWSE 263          // language
#define IDP_BROWSE_HOVER 273    // language
#define IDP_CUSTOM_DOWN 283     // language
#define IDP_CUSTOM_UP 293       // language
#define IDP_HIDE 303            // language
#define IDP_HIDE_HOVER 313      // language
#define IDP_INSTALL_PRESSED 323 // language
#define IDP_INSTALL 333         // language
#define IDP_INSTALL_HOVER 343   // language
#define IDP_SLIDE1 353          // language
#define IDP_SLIDE2 363          // language
#define IDP_SLIDE3 373          // language
#define IDP_LICENCE 383         // language
#define IDP_START_PRESSED 393   // language
#define IDP_START 403           // language
#define IDP_START_HOVER 413     // language
