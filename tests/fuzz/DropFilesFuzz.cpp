// Any bytes as a DROPFILES block, as a drop handle or the clipboard's file list hands it over:
// read within the block's size only. The names read are whole (no NUL inside, none empty), and
// a block built from them reads back as the same names.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "exchange/DropFilesBlock.h"
#include "fuzz/FuzzPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace nesk;
    fuzz::Platform();
    // A copy of exactly this size, so any read past the block is caught.
    std::unique_ptr<uint8_t[]> block(new uint8_t[size ? size : 1]);
    if (size) std::memcpy(block.get(), data, size);

    DropFilesContent content = ParseDropFiles(block.get(), size);
    if (!content.valid) {
        FUZZ_CHECK(content.names.empty());
        return 0;
    }
    for (const std::wstring& name : content.names) {
        FUZZ_CHECK(!name.empty());
        FUZZ_CHECK(name.find(L'\0') == std::wstring::npos);
    }
    std::vector<uint8_t> rebuilt = BuildDropFiles(content.names, content.point, content.nonClient);
    DropFilesContent again = ParseDropFiles(rebuilt.data(), rebuilt.size());
    FUZZ_CHECK(again.valid);
    FUZZ_CHECK(again.names == content.names);
    FUZZ_CHECK(again.point == content.point);
    FUZZ_CHECK(again.nonClient == content.nonClient);
    return 0;
}
