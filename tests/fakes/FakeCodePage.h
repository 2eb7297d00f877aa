// A small stand-in for the ANSI code page: a few characters of code page 932, so tests that
// pass here also hold under a Japanese Windows.
//
// Bytes 0x00-0x7F are ASCII. Mapped beyond that (the same bytes as in code page 932):
//   U+3042 あ = 82 A0     U+3044 い = 82 A2     U+65E5 日 = 93 FA     U+672C 本 = 96 7B
//   U+FF71 ｱ  = B1 (half-width katakana, one byte)
// Decode: any other byte (or a lead byte 82/93/96 without a known trail byte) becomes U+30FB
// "・", as Windows does for undecodable bytes in code page 932; a lone lead byte at the end too.
// Encode: any other character becomes "?" and Encode returns false (lossy).
// `decodeCalls` and `encodeCalls` count the calls.
#pragma once

#include "platform/CodePage.h"

namespace nesk::fakes {

class FakeCodePage : public ICodePage {
public:
    std::wstring Decode(const std::string& bytes) override;
    bool Encode(const std::wstring& text, std::string* out) override;

    int decodeCalls = 0;
    int encodeCalls = 0;
};

}  // namespace nesk::fakes
