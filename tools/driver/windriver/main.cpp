#include <windows.h>

#include <string>
#include <vector>

#include "CommandLine.h"
#include "StepRunner.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<windriver::Step> steps;
    std::string error;
    if (argc == 2 && (std::wstring(argv[1]) == L"--help" || std::wstring(argv[1]) == L"-h")) {
        windriver::Print(windriver::Usage());
        return 0;
    }
    if (!windriver::ParseSteps(argc, argv, steps, error)) {
        windriver::Print("FAIL usage: " + error);
        windriver::Print(windriver::Usage());
        return 1;
    }
    windriver::StepRunner runner;
    bool ok = false;
    try {
        ok = runner.Run(steps);
    } catch (const std::exception& e) {
        windriver::Print(std::string("FAIL internal error: ") + e.what());
    }
    return ok ? 0 : 1;
}
