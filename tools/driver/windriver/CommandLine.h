#pragma once

#include <string>
#include <vector>

namespace windriver {

struct Step {
    std::wstring option;              // "--click"
    std::vector<std::wstring> args;   // its operands
};

// Splits argv into steps, checking option names and operand counts (not operand values).
bool ParseSteps(int argc, wchar_t** argv, std::vector<Step>& steps, std::string& error);

const char* Usage();

}  // namespace windriver
