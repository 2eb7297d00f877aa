// Dropped links as Internet Shortcut files in the data folder.
#include <gtest/gtest.h>

#include "exchange/ShortcutFiles.h"
#include "fakes/FakePlatform.h"

namespace nesk {
namespace {

const std::wstring kFolder = L"C:\\Data\\";

std::string Utf16File(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

class ShortcutFiles : public fakes::FakePlatformTest {
protected:
    void SetUp() override { fake.fs.AddFolder(L"C:\\Data"); }
};

TEST_F(ShortcutFiles, TitleBecomesFileName)
{
    struct Case {
        std::wstring title;
        std::wstring name;
    } cases[] = {
        {L"Example Domain - Mozilla Firefox", L"Example Domain"},
        {L"Self-help - Wiki", L"Self-help"},
        {L"A-B", L"A-B"},
        {L"x-y-z", L"x-"},
        {L"a:b/c", L"a_b_c"},
        {L"q\"*<>?\\|\t", L"q________"},
        {std::wstring(200, L'w'), std::wstring(128, L'w')},
        {L"", L""},
        {L"\u65E5\u672C - Browser", L"\u65E5\u672C"},
        // Names Windows keeps for devices.
        {L"CON", L"_CON"},
        {L"nul", L"_nul"},
        {L"Com7", L"_Com7"},
        {L"lpt1.txt", L"_lpt1.txt"},
        {L"AUX - Browser", L"_AUX"},
        {L"PRN .x", L"_PRN .x"},
        {L"COM0", L"COM0"},
        {L"CONSOLE", L"CONSOLE"},
        {L"LPT10", L"LPT10"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortcutNameFromTitle(c.title), c.name);
}

TEST_F(ShortcutFiles, WrittenFileHoldsExactlyTheTwoLines)
{
    auto path = WriteShortcutFile(kFolder, L"Page - Browser", L"http://example.com/");
    ASSERT_EQ(path, kFolder + L"Page.url");
    EXPECT_EQ(fake.fs.ContentString(*path), Utf16File(L"[InternetShortcut]\r\nURL=http://example.com/\r\n"));
    EXPECT_EQ(ReadShortcutAddress(*path), L"http://example.com/");
}

TEST_F(ShortcutFiles, AnotherLinkUnderTheSameNameGetsItsOwnFile)
{
    auto first = WriteShortcutFile(kFolder, L"Page", L"http://one/");
    auto again = WriteShortcutFile(kFolder, L"Page", L"http://one/");
    auto second = WriteShortcutFile(kFolder, L"page", L"http://two/");
    auto third = WriteShortcutFile(kFolder, L"Page", L"http://three/");
    auto secondAgain = WriteShortcutFile(kFolder, L"Page", L"http://two/");
    EXPECT_EQ(first, kFolder + L"Page.url");
    EXPECT_EQ(again, first) << "the same link reuses its file";
    EXPECT_EQ(second, kFolder + L"page (2).url");
    EXPECT_EQ(third, kFolder + L"Page (3).url");
    EXPECT_EQ(secondAgain, kFolder + L"Page (2).url");
    EXPECT_EQ(ReadShortcutAddress(*first), L"http://one/") << "the earlier item still leads where it led";
    EXPECT_EQ(ReadShortcutAddress(*second), L"http://two/");
}

TEST_F(ShortcutFiles, LockedFileIsSkipped)
{
    WriteShortcutFile(kFolder, L"Page", L"http://one/");
    fake.fs.Lock(kFolder + L"Page.url");
    EXPECT_FALSE(WriteShortcutFile(kFolder, L"Page", L"http://one/"));
    EXPECT_FALSE(WriteShortcutFile(kFolder, L"Page", L"http://two/")) << "cannot tell what it holds: not written";
}

TEST_F(ShortcutFiles, AddressReadingRule)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring address;
    } cases[] = {
        {"as written", Utf16File(L"[InternetShortcut]\r\nURL=http://a/\r\n"), L"http://a/"},
        {"key in any case, first line only", Utf16File(L"x\r\nurl=1\r\nURL=2\r\n"), L"1"},
        {"one line", Utf16File(L"URL=http://a/\r\n"), L""},
        {"no address line", Utf16File(L"[InternetShortcut]\r\nIDList=\r\n"), L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake.fs.AddFile(kFolder + L"r.url", c.bytes);
        EXPECT_EQ(ReadShortcutAddress(kFolder + L"r.url"), c.address);
    }
    EXPECT_EQ(ReadShortcutAddress(kFolder + L"missing.url"), L"");
}

}  // namespace
}  // namespace nesk
