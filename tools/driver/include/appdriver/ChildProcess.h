#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "appdriver/UniqueHandle.h"

namespace appdriver {

// NAME=VALUE pairs added to (or replacing, case-insensitively) the inherited environment.
using Environment = std::vector<std::pair<std::wstring, std::wstring>>;

// The program under test. A process still running when this object dies is terminated.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Command line is "exePath" followed by commandLineTail. An empty workDir inherits ours.
    bool Launch(const std::wstring& exePath, const std::wstring& commandLineTail,
                const Environment& extraEnv, const std::wstring& workDir, std::string& error);

    bool Started() const { return static_cast<bool>(process_); }
    bool Running() const;
    bool Kill(std::string& error);
    bool WaitExit(DWORD timeoutMs, DWORD& exitCode, std::string& error);

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.Get(); }
    const std::wstring& ExePath() const { return exePath_; }

private:
    UniqueHandle process_;
    UniqueHandle thread_;
    DWORD id_ = 0;
    std::wstring exePath_;
};

}  // namespace appdriver
