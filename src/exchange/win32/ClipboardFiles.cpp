#include "exchange/win32/ClipboardFiles.h"

#include <system_error>

#include "exchange/win32/DropHandle.h"

namespace nesk {
namespace {

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner)
    {
        if (!OpenClipboard(owner))
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "OpenClipboard");
    }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

}  // namespace

std::vector<std::wstring> ReadClipboardFileNames(HWND owner)
{
    if (!IsClipboardFormatAvailable(CF_HDROP))
        return {};
    OpenedClipboard clipboard(owner);
    // Names are taken whole, whatever their length: a name cut to a fixed buffer would be a
    // path to somewhere else or nowhere.
    return ReadDropHandle(GetClipboardData(CF_HDROP)).names;
}

}  // namespace nesk
