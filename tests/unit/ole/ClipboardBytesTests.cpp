// Byte layouts and size rules of the simple clipboard formats, and their readers on blocks
// other programs built badly.
#include <gtest/gtest.h>

#include <memory>

#include "fakes/FakePlatform.h"
#include "ole/ClipboardBytes.h"

namespace nesk {
namespace {

using Block = std::vector<uint8_t>;

Block Ascii(const std::string& text) { return Block(text.begin(), text.end()); }

// A heap copy of exactly `size` bytes, so a read past the block trips the address sanitizer.
struct Exact {
    explicit Exact(const Block& bytes, size_t size) : data(new uint8_t[size ? size : 1]), size(size)
    {
        std::copy_n(bytes.begin(), size, data.get());
    }
    explicit Exact(const Block& bytes) : Exact(bytes, bytes.size()) {}
    std::unique_ptr<uint8_t[]> data;
    size_t size;
};

class ClipboardBytes : public fakes::FakePlatformTest {};

TEST_F(ClipboardBytes, ProducedLayoutsAndSizes)
{
    struct Case {
        const char* name;
        Block produced;
        Block expected;
    } cases[] = {
        {"drop effect", DwordBytes(0x80000004u), {0x04, 0, 0, 0x80}},
        {"8-bit text gets its zero", AnsiTextBytes("abc"), Ascii(std::string("abc\0", 4))},
        {"8-bit text ending in zero keeps it", AnsiTextBytes(std::string("ab\0", 3)), Ascii(std::string("ab\0", 3))},
        {"empty 8-bit text is one zero", AnsiTextBytes(""), {0}},
        {"wide text", UnicodeTextBytes(L"a\u3042"), {'a', 0, 0x42, 0x30, 0, 0}},
        {"wide text ending in zero", UnicodeTextBytes(std::wstring(L"a\0", 2)), {'a', 0, 0, 0}},
        {"wide name list", NameListBytes({L"a", L"bc"}, true), {'a', 0, 0, 0, 'b', 0, 'c', 0, 0, 0, 0, 0}},
        {"8-bit name list in the code page", NameListBytes({L"\u65E5", L"b"}, false), {0x93, 0xFA, 0, 'b', 0, 0}},
        {"empty name list", NameListBytes({}, true), {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.produced, c.expected);
    }
}

TEST_F(ClipboardBytes, FileGroupDescriptorHoldsOneLinkItem)
{
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "wide" : "8-bit");
        Block block = FileGroupDescriptorBytes("\x93\xFA.url", 45, wide);
        size_t itemSize = wide ? kWideFileDescriptorSize : kAnsiFileDescriptorSize;
        ASSERT_EQ(block.size(), 4 + itemSize);
        EXPECT_EQ(Block(block.begin(), block.begin() + 8), (Block{1, 0, 0, 0, 0x40, 0x80, 0, 0}));
        EXPECT_EQ(block[4 + 68], 45) << "nFileSizeLow";
        Block name(block.begin() + 4 + 72, block.end());
        Block expectedName = wide ? Block{0xE5, 0x65, '.', 0, 'u', 0, 'r', 0, 'l', 0} : Block{0x93, 0xFA, '.', 'u', 'r', 'l'};
        EXPECT_EQ(Block(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(expectedName.size())), expectedName);
        for (size_t i = 4; i < 4 + 72; ++i) {
            if (i != 4 && i != 5 && i != 4 + 68) {
                EXPECT_EQ(block[i], 0) << "byte " << i;
            }
        }
        auto read = ReadFileGroupDescriptor(block.data(), block.size(), wide);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->count, 1u);
        EXPECT_EQ(read->firstName, L"\u65E5.url");
    }
}

TEST_F(ClipboardBytes, FileGroupDescriptorReaderTrustsOnlyTheRealSize)
{
    Block one = FileGroupDescriptorBytes("a.url", 0, true);
    Block lying = one;
    lying[0] = 2;  // claims a second item the block does not hold
    Block huge = one;
    huge[3] = 0xFF;
    Block unterminated = one;
    std::fill(unterminated.begin() + 4 + 72, unterminated.end(), 'x');
    struct Case {
        const char* name;
        Block block;
        size_t size;
        bool readable;
        std::wstring firstName;
    } cases[] = {
        {"whole", one, one.size(), true, L"a.url"},
        {"one byte short", one, one.size() - 1, false, L""},
        {"count beyond the block", lying, lying.size(), false, L""},
        {"count that overflows 32 bits when multiplied", huge, huge.size(), false, L""},
        {"no items", Block{0, 0, 0, 0}, 4, true, L""},
        {"shorter than the count", Block{1, 0}, 2, false, L""},
        {"name fills its whole field", unterminated, unterminated.size(), true,
         std::wstring(260, L'\u7878')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Exact exact(c.block, c.size);
        auto read = ReadFileGroupDescriptor(exact.data.get(), exact.size, true);
        ASSERT_EQ(read.has_value(), c.readable);
        if (read) {
            EXPECT_EQ(read->firstName, c.firstName);
        }
    }
}

TEST_F(ClipboardBytes, SimpleReadersTakeWhatTheRulesSay)
{
    Block abc = Ascii(std::string("abc\0\0\0", 6));
    EXPECT_EQ(ReadAnsiText(abc.data(), abc.size()), "abc");
    EXPECT_EQ(ReadAnsiText(abc.data(), abc.size(), false), std::string("abc\0\0\0", 6));
    Exact unterminated(Ascii("http://x"));
    EXPECT_EQ(ReadAnsiText(unterminated.data.get(), unterminated.size), "http://x");
    Exact oddWide(Block{'a', 0, 'b'});
    EXPECT_EQ(ReadUnicodeText(oddWide.data.get(), oddWide.size), L"a");

    Block effect{2, 0, 0, 0, 9};
    EXPECT_EQ(ReadDword(effect.data(), effect.size()), 2u);
    EXPECT_FALSE(ReadDword(effect.data(), 3));
    Block clsid(16, 7);
    EXPECT_TRUE(ReadClsid(clsid.data(), 16));
    EXPECT_FALSE(ReadClsid(clsid.data(), 15));
    clsid.push_back(0);
    EXPECT_FALSE(ReadClsid(clsid.data(), 17));
}

Block Pidl(std::initializer_list<Block> items)
{
    Block pidl;
    for (const auto& item : items) {
        pidl.push_back(static_cast<uint8_t>(item.size() + 2));
        pidl.push_back(0);
        pidl.insert(pidl.end(), item.begin(), item.end());
    }
    pidl.insert(pidl.end(), {0, 0});
    return pidl;
}

TEST_F(ClipboardBytes, ShellIDListArrayLayoutAndReading)
{
    std::vector<Block> lists{Pidl({{'C'}}), Pidl({{'A'}, {'f', '1'}}), Pidl({{'B'}, {'f', '2'}})};
    Block cida = BuildCida(lists);
    size_t listBytes = lists[0].size() + lists[1].size() + lists[2].size();
    ASSERT_EQ(cida.size(), 4 * (3 + 1) + listBytes);
    EXPECT_EQ(Block(cida.begin(), cida.begin() + 16), (Block{2, 0, 0, 0, 16, 0, 0, 0, 21, 0, 0, 0, 30, 0, 0, 0}));
    Exact exact(cida);
    auto read = ParseCida(exact.data.get(), exact.size);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, lists);

    Block offsetOutside = cida;
    offsetOutside[8] = 200;
    Block itemTooLong = cida;
    itemTooLong[16] = 60;
    Block countTooBig = cida;
    countTooBig[3] = 0x40;
    for (const Block& bad : {offsetOutside, itemTooLong, countTooBig}) {
        Exact badExact(bad);
        EXPECT_FALSE(ParseCida(badExact.data.get(), badExact.size));
    }
    Exact cut(cida, cida.size() - 1);
    EXPECT_FALSE(ParseCida(cut.data.get(), cut.size)) << "last list without its terminator";
}

}  // namespace
}  // namespace nesk
