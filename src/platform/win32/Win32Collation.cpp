#include "platform/win32/WinApi.h"

#include "platform/win32/Win32Collation.h"

namespace nesk {

int Win32Collation::CompareIgnoreCase(const std::wstring& a, const std::wstring& b)
{
    int r = ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                             static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
    if (r != 0) return r - CSTR_EQUAL;
    // The call only fails on bad arguments; an ordinal answer keeps sorting total.
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

}  // namespace nesk
