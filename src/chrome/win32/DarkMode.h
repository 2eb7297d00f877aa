// The dark look where Windows itself draws: scroll bars of our controls and popup menus.
#pragma once

#include <windows.h>

namespace nesk {

// Asks Windows 10 (1903 and later) for dark popup menus in this process; elsewhere nothing.
void AllowDarkMenus();
// Dark scroll bars for a control, where the system has the dark Explorer style.
void UseDarkScrollBars(HWND control);

}  // namespace nesk
