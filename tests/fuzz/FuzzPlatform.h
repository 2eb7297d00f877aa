// What every fuzz target runs on: the fake Japanese code page and an in-memory file system,
// installed once for the life of the fuzzing process.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <vector>

#include "fakes/FakeCodePage.h"
#include "fakes/FakeCollation.h"
#include "fakes/FakeFileSystem.h"
#include "platform/Services.h"

// Aborts with the condition's text, so libFuzzer keeps the input that broke a round trip.
#define FUZZ_CHECK(condition)                                               \
    do {                                                                    \
        if (!(condition)) {                                                 \
            std::fprintf(stderr, "check failed: %s\n", #condition);       \
            std::abort();                                                   \
        }                                                                   \
    } while (false)

namespace nesk::fuzz {

inline fakes::FakeFileSystem& InstallFakePlatform()
{
    static fakes::FakeFileSystem fs;
    static fakes::FakeCodePage codePage;
    static fakes::FakeCollation collation;
    static bool installed = [] {
        Platform() = Services{&fs, &codePage, &collation};
        return true;
    }();
    (void)installed;
    return fs;
}

// Takes the input apart: a byte, or a 16-bit length followed by that many bytes (as many as
// are left when the length runs past the end).
class InputCursor {
public:
    InputCursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
    std::vector<uint8_t> Block()
    {
        size_t length = Byte();
        length |= static_cast<size_t>(Byte()) << 8;
        length = length < size_ - at_ ? length : size_ - at_;
        std::vector<uint8_t> block(data_ + at_, data_ + at_ + length);
        at_ += length;
        return block;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace nesk::fuzz
