#include "fakes/FakeCollation.h"

#include <cwctype>

namespace nesk::fakes {

namespace {

wchar_t Upper(wchar_t c)
{
    if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - L'a' + L'A');
    return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
}

}  // namespace

int FakeCollation::CompareIgnoreCase(const std::wstring& a, const std::wstring& b)
{
    ++calls;
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        wchar_t x = Upper(a[i]), y = Upper(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace nesk::fakes
