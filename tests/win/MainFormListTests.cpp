// The main window's start-up list choice and its saves, on the real data folder.
#include "MainFormTestSupport.h"

namespace nesk::testing {
namespace {

using Lines = std::vector<std::wstring>;

TEST_F(MainFormTest, StartupChoosesTheListFromTheFirstArgument)
{
    std::wstring named = TempFolder() + L"Work.Nesk.log";
    WriteBytes(named, Utf16Lines({L"### Nesk ###", L"C:\\a", L"C:\\b"}));

    struct Case {
        const wchar_t* name;
        std::wstring argument;
        bool hasArgument;
        Lines items;
        std::wstring title;
    } cases[] = {
        {L"no argument", L"", false, {L"D:\\default"}, L"Nesk"},
        {L"other text", L"hello", true, {L"D:\\default"}, L"Nesk"},
        {L"switch in another case", L"/new", true, {L"D:\\default"}, L"Nesk"},
        {L"switch", L"/New", true, {}, L"Nesk"},
        {L"missing file", TempFolder() + L"NeverWritten.Nesk.log", true, {L"D:\\default"}, L"Nesk"},
        {L"named list", named, true, {L"C:\\a", L"C:\\b"}, L"Nesk - Work"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(DefaultList(), Utf16Lines({L"D:\\default"}));
        TMainForm& main = Start(c.argument, c.hasArgument);
        EXPECT_EQ(main.Items(), c.items);
        EXPECT_EQ(main.Title(), c.title);
        EXPECT_EQ(SendMessageW(main.ListBox(), LB_GETCOUNT, 0, 0), static_cast<LRESULT>(c.items.size()));
        form.reset();
    }
}

TEST_F(MainFormTest, NewSwitchEmptiesTheDefaultListAtClose)
{
    WriteBytes(DefaultList(), Utf16Lines({L"D:\\default"}));
    TMainForm& main = Start(L"/New");
    main.FormCloseQuery();
    EXPECT_EQ(ReadBytes(DefaultList()), (std::vector<uint8_t>{0xFF, 0xFE}));
}

TEST_F(MainFormTest, ForeignLineEndsAreRewrittenInOurFormatAtClose)
{
    std::wstring named = TempFolder() + L"Lf.Nesk.log";
    // Another tool's UTF-16LE file with LF only and no break after the last line.
    std::vector<uint8_t> bytes{0xFF, 0xFE};
    for (wchar_t ch : std::wstring(L"### Nesk ###\nC:\\x\nC:\\y"))
        bytes.insert(bytes.end(), {static_cast<uint8_t>(ch & 0xFF), static_cast<uint8_t>(ch >> 8)});
    WriteBytes(named, bytes);
    TMainForm& main = Start(named);
    EXPECT_EQ(main.Items(), (Lines{L"C:\\x", L"C:\\y"}));
    main.FormCloseQuery();
    EXPECT_EQ(ReadBytes(named), Utf16Lines({L"### Nesk ###", L"C:\\x", L"C:\\y"}));
}

TEST_F(MainFormTest, VanishedNamedListIsRecreatedNotWrittenIntoTheDefaultList)
{
    WriteBytes(DefaultList(), Utf16Lines({L"D:\\keep"}));
    std::wstring named = TempFolder() + L"Gone.Nesk.log";
    WriteBytes(named, Utf16Lines({L"### Nesk ###", L"C:\\item"}));
    TMainForm& main = Start(named);
    DeleteFileW(named.c_str());

    main.SaveList();

    EXPECT_EQ(ReadBytes(named), Utf16Lines({L"### Nesk ###", L"C:\\item"}));
    EXPECT_EQ(ReadBytes(DefaultList()), Utf16Lines({L"D:\\keep"}));
    EXPECT_EQ(main.ListBoxRecent.front(), named);
}

TEST_F(MainFormTest, ListFileIsReadableByOtherProgramsThroughTheListControl)
{
    WriteBytes(DefaultList(), Utf16Lines({L"C:\\日本語\\ファイル.txt", L""}));
    TMainForm& main = StartWithoutArgument();
    wchar_t text[64] = {};
    SendMessageW(main.ListBox(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"C:\\日本語\\ファイル.txt");
    EXPECT_EQ(main.Items().size(), 2u);
}

TEST_F(MainFormTest, FailedSaveLeavesTheOldFileWholeAndReachesTheHandler)
{
    WriteBytes(DefaultList(), Utf16Lines({L"D:\\old"}));
    TMainForm& main = StartWithoutArgument();
    main.SetItems({L"D:\\new"});
    // Held open without sharing, as another program might: the save must fail as a whole.
    HANDLE lock = CreateFileW(DefaultList().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    DWORD start = GetTickCount();
    SendMessageW(main.Handle(), WM_QUERYENDSESSION, 0, 0);  // saves through the window procedure
    DWORD elapsed = GetTickCount() - start;
    CloseHandle(lock);
    EXPECT_GE(elapsed, 2900u) << "the program-wide handler pauses three seconds";
    EXPECT_EQ(ReadBytes(DefaultList()), Utf16Lines({L"D:\\old"}));
}

}  // namespace
}  // namespace nesk::testing
