// A link read from what browsers and the file manager drag, and the link formats a drag
// source offers.
#include <gtest/gtest.h>

#include <map>

#include "exchange/DropFilesBlock.h"
#include "fakes/FakePlatform.h"
#include "ole/URLDataFormat.h"

namespace nesk {
namespace {

using K = TClipboardFormatKind;
using Block = std::vector<uint8_t>;

Block Ascii(const std::string& text) { return Block(text.begin(), text.end()); }

Block Utf16WithMark(const std::wstring& text)
{
    Block bytes{0xFF, 0xFE};
    for (wchar_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

struct FakeReader : IFormatReader {
    std::map<K, Block> formats;
    std::vector<K> asked;
    std::optional<FormatBytes> Read(K format) override
    {
        asked.push_back(format);
        auto found = formats.find(format);
        if (found == formats.end())
            return std::nullopt;
        return found->second;
    }
};

class URLDataFormatTest : public fakes::FakePlatformTest {
protected:
    void SetUp() override
    {
        // In start-up order: which entry is the registry's first changes the link formats' order.
        ResetFormatRegistry();
        RegisterDropEffectFormats();
        RegisterFileFormats();
        RegisterLinkFormats();
    }
    void TearDown() override { ResetFormatRegistry(); }

    URLReadResult Read(FakeReader& reader, TURLDataFormat& link)
    {
        ShortcutFileReader readFile = [this](const std::wstring& path) -> std::optional<FormatBytes> {
            if (!fake.fs.Exists(path))
                return std::nullopt;
            return fake.fs.Content(path);
        };
        return ReadURLData(reader, CompatibleFormats(TDataFormatKind::URL, TDragDropTier::ddtTarget), readFile, link);
    }
};

TEST_F(URLDataFormatTest, LinkFromEachKindOfSource)
{
    fake.fs.AddFile(L"C:\\Links\\Site.URL", "[InternetShortcut]\r\nURL=http://site.example/\r\n");
    fake.fs.AddFile(L"C:\\Links\\Empty.url", "no shortcut here");
    const std::string shortcut = "[InternetShortcut]\r\nURL=http://example.com/page\r\n";
    struct Case {
        const char* name;
        std::map<K, Block> formats;
        URLReadResult result;
        std::string url;
        std::wstring title;
    } cases[] = {
        {"browser: descriptor and contents",
         {{K::UnicodeFileGroupDescriptor, FileGroupDescriptorBytes("Example Page.url", 0, true)},
          {K::FileContents, Ascii(shortcut)},
          {K::AnsiURL, Ascii(std::string("http://other/\0", 14))}},
         URLReadResult::Read, "http://example.com/page", L"Example Page"},
        {"8-bit descriptor", {{K::AnsiFileGroupDescriptor, FileGroupDescriptorBytes("A.url", 0, false)}, {K::FileContents, Ascii(shortcut)}},
         URLReadResult::Read, "http://example.com/page", L"A"},
        {"descriptor of no link: its contents are not a link either",
         {{K::UnicodeFileGroupDescriptor, FileGroupDescriptorBytes("report.pdf", 0, true)},
          {K::FileContents, Ascii(shortcut)}},
         URLReadResult::Nothing, "", L""},
        {"address without terminator", {{K::AnsiURL, Ascii("http://a/")}}, URLReadResult::Read, "http://a/", L""},
        {"text without a scheme", {{K::AnsiText, Ascii(std::string("abc\0", 4))}}, URLReadResult::Nothing, "", L""},
        {"text with a scheme", {{K::AnsiText, Ascii(std::string("x://y\0", 6))}}, URLReadResult::Read, "x://y", L""},
        {"text starting with the separator", {{K::AnsiText, Ascii("://y")}}, URLReadResult::Nothing, "", L""},
        {"shortcut file from the file manager", {{K::File, BuildDropFiles({L"C:\\Links\\Site.URL"})}},
         URLReadResult::Read, "http://site.example/", L"Site"},
        {"ordinary files", {{K::File, BuildDropFiles({L"C:\\a.txt", L"C:\\b.url"})}}, URLReadResult::Nothing, "", L""},
        {"shortcut file without an address", {{K::File, BuildDropFiles({L"C:\\Links\\Empty.url"})}},
         URLReadResult::Nothing, "", L""},
        {"shortcut file that cannot be opened", {{K::File, BuildDropFiles({L"C:\\gone.url"})}},
         URLReadResult::FileUnreadable, "", L""},
        {"malformed drop block", {{K::File, Block{20, 0, 0}}}, URLReadResult::Nothing, "", L""},
        {"nothing usable", {}, URLReadResult::Nothing, "", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeReader reader;
        reader.formats = c.formats;
        TURLDataFormat link;
        EXPECT_EQ(Read(reader, link), c.result);
        EXPECT_EQ(link.URL, c.url);
        EXPECT_EQ(link.Title, c.title);
    }
}

TEST_F(URLDataFormatTest, FormatsAreTriedInRegistryOrderUntilBothAreKnown)
{
    FakeReader reader;
    reader.formats = {{K::UnicodeFileGroupDescriptor, FileGroupDescriptorBytes("T.url", 0, true)},
                      {K::FileContents, Ascii("[InternetShortcut]\r\nURL=u://1\r\n")}};
    TURLDataFormat link;
    Read(reader, link);
    EXPECT_EQ(reader.asked, (std::vector<K>{K::UnicodeURL, K::UnicodeFileGroupDescriptor, K::AnsiFileGroupDescriptor,
                                            K::FileContents}));
}

TEST_F(URLDataFormatTest, WideAddressKeepsCharactersTheCodePageLacks)
{
    struct Case {
        std::wstring wide;
        std::string stored;
    } cases[] = {
        {L"http://example.com/\uD55C", "http://example.com/%ED%95%9C"},
        {L"http://\u65E5\u672C.example/a b", "http://\x93\xFA\x96\x7B.example/a b"},  // fits: stored as dropped
        {L"http://x/\u00E9\u3042", "http://x/%C3%A9\x82\xA0"},
    };
    for (const auto& c : cases) {
        FakeReader reader;
        FormatBytes wide = UnicodeTextBytes(c.wide);
        reader.formats = {{K::UnicodeURL, wide}, {K::AnsiURL, Ascii("http://example.com/?")}};
        TURLDataFormat link;
        EXPECT_EQ(Read(reader, link), URLReadResult::Read);
        EXPECT_EQ(link.URL, c.stored);
    }
}

TEST_F(URLDataFormatTest, InternetShortcutTextReading)
{
    struct Case {
        const char* name;
        Block text;
        std::optional<std::string> url;
    } cases[] = {
        {"8-bit", Ascii("[InternetShortcut]\r\nURL=http://a/\r\n"), "http://a/"},
        {"any letter case, LF only", Ascii("[internetshortcut]\nurl=http://a/\n"), "http://a/"},
        {"other keys first", Ascii("[InternetShortcut]\r\nIDList=\r\nURL=http://a/"), "http://a/"},
        {"another section first", Ascii("[Other]\r\nURL=x\r\n[InternetShortcut]\r\nURL=y\r\n"), "y"},
        {"next section before the address", Ascii("[InternetShortcut]\r\n[Other]\r\nURL=x\r\n"), std::nullopt},
        {"section on the last line", Ascii("URL=x\r\n[InternetShortcut]\r\n"), std::nullopt},
        {"no section", Ascii("URL=x\r\nURL=y\r\n"), std::nullopt},
        {"empty", Block{}, std::nullopt},
        {"UTF-16 with its mark", Utf16WithMark(L"[InternetShortcut]\r\nURL=http://\u65E5/\r\n"), "http://\x93\xFA/"},
        {"UTF-16 outside the code page", Utf16WithMark(L"[InternetShortcut]\r\nURL=http://x/\uD55C\r\n"),
         "http://x/%ED%95%9C"},
        {"8-bit bytes kept as they are", Ascii("[InternetShortcut]\r\nURL=http://\x82\xA0\xFF/\r\n"), "http://\x82\xA0\xFF/"},
        {"binary zero ends the address", Ascii(std::string("[InternetShortcut]\nURL=ab\0cd\n", 28)), "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadInternetShortcutText(c.text.data(), c.text.size()), c.url);
    }
}

TEST_F(URLDataFormatTest, ShortcutFileNamesForDescriptors)
{
    struct Case {
        std::string text;
        std::string name;
    } cases[] = {
        {"News: Today / Top", "News  Today .url"},
        {"a<>b", "a b.url"},
        {"????", "untitled.url"},
        {"mailto:someone", "someone.url"},
        {"HTTP://example.com/path/page", "example.com.url"},
        {"file:C:\\x\\y", "C x y.url"},
        {std::string(130, 'n'), std::string(120, 'n') + ".url"},
        {std::string(119, 'n') + "\x93\xFA", std::string(119, 'n') + ".url"},  // a double-byte character is not split
    };
    for (const auto& c : cases)
        EXPECT_EQ(MakeShortcutFileName(c.text), c.name) << c.text;
}

TEST_F(URLDataFormatTest, LinkFormatsOfADragSource)
{
    TURLDataFormat link{"http://a.example/x", L"Page \u65E5"};
    std::string contents = "[InternetShortcut]\r\nURL=http://a.example/x\r\n";
    EXPECT_EQ(URLFormatBytes(K::FileContents, link), Ascii(contents));
    EXPECT_EQ(contents.size(), link.URL.size() + 26);
    EXPECT_EQ(URLFormatBytes(K::AnsiURL, link), Ascii(std::string("http://a.example/x\0", 19)));
    EXPECT_EQ(URLFormatBytes(K::AnsiText, link), URLFormatBytes(K::AnsiURL, link));
    EXPECT_EQ(URLFormatBytes(K::UnicodeFileGroupDescriptor, link),
              FileGroupDescriptorBytes("Page \x93\xFA.url", static_cast<uint32_t>(contents.size()), true));
    EXPECT_EQ(URLFormatBytes(K::AnsiFileGroupDescriptor, TURLDataFormat{"http://a.example/x", L""}),
              FileGroupDescriptorBytes("a.example.url", static_cast<uint32_t>(contents.size()), false));
    EXPECT_FALSE(URLFormatBytes(K::File, link));
}

}  // namespace
}  // namespace nesk
