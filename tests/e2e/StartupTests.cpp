// Nesk.exe started as a user would, with each form of command line, checked through its
// window and through the files it leaves behind when it is closed.
#include <gtest/gtest.h>

#include "e2e/Driver.h"

namespace nesk::e2e {
namespace {

using Lines = std::vector<std::wstring>;

class Startup : public ::testing::Test {
protected:
    void SetUp() override { ResetDataFolder(); }
    void TearDown() override { ResetDataFolder(); }
    std::wstring DefaultList() const { return DataFolder() + L"Nesk.lst"; }
};

TEST_F(Startup, CommandLineChoosesTheList)
{
    std::wstring folder = TempFolder();
    std::wstring named = folder + L"作業.Nesk.log";
    WriteLines(named, {L"### Nesk ###", L"C:\\windows", L"C:\\名前.txt"});

    struct Case {
        const char* name;
        std::wstring arguments;
        Lines items;
        std::wstring title;
    } cases[] = {
        {"no argument", L"", {L"C:\\default"}, L"Nesk"},
        {"named list", QuoteArgument(named), {L"C:\\windows", L"C:\\名前.txt"}, L"Nesk - 作業"},
        {"missing file", QuoteArgument(folder + L"missing.Nesk.log"), {L"C:\\default"}, L"Nesk"},
        {"switch", L"/New", {}, L"Nesk"},
        {"switch in lower case", L"/new", {L"C:\\default"}, L"Nesk"},
        {"any other text", L"hello world", {L"C:\\default"}, L"Nesk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteLines(DefaultList(), {L"C:\\default"});
        NeskProcess nesk(c.arguments);
        HWND main = nesk.MainWindow();
        EXPECT_EQ(Title(main), c.title);
        EXPECT_EQ(ListItems(main), c.items);
        EXPECT_TRUE(IsVisible(main));
        ASSERT_TRUE(nesk.Close());
        EXPECT_EQ(nesk.ExitCode(), 0u);
    }
}

TEST_F(Startup, NewSwitchOverwritesTheDefaultListAtClose)
{
    WriteLines(DefaultList(), {L"C:\\default"});
    NeskProcess nesk(L"/New");
    nesk.MainWindow();
    ASSERT_TRUE(nesk.Close());
    EXPECT_EQ(ReadBytes(DefaultList()), std::string("\xFF\xFE", 2));
}

TEST_F(Startup, ForeignListIsRewrittenInOurFormatAtClose)
{
    std::wstring named = TempFolder() + L"Lf.Nesk.log";
    // Written by another tool: UTF-16LE with LF only and no line end after the last line.
    std::wstring text = L"\xFEFF### Nesk ###\nC:\\x\nC:\\y";
    std::string bytes;
    for (wchar_t ch : text) {
        bytes.push_back(static_cast<char>(ch & 0xFF));
        bytes.push_back(static_cast<char>(ch >> 8));
    }
    WriteBytes(named, bytes);

    NeskProcess nesk(QuoteArgument(named));
    EXPECT_EQ(ListItems(nesk.MainWindow()), (Lines{L"C:\\x", L"C:\\y"}));
    ASSERT_TRUE(nesk.Close());

    std::wstring expected = L"\xFEFF### Nesk ###\r\nC:\\x\r\nC:\\y\r\n";
    std::string expectedBytes;
    for (wchar_t ch : expected) {
        expectedBytes.push_back(static_cast<char>(ch & 0xFF));
        expectedBytes.push_back(static_cast<char>(ch >> 8));
    }
    EXPECT_EQ(ReadBytes(named), expectedBytes);
}

TEST_F(Startup, RejectedFileIsReportedBeforeTheWindowShows)
{
    WriteLines(DefaultList(), {L"C:\\default"});
    std::wstring plain = TempFolder() + L"plain.txt";
    WriteLines(plain, {L"not a list"});

    NeskProcess nesk(QuoteArgument(plain));
    MessageBoxInfo box = WaitForMessageBox(nesk.Id());
    EXPECT_EQ(box.caption, L"Nesk");
    EXPECT_EQ(box.text, plain + L"は\r\nNeskファイルではありません。");
    // The main window exists but has not been shown while the message is up.
    HWND hidden = FindWindowW(L"TMainForm", nullptr);
    EXPECT_TRUE(hidden == nullptr || !IsVisible(hidden));

    PressButton(box.window);
    HWND main = nesk.MainWindow();
    EXPECT_EQ(Title(main), L"Nesk");
    EXPECT_EQ(ListItems(main), Lines{L"C:\\default"});
    ASSERT_TRUE(nesk.Close());
}

TEST_F(Startup, HugeArgumentIsHarmless)
{
    WriteLines(DefaultList(), {L"C:\\default"});
    NeskProcess nesk(std::wstring(30000, L'x'));
    EXPECT_EQ(ListItems(nesk.MainWindow()), Lines{L"C:\\default"});
    ASSERT_TRUE(nesk.Close());
    EXPECT_EQ(nesk.ExitCode(), 0u);
}

}  // namespace
}  // namespace nesk::e2e
