// The user locale's case-insensitive order (CompareStringW with NORM_IGNORECASE on Windows).
#pragma once

#include <string>

namespace nesk {

class ICollation {
public:
    virtual ~ICollation() = default;
    // <0, 0 or >0, as CompareStringW minus 2.
    virtual int CompareIgnoreCase(const std::wstring& a, const std::wstring& b) = 0;
};

}  // namespace nesk
