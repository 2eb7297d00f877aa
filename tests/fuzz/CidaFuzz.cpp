// "Shell IDList Array" blocks: counts, offsets and item sizes all come from the sender.
#include "fuzz/FuzzPlatform.h"
#include "ole/ClipboardBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    nesk::fuzz::InstallFakePlatform();
    std::vector<uint8_t> block(data, data + size);
    if (auto lists = nesk::ParseCida(block.data(), block.size())) {
        // What was read must build back into a block that reads the same.
        nesk::FormatBytes rebuilt = nesk::BuildCida(*lists);
        auto again = nesk::ParseCida(rebuilt.data(), rebuilt.size());
        if (!again || *again != *lists)
            __builtin_trap();
    }
    return 0;
}
