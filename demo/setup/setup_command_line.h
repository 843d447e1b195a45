#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the setup understands of its raw command line, e.g.
//   ` /verysilent /Tarvenix /path="C:\Program Files (x86)"`
// The caller passes no program name, and a drive root arrives as
// /path="D:\" - so no argv-style unescaping may be applied.
struct SetupCommandLine {
    bool verySilent = false;
    std::optional<std::wstring> folder;  // text between /path=" and the next "
};

SetupCommandLine parseSetupCommandLine(std::wstring_view raw);
