// CF_HDROP blocks from other programs, Wine's malformed ones for browser links among them.
#include "exchange/DropFilesBlock.h"
#include "fuzz/FuzzPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    nesk::fuzz::InstallFakePlatform();
    std::vector<uint8_t> block(data, data + size);
    nesk::DropFilesContent content = nesk::ParseDropFiles(block.data(), block.size());
    if (!content.valid && !content.names.empty())
        __builtin_trap();  // names from a block that was judged unreadable
    return 0;
}
