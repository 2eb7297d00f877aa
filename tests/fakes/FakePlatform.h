// Installs the fakes into Platform() for the life of one object and puts back what was there.
//
//   TEST(Foo, Bar) {
//       nesk::fakes::ScopedFakePlatform fake;   // fake.fs, fake.codePage, fake.collation
//       fake.fs.AddFile(L"C:\\a.txt", "x");
//       ...
//   }
//
// or derive a fixture from FakePlatformTest and use `fake` the same way. Each object starts
// from fresh fakes and a reset redirection switch (FakeRedirection.h). Code that remembers
// things per process (the encodings of the small data-folder files) keeps its own reset
// functions; call them in tests that depend on a fresh process.
#pragma once

#include <gtest/gtest.h>

#include "fakes/FakeCodePage.h"
#include "fakes/FakeCollation.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeRedirection.h"
#include "platform/Services.h"

namespace nesk::fakes {

class ScopedFakePlatform {
public:
    ScopedFakePlatform();
    ~ScopedFakePlatform();
    ScopedFakePlatform(const ScopedFakePlatform&) = delete;
    ScopedFakePlatform& operator=(const ScopedFakePlatform&) = delete;

    FakeFileSystem fs;
    FakeCodePage codePage;
    FakeCollation collation;

private:
    Services saved_;
};

class FakePlatformTest : public ::testing::Test {
protected:
    ScopedFakePlatform fake;
};

}  // namespace nesk::fakes
