#include "app/Program.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/ComponentModules.h"
#include "app/DataFolder.h"
#include "app/MainForm.h"
#include "platform/win32/Win32Services.h"

namespace nesk {

int RunProgram(const std::optional<std::wstring>& argument, int showCommand)
{
    InstallWin32Services();
    // Before anything else of ours runs, and stopped only once the window below is gone.
    ComponentModules modules;
    if (!CreateDataFolder(L"Nesk"))
        return 0;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    std::unique_ptr<TMainForm> form(
        TMainForm::Create(argument.value_or(std::wstring()), argument.has_value(), showCommand));
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

}  // namespace nesk
