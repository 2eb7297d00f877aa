#include "commands/CutBuffer.h"

#include "list/TextFile.h"
#include "platform/Probes.h"

namespace nesk {

void SaveCutBuffer(const std::wstring& path, const ItemTexts& buffer)
{
    WriteSmallFile(path, buffer);
}

void LoadCutBuffer(const std::wstring& path, ItemTexts& buffer)
{
    if (ProbeFile(path))
        buffer = ReadSmallFile(path);
}

}  // namespace nesk
