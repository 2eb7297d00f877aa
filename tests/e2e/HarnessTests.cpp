// The end-to-end driver tried on a stand-in window, so that a failing Nesk test points at
// Nesk and not at the driver.
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace nesk::e2e;

namespace {

std::wstring StandIn() { return BuildDir() + L"\\nesk_standin.exe"; }

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// Runs nesk_close.exe with the given arguments and returns its exit status.
DWORD RunCloseTool(const std::wstring& arguments)
{
    NeskProcess tool(arguments, BuildDir() + L"\\nesk_close.exe");
    EXPECT_TRUE(tool.WaitForExit(15000));
    return tool.ExitCode();
}

class Harness : public testing::Test {
protected:
    void SetUp() override { ResetDataFolder(); }
};

}  // namespace

TEST(HarnessText, WritesNeskListBytes)
{
    std::wstring file = TempFolder() + L"list.txt";
    WriteLines(file, {L"a", L"日本", L""});
    EXPECT_EQ(ReadBytes(file), Bytes({0xFF, 0xFE, 'a', 0, '\r', 0, '\n', 0, 0xE5, 0x65, 0x2C, 0x67, '\r', 0, '\n', 0,
                                      '\r', 0, '\n', 0}));
}

TEST(HarnessText, ReadsLinesOfEveryShape)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::wstring> lines;
    } cases[] = {
        {"empty file", "", {}},
        {"mark only", Bytes({0xFF, 0xFE}), {}},
        {"CR LF with mark", Bytes({0xFF, 0xFE, 'a', 0, '\r', 0, '\n', 0, 'b', 0, '\r', 0, '\n', 0}), {L"a", L"b"}},
        {"no mark", Bytes({'a', 0, '\r', 0, '\n', 0}), {L"a"}},
        {"LF and CR alone", Bytes({'a', 0, '\n', 0, 'b', 0, '\r', 0, 'c', 0}), {L"a", L"b", L"c"}},
        {"last line without end", Bytes({'a', 0, '\r', 0, '\n', 0, 'b', 0}), {L"a", L"b"}},
        {"empty lines", Bytes({'\r', 0, '\n', 0, '\r', 0, '\n', 0}), {L"", L""}},
        {"surrogate pair", Bytes({0x3D, 0xD8, 0x00, 0xDE, '\r', 0, '\n', 0}), {L"\U0001F600"}},
    };
    std::wstring file = TempFolder() + L"lines.txt";
    for (const auto& c : cases) {
        WriteBytes(file, c.bytes);
        EXPECT_EQ(ReadLines(file), c.lines) << c.name;
    }
    WriteBytes(file, "abc");
    EXPECT_THROW(ReadLines(file), std::runtime_error);
}

TEST_F(Harness, StartsReadsTheListAndClosesAfterTheWindowSaved)
{
    const std::vector<std::wstring> items = {L"C:\\Windows\\notepad.exe", L"", L"Z:\\tmp\\日本語 フォルダ"};
    WriteLines(DataFolder() + L"Nesk.lst", items);

    NeskProcess nesk(L"", StandIn());
    HWND window = nesk.MainWindow();
    EXPECT_EQ(Title(window), L"Nesk");
    EXPECT_TRUE(IsVisible(window));
    EXPECT_EQ(ListItems(window), items);
    for (int row = 0; row < static_cast<int>(items.size()); ++row) {
        POINT point = ListRowPoint(window, row);
        ScreenToClient(ListBox(window), &point);
        LRESULT hit = SendMessageW(ListBox(window), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
        EXPECT_EQ(LOWORD(hit), row);
        EXPECT_EQ(HIWORD(hit), 0) << "row " << row << " is outside the list";
    }

    // The stand-in writes its list while closing: the file must be complete once Close returns.
    WriteLines(DataFolder() + L"Nesk.lst", {});
    ASSERT_TRUE(nesk.Close());
    EXPECT_EQ(nesk.ExitCode(), 0u);
    EXPECT_EQ(ReadLines(DataFolder() + L"Nesk.lst"), items);
}

TEST_F(Harness, ResetEmptiesTheDataFolder)
{
    WriteBytes(DataFolder() + L"Nesk.ini", "x");
    WriteBytes(DataFolder() + L"BuffFile.tmp", "y");
    SetFileAttributesW((DataFolder() + L"BuffFile.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    ResetDataFolder();
    EXPECT_FALSE(FileExists(DataFolder() + L"Nesk.ini"));
    EXPECT_FALSE(FileExists(DataFolder() + L"BuffFile.tmp"));
}

TEST_F(Harness, DestructionEndsAProcessThatIsStillRunning)
{
    HANDLE watcher = nullptr;
    {
        NeskProcess nesk(L"", StandIn());
        nesk.MainWindow();
        watcher = OpenProcess(SYNCHRONIZE, FALSE, nesk.Id());
        ASSERT_NE(watcher, nullptr);
    }
    EXPECT_EQ(WaitForSingleObject(watcher, 0), WAIT_OBJECT_0);
    CloseHandle(watcher);
}

TEST_F(Harness, FindsAndAnswersAMessageBoxShownBeforeTheWindow)
{
    NeskProcess nesk(L"/msgbox " + QuoteArgument(L"リストファイルではありません"), StandIn());
    MessageBoxInfo box = WaitForMessageBox(nesk.Id());
    EXPECT_EQ(box.caption, L"Nesk");
    EXPECT_EQ(box.text, L"リストファイルではありません");
    EXPECT_THROW(nesk.MainWindow(300), std::runtime_error);

    PressButton(box.window);
    EXPECT_FALSE(FindMessageBox(nesk.Id()).has_value());
    EXPECT_EQ(Title(nesk.MainWindow()), L"Nesk");
    EXPECT_TRUE(nesk.Close());
}

TEST_F(Harness, DroppedFilesArriveInOrderAtTheDropPoint)
{
    // Names that a sloppy file:// encoding would break: spaces, "%", "#", non-ASCII.
    std::wstring folder = TempFolder();
    const std::vector<std::wstring> files = {folder + L"b.txt", folder + L"a b.txt", folder + L"100% #1.txt",
                                             folder + L"日本語.txt"};
    for (const auto& file : files) WriteBytes(file, "x");

    NeskProcess nesk(L"", StandIn());
    HWND window = nesk.MainWindow();
    POINT point = ListRowPoint(window, 0);
    DropResult drop = Drop(point, files);
    ASSERT_EQ(drop.status, 0) << drop.message;

    std::vector<std::wstring> items;
    ASSERT_TRUE(WaitFor([&] { return (items = ListItems(window)).size() == files.size(); })) << items.size();
    // Wine names dropped files by their Unix path (Z:\...); both must name the same file.
    for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(UnixPath(items[i]), UnixPath(files[i])) << Utf8(items[i]);

    POINT client = point;
    ScreenToClient(window, &client);
    EXPECT_EQ(Title(window), L"Nesk - drop " + std::to_wstring(client.x) + L"," + std::to_wstring(client.y));
    EXPECT_TRUE(nesk.Close());
}

TEST_F(Harness, BrowserLinkArrivesAsMozillaUrlText)
{
    NeskProcess nesk(L"/links", StandIn());
    HWND window = nesk.MainWindow();
    // Offered like a browser offers it: the link text first, then a URI list.
    DropOptions link{L"copy", {L"text/x-moz-url", L"text/uri-list"}, L"例のページ"};
    DropResult drop = Drop(ListRowPoint(window, 0), {L"https://example.com/日本?q=1"}, link);
    ASSERT_EQ(drop.status, 0) << drop.message;
    std::vector<std::wstring> items;
    EXPECT_TRUE(WaitFor([&] { return !(items = ListItems(window)).empty(); }));
    EXPECT_EQ(items, (std::vector<std::wstring>{L"https://example.com/日本?q=1", L"例のページ"}));
    EXPECT_TRUE(nesk.Close());
}

TEST_F(Harness, DropReportsWhatDidNotArrive)
{
    NeskProcess nesk(L"", StandIn());
    HWND window = nesk.MainWindow();
    struct Case {
        const char* name;
        POINT point;
        DropOptions options;
        int status;
    } cases[] = {
        // A window that takes only WM_DROPFILES has no use for a bare link.
        {"refused", ScreenCenter(window), {L"copy", {L"text/x-moz-url"}, L"Example", 3000}, 4},
        {"no window there", {GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2}, {}, 3},
    };
    for (const auto& c : cases) {
        DropResult drop = Drop(c.point, {L"https://example.com/"}, c.options);
        EXPECT_EQ(drop.status, c.status) << c.name << ": " << drop.message;
    }
    EXPECT_TRUE(ListItems(window).empty());
    EXPECT_EQ(Title(window), L"Nesk");
}

TEST_F(Harness, CloseToolClosesOneProcessOrAll)
{
    NeskProcess first(L"", StandIn());
    NeskProcess second(L"", StandIn());
    first.MainWindow();
    second.MainWindow();

    EXPECT_EQ(RunCloseTool(L"--pid " + std::to_wstring(first.Id())), 0u);
    EXPECT_FALSE(first.Running());
    EXPECT_TRUE(second.Running());

    EXPECT_EQ(RunCloseTool(L""), 0u);
    EXPECT_FALSE(second.Running());
    EXPECT_EQ(RunCloseTool(L""), 1u);
}
