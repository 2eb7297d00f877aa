// The user locale's case-insensitive order for tests: both texts upper-cased character by
// character (ASCII, then towupper) and compared by code unit. Good enough for paths and
// ASCII names; it knows nothing of a real locale's order of accents or kana.
#pragma once

#include "platform/Collation.h"

namespace nesk::fakes {

class FakeCollation : public ICollation {
public:
    int CompareIgnoreCase(const std::wstring& a, const std::wstring& b) override;

    int calls = 0;
};

}  // namespace nesk::fakes
