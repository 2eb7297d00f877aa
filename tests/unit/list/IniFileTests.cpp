// Settings files: reading rules, what a save keeps, and the encoding it is written in.
#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "list/IniFile.h"
#include "list/TextFile.h"

namespace nesk {
namespace {

using Lines = std::vector<std::wstring>;

class IniFileTest : public fakes::FakePlatformTest {
protected:
    IniFileTest()
    {
        ForgetSmallFileEncodings();
        fake.fs.AddFolder(L"C:\\Data");
    }
    ~IniFileTest() override { ForgetSmallFileEncodings(); }
};

TEST_F(IniFileTest, IntegersInDecimalAndHexadecimal)
{
    struct Case {
        const wchar_t* text;
        std::optional<int> value;
    } cases[] = {
        {L"368", 368},
        {L"-8", -8},
        {L"+7", 7},
        {L"$1F", 31},
        {L"0x1f", 31},
        {L"0X10", 16},
        {L"-$10", -16},
        {L"007", 7},
        {L"2147483647", 2147483647},
        {L"-2147483648", -2147483647 - 1},
        // Beyond 32 bits, or no number at all: missing.
        {L"2147483648", std::nullopt},
        {L"99999999999999999999999999", std::nullopt},
        {L"$FFFFFFFFFF", std::nullopt},
        {L"", std::nullopt},
        {L"-", std::nullopt},
        {L"$", std::nullopt},
        {L"0x", std::nullopt},
        {L"12a", std::nullopt},
        {L"1 2", std::nullopt},
        {L"1.5", std::nullopt},
        {L"$G1", std::nullopt},
        {L"\uFF11\uFF12", std::nullopt},  // full-width digits are text
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseIniInteger(c.text), c.value);
    }
}

TEST_F(IniFileTest, ReadingRules)
{
    IniFile ini = IniFile::Parse({
        L"; a comment before any section",
        L"Top=1",  // outside any section: never read
        L"  [Window]  ",
        L"\tTop = 113 ",
        L"left=368",
        L";Height=999",
        L"",
        L"Width=abc",
        L"Title=a=b",
        L"Flag",
        L"Top=5",  // a second key of the same name: the first counts
        L"[window]",  // a second section of the same name is ignored
        L"Height=700",
        L"[D:\\[Old]]",
        L"Normal=0",
    });
    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        std::optional<int> value;
    } cases[] = {
        {L"Window", L"Top", 113},
        {L"WINDOW", L"TOP", 113},
        {L"Window", L"Left", 368},
        {L"Window", L"Height", std::nullopt},
        {L"Window", L"Width", std::nullopt},
        {L"Window", L"Flag", std::nullopt},
        {L"Window", L"Missing", std::nullopt},
        {L"D:\\[Old]", L"Normal", 0},
        {L"Nowhere", L"Top", std::nullopt},
        {L"", L"Top", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.section) + L"/" + c.key);
        EXPECT_EQ(ini.ReadInteger(c.section, c.key), c.value);
    }
    // A key ends at the first "=".
    EXPECT_EQ(ini.ReadString(L"Window", L"Title"), L"a=b");
}

TEST_F(IniFileTest, SavingKeepsWhatTheProgramDoesNotKnow)
{
    IniFile ini = IniFile::Parse({
        L"[Other]",
        L"; kept by hand",
        L"Colour=red",
        L"",
        L"",
        L"[Window]",
        L"Extra=1",
        L"top=5",
        L"[Window]",
        L"Top=9",
    });
    ini.WriteInteger(L"WINDOW", L"Top", 120);
    ini.WriteString(L"Window", L"Min", L"1");
    ini.WriteInteger(L"D:\\Lists", L"Left", -4);
    EXPECT_EQ(ini.Lines(), (Lines{
                               L"[Other]",
                               L"; kept by hand",
                               L"Colour=red",
                               L"",
                               L"[Window]",
                               L"Extra=1",
                               L"Top=120",
                               L"Min=1",
                               L"",
                               L"[Window]",
                               L"Top=9",
                               L"",
                               L"[D:\\Lists]",
                               L"Left=-4",
                               L"",
                           }));
}

TEST_F(IniFileTest, MissingFileIsEmptyAndNewFileIsAnsi)
{
    IniFile ini = IniFile::Load(L"C:\\Data\\Nesk.ini");
    EXPECT_EQ(ini.Lines(), Lines{});
    ini.WriteInteger(L"Window", L"Top", 113);
    ini.Save(L"C:\\Data\\Nesk.ini");
    EXPECT_EQ(fake.fs.ContentString(L"C:\\Data\\Nesk.ini"), "[Window]\r\nTop=113\r\n\r\n");
}

TEST_F(IniFileTest, FolderNamesTheCodePageCannotHoldStayApart)
{
    // Two folders whose names the ANSI code page would both turn into "D:\??".
    std::wstring first = L"D:\\\uD55C\uAD6D";
    std::wstring second = L"D:\\\u0645\u0635";
    IniFile ini = IniFile::Load(L"C:\\Data\\Work.Nesk.ini");
    ini.WriteInteger(first, L"Top", 1);
    ini.Save(L"C:\\Data\\Work.Nesk.ini");
    ForgetSmallFileEncodings();  // as in the next process
    ini = IniFile::Load(L"C:\\Data\\Work.Nesk.ini");
    ini.WriteInteger(second, L"Top", 2);
    ini.Save(L"C:\\Data\\Work.Nesk.ini");

    EXPECT_EQ(fake.fs.ContentString(L"C:\\Data\\Work.Nesk.ini").substr(0, 3), "\xEF\xBB\xBF");
    ForgetSmallFileEncodings();
    IniFile back = IniFile::Load(L"C:\\Data\\Work.Nesk.ini");
    EXPECT_EQ(back.ReadInteger(first, L"Top"), 1);
    EXPECT_EQ(back.ReadInteger(second, L"Top"), 2);
}

TEST_F(IniFileTest, EncodingFoundOnReadingIsKept)
{
    // UTF-16LE with its mark, as another tool may have saved it.
    std::string bytes("\xFF\xFE", 2);
    for (wchar_t ch : std::wstring(L"[Window]\r\nTop=1\r\n"))
        bytes += {static_cast<char>(ch & 0xFF), static_cast<char>(ch >> 8)};
    fake.fs.AddFile(L"C:\\Data\\Nesk.ini", bytes);
    IniFile ini = IniFile::Load(L"C:\\Data\\Nesk.ini");
    ini.WriteInteger(L"Window", L"Top", 2);
    ini.Save(L"C:\\Data\\Nesk.ini");
    std::string written = fake.fs.ContentString(L"C:\\Data\\Nesk.ini");
    ASSERT_GE(written.size(), 4u);
    EXPECT_EQ(written.substr(0, 4), std::string("\xFF\xFE[\0", 4));
}

TEST_F(IniFileTest, BinaryFileNeitherCrashesNorBlocksTheSettings)
{
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919 + 13) % 256);
    junk += "\n[Window\n=\n[\n]\n[]\nTop=\n";
    fake.fs.AddFile(L"C:\\Data\\Nesk.ini", junk);
    IniFile ini = IniFile::Load(L"C:\\Data\\Nesk.ini");
    EXPECT_EQ(ini.ReadInteger(L"Window", L"Top"), std::nullopt);
    ini.WriteInteger(L"Window", L"Top", 113);
    ini.Save(L"C:\\Data\\Nesk.ini");
    EXPECT_EQ(IniFile::Load(L"C:\\Data\\Nesk.ini").ReadInteger(L"Window", L"Top"), 113);
}

TEST_F(IniFileTest, UnreadableFileIsReportedNotTakenAsEmpty)
{
    fake.fs.AddFile(L"C:\\Data\\Nesk.ini", std::string("[Other]\r\nKeep=1\r\n"));
    fake.fs.Lock(L"C:\\Data\\Nesk.ini");
    EXPECT_THROW(IniFile::Load(L"C:\\Data\\Nesk.ini"), FileError);
}

}  // namespace
}  // namespace nesk
