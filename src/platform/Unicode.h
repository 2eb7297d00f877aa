// Conversions between std::wstring and the UTF-8 and UTF-16 byte forms of files and data
// formats. On Windows wchar_t is a UTF-16 code unit; in the native build it is a code point,
// so surrogate pairs are split and joined here.
//
// Damaged input never stops a conversion:
// - UTF-16: a surrogate without its partner is kept as that one code unit (so it is written
//   back exactly as read); an odd last byte is left out (a code unit needs two bytes).
// - UTF-8: each malformed sequence becomes U+FFFD; encoding a lone surrogate writes U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nesk {

// The Append functions leave reserving to the caller, who knows the whole size.
std::wstring DecodeUtf16(const uint8_t* data, size_t size, bool bigEndian);
void AppendUtf16(std::vector<uint8_t>& out, const std::wstring& text, bool bigEndian);
std::u16string ToUtf16(const std::wstring& text);
std::wstring FromUtf16(const std::u16string& units);

std::wstring DecodeUtf8(const uint8_t* data, size_t size);
void AppendUtf8(std::vector<uint8_t>& out, const std::wstring& text);

}  // namespace nesk
