// What the installer accepts from the download server. It runs what it
// downloads with administrator rights, so every answer is checked strictly.
#pragma once

#include <windows.h>

#include <string>

// WinINet's codes for a response the installer cannot use (wininet.h cannot be
// included next to winhttp.h).
constexpr DWORD ERR_HTTP_HEADER_NOT_FOUND = 12150;
constexpr DWORD ERR_HTTP_INVALID_SERVER_RESPONSE = 12152;

enum class ContentLength { Valid, Invalid, TooLarge };

// A plain decimal number of bytes, 1 to 2 GiB - 1.
ContentLength ParseContentLength(const std::wstring& text, UINT& size);

bool IsSuccessStatus(DWORD status);

// "Range:bytes=<first>-<last>", handed to the transport as a header line.
std::wstring MakeRangeHeader(UINT first, UINT last);

// A ranged GET counts only as 206 for exactly the asked bytes of a file of the
// probed size, or as 200 when the asked range is the whole file.
bool IsAcceptedRangeResponse(DWORD status, const std::wstring& contentRange, UINT first, UINT last, UINT total);
