// Window utilities for drops: the title of the window a drop came from, and bringing our
// window to the front although the system's foreground lock refuses that to a background process.
#pragma once

#include <windows.h>

#include <string>

namespace nesk {

// The title of a visible window, at most 259 characters, without trailing blanks and control
// characters; empty for an invisible window, one without a title, or no window.
std::wstring GetWindowTitle(HWND window);

// True when `window` is the foreground window afterwards.
bool ForceForegroundWindow(HWND window);

}  // namespace nesk
