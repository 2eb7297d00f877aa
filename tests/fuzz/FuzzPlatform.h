// The fake system services every fuzz target runs on, installed once per process.
//
//   extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
//       nesk::fuzz::FuzzPlatform& platform = nesk::fuzz::Platform();  // platform.fs, ...
//       ...
//   }
//
// FUZZ_CHECK(condition) aborts with the condition's text, so libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "fakes/FakeCodePage.h"
#include "fakes/FakeCollation.h"
#include "fakes/FakeFileSystem.h"
#include "platform/Services.h"

namespace nesk::fuzz {

struct FuzzPlatform {
    fakes::FakeFileSystem fs;
    fakes::FakeCodePage codePage;
    fakes::FakeCollation collation;
};

inline FuzzPlatform& Platform()
{
    static FuzzPlatform* platform = [] {
        auto* p = new FuzzPlatform();
        nesk::Platform().fileSystem = &p->fs;
        nesk::Platform().codePage = &p->codePage;
        nesk::Platform().collation = &p->collation;
        return p;
    }();
    return *platform;
}

}  // namespace nesk::fuzz

#define FUZZ_CHECK(condition)                                                            \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                \
        }                                                                                \
    } while (0)
