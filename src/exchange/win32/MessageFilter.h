// Lets the shell's drop messages through the message filter of an elevated window.
#pragma once

#include <windows.h>

namespace nesk {

// Windows drops messages from less privileged processes (the file manager) at an elevated
// window unless it lets them through: WM_DROPFILES, WM_COPYDATA and the shell's
// copy-global-data message. The call is looked up at run time, so the program still starts
// where it is missing; false then, or when the system refused a message.
bool LetDropMessagesThrough(HWND window);

}  // namespace nesk
