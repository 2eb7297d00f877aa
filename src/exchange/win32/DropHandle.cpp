#include "exchange/win32/DropHandle.h"

namespace nesk {

DropFilesContent ReadDropHandle(HANDLE handle)
{
    if (!handle)
        return {};
    SIZE_T size = GlobalSize(handle);
    if (size == 0)
        return {};
    auto* data = static_cast<const uint8_t*>(GlobalLock(handle));
    if (!data)
        return {};
    DropFilesContent content = ParseDropFiles(data, size);
    GlobalUnlock(handle);
    return content;
}

}  // namespace nesk
