// Reading any text file by its mark, cutting lines, writing the small data-folder files in
// the encoding they had, and the fixed-encoding load and save utilities.
#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "list/TextFile.h"

namespace nesk {
namespace {

using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::wstring>;

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

class TextFileTest : public fakes::FakePlatformTest {
protected:
    TextFileTest()
    {
        ForgetSmallFileEncodings();
        fake.fs.AddFolder(L"C:\\Data");
    }
    ~TextFileTest() override { ForgetSmallFileEncodings(); }
};

// ---- reading: the mark decides ----

struct DecodeCase {
    std::string bytes;
    Lines lines;
    TextEncoding encoding;
    bool mark;
};

class DecodeTable : public fakes::FakePlatformTest,
                    public ::testing::WithParamInterface<DecodeCase> {};

TEST_P(DecodeTable, ChoosesEncodingByMark)
{
    const DecodeCase& c = GetParam();
    TextLines t = DecodeText(B(c.bytes));
    EXPECT_EQ(t.lines, c.lines);
    EXPECT_EQ(t.encoding, c.encoding);
    EXPECT_EQ(t.byteOrderMark, c.mark);
}

const DecodeCase kDecodeCases[] = {
    {"", {}, TextEncoding::Ansi, false},
    {"a\r\nb", {L"a", L"b"}, TextEncoding::Ansi, false},
    {"\x82\xA0\r\n\x93\xFA\x96\x7B\r\n", {L"\u3042", L"\u65E5\u672C"}, TextEncoding::Ansi, false},
    {"\xEF\xBB\xBF" "a\r\n\xC3\xA9", {L"a", L"\u00E9"}, TextEncoding::Utf8, true},
    {"\xEF\xBB\xBF", {}, TextEncoding::Utf8, true},
    {std::string("\xFF\xFE" "a\0\r\0\n\0", 8), {L"a"}, TextEncoding::Utf16LE, true},
    {std::string("\xFF\xFE", 2), {}, TextEncoding::Utf16LE, true},
    {std::string("\xFE\xFF\0a\0\n\0b", 8), {L"a", L"b"}, TextEncoding::Utf16BE, true},
    // A UTF-16LE file without its mark is ANSI text to this rule.
    {std::string("a\0\r\0\n\0", 6),
     {std::wstring(L"a\0", 2), std::wstring(L"\0", 1), std::wstring(L"\0", 1)}, TextEncoding::Ansi,
     false},
    // A mark that is cut short is no mark.
    {"\xEF\xBB", {L"\u30FB\u30FB"}, TextEncoding::Ansi, false},
};

INSTANTIATE_TEST_SUITE_P(Marks, DecodeTable, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::to_string(info.index); });

struct SplitCase {
    std::wstring text;
    Lines lines;
};

class SplitTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTable, CutsAtCrLfAndCrLf)
{
    EXPECT_EQ(SplitLines(GetParam().text), GetParam().lines);
}

const SplitCase kSplitCases[] = {
    {L"", {}},
    {L"a", {L"a"}},
    {L"a\r\n", {L"a"}},
    {L"a\n", {L"a"}},
    {L"a\r", {L"a"}},
    {L"a\r\nb", {L"a", L"b"}},
    {L"a\nb\n", {L"a", L"b"}},
    {L"a\rb\r", {L"a", L"b"}},
    {L"a\n\nb\n", {L"a", L"", L"b"}},
    {L"a\r\rb", {L"a", L"", L"b"}},
    {L"a\r\n\r\nb", {L"a", L"", L"b"}},
    {L"a\n\r", {L"a", L""}},  // LF then CR: two breaks
    {L"\r\n", {L""}},
    {L"\n\r\n", {L"", L""}},
    {L"\r\n\r\n\r\n", {L"", L"", L""}},
};

INSTANTIATE_TEST_SUITE_P(Breaks, SplitTable, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::to_string(info.index); });

// ---- writing, byte for byte ----

TEST_F(TextFileTest, EncodesEveryLineWithCrLfAndTheMark)
{
    EXPECT_EQ(EncodeText({L"a", L"b"}, TextEncoding::Utf16LE, true),
              B(std::string("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0", 14)));
    EXPECT_EQ(EncodeText({L"a"}, TextEncoding::Utf16BE, true),
              B(std::string("\xFE\xFF\0a\0\r\0\n", 8)));
    EXPECT_EQ(EncodeText({L"\u00E9"}, TextEncoding::Utf8, true), B("\xEF\xBB\xBF\xC3\xA9\r\n"));
    EXPECT_EQ(EncodeText({L"\u00E9"}, TextEncoding::Utf8, false), B("\xC3\xA9\r\n"));
    EXPECT_EQ(EncodeText({L"\u3042", L""}, TextEncoding::Ansi, true), B("\x82\xA0\r\n\r\n"));
    EXPECT_EQ(EncodeText({}, TextEncoding::Utf16LE, true), B("\xFF\xFE"));
    EXPECT_EQ(EncodeText({}, TextEncoding::Ansi, false), Bytes{});
}

TEST_F(TextFileTest, CharactersBeyondTheBasicPlaneTravelAsSurrogatePairs)
{
    const std::wstring face = L"\U0001F600";  // one character, two UTF-16 units
    Bytes le = EncodeText({face}, TextEncoding::Utf16LE, false);
    EXPECT_EQ(le, B(std::string("\x3D\xD8\x00\xDE\r\0\n\0", 8)));
    Bytes marked = EncodeText({face}, TextEncoding::Utf16LE, true);
    EXPECT_EQ(DecodeText(marked).lines, Lines{face});
    Bytes be = EncodeText({face}, TextEncoding::Utf16BE, true);
    EXPECT_EQ(DecodeText(be).lines, Lines{face});
    Bytes u8 = EncodeText({face}, TextEncoding::Utf8, true);
    EXPECT_EQ(u8, B("\xEF\xBB\xBF\xF0\x9F\x98\x80\r\n"));
    EXPECT_EQ(DecodeText(u8).lines, Lines{face});
}

// ---- damaged input ----

TEST_F(TextFileTest, UnpairedSurrogatesAreKeptAsTheyWere)
{
    const Bytes damaged = B(std::string("\xFF\xFE" "\x00\xD8" "a\0" "\x00\xDC\r\0\n\0" "\x3D\xD8", 14));
    TextLines t = DecodeText(damaged);
    ASSERT_EQ(t.lines.size(), 2u);
    EXPECT_EQ(t.lines[0].size(), 3u);
    EXPECT_EQ(static_cast<uint32_t>(t.lines[0][0]), 0xD800u);
    EXPECT_EQ(t.lines[0][1], L'a');
    EXPECT_EQ(static_cast<uint32_t>(t.lines[0][2]), 0xDC00u);
    EXPECT_EQ(static_cast<uint32_t>(t.lines[1][0]), 0xD83Du);
    // Written back, the same units come out (plus the final break).
    Bytes again = EncodeText(t.lines, TextEncoding::Utf16LE, true);
    Bytes expected = damaged;
    expected.insert(expected.end(), {'\r', 0, '\n', 0});
    EXPECT_EQ(again, expected);
}

TEST_F(TextFileTest, OddLastByteIsLeftOut)
{
    EXPECT_EQ(DecodeText(B(std::string("\xFF\xFE" "a\0b", 5))).lines, Lines{L"a"});
    EXPECT_EQ(DecodeText(B(std::string("\xFF\xFE\x01", 3))).lines, Lines{});
    EXPECT_EQ(DecodeText(B(std::string("\xFE\xFF\0a\0", 5))).lines, Lines{L"a"});
}

TEST_F(TextFileTest, NulCharactersStayInsideTheirLine)
{
    TextLines t = DecodeText(B(std::string("\xFF\xFE" "a\0\0\0b\0", 8)));
    EXPECT_EQ(t.lines, Lines{std::wstring(L"a\0b", 3)});
}

TEST_F(TextFileTest, MalformedUtf8BecomesReplacementCharacters)
{
    TextLines t = DecodeText(B("\xEF\xBB\xBF" "a\xC3" "b\xFF\xED\xA0\x80" "c\xF0\x9F"));
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.lines[0], L"a\uFFFDb\uFFFD\uFFFD\uFFFD\uFFFDc\uFFFD");
}

// ---- rule A: small data-folder files ----

const std::wstring kRecent = L"C:\\Data\\Recent.lst";

TEST_F(TextFileTest, NeverReadFileIsWrittenInAnsiWithoutMark)
{
    WriteSmallFile(kRecent, {L"C:\\a.Nesk.log", L"C:\\\u3042.Nesk.log"});
    EXPECT_EQ(fake.fs.ContentString(kRecent), "C:\\a.Nesk.log\r\n" "C:\\\x82\xA0.Nesk.log\r\n");
}

struct WriteBackCase {
    std::string before;  // the file as read
    std::string after;   // the file as written back with the lines {"x", "y"}
};

class WriteBackTable : public TextFileTest, public ::testing::WithParamInterface<WriteBackCase> {};

TEST_P(WriteBackTable, WritesBackInTheEncodingLastRead)
{
    fake.fs.AddFile(kRecent, GetParam().before);
    ReadSmallFile(kRecent);
    WriteSmallFile(kRecent, {L"x", L"y"});
    EXPECT_EQ(fake.fs.ContentString(kRecent), GetParam().after);
}

const WriteBackCase kWriteBackCases[] = {
    {"a\r\n", "x\r\ny\r\n"},
    {"", "x\r\ny\r\n"},
    {"\xEF\xBB\xBF" "a\r\n", "\xEF\xBB\xBFx\r\ny\r\n"},
    {std::string("\xFF\xFE" "a\0", 4), std::string("\xFF\xFEx\0\r\0\n\0y\0\r\0\n\0", 14)},
    {std::string("\xFE\xFF\0a", 4), std::string("\xFE\xFF\0x\0\r\0\n\0y\0\r\0\n", 14)},
};

INSTANTIATE_TEST_SUITE_P(Encodings, WriteBackTable, ::testing::ValuesIn(kWriteBackCases),
                         [](const auto& info) { return std::to_string(info.index); });

TEST_F(TextFileTest, EncodingIsRememberedPerPathIgnoringCase)
{
    fake.fs.AddFile(kRecent, "\xEF\xBB\xBF" "a\r\n");
    ReadSmallFile(L"c:\\data\\RECENT.LST");
    WriteSmallFile(kRecent, {L"x"});
    EXPECT_EQ(fake.fs.ContentString(kRecent), "\xEF\xBB\xBFx\r\n");
    WriteSmallFile(L"C:\\Data\\TrayIcon.lst", {L"x"});
    EXPECT_EQ(fake.fs.ContentString(L"C:\\Data\\TrayIcon.lst"), "x\r\n");
}

TEST_F(TextFileTest, TextTheCodePageCannotHoldIsWrittenAsUtf8WithMark)
{
    const Lines lines = {L"C:\\caf\u00E9.Nesk.log", L"C:\\\u3042.Nesk.log"};
    WriteSmallFile(kRecent, lines);
    EXPECT_EQ(fake.fs.ContentString(kRecent),
              "\xEF\xBB\xBF" "C:\\caf\xC3\xA9.Nesk.log\r\n" "C:\\\xE3\x81\x82.Nesk.log\r\n");
    // A new process reads it back whole and keeps the encoding, even for text that would fit.
    ForgetSmallFileEncodings();
    EXPECT_EQ(ReadSmallFile(kRecent), lines);
    WriteSmallFile(kRecent, {L"plain"});
    EXPECT_EQ(fake.fs.ContentString(kRecent), "\xEF\xBB\xBFplain\r\n");
}

TEST_F(TextFileTest, AfterFallingBackToUtf8TheSameProcessKeepsIt)
{
    WriteSmallFile(kRecent, {L"caf\u00E9"});
    WriteSmallFile(kRecent, {L"plain"});
    EXPECT_EQ(fake.fs.ContentString(kRecent), "\xEF\xBB\xBFplain\r\n");
}

TEST_F(TextFileTest, AnsiFileThatNoLongerFitsTurnsUtf8)
{
    fake.fs.AddFile(kRecent, "old\r\n");
    ReadSmallFile(kRecent);
    WriteSmallFile(kRecent, {L"\u00E9"});
    EXPECT_EQ(fake.fs.ContentString(kRecent), "\xEF\xBB\xBF\xC3\xA9\r\n");
}

TEST_F(TextFileTest, FailedSmallWriteKeepsOldFileAndMemory)
{
    fake.fs.AddFile(kRecent, "old\r\n");
    fake.fs.SetDiskFull(true);
    EXPECT_THROW(WriteSmallFile(kRecent, {L"caf\u00E9"}), FileError);
    EXPECT_EQ(fake.fs.ContentString(kRecent), "old\r\n");
    fake.fs.SetDiskFull(false);
    WriteSmallFile(kRecent, {L"new"});
    EXPECT_EQ(fake.fs.ContentString(kRecent), "new\r\n");  // no UTF-8 remembered
}

// ---- LoadTextFile / SaveTextFile ----

TEST_F(TextFileTest, LoadTextFileSkipsOnlyItsOwnMarkAndResetsCurrentDirectory)
{
    fake.fs.AddFile(L"C:\\le.txt", std::string("\xFF\xFE" "a\0\r\0\n\0b\0", 10));
    fake.fs.AddFile(L"C:\\nomark.txt", std::string("a\0", 2));
    fake.fs.AddFile(L"C:\\u8.txt", std::string("\xEF\xBB\xBF" "a", 4));
    fake.fs.currentDirectory = L"D:\\Elsewhere";
    Lines list = {L"stale"};
    EXPECT_EQ(LoadTextFile(list, L"C:\\le.txt", TextEncoding::Utf16LE), 2);
    EXPECT_EQ(list, (Lines{L"a", L"b"}));
    EXPECT_EQ(fake.fs.currentDirectory, L"C:\\Program Files\\Nesk");
    EXPECT_EQ(LoadTextFile(list, L"C:\\nomark.txt", TextEncoding::Utf16LE), 1);
    EXPECT_EQ(list, Lines{L"a"});
    // The UTF-8 mark means nothing to a UTF-16LE read.
    EXPECT_EQ(LoadTextFile(list, L"C:\\u8.txt", TextEncoding::Utf16LE), 1);
    EXPECT_EQ(list, Lines{L"\uBBEF\u61BF"});
    EXPECT_EQ(LoadTextFile(list, L"C:\\u8.txt", TextEncoding::Utf8), 1);
    EXPECT_EQ(list, Lines{L"a"});
}

TEST_F(TextFileTest, LoadTextFileOfMissingFileIsEmpty)
{
    Lines list = {L"stale"};
    fake.fs.currentDirectory = L"D:\\";
    EXPECT_EQ(LoadTextFile(list, L"C:\\missing.txt", TextEncoding::Utf16LE), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(fake.fs.currentDirectory, L"C:\\Program Files\\Nesk");
    EXPECT_EQ(LoadTextFile(list, L"", TextEncoding::Utf16LE), 0);
}

TEST_F(TextFileTest, FirstLineAloneMatchesTheFullLoad)
{
    const std::string samples[] = {
        "",
        std::string("\xFF\xFE", 2),
        std::string("\xFF\xFE" "a\0b\0\r\0\n\0c\0", 12),
        std::string("\xFF\xFE" "\r\0\n\0c\0", 8),
        std::string("a\0\n\0", 4),
        std::string("\xFF\xFE" "\x00\x0D" "a\0", 6),  // U+0D00 is no break
        std::string("\xFF\xFE" "\x3D\xD8\x00\xDE" "x", 7),
        std::string("\xFE\xFF\0a\0\r", 6),
        std::string("\xEF\xBB\xBF" "abc\r\n", 8),
        std::string("\x0D", 1),
    };
    for (TextEncoding e : {TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf8,
                           TextEncoding::Ansi}) {
        for (const std::string& bytes : samples) {
            fake.fs.AddFile(L"C:\\f", bytes);
            Lines all;
            LoadTextFile(all, L"C:\\f", e);
            EXPECT_EQ(LoadTextFileFirstLine(L"C:\\f", e), all.empty() ? L"" : all.front());
        }
    }
    fake.fs.currentDirectory = L"D:\\";
    EXPECT_EQ(LoadTextFileFirstLine(L"C:\\missing", TextEncoding::Utf16LE), L"");
    EXPECT_EQ(fake.fs.currentDirectory, L"C:\\Program Files\\Nesk");
}

TEST_F(TextFileTest, ProgramFolderOnADriveRootKeepsItsBackslash)
{
    fake.fs.executablePath = L"D:\\Nesk.exe";
    ResetCurrentDirectory();
    EXPECT_EQ(fake.fs.currentDirectory, L"D:\\");
}

TEST_F(TextFileTest, SaveTextFileWritesMarkAndLines)
{
    EXPECT_TRUE(SaveTextFile({L"[InternetShortcut]", L"URL=http://a/"}, L"C:\\x.url",
                             TextEncoding::Utf16LE));
    EXPECT_EQ(DecodeText(fake.fs.Content(L"C:\\x.url")).lines,
              (Lines{L"[InternetShortcut]", L"URL=http://a/"}));
    EXPECT_EQ(fake.fs.Content(L"C:\\x.url")[0], 0xFF);
    EXPECT_EQ(fake.fs.currentDirectory, L"C:\\Program Files\\Nesk");
}

TEST_F(TextFileTest, SaveTextFileRefusesALockedFile)
{
    fake.fs.AddFile(L"C:\\x.url", "old");
    fake.fs.Lock(L"C:\\x.url");
    fake.fs.currentDirectory = L"D:\\";
    EXPECT_FALSE(SaveTextFile({L"new"}, L"C:\\x.url", TextEncoding::Utf16LE));
    EXPECT_EQ(fake.fs.calls.writeAll, 0);
    EXPECT_EQ(fake.fs.ContentString(L"C:\\x.url"), "old");
    EXPECT_EQ(fake.fs.currentDirectory, L"C:\\Program Files\\Nesk");
}

TEST_F(TextFileTest, FailedSaveTextFileRaisesAndKeepsTheOldFile)
{
    fake.fs.AddFile(L"C:\\x.url", "old");
    fake.fs.SetDiskFull(true);
    fake.fs.currentDirectory = L"D:\\";
    EXPECT_THROW(SaveTextFile({L"new"}, L"C:\\x.url", TextEncoding::Utf16LE), FileError);
    EXPECT_EQ(fake.fs.ContentString(L"C:\\x.url"), "old");
    EXPECT_EQ(fake.fs.currentDirectory, L"C:\\Program Files\\Nesk");
}

// ---- names ----

struct NameCase {
    const wchar_t* path;
    const wchar_t* name;
    const wchar_t* withoutExtension;
    const wchar_t* folder;
};

class NameTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameTable, CutsAtLastSeparatorAndLastDot)
{
    EXPECT_EQ(FileNamePart(GetParam().path), GetParam().name);
    EXPECT_EQ(NameWithoutExtension(GetParam().path), GetParam().withoutExtension);
    EXPECT_EQ(FolderOfPath(GetParam().path), GetParam().folder);
}

const NameCase kNameCases[] = {
    {L"C:\\Lists\\Work.Nesk.log", L"Work.Nesk.log", L"Work.Nesk", L"C:\\Lists"},
    {L"Work", L"Work", L"Work", L""},
    {L"C:\\a.b\\c", L"c", L"c", L"C:\\a.b"},
    {L"D:file.txt", L"file.txt", L"file", L""},
    {L"C:\\.hidden", L".hidden", L"", L"C:\\"},
    {L"C:\\dir\\", L"", L"", L"C:\\dir"},
    {L"", L"", L"", L""},
    {L"\\\\srv\\share\\x.y.z", L"x.y.z", L"x.y", L"\\\\srv\\share"},
};

INSTANTIATE_TEST_SUITE_P(Paths, NameTable, ::testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(LastCharPos, IsOneBasedAndZeroWhenAbsent)
{
    EXPECT_EQ(LastCharPos(L'.', L"a.b.c"), 4);
    EXPECT_EQ(LastCharPos(L'a', L"a"), 1);
    EXPECT_EQ(LastCharPos(L'x', L"abc"), 0);
    EXPECT_EQ(LastCharPos(L'.', L""), 0);
}

}  // namespace
}  // namespace nesk
