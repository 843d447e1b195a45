#include "CommandLine.h"

#include "appdriver/Text.h"

namespace windriver {
namespace {

struct OptionSpec {
    const wchar_t* name;
    int operands;
};

constexpr OptionSpec kOptions[] = {
    {L"--env", 1},          {L"--cwd", 1},          {L"--args", 1},
    {L"--timeout", 1},      {L"--tolerance", 1},    {L"--answer-by", 1},
    {L"--capture-by", 1},
    {L"--launch", 1},       {L"--wait-window", 1},  {L"--wait-window-gone", 1},
    {L"--print-window", 0}, {L"--print-children", 0}, {L"--expect-child", 2}, {L"--wait-child", 2},
    {L"--expect-window-at", 2},
    {L"--click", 2},        {L"--drag", 4},         {L"--key", 1},
    {L"--close-window", 0}, {L"--wait-box", 1},     {L"--answer-box", 1},
    {L"--expect-box", 1},   {L"--no-box", 1},       {L"--screenshot", 1},
    {L"--screenshot-box", 1},
    {L"--pixel", 2},        {L"--expect-pixel", 3}, {L"--sleep", 1},
    {L"--expect-exit", 1},  {L"--expect-running", 0}, {L"--kill", 0},
};

}  // namespace

bool ParseSteps(int argc, wchar_t** argv, std::vector<Step>& steps, std::string& error) {
    steps.clear();
    for (int i = 1; i < argc; ++i) {
        std::wstring option = argv[i];
        const OptionSpec* spec = nullptr;
        for (const auto& o : kOptions)
            if (option == o.name) spec = &o;
        if (spec == nullptr) {
            error = "unknown option \"" + appdriver::ToUtf8(option) + "\"";
            return false;
        }
        if (i + spec->operands >= argc) {
            error = appdriver::ToUtf8(option) + " needs " + std::to_string(spec->operands) + " operand(s)";
            return false;
        }
        Step step{option, {}};
        for (int k = 0; k < spec->operands; ++k) step.args.push_back(argv[++i]);
        steps.push_back(std::move(step));
    }
    if (steps.empty()) {
        error = "nothing to do";
        return false;
    }
    return true;
}

const char* Usage() {
    return R"(usage: windriver.exe STEP...   (steps run left to right; exit 0 if all pass, 1 otherwise)
settings (apply to the steps after them):
  --env NAME=VALUE        add to the environment of the next --launch (repeatable)
  --cwd DIR               working directory of the next --launch
  --args "TAIL"           command-line tail of the next --launch
  --timeout MS            wait limit of --wait-box, --answer-box, --expect-exit (default 10000)
  --tolerance N           per-channel tolerance of --expect-pixel (default 0)
  --answer-by HOW         mouse | command | both (default both: click, then WM_COMMAND if needed)
  --capture-by HOW        screen | print | auto (default auto: screen, PrintWindow if all black)
steps (X Y are main-window client coordinates):
  --launch EXE            start EXE (a /unix/path is turned into its Wine DOS path)
  --wait-window MS        wait for the first visible non-message-box top-level window
  --wait-window-gone MS   wait until the main window is destroyed or hidden
  --print-window          print the window rectangle, client origin, class and text
  --print-children        print id, class, text, client rect and visibility of each child
  --expect-child ID TEXT  a child with control id ID has text TEXT (mnemonic '&' ignored)
  --wait-child ID MS      wait until the child with control id ID is visible
  --expect-window-at X Y  the window's top-left corner is at screen X,Y
  --click X Y             real mouse click
  --drag X0 Y0 X1 Y1      press, move in steps, release
  --key COMBO             e.g. Alt+F4, Enter, Esc, Ctrl+Shift+Tab (window brought to front first)
  --close-window          post WM_CLOSE to the main window
  --wait-box MS           wait for a message box and print caption, text and buttons
  --answer-box TEXT       wait for a message box, print it, press the button TEXT (or id, or IDYES)
  --expect-box TEXT       the last message box's text contains TEXT
  --no-box MS             fail if a message box appears within MS
  --screenshot FILE.png   capture the window as it is on screen and save it as PNG
  --screenshot-box FILE.png  the same for the last message box read (--wait-box, --answer-box)
  --pixel X Y             print the colour at window X,Y of the last capture (captures if none)
  --expect-pixel X Y RRGGBB   colour check on a fresh capture
  --sleep MS
  --expect-exit N         wait for the process to end; its exit code must be N
  --expect-running        the process has not ended
  --kill                  terminate the process
A process still running when windriver ends is terminated.
)";
}

}  // namespace windriver
