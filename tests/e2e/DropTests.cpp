// Files, folders and list files dropped on a running Nesk.exe through X11, as a file manager
// drops them, checked in the window and in the list file on disk.
#include <gtest/gtest.h>

#include "e2e/Driver.h"

namespace nesk::e2e {
namespace {

using Lines = std::vector<std::wstring>;

// The file name part: Wine names dropped files by their Unix path (Z:\...), so the folder
// part differs from the one the test wrote; the names, their order and their case must not.
Lines Names(const Lines& paths)
{
    Lines names;
    for (const auto& path : paths)
        names.push_back(path.find(L'\\') == std::wstring::npos ? path : path.substr(path.rfind(L'\\') + 1));
    return names;
}

class DropOnNesk : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDataFolder();
        folder = TempFolder();
        WriteBytes(folder + L"b.txt", "b");
        WriteBytes(folder + L"A.txt", "a");
        CreateDirectoryW((folder + L"c").c_str(), nullptr);
    }
    void TearDown() override { ResetDataFolder(); }

    std::wstring DefaultList() const { return DataFolder() + L"Nesk.lst"; }

    // Drops as a user does: the mouse is where the drop happens.
    void DropAt(POINT point, const Lines& items)
    {
        ASSERT_TRUE(SetCursorPos(point.x, point.y));
        DropResult result = Drop(point, items);
        ASSERT_EQ(result.status, 0) << result.message;
    }

    // A point on the window above its list: the toolbar, or the title bar while there is none.
    static POINT AboveTheList(HWND main)
    {
        RECT window, list;
        GetWindowRect(main, &window);
        GetWindowRect(ListBox(main), &list);
        return {(list.left + list.right) / 2, (window.top + list.top) / 2};
    }

    std::wstring folder;
};

TEST_F(DropOnNesk, FilesAndFoldersLandSortedWhereTheMouseIs)
{
    struct Case {
        const char* name;
        Lines items;
        int row;  // -1: above the list
        Lines expected;
    } cases[] = {
        {"on the row of y", {L"x", L"y"}, 1, {L"x", L"c", L"b.txt", L"A.txt", L"y"}},
        {"below the last row", {L"x"}, 1, {L"x", L"c", L"b.txt", L"A.txt"}},
        {"above the list", {L"x"}, -1, {L"x", L"A.txt", L"b.txt", L"c"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteLines(DefaultList(), c.items);
        NeskProcess nesk;
        HWND main = nesk.MainWindow();
        DropAt(c.row < 0 ? AboveTheList(main) : ListRowPoint(main, c.row), {folder + L"b.txt", folder + L"A.txt",
                                                                             folder + L"c"});
        Lines items;
        ASSERT_TRUE(WaitFor([&] { return (items = ListItems(main)).size() == c.expected.size(); }));
        EXPECT_EQ(Names(items), c.expected);
        EXPECT_EQ(ReadLines(DefaultList()), items) << "the list file is rewritten at once";
        for (const auto& item : items) {
            if (item.size() > 1) {
                EXPECT_EQ(UnixPath(item), UnixPath(folder + Names({item})[0])) << Utf8(item);
            }
        }
        ASSERT_TRUE(nesk.Close());
    }
}

TEST_F(DropOnNesk, DroppedNameTakesTheLetterCaseStoredOnDisk)
{
    CreateDirectoryW((folder + L"Data").c_str(), nullptr);
    WriteBytes(folder + L"Data\\ReadMe.txt", "r");
    NeskProcess nesk;
    HWND main = nesk.MainWindow();
    // A URI in another letter case than the disk's, as a case-blind source may send it.
    std::string uri = "file://" + UnixPath(folder) + "DATA/readme.TXT";
    DropAt(ListRowPoint(main, 0), {Wide(uri)});
    Lines items;
    ASSERT_TRUE(WaitFor([&] { return (items = ListItems(main)).size() == 1; }));
    std::wstring stored = L"\\Data\\ReadMe.txt";
    ASSERT_GT(items[0].size(), stored.size());
    EXPECT_EQ(items[0].substr(items[0].size() - stored.size()), stored) << Utf8(items[0]);
    ASSERT_TRUE(nesk.Close());
}

TEST_F(DropOnNesk, OneDroppedListFileBecomesTheCurrentList)
{
    WriteLines(DefaultList(), {L"x"});
    std::wstring work = folder + L"Work.Nesk.log";
    WriteLines(work, {L"### Nesk ###", L"C:\\one", L"C:\\二"});
    NeskProcess nesk;
    HWND main = nesk.MainWindow();
    DropAt(ListRowPoint(main, 0), {work});
    ASSERT_TRUE(WaitFor([&] { return Title(main) == L"Nesk - Work"; })) << Utf8(Title(main));
    EXPECT_EQ(ListItems(main), (Lines{L"C:\\one", L"C:\\二"}));
    EXPECT_EQ(ReadLines(DefaultList()), (Lines{L"x"})) << "the default list keeps its items";
    ASSERT_TRUE(nesk.Close());
    EXPECT_EQ(ReadLines(work), (Lines{L"### Nesk ###", L"C:\\one", L"C:\\二"}));
}

TEST_F(DropOnNesk, LinkDroppedAsAFileListAddsNothing)
{
    // Wine hands a dragged link to a file-drop window as a file list without a file in it.
    WriteLines(DefaultList(), {L"x"});
    NeskProcess nesk;
    HWND main = nesk.MainWindow();
    DropOptions options;
    options.types = {L"text/x-moz-url", L"text/uri-list"};
    options.title = L"Example page";
    POINT point = ListRowPoint(main, 0);
    SetCursorPos(point.x, point.y);
    DropResult result = Drop(point, {L"https://example.com/a/b?c=d"}, options);
    ASSERT_EQ(result.status, 0) << result.message;
    EXPECT_FALSE(WaitFor([&] { return ListItems(main) != Lines{L"x"}; }, 1000)) << "nothing may be inserted";
    EXPECT_TRUE(nesk.Running());
    ASSERT_TRUE(nesk.Close());
    EXPECT_EQ(ReadLines(DefaultList()), (Lines{L"x"}));
}

}  // namespace
}  // namespace nesk::e2e
