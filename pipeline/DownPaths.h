// Where the download lands, derived from the download address: the file name
// after the address's last "/" names both the target file (extension replaced
// by "down") and, after the rename, the setup program. Both live in the folder
// Wystrel under the download root.
#pragma once

#include <string>

struct DownPaths {
    bool bUsable = false;       // false: the address has no file name with a "."
    std::wstring strFolder;     // <root>\Wystrel
    std::wstring strTargetFile; // <folder>\<stem>down
    std::wstring strSetupFile;  // <folder>\<file name>
};

// The address's file name, or empty when it has no "/" or no "." after its last "/".
std::wstring DownFileName(const std::wstring& url);

DownPaths MakeDownPaths(const std::wstring& url, const std::wstring& downRoot);
