// List files: their bytes, the header line, the list-file check and its message, the window
// title, the recent history, damaged files, and saves that must not tear.
#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "list/ListFile.h"
#include "list/TextFile.h"

namespace nesk {
namespace {

using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::wstring>;

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The UTF-16LE bytes of ASCII text.
std::string U16(const std::string& ascii)
{
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

const std::string kMark("\xFF\xFE", 2);
const std::string kBreak = U16("\r\n");

class ListFileTest : public fakes::FakePlatformTest {};

TEST_F(ListFileTest, NamedListIsMarkHeaderAndEveryItemWithCrLf)
{
    WriteNamedList(L"C:\\Work.Nesk.log", {L"C:\\a.txt", L"C:\\b"});
    EXPECT_EQ(fake.fs.ContentString(L"C:\\Work.Nesk.log"),
              kMark + U16("### Nesk ###") + kBreak + U16("C:\\a.txt") + kBreak + U16("C:\\b") +
                  kBreak);
}

TEST_F(ListFileTest, EmptyListsAreMarkAloneOrMarkAndHeader)
{
    WriteDefaultList(L"C:\\Nesk.lst", {});
    EXPECT_EQ(fake.fs.ContentString(L"C:\\Nesk.lst"), kMark);
    WriteNamedList(L"C:\\Empty.Nesk.log", {});
    EXPECT_EQ(fake.fs.ContentString(L"C:\\Empty.Nesk.log"), kMark + U16("### Nesk ###") + kBreak);
    EXPECT_TRUE(LoadDefaultListItems(L"C:\\Nesk.lst").empty());
    EXPECT_TRUE(LoadNamedListItems(L"C:\\Empty.Nesk.log").empty());
}

TEST_F(ListFileTest, ItemsComeBackAsWrittenWithDuplicatesEmptyAndJapanese)
{
    const Lines items = {L"C:\\a", L"", L"C:\\a", L"  spaced  ", L"C:\\\u65E5\u672C\\\u3042.txt",
                         L"C:\\\U0001F600"};
    WriteDefaultList(L"C:\\Nesk.lst", items);
    EXPECT_EQ(LoadDefaultListItems(L"C:\\Nesk.lst"), items);
    WriteNamedList(L"C:\\W.Nesk.log", items);
    EXPECT_EQ(LoadNamedListItems(L"C:\\W.Nesk.log"), items);
}

TEST_F(ListFileTest, HeaderIsDroppedOnlyWhenExactAndOnlyFromNamedLists)
{
    fake.fs.AddFile(L"C:\\n", kMark + U16("### Nesk ###\r\nx\r\n"));
    EXPECT_EQ(LoadNamedListItems(L"C:\\n"), Lines{L"x"});
    EXPECT_EQ(LoadDefaultListItems(L"C:\\n"), (Lines{L"### Nesk ###", L"x"}));
    fake.fs.AddFile(L"C:\\blank", kMark + U16(" ### Nesk ###\r\nx\r\n"));
    EXPECT_EQ(LoadNamedListItems(L"C:\\blank"), (Lines{L" ### Nesk ###", L"x"}));
    fake.fs.AddFile(L"C:\\lower", kMark + U16("### nesk ###\r\nx\r\n"));
    EXPECT_EQ(LoadNamedListItems(L"C:\\lower"), (Lines{L"### nesk ###", L"x"}));
    // Only the first line is the header; a second one is an item.
    fake.fs.AddFile(L"C:\\twice", kMark + U16("### Nesk ###\r\n### Nesk ###\r\n"));
    EXPECT_EQ(LoadNamedListItems(L"C:\\twice"), Lines{L"### Nesk ###"});
}

TEST_F(ListFileTest, OtherToolsLineEndsLoadTheSame)
{
    const Lines expected = {L"C:\\a", L"C:\\b"};
    for (const std::string& body : {U16("C:\\a\nC:\\b\n"), U16("C:\\a\r\nC:\\b"),
                                     U16("C:\\a\rC:\\b\r")}) {
        fake.fs.AddFile(L"C:\\l", kMark + body);
        EXPECT_EQ(LoadDefaultListItems(L"C:\\l"), expected);
    }
    fake.fs.AddFile(L"C:\\u8", "\xEF\xBB\xBF" "C:\\a\nC:\\b");
    EXPECT_EQ(LoadDefaultListItems(L"C:\\u8"), expected);
    fake.fs.AddFile(L"C:\\ansi", "C:\\a\r\nC:\\b\r\n");
    EXPECT_EQ(LoadDefaultListItems(L"C:\\ansi"), expected);
}

TEST_F(ListFileTest, LoadingAMissingOrLockedListRaises)
{
    EXPECT_THROW(LoadDefaultListItems(L"C:\\missing.lst"), FileError);
    fake.fs.AddFile(L"C:\\locked.lst", kMark);
    fake.fs.Lock(L"C:\\locked.lst");
    EXPECT_THROW(LoadNamedListItems(L"C:\\locked.lst"), FileError);
}

// ---- the list-file check ----

struct CheckCase {
    std::string bytes;  // empty with `missing` for no file at all
    bool missing;
    bool accepted;
};

class CheckTable : public ListFileTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckTable, AcceptsExactlyTheHeaderReadAsUtf16LE)
{
    const std::wstring path = L"C:\\Lists\\Some.Nesk.log";
    if (!GetParam().missing) fake.fs.AddFile(path, GetParam().bytes);
    EXPECT_EQ(IsListFile(path), GetParam().accepted);
    EXPECT_EQ(fake.fs.currentDirectory, L"C:\\Program Files\\Nesk");
}

const CheckCase kCheckCases[] = {
    {kMark + U16("### Nesk ###") + kBreak + U16("C:\\a") + kBreak, false, true},
    {kMark + U16("### Nesk ###"), false, true},
    {U16("### Nesk ###\r\n"), false, true},  // no mark: UTF-16LE regardless
    {kMark + U16("### Nesk ###\nx"), false, true},
    {kMark + U16("### Nesk ### \r\n"), false, false},
    {kMark + U16(" ### Nesk ###\r\n"), false, false},
    {kMark + U16("### NESK ###\r\n"), false, false},
    {kMark + U16("\r\n### Nesk ###\r\n"), false, false},
    {"### Nesk ###\r\n", false, false},              // ANSI
    {"\xEF\xBB\xBF### Nesk ###\r\n", false, false},  // UTF-8
    {std::string("\xFE\xFF", 2) + "\0#\0#", false, false},
    {kMark, false, false},
    {"", false, false},
    {std::string("\x00\x01\x02\xFF\x80", 5), false, false},
    {"", true, false},
};

INSTANTIATE_TEST_SUITE_P(Files, CheckTable, ::testing::ValuesIn(kCheckCases),
                         [](const auto& info) { return std::to_string(info.index); });

TEST_F(ListFileTest, UnmarkedUtf16ListPassesTheCheckButItsItemsAreAnsiText)
{
    const std::wstring path = L"C:\\NoMark.Nesk.log";
    fake.fs.AddFile(path, U16("### Nesk ###\r\nC:\\a\r\n"));
    EXPECT_TRUE(IsListFile(path));
    Lines items = LoadNamedListItems(path);
    ASSERT_FALSE(items.empty());
    EXPECT_NE(items.front(), L"### Nesk ###");
}

TEST(NotListFileMessage, IsPathHaThenBreakThenSentence)
{
    EXPECT_EQ(NotListFileMessage(L"C:\\x.txt"),
              L"C:\\x.txt\u306F\r\nNesk\u30D5\u30A1\u30A4\u30EB\u3067\u306F\u3042\u308A\u307E"
              L"\u305B\u3093\u3002");
    EXPECT_EQ(NotListFileMessage(L"C:\\x.txt"), L"C:\\x.txtは\r\nNeskファイルではありません。");
}

// ---- window title ----

struct TitleCase {
    const wchar_t* path;
    const wchar_t* title;
};

class TitleTable : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleTable, DropsTheLastNineCharactersOfTheName)
{
    EXPECT_EQ(ListWindowTitle(GetParam().path), GetParam().title);
}

const TitleCase kTitleCases[] = {
    {L"C:\\Lists\\Work.Nesk.log", L"Nesk - Work"},
    {L"C:\\Lists\\Work.txt", L"Nesk - "},
    {L"C:\\123456789", L"Nesk - "},
    {L"C:\\1234567890", L"Nesk - 1"},
    {L"C:\\Lists\\Projects.list", L"Nesk - Proj"},
    {L"C:\\\u65E5\u672C.Nesk.log", L"Nesk - \u65E5\u672C"},
};

INSTANTIATE_TEST_SUITE_P(Names, TitleTable, ::testing::ValuesIn(kTitleCases),
                         [](const auto& info) { return std::to_string(info.index); });

// ---- recent history ----

TEST_F(ListFileTest, RecentEntryMovesToTopIgnoringCaseWithNewSpelling)
{
    Lines recent = {L"C:\\a.Nesk.log", L"C:\\Work.Nesk.log", L"C:\\b.Nesk.log"};
    AddRecentEntry(recent, L"c:\\WORK.nesk.LOG");
    EXPECT_EQ(recent, (Lines{L"c:\\WORK.nesk.LOG", L"C:\\a.Nesk.log", L"C:\\b.Nesk.log"}));
    AddRecentEntry(recent, L"C:\\new.Nesk.log");
    EXPECT_EQ(recent.size(), 4u);
    EXPECT_EQ(recent.front(), L"C:\\new.Nesk.log");
    EXPECT_GT(fake.collation.calls, 0);
}

TEST_F(ListFileTest, RecentHistoryIsNotCutHere)
{
    Lines recent;
    for (int i = 0; i < 25; ++i) AddRecentEntry(recent, L"C:\\" + std::to_wstring(i));
    EXPECT_EQ(recent.size(), 25u);
    EXPECT_EQ(recent.front(), L"C:\\24");
}

// ---- saves that fail leave the old file whole ----

TEST_F(ListFileTest, FailedListSaveRaisesAndKeepsTheOldFile)
{
    const std::wstring path = L"C:\\Work.Nesk.log";
    WriteNamedList(path, {L"C:\\old"});
    const Bytes before = fake.fs.Content(path);

    fake.fs.SetDiskFull(true);
    EXPECT_THROW(WriteNamedList(path, {L"C:\\new1", L"C:\\new2"}), FileError);
    EXPECT_EQ(fake.fs.Content(path), before);
    EXPECT_THROW(WriteDefaultList(path, {}), FileError);
    EXPECT_EQ(fake.fs.Content(path), before);
    fake.fs.SetDiskFull(false);

    fake.fs.Lock(path);
    EXPECT_THROW(WriteNamedList(path, {L"C:\\new"}), FileError);
    fake.fs.Unlock(path);
    fake.fs.SetReadOnly(path);
    EXPECT_THROW(WriteNamedList(path, {L"C:\\new"}), FileError);
    EXPECT_EQ(fake.fs.Content(path), before);
    EXPECT_EQ(LoadNamedListItems(path), Lines{L"C:\\old"});
}

// ---- damaged list files ----

Bytes Noise(size_t size, uint32_t seed)
{
    Bytes out(size);
    for (uint8_t& b : out) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(seed >> 24);
    }
    return out;
}

Bytes WithPrefix(const std::string& prefix, Bytes rest)
{
    rest.insert(rest.begin(), prefix.begin(), prefix.end());
    return rest;
}

struct BadCase {
    const char* name;
    Bytes bytes;
};

std::vector<BadCase> BadCases()
{
    return {
        {"binary", Noise(64 * 1024, 1)},
        {"binary_with_utf16_mark", WithPrefix(kMark, Noise(64 * 1024, 2))},
        {"binary_with_utf8_mark", WithPrefix("\xEF\xBB\xBF", Noise(64 * 1024, 3))},
        {"binary_with_be_mark", WithPrefix("\xFE\xFF", Noise(64 * 1024, 4))},
        {"odd_byte_count", B(kMark + U16("C:\\a\r\nC:\\b") + "x")},
        {"unpaired_surrogates", B(kMark + std::string("\x00\xD8", 2) + kBreak +
                                  std::string("\x00\xDC" "a\0\x3D\xD8", 6))},
        {"nul_characters", B(kMark + std::string("a\0\0\0b\0\0\0\r\0\n\0\0\0", 14))},
        {"mark_alone", B(kMark)},
        {"utf8_mark_alone", B("\xEF\xBB\xBF")},
        {"one_byte", B("\xFF")},
        {"only_breaks", B(kMark + U16("\r\r\n\n"))},
    };
}

class BadInput : public ListFileTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadInput, LoadsAndSavesBackWhatDecoded)
{
    const std::wstring path = L"C:\\Bad.Nesk.log";
    fake.fs.AddFile(path, GetParam().bytes);
    Lines items;
    ASSERT_NO_THROW(items = LoadNamedListItems(path));
    (void)IsListFile(path);
    WriteNamedList(path, items);
    EXPECT_EQ(LoadNamedListItems(path), items);
    WriteDefaultList(L"C:\\Nesk.lst", items);
    EXPECT_EQ(LoadDefaultListItems(L"C:\\Nesk.lst"), items);
}

INSTANTIATE_TEST_SUITE_P(Files, BadInput, ::testing::ValuesIn(BadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ListFileTest, TensOfMegabytesLoadAndSave)
{
    // About 20 MB: 300,000 lines of 32 characters in UTF-16LE.
    std::string body = kMark;
    const std::string line = U16("C:\\Users\\someone\\Documents\\x.txt\r\n");
    body.reserve(line.size() * 300000 + 2);
    for (int i = 0; i < 300000; ++i) body += line;
    fake.fs.AddFile(L"C:\\Big.Nesk.log", body);
    Lines items = LoadNamedListItems(L"C:\\Big.Nesk.log");
    ASSERT_EQ(items.size(), 300000u);
    WriteDefaultList(L"C:\\Nesk.lst", items);
    EXPECT_EQ(fake.fs.Content(L"C:\\Nesk.lst").size(), body.size());
}

}  // namespace
}  // namespace nesk
