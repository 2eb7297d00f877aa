// Program entry: the data folder, the main window, the message loop.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "app/DataFolder.h"
#include "app/MainForm.h"
#include "platform/win32/Win32Services.h"

namespace {

// Only the first argument counts; CommandLineToArgvW copes with any length.
bool FirstArgument(std::wstring* argument)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return false;
    bool present = count >= 2;
    if (present)
        *argument = arguments[1];
    LocalFree(arguments);
    return present;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int showCommand)
{
    nesk::InstallWin32Services();
    if (!nesk::CreateDataFolder(L"Nesk"))
        return 0;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    std::wstring argument;
    bool hasArgument = FirstArgument(&argument);
    std::unique_ptr<nesk::TMainForm> form(nesk::TMainForm::Create(argument, hasArgument, showCommand));
    if (!form)
        return 0;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form->PreTranslateMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
