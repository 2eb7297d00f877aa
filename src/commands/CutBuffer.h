// The cut buffer file shared by every window of the data folder: the last cut, highest row first.
#pragma once

#include <string>

#include "commands/ItemCommands.h"

namespace nesk {

// Replaces the file; throws FileError when it cannot be written (nothing is cut then).
void SaveCutBuffer(const std::wstring& path, const ItemTexts& buffer);
// Replaces `buffer` by the file's lines when the file exists, whatever its encoding; leaves it
// alone when there is no file. Throws FileError when the file is there but cannot be read.
void LoadCutBuffer(const std::wstring& path, ItemTexts& buffer);

}  // namespace nesk
