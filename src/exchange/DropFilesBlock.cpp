#include "exchange/DropFilesBlock.h"

#include "platform/Services.h"
#include "platform/Unicode.h"

namespace nesk {
namespace {

uint32_t ReadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void WriteU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void ReadWideNames(const uint8_t* names, size_t bytes, std::vector<std::wstring>& out)
{
    size_t units = bytes / 2;  // an odd last byte is not a whole character
    std::u16string name;
    for (size_t i = 0; i < units; ++i) {
        auto unit = static_cast<char16_t>(names[2 * i] | names[2 * i + 1] << 8);
        if (unit != 0) {
            name.push_back(unit);
            continue;
        }
        if (name.empty())
            return;
        out.push_back(FromUtf16(name));
        name.clear();
    }
}

void ReadAnsiNames(const uint8_t* names, size_t bytes, std::vector<std::wstring>& out)
{
    size_t start = 0;
    for (size_t i = 0; i < bytes; ++i) {
        if (names[i] != 0)
            continue;
        if (i == start)
            return;
        out.push_back(CodePage().Decode(std::string(reinterpret_cast<const char*>(names + start), i - start)));
        start = i + 1;
    }
}

}  // namespace

DropFilesContent ParseDropFiles(const uint8_t* data, size_t size)
{
    DropFilesContent content;
    if (!data || size < kDropFilesHeaderSize)
        return content;
    uint32_t offset = ReadU32(data);
    if (offset < kDropFilesHeaderSize || offset > size)
        return content;
    content.valid = true;
    content.point = {static_cast<int32_t>(ReadU32(data + 4)), static_cast<int32_t>(ReadU32(data + 8))};
    content.nonClient = ReadU32(data + 12) != 0;
    bool wide = ReadU32(data + 16) != 0;
    if (wide)
        ReadWideNames(data + offset, size - offset, content.names);
    else
        ReadAnsiNames(data + offset, size - offset, content.names);
    return content;
}

std::vector<uint8_t> BuildDropFiles(const std::vector<std::wstring>& names, DropPoint point, bool nonClient)
{
    std::vector<uint8_t> block;
    WriteU32(block, kDropFilesHeaderSize);
    WriteU32(block, static_cast<uint32_t>(point.x));
    WriteU32(block, static_cast<uint32_t>(point.y));
    WriteU32(block, nonClient ? 1 : 0);
    WriteU32(block, 1);
    for (const auto& name : names) {
        AppendUtf16(block, name, false);
        block.insert(block.end(), {0, 0});
    }
    block.insert(block.end(), {0, 0});
    return block;
}

DropPoint DropPointFromLParam(uint32_t lParam)
{
    return {static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>(lParam >> 16)};
}

}  // namespace nesk
