// The two calls through which the list's items leave the program: the shell's launch and the
// message box that reports a failed one. Replaceable, so tests can watch them without
// starting programs or stopping at a modal box.
#pragma once

#include <windows.h>

namespace nesk {

struct ShellActions {
    HINSTANCE(WINAPI* execute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    int(WINAPI* messageBox)(HWND, LPCWSTR, LPCWSTR, UINT);
};

ShellActions& Shell();

}  // namespace nesk
