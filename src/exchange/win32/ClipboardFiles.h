// The file list that the file manager put on the clipboard (CF_HDROP); read, never written.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace nesk {

// The names in the order the clipboard holds them, each whole; empty when the clipboard holds
// no file list. Throws std::system_error when the clipboard cannot be opened (another program
// holds it open).
std::vector<std::wstring> ReadClipboardFileNames(HWND owner);

}  // namespace nesk
