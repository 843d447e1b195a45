#pragma once

#include <string>
#include <vector>

#include "CommandLine.h"
#include "appdriver/AppDriver.h"

namespace windriver {

// Runs steps in order, printing one line per step; stops at the first failure.
class StepRunner {
public:
    bool Run(const std::vector<Step>& steps);

private:
    bool RunStep(const Step& step, std::string& detail);
    bool Capture(std::string& detail);

    appdriver::AppDriver driver_;
    appdriver::Environment env_;
    std::wstring cwd_;
    std::wstring args_;
    DWORD timeoutMs_ = 10000;
    int tolerance_ = 0;
    appdriver::AnswerBy answerBy_ = appdriver::AnswerBy::MouseThenCommand;
    appdriver::CaptureMethod captureBy_ = appdriver::CaptureMethod::ScreenThenPrintWindow;
    appdriver::MessageBoxInfo lastBox_;
    appdriver::Capture lastCapture_;
};

// Writes UTF-8 text to stdout and flushes, so lines keep their order with a parent's output.
void Print(const std::string& line);

}  // namespace windriver
