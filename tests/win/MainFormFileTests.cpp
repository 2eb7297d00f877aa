// The file menu through the real window: its items, the history submenus, and switching lists
// with open, recent, default and save as, checked against the files they write.
#include "MainFormTestSupport.h"

#include <atomic>
#include <thread>

#include "MainFormFileDialogAnswer.h"
#include "chrome/CommandIds.h"

namespace nesk::testing {
namespace {

using Lines = std::vector<std::wstring>;

std::wstring MenuText(HMENU menu, int position)
{
    wchar_t text[1024] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 1024, MF_BYPOSITION);
    return text;
}

Lines MenuTexts(HMENU menu)
{
    Lines texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        texts.push_back(MenuText(menu, i));
    return texts;
}

BOOL CALLBACK FindPopupMenu(HWND window, LPARAM data)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == GetCurrentProcessId() && wcscmp(className, L"#32768") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
    }
    return TRUE;
}

// Notes where the window's popup menu appears and closes it, from a second thread, while the
// window's thread runs the menu.
class PopupMenuWatch {
public:
    PopupMenuWatch()
    {
        thread_ = std::thread([this] {
            for (int tries = 0; tries < 250; ++tries) {
                HWND popup = nullptr;
                EnumWindows(FindPopupMenu, reinterpret_cast<LPARAM>(&popup));
                if (popup) {
                    GetWindowRect(popup, &rect_);
                    items_ = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
                    seen_ = true;
                    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
                    return;
                }
                Sleep(20);
            }
        });
    }
    ~PopupMenuWatch()
    {
        if (thread_.joinable())
            thread_.join();
    }
    void Wait() { thread_.join(); }
    bool Seen() const { return seen_; }
    RECT Rect() const { return rect_; }
    int Items() const { return items_; }

private:
    std::thread thread_;
    std::atomic<bool> seen_{false};
    RECT rect_{};
    int items_ = 0;
};

bool Enabled(HMENU menu, UINT id)
{
    return (GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

// Recent.lst as this program writes it (ANSI, CR LF), ASCII paths only.
Lines ReadAnsiLines(const std::wstring& path)
{
    std::vector<uint8_t> bytes = ReadBytes(path);
    Lines lines;
    std::wstring line;
    for (uint8_t byte : bytes) {
        if (byte == '\r')
            continue;
        if (byte == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<wchar_t>(byte);
        }
    }
    return lines;
}

std::wstring DocumentsFolder()
{
    HKEY key;
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        RegQueryValueExW(key, L"Personal", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
    }
    return value;
}

TEST_F(MainFormTest, FileMenuHoldsItsItemsInOrder)
{
    TMainForm& main = StartWithoutArgument();
    HMENU menu = main.FileMenu();
    EXPECT_EQ(MenuTexts(menu), (Lines{L"開く", L"保存", L"デフォルトを開く", L"履歴", L"", L"別ウィンドウで開く",
                                      L"デフォルトを開く", L"新規作成", L"履歴を開く", L"", L"起動時タスクトレイに最小化",
                                      L"", L"トレイアイコン"}));
    for (int separator : {4, 9, 11})
        EXPECT_TRUE(GetMenuState(menu, separator, MF_BYPOSITION) & MF_SEPARATOR);
    for (int submenu : {3, 8, 12})
        EXPECT_NE(GetSubMenu(menu, submenu), nullptr);

    HMENU tray = GetSubMenu(menu, 12);
    ASSERT_EQ(GetMenuItemCount(tray), 4);
    EXPECT_EQ(MenuTexts(tray), (Lines{L"●", L"", L"", L""}));
    for (int i = 0; i < 4; ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_BITMAP | MIIM_ID;
        GetMenuItemInfoW(tray, static_cast<UINT>(i), TRUE, &item);
        EXPECT_EQ(item.wID, static_cast<UINT>(ID_PPTRAYICON0 + i));
        BITMAP picture{};
        ASSERT_TRUE(GetObjectW(item.hbmpItem, sizeof picture, &picture));
        EXPECT_EQ(picture.bmWidth, 32);
        EXPECT_EQ(picture.bmHeight, 32);
    }
    SendMessageW(main.Handle(), WM_COMMAND, ID_PPTRAYICON0 + 2, 0);
    EXPECT_EQ(MenuTexts(tray), (Lines{L"", L"", L"●", L""}));

    EXPECT_FALSE(main.PPMinChecked());
    SendMessageW(main.Handle(), WM_COMMAND, ID_PPMIN, 0);
    EXPECT_TRUE(main.PPMinChecked());
}

TEST_F(MainFormTest, FileButtonOpensTheMenuBelowTheButton)
{
    TMainForm& main = StartWithoutArgument();
    ShowWindow(main.Handle(), SW_SHOWNORMAL);
    RECT window;
    GetWindowRect(main.Handle(), &window);
    RECT button = main.ToolbarButtonRect(ID_TBFILE);
    {
        PopupMenuWatch watch;
        main.TBFileClick();
        watch.Wait();
        ASSERT_TRUE(watch.Seen());
        // Right of the button face, below it and the title bar.
        EXPECT_EQ(watch.Rect().left, window.left + button.right);
        EXPECT_EQ(watch.Rect().top, window.top + button.bottom + main.TitleBarPanelHeight());
        EXPECT_EQ(watch.Items(), 13);
    }
    {
        PopupMenuWatch watch;
        main.TBFileArrowClick();
        watch.Wait();
        ASSERT_TRUE(watch.Seen());
        EXPECT_EQ(watch.Items(), 13);
    }
}

TEST_F(MainFormTest, HistorySubmenusShowTheSameFirstTenEntries)
{
    TMainForm& main = StartWithoutArgument();
    HMENU menu = main.FileMenu();
    main.PPFilePopup();
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 3)), 0);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 8)), 0);
    EXPECT_FALSE(Enabled(menu, ID_PPDEFAULT));

    Lines recent;
    for (int i = 0; i < 12; ++i)
        recent.push_back(L"D:\\R&D\\List" + std::to_wstring(i) + L".Nesk.log");
    main.ListBoxRecent = recent;
    main.MFile = L"D:\\R&D\\List0.Nesk.log";
    main.PPFilePopup();
    Lines shown;
    for (int i = 0; i < 10; ++i)
        shown.push_back(L"D:\\R&&D\\List" + std::to_wstring(i) + L".Nesk.log");
    EXPECT_EQ(MenuTexts(GetSubMenu(menu, 3)), shown);
    EXPECT_EQ(MenuTexts(GetSubMenu(menu, 8)), shown);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 3), 9), static_cast<UINT>(ID_PPRECENT0 + 9));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 8), 0), static_cast<UINT>(ID_PPRECENT0 + 10));
    EXPECT_TRUE(Enabled(menu, ID_PPDEFAULT));

    main.ListBoxRecent.resize(2);
    main.PPFilePopup();
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 3)), 2);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 8)), 2);
}

TEST_F(MainFormTest, SwitchingListsThroughTheFileMenu)
{
    WriteBytes(DefaultList(), Utf16Lines({L"D:\\default"}));
    std::wstring other = TempFolder() + L"Other.Nesk.log";
    WriteBytes(other, Utf16Lines({L"### Nesk ###", L"C:\\other"}));
    std::wstring work = TempFolder() + L"Work.Nesk.log";
    DeleteFileW(work.c_str());
    TMainForm& main = StartWithoutArgument();
    main.SetItems({L"D:\\default", L"D:\\added"});

    // Save as: the default extension completes the name; the dialog starts in Documents.
    {
        DialogAnswer answer(TempFolder() + L"Work");
        main.PPSaveClick();
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ(answer.StartFolder(), DocumentsFolder());
    }
    // Wine spells the added extension in lower case; Windows keeps the given spelling.
    EXPECT_EQ(CompareStringOrdinal(main.MFile.c_str(), -1, work.c_str(), -1, TRUE), CSTR_EQUAL) << main.MFile;
    work = main.MFile;
    EXPECT_EQ(main.Title(), L"Nesk - Work");
    EXPECT_EQ(ReadBytes(work), Utf16Lines({L"### Nesk ###", L"D:\\default", L"D:\\added"}));
    EXPECT_TRUE(FileExists(DataFolder() + L"Work.Nesk.ini"));
    EXPECT_EQ(ReadAnsiLines(DataFolder() + L"Recent.lst"), Lines{work});

    // Back to the default list: its own file, title and settings.
    main.SetItems({L"D:\\work item"});
    main.SaveList();
    main.PPDefaultClick();
    EXPECT_EQ(main.MFile, L"");
    EXPECT_EQ(main.Title(), L"Nesk");
    EXPECT_EQ(main.Items(), Lines{L"D:\\default"});
    EXPECT_EQ(ReadBytes(work), Utf16Lines({L"### Nesk ###", L"D:\\work item"}));

    // Recent, this window: the saved list comes back.
    main.PPRecentClick(0);
    EXPECT_EQ(main.MFile, work);
    EXPECT_EQ(main.Title(), L"Nesk - Work");
    EXPECT_EQ(main.Items(), Lines{L"D:\\work item"});

    // Open: the outgoing list is saved first, then the chosen one is shown and leads the history.
    main.SetItems({L"D:\\changed"});
    {
        DialogAnswer answer(other);
        main.PPOpenClick();
        ASSERT_TRUE(answer.Answered());
    }
    EXPECT_EQ(ReadBytes(work), Utf16Lines({L"### Nesk ###", L"D:\\changed"}));
    EXPECT_EQ(main.MFile, other);
    EXPECT_EQ(main.Title(), L"Nesk - Other");
    EXPECT_EQ(main.Items(), Lines{L"C:\\other"});
    EXPECT_EQ(main.ListBoxRecent, (Lines{other, work}));

    // A cancelled dialog changes nothing.
    {
        DialogAnswer answer(L"");
        main.PPOpenClick();
        ASSERT_TRUE(answer.Answered());
    }
    EXPECT_EQ(main.MFile, other);
}

TEST_F(MainFormTest, RecentEntryWhoseFileIsGoneDoesNothing)
{
    std::wstring work = TempFolder() + L"Work.Nesk.log";
    WriteBytes(work, Utf16Lines({L"### Nesk ###", L"C:\\w"}));
    TMainForm& main = Start(work);
    std::wstring gone = TempFolder() + L"Deleted.Nesk.log";
    DeleteFileW(gone.c_str());
    main.ListBoxRecent = {gone, work};
    main.SetItems({L"C:\\unsaved"});
    main.PPRecentClick(0);
    EXPECT_EQ(main.MFile, work);
    EXPECT_EQ(ReadBytes(work), Utf16Lines({L"### Nesk ###", L"C:\\w"})) << "not even the outgoing save";
}

TEST_F(MainFormTest, ListLockedAfterItsCheckLeavesTheWindowOnItsList)
{
    std::wstring work = TempFolder() + L"Work.Nesk.log";
    std::wstring locked = TempFolder() + L"Locked.Nesk.log";
    WriteBytes(work, Utf16Lines({L"### Nesk ###", L"C:\\w"}));
    WriteBytes(locked, Utf16Lines({L"### Nesk ###", L"C:\\l"}));
    TMainForm& main = Start(work);
    main.PPTrayIconClick(3);
    std::vector<uint8_t> trayFile = ReadBytes(DataFolder() + L"TrayIcon.lst");

    HANDLE lock = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_ANY_THROW(main.OpenListFile(locked));
    EXPECT_EQ(main.MFile, work);
    EXPECT_EQ(main.Title(), L"Nesk - Work");
    EXPECT_EQ(main.Items(), Lines{L"C:\\w"});
    EXPECT_EQ(main.TrayPicture(), 3);
    EXPECT_EQ(ReadBytes(DataFolder() + L"TrayIcon.lst"), trayFile);

    main.SetItems({L"C:\\w", L"C:\\new"});
    main.SaveList();
    CloseHandle(lock);
    EXPECT_EQ(ReadBytes(work), Utf16Lines({L"### Nesk ###", L"C:\\w", L"C:\\new"}));
    EXPECT_EQ(ReadBytes(locked), Utf16Lines({L"### Nesk ###", L"C:\\l"}));
}

TEST_F(MainFormTest, DefaultListLockedLeavesTheWindowOnItsNamedList)
{
    WriteBytes(DefaultList(), Utf16Lines({L"D:\\default"}));
    std::wstring work = TempFolder() + L"Work.Nesk.log";
    WriteBytes(work, Utf16Lines({L"### Nesk ###", L"C:\\w"}));
    TMainForm& main = Start(work);
    HANDLE lock = CreateFileW(DefaultList().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_ANY_THROW(main.PPDefaultClick());
    CloseHandle(lock);
    EXPECT_EQ(main.MFile, work);
    main.SaveList();
    EXPECT_EQ(ReadBytes(DefaultList()), Utf16Lines({L"D:\\default"}));
}

}  // namespace
}  // namespace nesk::testing
