#include "exchange/win32/DropHandle.h"

#include "platform/win32/Handles.h"

namespace nesk {

DropFilesContent ReadDropHandle(HANDLE handle)
{
    if (!handle)
        return {};
    SIZE_T size = GlobalSize(handle);
    if (size == 0)
        return {};
    GlobalLocked<const uint8_t> data(handle);
    if (!data)
        return {};
    return ParseDropFiles(data.Get(), size);
}

}  // namespace nesk
