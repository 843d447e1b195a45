#include "appdriver/ChildProcess.h"

#include <algorithm>

#include "appdriver/Text.h"

namespace appdriver {
namespace {

std::wstring NameOf(const std::wstring& entry) {
    // Skip the first character so hidden "=C:=C:\dir" entries keep their name.
    size_t eq = entry.find(L'=', 1);
    return eq == std::wstring::npos ? entry : entry.substr(0, eq);
}

std::vector<std::wstring> CurrentEnvironment() {
    std::vector<std::wstring> entries;
    wchar_t* block = GetEnvironmentStringsW();
    if (block == nullptr) return entries;
    for (const wchar_t* p = block; *p != L'\0'; p += wcslen(p) + 1) entries.emplace_back(p);
    FreeEnvironmentStringsW(block);
    return entries;
}

std::wstring BuildEnvironmentBlock(const Environment& extra) {
    std::vector<std::wstring> entries = CurrentEnvironment();
    for (const auto& [name, value] : extra) {
        auto same = [&](const std::wstring& e) { return EqualsNoCase(NameOf(e), name); };
        entries.erase(std::remove_if(entries.begin(), entries.end(), same), entries.end());
        entries.push_back(name + L"=" + value);
    }
    // Windows expects the block sorted by name, case-insensitively.
    std::stable_sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
        std::wstring na = NameOf(a), nb = NameOf(b);
        return CompareStringOrdinal(na.c_str(), static_cast<int>(na.size()), nb.c_str(),
                                    static_cast<int>(nb.size()), TRUE) == CSTR_LESS_THAN;
    });
    std::wstring block;
    for (const auto& e : entries) {
        block += e;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

}  // namespace

ChildProcess::~ChildProcess() {
    if (Running()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

bool ChildProcess::Launch(const std::wstring& exePath, const std::wstring& commandLineTail,
                          const Environment& extraEnv, const std::wstring& workDir,
                          std::string& error) {
    if (Running()) {
        error = "launch: a process (pid " + std::to_string(id_) + ") is still running";
        return false;
    }
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!commandLineTail.empty()) commandLine += L" " + commandLineTail;

    std::wstring envBlock;
    if (!extraEnv.empty()) envBlock = BuildEnvironmentBlock(extraEnv);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        envBlock.empty() ? nullptr : &envBlock[0],
                        workDir.empty() ? nullptr : workDir.c_str(), &startup, &info)) {
        DWORD code = GetLastError();
        error = "launch: CreateProcess failed for " + ToUtf8(commandLine) + ": " + Win32ErrorText(code);
        return false;
    }
    process_.Reset(info.hProcess);
    thread_.Reset(info.hThread);
    id_ = info.dwProcessId;
    exePath_ = exePath;
    return true;
}

bool ChildProcess::Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool ChildProcess::Kill(std::string& error) {
    if (!process_) {
        error = "kill: no process was launched";
        return false;
    }
    if (!Running()) return true;
    if (!TerminateProcess(process_.Get(), 1)) {
        DWORD code = GetLastError();
        error = "kill: TerminateProcess failed for pid " + std::to_string(id_) + ": " + Win32ErrorText(code);
        return false;
    }
    if (WaitForSingleObject(process_.Get(), 5000) != WAIT_OBJECT_0) {
        error = "kill: pid " + std::to_string(id_) + " did not end within 5000 ms of TerminateProcess";
        return false;
    }
    return true;
}

bool ChildProcess::WaitExit(DWORD timeoutMs, DWORD& exitCode, std::string& error) {
    if (!process_) {
        error = "wait exit: no process was launched";
        return false;
    }
    DWORD waited = WaitForSingleObject(process_.Get(), timeoutMs);
    if (waited == WAIT_TIMEOUT) {
        error = "wait exit: pid " + std::to_string(id_) + " still running after " +
                std::to_string(timeoutMs) + " ms";
        return false;
    }
    if (waited != WAIT_OBJECT_0) {
        DWORD code = GetLastError();
        error = "wait exit: WaitForSingleObject failed: " + Win32ErrorText(code);
        return false;
    }
    if (!GetExitCodeProcess(process_.Get(), &exitCode)) {
        DWORD code = GetLastError();
        error = "wait exit: GetExitCodeProcess failed: " + Win32ErrorText(code);
        return false;
    }
    return true;
}

}  // namespace appdriver
