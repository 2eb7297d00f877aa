// The byte layouts of the simple clipboard formats: what a drag source puts into a medium and
// what a drop target takes out of one. Readers get bytes from other programs and trust
// nothing in them but their real size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nesk {

using FormatBytes = std::vector<uint8_t>;

// Drop-effect values ("Preferred DropEffect", "Performed DropEffect", ...): four bytes.
FormatBytes DwordBytes(uint32_t value);
// The first four bytes of a block of at least four.
std::optional<uint32_t> ReadDword(const uint8_t* data, size_t size);

// "TargetCLSID": exactly 16 bytes both ways.
constexpr size_t kClsidSize = 16;
std::optional<FormatBytes> ReadClsid(const uint8_t* data, size_t size);

// 8-bit text (CF_TEXT, "UniformResourceLocator", "FileName"): the string and a terminating
// zero, unless its last byte already is one.
FormatBytes AnsiTextBytes(const std::string& text);
// The whole block, cut at the first zero byte when `trimZeroes`.
std::string ReadAnsiText(const uint8_t* data, size_t size, bool trimZeroes = true);

// UTF-16 text ("FileNameW", "UniformResourceLocatorW"): the text and a terminating zero unless
// it ends in one already.
FormatBytes UnicodeTextBytes(const std::wstring& text);
// size / 2 code units, cut at the first zero.
std::wstring ReadUnicodeText(const uint8_t* data, size_t size);

// Names each with its zero, then one more zero ("FileNameMapW", "FileNameMap").
FormatBytes NameListBytes(const std::vector<std::wstring>& names, bool wide);

// FILEGROUPDESCRIPTORA / W: a 32-bit item count, then that many FILEDESCRIPTORs.
constexpr size_t kAnsiFileDescriptorSize = 332;
constexpr size_t kWideFileDescriptorSize = 592;
constexpr uint32_t kFdFileSize = 0x40;
constexpr uint32_t kFdLinkUI = 0x8000;
// One item with the flags FD_LINKUI | FD_FILESIZE, the size and the name (8-bit; the wide
// form widens it through the ANSI code page); every other field zero. A name longer than the
// descriptor's 260 characters is cut so its terminator fits.
FormatBytes FileGroupDescriptorBytes(const std::string& fileName, uint32_t fileSize, bool wide);
struct FileGroupDescriptor {
    uint32_t count = 0;
    std::wstring firstName;  // empty when count is 0
};
// Nothing unless the block holds every item its count announces.
std::optional<FileGroupDescriptor> ReadFileGroupDescriptor(const uint8_t* data, size_t size, bool wide);

// "Shell IDList Array" (CIDA): the count of items, an offset per identifier list, then the
// lists. `idLists[0]` is the parent folder; each list is given with its two-byte terminator.
FormatBytes BuildCida(const std::vector<FormatBytes>& idLists);
// The lists (parent first), each checked to end with its terminator inside the block.
std::optional<std::vector<FormatBytes>> ParseCida(const uint8_t* data, size_t size);

}  // namespace nesk
