// What the install pipeline's threads and the dialog share: the messages the
// workers post, the failure kinds, the chunk record and the process-wide values.
#pragma once

#include <windows.h>

#include <string>

// Posted to the dialog's window (WM_USER + 200 ... + 205).
constexpr UINT WM_DOWN_PROGRESS = WM_USER + 200;    // wParam 0: lParam bytes received; else wParam = percent
constexpr UINT WM_DOWN_SIZE = WM_USER + 201;        // lParam = size of the setup program
constexpr UINT WM_PIECE_DOWNLOADED = WM_USER + 202; // lParam = chunk index
constexpr UINT WM_DOWN_ERROR = WM_USER + 203;       // wParam = system error code, lParam = failure kind
constexpr UINT WM_INSTALL_FINISHED = WM_USER + 204;
constexpr UINT WM_PIECE_WRITTEN = WM_USER + 205; // lParam = chunk index

// The notification-area icon's callback message.
constexpr UINT WM_TRAY_NOTIFY = WM_USER + 100;

// Failure kinds carried by WM_DOWN_ERROR; 0 to 39 name a failed chunk.
constexpr int DOWN_ERR_PROBE = 41;
constexpr int DOWN_ERR_SYSTEM = 42;
constexpr int DOWN_ERR_URL = 43;

constexpr int DOWN_PIECE_COUNT = 40;
constexpr int DOWN_RETRY_LIMIT = 40;
constexpr DWORD DOWN_READ_BUFFER = 102400;

// One byte range of the setup program. Its download worker alone writes
// nReceived and the buffer while it runs; the received count survives the
// worker, so a restarted one resumes at nOffset + nReceived.
struct DownPiece {
    int nIndex;
    UINT nOffset;
    UINT nLength;
    UINT nReceived;
    BYTE* pBuffer; // exactly nLength bytes
};

// Written on the UI thread only, before the threads that read them start.
extern std::wstring g_strHostName;
extern unsigned short g_nServerPort; // 80, 443 for "https://", or the port the address names
extern bool g_bSecure;               // "https://": TLS with certificate checks
extern std::wstring g_strUrlPath;
extern std::wstring g_strInstallDir;
extern std::wstring g_strDownRoot;
extern bool g_bUseWinHttp;
extern HANDLE g_hDownFile;
extern UINT g_nDownTotal;
// The probed size of the setup program; chunk responses must name it.
extern UINT g_nDownFileSize;
// Error messages shown; once one was, every later failure report is ignored.
extern int g_nErrorShown;
// How long a connection may take to connect, or stay silent, before it fails.
extern DWORD g_nStallTimeoutMs;
