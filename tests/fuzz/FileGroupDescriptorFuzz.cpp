// File group descriptors from other programs: the item count is theirs, the block size is real.
#include "fuzz/FuzzPlatform.h"
#include "ole/ClipboardBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    nesk::fuzz::InstallFakePlatform();
    if (size == 0)
        return 0;
    bool wide = data[0] & 1;
    // The block without the selector byte, in a buffer of its exact size, so a read past it is caught.
    std::vector<uint8_t> block(data + 1, data + size);
    auto descriptor = nesk::ReadFileGroupDescriptor(block.data(), block.size(), wide);
    if (descriptor && descriptor->count > 0) {
        size_t itemSize = wide ? nesk::kWideFileDescriptorSize : nesk::kAnsiFileDescriptorSize;
        if (4 + static_cast<uint64_t>(descriptor->count) * itemSize > block.size())
            __builtin_trap();  // accepted a count the block cannot hold
    }
    return 0;
}
