// Program entry: the first command-line argument, then the program itself.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "app/Program.h"
#include "platform/win32/Handles.h"

namespace {

// Only the first argument counts; CommandLineToArgvW copes with any length.
std::optional<std::wstring> FirstArgument()
{
    int count = 0;
    nesk::UniqueLocal<LPWSTR> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!arguments || count < 2)
        return std::nullopt;
    return std::wstring(arguments.get()[1]);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int showCommand)
{
    return nesk::RunProgram(FirstArgument(), showCommand);
}
