// The setup launcher: gives the downloaded file the setup program's name, runs
// it silently with the installation folder, waits, and deletes it.
#include "pipeline/PipelineThreads.h"

#include "lang/LanFile.h"
#include "pipeline/DownPaths.h"
#include "pipeline/SetupCommand.h"

#include <cstdio>
#include <vector>

namespace {

void ReportSystemError(DWORD error) { PostToPipeline(WM_DOWN_ERROR, error, DOWN_ERR_SYSTEM); }

} // namespace

unsigned __stdcall SetupLaunchThread(void*)
{
    DownPaths paths = MakeDownPaths(LoadLanString(L"STR_DOWN_URL"), g_strDownRoot);
    if (!paths.bUsable) {
        PostToPipeline(WM_DOWN_ERROR, 0, DOWN_ERR_URL);
        return 1;
    }

    if (::GetFileAttributesW(paths.strSetupFile.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !::DeleteFileW(paths.strSetupFile.c_str())) {
        ReportSystemError(::GetLastError());
        return 1;
    }
    if (_wrename(paths.strTargetFile.c_str(), paths.strSetupFile.c_str()) != 0) {
        ReportSystemError(::GetLastError());
        return 1;
    }
    PostToPipeline(WM_DOWN_PROGRESS, 90, 0);

    std::wstring commandLine = MakeSetupCommandLine(g_strInstallDir);
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(paths.strSetupFile.c_str(), writable.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                          nullptr, nullptr, &si, &pi)) {
        ReportSystemError(::GetLastError());
        return 1;
    }
    ::ResumeThread(pi.hThread);
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(pi.hProcess, &exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);

    PostToPipeline(WM_DOWN_PROGRESS, 100, 0);
    ::DeleteFileW(paths.strSetupFile.c_str());
    // A failed setup program must not end on the finished page.
    if (!IsSetupSuccess(exitCode))
        ReportSystemError(exitCode);
    else
        PostToPipeline(WM_INSTALL_FINISHED, 0, 0);
    return 1;
}
