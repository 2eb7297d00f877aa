#include "commands/win32/ShellActions.h"

#include <shellapi.h>

namespace nesk {

ShellActions& Shell()
{
    static ShellActions actions{ShellExecuteW, MessageBoxW};
    return actions;
}

}  // namespace nesk
