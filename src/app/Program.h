// The program from entry to end: the component modules, the data folder, the main window and
// its message loop, and the modules' shutdown after the window is gone.
#pragma once

#include <optional>
#include <string>

namespace nesk {

// `argument` is the first command-line argument, if there is one. Answers the exit code.
int RunProgram(const std::optional<std::wstring>& argument, int showCommand);

}  // namespace nesk
