#include "fakes/FakeCodePage.h"

#include <cstdint>

namespace nesk::fakes {

namespace {

struct Mapping {
    wchar_t ch;
    uint8_t lead;
    uint8_t trail;  // 0 for a single-byte character
};

constexpr Mapping kMappings[] = {
    {L'\u3042', 0x82, 0xA0}, {L'\u3044', 0x82, 0xA2}, {L'\u65E5', 0x93, 0xFA},
    {L'\u672C', 0x96, 0x7B}, {L'\uFF71', 0xB1, 0x00},
};

constexpr wchar_t kUndecodable = L'\u30FB';

bool IsLeadByte(uint8_t b) { return b == 0x82 || b == 0x93 || b == 0x96; }

}  // namespace

std::wstring FakeCodePage::Decode(const std::string& bytes)
{
    ++decodeCalls;
    std::wstring out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        uint8_t b = static_cast<uint8_t>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<wchar_t>(b);
            continue;
        }
        wchar_t found = kUndecodable;
        if (IsLeadByte(b)) {
            if (i + 1 < bytes.size()) {
                uint8_t t = static_cast<uint8_t>(bytes[i + 1]);
                for (const Mapping& m : kMappings)
                    if (m.lead == b && m.trail == t) found = m.ch;
                ++i;  // a lead byte always takes the next byte with it
            }
        } else {
            for (const Mapping& m : kMappings)
                if (m.lead == b && m.trail == 0) found = m.ch;
        }
        out += found;
    }
    return out;
}

bool FakeCodePage::Encode(const std::wstring& text, std::string* out)
{
    ++encodeCalls;
    bool lossless = true;
    out->clear();
    out->reserve(text.size());
    for (wchar_t c : text) {
        if (static_cast<uint32_t>(c) < 0x80) {
            *out += static_cast<char>(c);
            continue;
        }
        const Mapping* hit = nullptr;
        for (const Mapping& m : kMappings)
            if (m.ch == c) hit = &m;
        if (!hit) {
            *out += '?';
            lossless = false;
            continue;
        }
        *out += static_cast<char>(hit->lead);
        if (hit->trail) *out += static_cast<char>(hit->trail);
    }
    return lossless;
}

}  // namespace nesk::fakes
