// Reading DROPFILES blocks that other programs built, well or badly.
#include <gtest/gtest.h>

#include <memory>

#include "exchange/DropFilesBlock.h"
#include "fakes/FakePlatform.h"

namespace nesk {
namespace {

using Names = std::vector<std::wstring>;
using Bytes = std::vector<uint8_t>;

// Parses from a heap buffer of exactly `size` bytes, so a read past the block is caught by
// the address sanitizer (asan preset) instead of landing in a vector's spare capacity.
DropFilesContent ParseExact(const Bytes& bytes, size_t size)
{
    std::unique_ptr<uint8_t[]> exact(new uint8_t[size ? size : 1]);
    std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), exact.get());
    return ParseDropFiles(exact.get(), size);
}

DropFilesContent ParseExact(const Bytes& bytes) { return ParseExact(bytes, bytes.size()); }

Bytes Header(uint32_t offset, bool wide = true)
{
    Bytes bytes(kDropFilesHeaderSize, 0);
    bytes[0] = static_cast<uint8_t>(offset);
    bytes[1] = static_cast<uint8_t>(offset >> 8);
    bytes[16] = wide ? 1 : 0;
    return bytes;
}

Bytes Wide(const std::wstring& text)
{
    Bytes bytes;
    for (wchar_t ch : text) {
        bytes.push_back(static_cast<uint8_t>(ch));
        bytes.push_back(static_cast<uint8_t>(ch >> 8));
    }
    return bytes;
}

Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class DropFilesBlock : public fakes::FakePlatformTest {};

TEST_F(DropFilesBlock, WellFormedBlockGivesNamesPointAndFrameFlag)
{
    Bytes block = BuildDropFiles({L"C:\\a.txt", L"D:\\日本語\\フォルダ"}, {-5, 300}, true);
    DropFilesContent content = ParseExact(block);
    EXPECT_TRUE(content.valid);
    EXPECT_EQ(content.names, (Names{L"C:\\a.txt", L"D:\\日本語\\フォルダ"}));
    EXPECT_EQ(content.point, (DropPoint{-5, 300}));
    EXPECT_TRUE(content.nonClient);
}

TEST_F(DropFilesBlock, MalformedBlocksGiveOnlyWholeNames)
{
    struct Case {
        const char* name;
        Bytes bytes;
        bool valid;
        Names names;
    } cases[] = {
        {"shorter than the header", Bytes(kDropFilesHeaderSize - 1, 0), false, {}},
        {"offset inside the header", Concat(Header(4), Wide(std::wstring(L"a\0\0", 3))), false, {}},
        {"offset past the end", Concat(Header(400), Wide(L"a")), false, {}},
        {"offset at the very end", Header(kDropFilesHeaderSize), true, {}},
        {"zero names", Concat(Header(20), Wide(std::wstring(1, L'\0'))), true, {}},
        {"missing final terminator", Concat(Header(20), Wide(std::wstring(L"a\0b\0", 4))), true, {L"a", L"b"}},
        {"last name runs into the end", Concat(Header(20), Wide(std::wstring(L"a\0bc", 4))), true, {L"a"}},
        {"no terminator at all", Concat(Header(20), Wide(L"abc")), true, {}},
        {"odd byte after a name", Concat(Concat(Header(20), Wide(std::wstring(L"a\0", 2))), Bytes{'b'}), true, {L"a"}},
        {"empty name ends the list", Concat(Header(20), Wide(std::wstring(L"a\0\0b\0\0", 6))), true, {L"a"}},
        {"names after a gap", Concat(Concat(Header(24), Bytes{9, 9, 9, 9}), Wide(std::wstring(L"x\0\0", 3))), true, {L"x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DropFilesContent content = ParseExact(c.bytes);
        EXPECT_EQ(content.valid, c.valid);
        EXPECT_EQ(content.names, c.names);
    }
}

TEST_F(DropFilesBlock, EveryTruncationGivesALeadingPartOfTheNames)
{
    Names names{L"C:\\first", L"C:\\second folder\\file.txt", L"Z:\\third"};
    Bytes block = BuildDropFiles(names);
    for (size_t size = 0; size <= block.size(); ++size) {
        SCOPED_TRACE(size);
        Names got = ParseExact(block, size).names;
        ASSERT_LE(got.size(), names.size());
        EXPECT_TRUE(std::equal(got.begin(), got.end(), names.begin()));
    }
}

TEST_F(DropFilesBlock, ManyNamesAndVeryLongNamesAreReadWhole)
{
    Names many;
    for (int i = 0; i < 5000; ++i)
        many.push_back(L"C:\\files\\" + std::to_wstring(i) + L".txt");
    EXPECT_EQ(ParseExact(BuildDropFiles(many)).names, many);

    Names longNames{L"\\\\?\\C:\\" + std::wstring(32000, L'x'), std::wstring(32000, L'y')};
    EXPECT_EQ(ParseExact(BuildDropFiles(longNames)).names, longNames);
}

TEST_F(DropFilesBlock, NarrowNamesAreInTheAnsiCodePage)
{
    // "C:\日本" in code page 932, then a second name, then the final terminator.
    Bytes names{'C', ':', '\\', 0x93, 0xFA, 0x96, 0x7B, 0, 'D', ':', '\\', 0, 0};
    DropFilesContent content = ParseExact(Concat(Header(20, false), names));
    EXPECT_EQ(content.names, (Names{L"C:\\日本", L"D:\\"}));

    Bytes unterminated{'C', ':', '\\', 'a', 0, 'C', ':'};
    EXPECT_EQ(ParseExact(Concat(Header(20, false), unterminated)).names, (Names{L"C:\\a"}));
}

TEST(DropPointFromLParam, BothHalvesAreSignExtended)
{
    struct Case {
        uint32_t lParam;
        DropPoint point;
    } cases[] = {
        {0x000A000Au, {10, 10}},
        {0xFFF6000Au, {10, -10}},
        {0x000AFFF6u, {-10, 10}},
        {0xFFFFFFFFu, {-1, -1}},
        {0x80007FFFu, {32767, -32768}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lParam);
        EXPECT_EQ(DropPointFromLParam(c.lParam), c.point);
    }
}

}  // namespace
}  // namespace nesk
