// The system's ANSI code page (CP_ACP) on the real conversion calls.
#pragma once

#include "platform/CodePage.h"

namespace nesk {

class Win32CodePage : public ICodePage {
public:
    std::wstring Decode(const std::string& bytes) override;
    bool Encode(const std::wstring& text, std::string* out) override;
};

}  // namespace nesk
