// Case-insensitive orders for the command tests: one like the user locale's for paths, and a
// coarser one that also ignores "-", as a real locale ignores some marks, so a test can tell
// whether merging follows the comparison it is given rather than a case fold of its own.
#pragma once

#include <cwctype>
#include <string>

#include "platform/Collation.h"

namespace nesk::testing {

class UpperCaseCollation : public ICollation {
public:
    explicit UpperCaseCollation(bool ignoreDashes = false) : ignoreDashes_(ignoreDashes) {}

    int CompareIgnoreCase(const std::wstring& a, const std::wstring& b) override
    {
        ++calls;
        std::wstring x = Key(a), y = Key(b);
        return x < y ? -1 : (x == y ? 0 : 1);
    }

    long long calls = 0;

private:
    std::wstring Key(const std::wstring& text) const
    {
        std::wstring key;
        for (wchar_t ch : text)
            if (!(ignoreDashes_ && ch == L'-'))
                key.push_back(static_cast<wchar_t>(std::towupper(ch)));
        return key;
    }

    bool ignoreDashes_;
};

}  // namespace nesk::testing
