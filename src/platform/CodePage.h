// The system's ANSI code page, behind an interface so tests can fake it.
#pragma once

#include <string>

namespace nesk {

class ICodePage {
public:
    virtual ~ICodePage() = default;
    virtual std::wstring Decode(const std::string& bytes) = 0;
    // False when some character has no representation in the code page (out is then lossy).
    virtual bool Encode(const std::wstring& text, std::string* out) = 0;
};

}  // namespace nesk
