// The editing commands and the list's keys in the real window, checked against the list
// control, the saved list file and the cut buffer file.
#include "MainFormCommandsTestSupport.h"

#include "list/TextFile.h"

namespace nesk::testing {
namespace {

using Texts = std::vector<std::wstring>;

TEST_F(CommandsTest, CutAndPasteMoveTheBlockAndSaveEachStep)
{
    StartWith({L"C:\\a", L"C:\\b", L"C:\\c", L"C:\\d", L"C:\\e"});
    Select({1, 3});
    Click(ID_TBCUT);
    EXPECT_EQ(ListTexts(), (Texts{L"C:\\a", L"C:\\c", L"C:\\e"}));
    EXPECT_EQ(SavedItems(), ListTexts());
    EXPECT_EQ(ReadBytes(DataFolder() + L"BuffFile.tmp"), (std::vector<uint8_t>{'C', ':', '\\', 'd', '\r', '\n', 'C', ':', '\\', 'b', '\r', '\n'}));
    EXPECT_EQ(SendMessageW(form->ListBox(), LB_GETSELCOUNT, 0, 0), 0);

    Select({2});
    PressWithCtrl('V');
    EXPECT_EQ(ListTexts(), (Texts{L"C:\\a", L"C:\\c", L"C:\\b", L"C:\\d", L"C:\\e"}));
    EXPECT_EQ(SavedItems(), ListTexts());
    EXPECT_EQ(SendMessageW(form->ListBox(), LB_GETSELCOUNT, 0, 0), 0);

    // The file outlives the paste: a second paste at the end inserts the block again.
    Select({});
    Click(ID_TBPASTE);
    EXPECT_EQ(ListTexts(), (Texts{L"C:\\a", L"C:\\c", L"C:\\b", L"C:\\d", L"C:\\e", L"C:\\b", L"C:\\d"}));
    EXPECT_EQ(SavedItems(), ListTexts());
}

TEST_F(CommandsTest, CtrlXCutsAndACutOfNothingKeepsTheBuffer)
{
    StartWith({L"C:\\日本語\\ファイル.txt", L"C:\\b"});
    Select({0});
    PressWithCtrl('X');
    EXPECT_EQ(ListTexts(), (Texts{L"C:\\b"}));
    EXPECT_EQ(ReadSmallFile(DataFolder() + L"BuffFile.tmp"), (Texts{L"C:\\日本語\\ファイル.txt"}));

    DeleteFileW(DefaultList().c_str());
    Select({});
    Click(ID_TBCUT);
    EXPECT_EQ(ReadSmallFile(DataFolder() + L"BuffFile.tmp"), (Texts{L"C:\\日本語\\ファイル.txt"}));
    EXPECT_FALSE(FileExists(DefaultList())) << "a command that changes nothing saves nothing";
}

TEST_F(CommandsTest, PasteIntoAnotherWindowAndRefusals)
{
    StartWith({L"C:\\x"});
    Click(ID_TBPASTE);  // no cut was ever made
    EXPECT_EQ(ListTexts(), (Texts{L"C:\\x"}));

    // Another window's cut, left in the shared file.
    WriteBytes(DataFolder() + L"BuffFile.tmp", {'C', ':', '\\', '2', '\r', '\n', 'C', ':', '\\', '1', '\r', '\n'});
    Select({0});
    Click(ID_TBPASTE);
    EXPECT_EQ(ListTexts(), (Texts{L"C:\\1", L"C:\\2", L"C:\\x"}));

    Select({0, 1});
    Click(ID_TBPASTE);
    EXPECT_EQ(ListTexts(), (Texts{L"C:\\1", L"C:\\2", L"C:\\x"}));
}

// Texts that are no path at all are removed like any other item: the command completes,
// the rows below them go too, and the list is saved.
TEST_F(CommandsTest, RemoveSelectedTakesEverySelectedItemAndOnlyOurOwnLinkFiles)
{
    std::wstring ours = DataFolder() + L"Example.url";
    std::wstring oursUpper = DataFolder() + L"Upper.URL";
    std::wstring foreign = RealFile(L"Elsewhere.url");
    WriteBytes(ours, {'x'});
    WriteBytes(oursUpper, {'x'});
    StartWith({L"C:\\kept", ours, L"", L"   ", L"a\x01" L"b", L"say \"hi\"", L"<x>", L"a|b", std::wstring(3000, L'x'),
               L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", L"https://example.com/", oursUpper, foreign,
               DataFolder() + L"gone.url"});
    std::vector<int> rows;
    for (int row = 1; row < 14; ++row)
        rows.push_back(row);
    Select(rows);
    Click(ID_TBCLEAR);

    EXPECT_EQ(ListTexts(), (Texts{L"C:\\kept"}));
    EXPECT_EQ(SavedItems(), (Texts{L"C:\\kept"}));
    EXPECT_FALSE(FileExists(ours));
    EXPECT_FALSE(FileExists(oursUpper));
    EXPECT_TRUE(FileExists(foreign));
    EXPECT_EQ(form->IconRows().AskedRows(), (std::vector<int>{0}));
}

TEST_F(CommandsTest, RemoveSelectedWithNothingSelectedSavesNothing)
{
    StartWith({L"C:\\a"});
    DeleteFileW(DefaultList().c_str());
    Click(ID_TBCLEAR);
    EXPECT_EQ(ListTexts(), (Texts{L"C:\\a"}));
    EXPECT_FALSE(FileExists(DefaultList()));
}

TEST_F(CommandsTest, RemoveMissingKeepsWhatExistsWithItsSelection)
{
    std::wstring here = RealFile(L"here.txt");
    std::wstring folder = Folder();
    StartWith({L"C:\\nothing\\gone.txt", here, L"relative.txt", folder, L"", L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", L"C:\\"});
    Select({1, 2, 6});
    Click(ID_TBEXISTS);
    EXPECT_EQ(ListTexts(), (Texts{here, folder, L"C:\\"}));
    EXPECT_EQ(SavedItems(), ListTexts());
    EXPECT_EQ(form->SelectedIndices(), (std::vector<int>{0, 2}));

    DeleteFileW(DefaultList().c_str());
    Click(ID_TBEXISTS);
    EXPECT_FALSE(FileExists(DefaultList())) << "nothing was missing, so nothing is saved";
}

TEST_F(CommandsTest, RemoveDuplicatesLeavesEachTextOnceAndNothingSelected)
{
    StartWith({L"A", L"B", L"a", L"A", L"", L"B"});
    Select({0, 1});
    Click(ID_TBPURGE);
    EXPECT_EQ(ListTexts(), (Texts{L"B", L"a"}));
    EXPECT_EQ(SavedItems(), ListTexts());
    EXPECT_EQ(SendMessageW(form->ListBox(), LB_GETSELCOUNT, 0, 0), 0);

    DeleteFileW(DefaultList().c_str());
    Select({1});
    Click(ID_TBPURGE);
    EXPECT_FALSE(FileExists(DefaultList()));
    EXPECT_EQ(SendMessageW(form->ListBox(), LB_GETSELCOUNT, 0, 0), 0);
}

TEST_F(CommandsTest, SelectAllByButtonAndKeys)
{
    StartWith({L"C:\\a", L"C:\\b", L"C:\\c"});
    Click(ID_TBALLSELECT);
    EXPECT_EQ(form->SelectedIndices(), (std::vector<int>{0, 1, 2}));
    Select({});
    PressWithCtrl('A');
    EXPECT_EQ(form->SelectedIndices(), (std::vector<int>{0, 1, 2}));
    Select({});
    SendMessageW(form->ListBox(), WM_KEYDOWN, 'A', 1);  // without Ctrl it is just a letter
    EXPECT_TRUE(form->SelectedIndices().empty());
}

TEST_F(CommandsTest, OpenLaunchesExistingSelectedItemsAndReportsEachFailure)
{
    std::wstring first = RealFile(L"first.txt");
    std::wstring second = RealFile(L"second.txt");
    StartWith({first, L"C:\\nothing\\missing.txt", L"", second, L"C:\\unselected"});
    Select({0, 1, 2, 3});
    Click(ID_TBOPEN);
    ASSERT_EQ(Recorded().launches.size(), 2u);
    EXPECT_EQ(Recorded().launches[0].verb, L"open");
    EXPECT_EQ(Recorded().launches[0].file, first);
    EXPECT_EQ(Recorded().launches[0].show, SW_SHOW);
    EXPECT_EQ(Recorded().launches[1].file, second);
    EXPECT_TRUE(Recorded().boxes.empty());

    Recorded() = ShellRecord{};
    Recorded().answer = 2;  // the shell's "file not found"
    SendMessageW(form->ListBox(), WM_CHAR, L'\r', 1);
    EXPECT_EQ(Recorded().launches.size(), 2u);
    EXPECT_EQ(Recorded().boxes, (Texts{L"起動できません|Nesk - エラー|16", L"起動できません|Nesk - エラー|16"}));

    // A missing item alone, double-clicked: nothing is launched and nothing is shown.
    Recorded() = ShellRecord{};
    Select({1});
    RECT row{};
    SendMessageW(form->ListBox(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    SendMessageW(form->ListBox(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(row.left + 40, row.top + 2));
    EXPECT_TRUE(Recorded().launches.empty());
    EXPECT_TRUE(Recorded().boxes.empty());

    // Texts that are no path at all are never handed to the shell, not even when a real
    // folder stands before the control character.
    form->SetItems({L"C:\\windows\nsystem32", L"C:\\windows\t", L"   ", L""});
    form->RebuildIcons();
    Select({0, 1, 2, 3});
    SendMessageW(form->ListBox(), WM_CHAR, L'\r', 1);
    Click(ID_TBFOLDER);
    EXPECT_TRUE(Recorded().launches.empty());
    EXPECT_TRUE(Recorded().boxes.empty());
}

TEST_F(CommandsTest, OpenFolderShowsTheFolderThatHoldsEachItem)
{
    std::wstring file = RealFile(L"inside.txt");
    std::wstring folder = Folder();
    std::wstring folderNoSlash = folder.substr(0, folder.size() - 1);
    StartWith({file, L"C:\\", folderNoSlash, L"C:\\nothing\\missing.txt", folder});
    Select({0, 1, 2, 3, 4});
    Click(ID_TBFOLDER);
    ASSERT_EQ(Recorded().launches.size(), 4u);
    EXPECT_EQ(Recorded().launches[0].file, folderNoSlash);
    EXPECT_EQ(Recorded().launches[0].verb, L"(none)");
    EXPECT_EQ(Recorded().launches[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(Recorded().launches[1].file, L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_EQ(Recorded().launches[1].directory, L"::");
    EXPECT_EQ(Recorded().launches[2].file, folderNoSlash.substr(0, folderNoSlash.rfind(L'\\')));
    EXPECT_EQ(Recorded().launches[3].file, L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_TRUE(Recorded().boxes.empty());
}

TEST_F(CommandsTest, HorizontalExtentIsTwiceTheWidestTextAndFollowsResizeNotZoom)
{
    std::wstring wide(200, L'W');
    TMainForm& main = StartWith({L"C:\\short", wide});
    HDC dc = GetDC(main.ListBox());
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(main.ListBox(), WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(main.ListBox(), dc);
    EXPECT_EQ(main.HorizontalExtent(), 2 * size.cx);

    main.FormMouseWheel(WHEEL_DELTA, true);
    EXPECT_EQ(main.HorizontalExtent(), 2 * size.cx) << "a zoom leaves the range alone";
    SetWindowPos(main.Handle(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_NE(main.HorizontalExtent(), 2 * size.cx) << "a resize measures again in the new font";

    Select({0, 1});
    Click(ID_TBCLEAR);
    EXPECT_EQ(main.HorizontalExtent(), 0);
}

}  // namespace
}  // namespace nesk::testing
