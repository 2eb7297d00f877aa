// Reading a drop handle (HDROP, CF_HDROP data) that may come from anywhere.
#pragma once

#include <windows.h>

#include "exchange/DropFilesBlock.h"

namespace nesk {

// Reads the block within the size the memory manager reports for the handle. A handle that
// is no global memory block at all gives an invalid, empty content; so does one too short
// for the header. The shell's DragQuery* calls trust the block (and Wine's DragQueryPoint
// crashes on a foreign handle), so they are not used.
DropFilesContent ReadDropHandle(HANDLE handle);

}  // namespace nesk
