// Demo stand-in for the vendor's full setup program. No UI: it installs the
// demo product silently or refuses, and tells the caller by its exit code.

#include <windows.h>

#include <string_view>

#include "embedded_resource.h"
#include "exit_code_override.h"
#include "product_installer.h"
#include "resource_ids.h"
#include "setup_command_line.h"

namespace {

enum ExitCode : DWORD {
    kInstalled = 0,
    kNotSilent = 2,
    kNoFolder = 3,
    kInstallFailed = 4,
};

DWORD run(HINSTANCE instance)
{
    // Raw on purpose: see SetupCommandLine.
    const std::wstring_view raw = GetCommandLineW();
    const SetupCommandLine commandLine = parseSetupCommandLine(raw);
    if (!commandLine.verySilent)
        return kNotSilent;
    if (!commandLine.folder)
        return kNoFolder;

    const auto product = findResourceBytes(instance, IDR_PRODUCT_EXE, RT_RCDATA);
    if (!product || !installProduct(*commandLine.folder, *product, raw))
        return kInstallFailed;

    return exitCodeOverride().value_or(kInstalled);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    try {
        return static_cast<int>(run(instance));
    } catch (...) {
        return static_cast<int>(kInstallFailed);
    }
}
