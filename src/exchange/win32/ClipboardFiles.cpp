#include "exchange/win32/ClipboardFiles.h"

#include <system_error>

#include "exchange/win32/DropHandle.h"
#include "platform/win32/Handles.h"

namespace nesk {

std::vector<std::wstring> ReadClipboardFileNames(HWND owner)
{
    if (!IsClipboardFormatAvailable(CF_HDROP))
        return {};
    OpenedClipboard clipboard(owner);
    if (!clipboard.Opened())
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "OpenClipboard");
    // Names are taken whole, whatever their length: a name cut to a fixed buffer would be a
    // path to somewhere else or nowhere.
    return ReadDropHandle(GetClipboardData(CF_HDROP)).names;
}

}  // namespace nesk
