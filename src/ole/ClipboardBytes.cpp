#include "ole/ClipboardBytes.h"

#include <algorithm>

#include "platform/Services.h"
#include "platform/Unicode.h"

namespace nesk {
namespace {

constexpr size_t kDescriptorNameOffset = 72;  // dwFlags, clsid, sizel, pointl, attributes, 3 times, sizes
constexpr size_t kDescriptorSizeLowOffset = 68;
constexpr size_t kMaxPath = 260;

uint32_t U32At(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void PutU32(uint8_t* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

void AppendU32(FormatBytes& out, uint32_t value)
{
    uint8_t bytes[4];
    PutU32(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
}

}  // namespace

FormatBytes DwordBytes(uint32_t value)
{
    FormatBytes bytes(4);
    PutU32(bytes.data(), value);
    return bytes;
}

std::optional<uint32_t> ReadDword(const uint8_t* data, size_t size)
{
    if (!data || size < 4)
        return std::nullopt;
    return U32At(data);
}

std::optional<FormatBytes> ReadClsid(const uint8_t* data, size_t size)
{
    if (!data || size != kClsidSize)
        return std::nullopt;
    return FormatBytes(data, data + size);
}

FormatBytes AnsiTextBytes(const std::string& text)
{
    FormatBytes bytes(text.begin(), text.end());
    if (bytes.empty() || bytes.back() != 0)
        bytes.push_back(0);
    return bytes;
}

std::string ReadAnsiText(const uint8_t* data, size_t size, bool trimZeroes)
{
    if (!data)
        return {};
    const uint8_t* end = data + size;
    if (trimZeroes)
        end = std::find(data, end, uint8_t{0});
    return std::string(reinterpret_cast<const char*>(data), static_cast<size_t>(end - data));
}

FormatBytes UnicodeTextBytes(const std::wstring& text)
{
    FormatBytes bytes;
    AppendUtf16(bytes, text, false);
    if (bytes.size() < 2 || bytes[bytes.size() - 1] != 0 || bytes[bytes.size() - 2] != 0)
        bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

std::wstring ReadUnicodeText(const uint8_t* data, size_t size)
{
    if (!data)
        return {};
    size_t units = size / 2;
    size_t length = 0;
    while (length < units && (data[2 * length] | data[2 * length + 1]) != 0)
        ++length;
    return DecodeUtf16(data, 2 * length, false);
}

FormatBytes NameListBytes(const std::vector<std::wstring>& names, bool wide)
{
    FormatBytes bytes;
    for (const auto& name : names) {
        if (wide) {
            AppendUtf16(bytes, name, false);
            bytes.insert(bytes.end(), {0, 0});
        } else {
            std::string ansi;
            CodePage().Encode(name, &ansi);
            bytes.insert(bytes.end(), ansi.begin(), ansi.end());
            bytes.push_back(0);
        }
    }
    bytes.insert(bytes.end(), wide ? 2 : 1, 0);
    return bytes;
}

FormatBytes FileGroupDescriptorBytes(const std::string& fileName, uint32_t fileSize, bool wide)
{
    size_t itemSize = wide ? kWideFileDescriptorSize : kAnsiFileDescriptorSize;
    FormatBytes bytes(4 + itemSize, 0);
    PutU32(bytes.data(), 1);
    uint8_t* item = bytes.data() + 4;
    PutU32(item, kFdLinkUI | kFdFileSize);
    PutU32(item + kDescriptorSizeLowOffset, fileSize);
    uint8_t* name = item + kDescriptorNameOffset;
    if (wide) {
        FormatBytes units;
        AppendUtf16(units, CodePage().Decode(fileName), false);
        std::copy_n(units.begin(), std::min(units.size(), 2 * (kMaxPath - 1)), name);
    } else {
        std::copy_n(fileName.begin(), std::min(fileName.size(), kMaxPath - 1), name);
    }
    return bytes;
}

std::optional<FileGroupDescriptor> ReadFileGroupDescriptor(const uint8_t* data, size_t size, bool wide)
{
    if (!data || size < 4)
        return std::nullopt;
    uint64_t itemSize = wide ? kWideFileDescriptorSize : kAnsiFileDescriptorSize;
    FileGroupDescriptor descriptor;
    descriptor.count = U32At(data);
    if (4 + descriptor.count * itemSize > size)
        return std::nullopt;
    if (descriptor.count == 0)
        return descriptor;
    const uint8_t* name = data + 4 + kDescriptorNameOffset;
    if (wide) {
        descriptor.firstName = ReadUnicodeText(name, 2 * kMaxPath);
    } else {
        descriptor.firstName = CodePage().Decode(ReadAnsiText(name, kMaxPath));
    }
    return descriptor;
}

FormatBytes BuildCida(const std::vector<FormatBytes>& idLists)
{
    FormatBytes bytes;
    if (idLists.empty())
        return bytes;
    AppendU32(bytes, static_cast<uint32_t>(idLists.size() - 1));
    size_t offset = 4 * (idLists.size() + 1);
    for (const auto& list : idLists) {
        AppendU32(bytes, static_cast<uint32_t>(offset));
        offset += list.size();
    }
    for (const auto& list : idLists)
        bytes.insert(bytes.end(), list.begin(), list.end());
    return bytes;
}

std::optional<std::vector<FormatBytes>> ParseCida(const uint8_t* data, size_t size)
{
    if (!data || size < 4)
        return std::nullopt;
    uint64_t lists = static_cast<uint64_t>(U32At(data)) + 1;
    if (4 * (lists + 1) > size)
        return std::nullopt;
    std::vector<FormatBytes> result;
    for (uint64_t i = 0; i < lists; ++i) {
        size_t start = U32At(data + 4 + 4 * i);
        size_t at = start;
        while (true) {
            if (at > size || size - at < 2)
                return std::nullopt;
            size_t cb = data[at] | data[at + 1] << 8;
            if (cb == 0)
                break;
            if (cb < 2 || cb > size - at)
                return std::nullopt;
            at += cb;
        }
        result.emplace_back(data + start, data + at + 2);
    }
    return result;
}

}  // namespace nesk
