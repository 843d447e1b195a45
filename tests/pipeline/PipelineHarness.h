// Runs the real main dialog (hidden) through its real message loop against a
// download address of the test's own, answering its message boxes, and
// records what the pipeline reported.
#pragma once

#include "FileBytes.h"
#include "ui/MainDlg.h"

#include <windows.h>

#include <string>
#include <vector>

struct MessageBoxRecord {
    std::wstring caption;
    std::wstring text;
};

struct PipelineMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

struct PipelineRun {
    enum End { Finished, ClosedByError, TimedOut } end = TimedOut;
    std::vector<MessageBoxRecord> boxes;
    std::vector<PipelineMessage> messages;
    std::vector<std::wstring> percentTexts; // each new text of the percentage label
    bool usedWinHttp = false;

    int Count(UINT msg, LPARAM lParam) const;
    int ErrorCount(int kind) const { return Count(WM_DOWN_ERROR, kind); }
};

class PipelineHarness {
public:
    // Writes a language file carrying downUrl and points lookups at it.
    explicit PipelineHarness(const std::wstring& downUrl);
    ~PipelineHarness();
    PipelineHarness(const PipelineHarness&) = delete;
    PipelineHarness& operator=(const PipelineHarness&) = delete;

    void UseWinHttp(bool use) { m_bUseWinHttp = use; }
    void SetStallTimeout(DWORD ms) { m_nStallTimeoutMs = ms; }
    void SetInstallDir(const std::wstring& dir) { m_strInstallDir = dir; }

    // Presses Install and runs the loop until the finished page, the close
    // after an error message, or the time limit.
    PipelineRun Run(DWORD timeoutMs = 120000);

    // <common documents>\Wystrel: where the download lands.
    static std::wstring DownFolder();

private:
    std::wstring m_strLanFile;
    std::wstring m_strSavedLanFile;
    std::wstring m_strInstallDir;
    bool m_bUseWinHttp = false;
    DWORD m_nStallTimeoutMs = 30000;
};

// Test helpers.
std::string Sha256Hex(const std::string& bytes);
std::wstring MakeTempFolder(const wchar_t* name);
std::wstring Widen(const std::string& text);
