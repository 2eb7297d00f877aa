#include "platform/win32/WinApi.h"

#include "platform/win32/Win32CodePage.h"

namespace nesk {

namespace {

bool HasLoneSurrogate(const std::wstring& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::wstring Win32CodePage::Decode(const std::string& bytes)
{
    if (bytes.empty()) return std::wstring();
    int size = static_cast<int>(bytes.size());
    int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(), n);
    return out;
}

bool Win32CodePage::Encode(const std::wstring& text, std::string* out)
{
    out->clear();
    if (text.empty()) return true;
    int size = static_cast<int>(text.size());
    // With the system set to UTF-8 the call refuses the loss report; only a lone surrogate can
    // then be lost.
    if (::GetACP() == CP_UTF8) {
        int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
        out->resize(static_cast<size_t>(n));
        if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out->data(), n, nullptr, nullptr);
        return !HasLoneSurrogate(text);
    }
    // No best fit: "é" must not quietly become "e" in a path; it counts as lost instead.
    BOOL usedDefault = FALSE;
    int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0,
                                  nullptr, &usedDefault);
    out->resize(static_cast<size_t>(n));
    usedDefault = FALSE;
    if (n > 0)
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, out->data(), n,
                              nullptr, &usedDefault);
    return n > 0 && !usedDefault;
}

}  // namespace nesk
