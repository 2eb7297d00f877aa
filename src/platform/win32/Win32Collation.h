// The user locale's case-insensitive order on CompareStringW.
#pragma once

#include "platform/Collation.h"

namespace nesk {

class Win32Collation : public ICollation {
public:
    int CompareIgnoreCase(const std::wstring& a, const std::wstring& b) override;
};

}  // namespace nesk
