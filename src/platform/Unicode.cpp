#include "platform/Unicode.h"

namespace nesk {

namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;
constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Calls `unit` with the UTF-16 code units of `text`, whatever the width of wchar_t.
template <typename F>
void ForEachUtf16Unit(const std::wstring& text, F unit)
{
    for (wchar_t wc : text) {
        char32_t c = static_cast<char32_t>(wc);
        if (kWideIsUtf16) {
            unit(static_cast<char16_t>(c & 0xFFFF));
        } else if (c > 0x10FFFF) {
            unit(static_cast<char16_t>(kReplacement));
        } else if (c > 0xFFFF) {
            c -= 0x10000;
            unit(static_cast<char16_t>(0xD800 + (c >> 10)));
            unit(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            unit(static_cast<char16_t>(c));
        }
    }
}

// Decodes a run of UTF-16 units given by `at(i)`, i < count.
template <typename At>
std::wstring DecodeUnits(size_t count, At at)
{
    std::wstring out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        char32_t u = at(i);
        if (!kWideIsUtf16 && IsHighSurrogate(u) && i + 1 < count && IsLowSurrogate(at(i + 1))) {
            char32_t low = at(++i);
            out += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        } else {
            out += static_cast<wchar_t>(u);
        }
    }
    return out;
}

void AppendCodePoint(std::wstring& out, char32_t c)
{
    if (kWideIsUtf16 && c > 0xFFFF) {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

}  // namespace

std::wstring DecodeUtf16(const uint8_t* data, size_t size, bool bigEndian)
{
    const size_t hi = bigEndian ? 0 : 1;
    const size_t lo = bigEndian ? 1 : 0;
    return DecodeUnits(size / 2, [&](size_t i) -> char32_t {
        return static_cast<char32_t>(data[2 * i + hi] << 8 | data[2 * i + lo]);
    });
}

void AppendUtf16(std::vector<uint8_t>& out, const std::wstring& text, bool bigEndian)
{
    ForEachUtf16Unit(text, [&](char16_t u) {
        uint8_t high = static_cast<uint8_t>(u >> 8), low = static_cast<uint8_t>(u & 0xFF);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
    });
}

std::u16string ToUtf16(const std::wstring& text)
{
    std::u16string out;
    out.reserve(text.size());
    ForEachUtf16Unit(text, [&](char16_t u) { out += u; });
    return out;
}

std::wstring FromUtf16(const std::u16string& units)
{
    return DecodeUnits(units.size(), [&](size_t i) -> char32_t { return units[i]; });
}

std::wstring DecodeUtf8(const uint8_t* data, size_t size)
{
    std::wstring out;
    out.reserve(size);
    size_t i = 0;
    while (i < size) {
        uint8_t b = data[i];
        if (b < 0x80) {
            out += static_cast<wchar_t>(b);
            ++i;
            continue;
        }
        size_t need;
        char32_t c;
        uint8_t min2 = 0x80, max2 = 0xBF;  // bounds of the second byte (no overlongs, no surrogates)
        if (b >= 0xC2 && b <= 0xDF) {
            need = 1;
            c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2;
            c = b & 0x0F;
            if (b == 0xE0) min2 = 0xA0;
            if (b == 0xED) max2 = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3;
            c = b & 0x07;
            if (b == 0xF0) min2 = 0x90;
            if (b == 0xF4) max2 = 0x8F;
        } else {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        size_t j = 1;
        for (; j <= need && i + j < size; ++j) {
            uint8_t t = data[i + j];
            uint8_t lo = j == 1 ? min2 : 0x80, hi = j == 1 ? max2 : 0xBF;
            if (t < lo || t > hi) break;
            c = (c << 6) | (t & 0x3F);
        }
        if (j <= need) {
            // A truncated or broken sequence: one replacement for the bytes taken so far.
            out += static_cast<wchar_t>(kReplacement);
            i += j;
            continue;
        }
        AppendCodePoint(out, c);
        i += need + 1;
    }
    return out;
}

void AppendUtf8(std::vector<uint8_t>& out, const std::wstring& text)
{
    auto put = [&](char32_t c) {
        if (c < 0x80) {
            out.push_back(static_cast<uint8_t>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<uint8_t>(0xC0 | (c >> 6)));
            out.push_back(static_cast<uint8_t>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<uint8_t>(0xE0 | (c >> 12)));
            out.push_back(static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<uint8_t>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<uint8_t>(0xF0 | (c >> 18)));
            out.push_back(static_cast<uint8_t>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<uint8_t>(0x80 | (c & 0x3F)));
        }
    };
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if (kWideIsUtf16 && IsHighSurrogate(c) && i + 1 < text.size() &&
            IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF) {
            c = kReplacement;
        }
        put(c);
    }
}

}  // namespace nesk
