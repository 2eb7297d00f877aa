// The shell's DROPFILES block (what a drop handle and CF_HDROP hold), read and written as bytes.
// The block comes from other programs, so reading trusts nothing in it but its real size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nesk {

struct DropPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const DropPoint&) const = default;
};

struct DropFilesContent {
    // False when the bytes cannot be a DROPFILES block at all: shorter than its header, or
    // the names' offset lies inside the header or past the end.
    bool valid = false;
    DropPoint point;        // client coordinates of the drop window
    bool nonClient = false;  // the point lies in the window's frame
    std::vector<std::wstring> names;
};

constexpr size_t kDropFilesHeaderSize = 20;  // pFiles, pt.x, pt.y, fNC, fWide

// Takes every name that ends with its NUL inside the block, in block order; the list ends at
// the first empty name or where the block ends, and an unterminated remainder is ignored.
// Wide names are UTF-16LE; 8-bit names are in the ANSI code page.
DropFilesContent ParseDropFiles(const uint8_t* data, size_t size);

// A well-formed block with wide names, the final empty name included.
std::vector<uint8_t> BuildDropFiles(const std::vector<std::wstring>& names, DropPoint point = {},
                                    bool nonClient = false);

// The point packed in a message's lParam: X in the low 16 bits, Y in the high 16 bits, both signed.
DropPoint DropPointFromLParam(uint32_t lParam);

}  // namespace nesk
