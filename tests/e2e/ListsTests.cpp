// Named lists, the history and further windows with a real Nesk.exe: save as through the real
// dialog, windows started through the shell, and a window that starts in the tray.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "chrome/CommandIds.h"
#include "e2e/Driver.h"

namespace nesk::e2e {
namespace {

using Lines = std::vector<std::wstring>;

struct MainWindowSearch {
    DWORD except;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMainWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<MainWindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (process != search->except && wcscmp(className, L"TMainForm") == 0 && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

// The visible "TMainForm" windows of processes other than `except`.
std::vector<HWND> OtherMainWindows(DWORD except)
{
    MainWindowSearch search{except, {}};
    EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A window another Nesk started: closed as a user would close it, or ended at the latest
// when the test is over.
class StartedWindow {
public:
    explicit StartedWindow(HWND window) : window_(window)
    {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        process_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    }
    ~StartedWindow()
    {
        if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_, 1);
        if (process_)
            CloseHandle(process_);
    }
    HWND Window() const { return window_; }
    bool Close()
    {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return WaitForSingleObject(process_, 10000) == WAIT_OBJECT_0;
    }

private:
    HWND window_;
    HANDLE process_ = nullptr;
};

HWND WaitForOtherMainWindow(DWORD except)
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            auto windows = OtherMainWindows(except);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        10000);
    return found;
}

// The open or save dialog of a process, answered through its file name box as a user types.
void AnswerFileDialog(DWORD processId, const std::wstring& fileName)
{
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            auto box = FindMessageBox(processId);
            dialog = box ? box->window : nullptr;
            return dialog && (GetDlgItem(dialog, cmb13) || GetDlgItem(dialog, edt1));
        },
        10000))
        << "no file dialog";
    HWND nameBox = GetDlgItem(dialog, cmb13);
    if (HWND edit = nameBox ? FindWindowExW(nameBox, nullptr, L"Edit", nullptr) : nullptr)
        nameBox = edit;
    if (!nameBox)
        nameBox = GetDlgItem(dialog, edt1);
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName.c_str()));
    PressButton(dialog, IDOK, 10000);
}

// The icons of Wine's stand-alone notification area, which shows when no desktop shell runs.
std::vector<HWND> TrayIconWindows()
{
    std::vector<HWND> icons;
    HWND tray = nullptr;
    while ((tray = FindWindowExW(nullptr, tray, L"__winex11_standalone_tray", nullptr)) != nullptr) {
        HWND icon = nullptr;
        while ((icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) != nullptr)
            if (IsWindowVisible(icon))
                icons.push_back(icon);
    }
    return icons;
}

std::string Ansi(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

class Lists : public ::testing::Test {
protected:
    void SetUp() override { ResetDataFolder(); }
    void TearDown() override { ResetDataFolder(); }
    std::wstring DefaultList() const { return DataFolder() + L"Nesk.lst"; }
};

TEST_F(Lists, SavedListBringsBackItsWindowAndShowsInTheHistory)
{
    // Options of the default list that save as hands on to the new name.
    WriteBytes(DataFolder() + L"Nesk.ini", "[Window]\r\nStayOnTop=1\r\nFontSize=14\r\n");
    WriteLines(DefaultList(), {L"C:\\windows"});
    std::wstring folder = TempFolder();
    std::wstring kept = folder + L"Kept.Nesk.log";
    {
        NeskProcess nesk;
        HWND main = nesk.MainWindow();
        SetWindowPos(main, nullptr, 250, 180, 700, 450, SWP_NOZORDER | SWP_NOACTIVATE);
        PostMessageW(main, WM_COMMAND, ID_PPSAVE, 0);
        AnswerFileDialog(nesk.Id(), kept);
        ASSERT_TRUE(WaitFor([&] { return Title(main) == L"Nesk - Kept"; })) << Utf8(Title(main));
        ASSERT_TRUE(nesk.Close());
    }
    EXPECT_EQ(ReadLines(kept), (Lines{L"### Nesk ###", L"C:\\windows"}));
    std::string settings = ReadBytes(DataFolder() + L"Kept.Nesk.ini");
    EXPECT_EQ(settings.substr(0, folder.size() + 1), "[" + Ansi(folder.substr(0, folder.size() - 1)) + "]");
    EXPECT_EQ(ReadBytes(DataFolder() + L"Recent.lst"), Ansi(kept) + "\r\n");

    NeskProcess nesk(QuoteArgument(kept));
    HWND main = nesk.MainWindow();
    EXPECT_EQ(Title(main), L"Nesk - Kept");
    RECT rect{};
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.left, 250);
    EXPECT_EQ(rect.top, 180);
    EXPECT_EQ(rect.right - rect.left, 700);
    EXPECT_EQ(rect.bottom - rect.top, 450);
    EXPECT_TRUE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(SendMessageW(ListBox(main), LB_GETITEMHEIGHT, 0, 0), 31) << "14 points";

    // The history's entry for a new window opens the saved list in a process of its own.
    PostMessageW(main, WM_COMMAND, ID_PPRECENT0 + 10, 0);
    HWND other = WaitForOtherMainWindow(nesk.Id());
    ASSERT_NE(other, nullptr);
    StartedWindow second(other);
    EXPECT_TRUE(WaitFor([&] { return Title(other) == L"Nesk - Kept"; })) << Utf8(Title(other));
    EXPECT_EQ(ListItems(other), Lines{L"C:\\windows"});
    EXPECT_TRUE(second.Close());
    ASSERT_TRUE(nesk.Close());
}

TEST_F(Lists, NewWindowStartsEmptyWithTheNewSwitch)
{
    WriteLines(DefaultList(), {L"C:\\windows"});
    NeskProcess nesk;
    HWND main = nesk.MainWindow();
    PostMessageW(main, WM_COMMAND, ID_PPNEW, 0);
    HWND other = WaitForOtherMainWindow(nesk.Id());
    ASSERT_NE(other, nullptr);
    StartedWindow second(other);
    EXPECT_EQ(Title(other), L"Nesk");
    EXPECT_EQ(ListItems(other), Lines{});
    EXPECT_EQ(ListItems(main), Lines{L"C:\\windows"});
    ASSERT_TRUE(second.Close());
    // Only "/New" gives an empty list that then replaces the default list at close.
    EXPECT_EQ(ReadBytes(DefaultList()), std::string("\xFF\xFE", 2));
    ASSERT_TRUE(nesk.Close());
}

TEST_F(Lists, HistoryOpensAListWhosePathIsLongerThanMaxPath)
{
    std::wstring folder = TempFolder();
    while (folder.size() < 300) {
        folder += L"深い階層のフォルダー\\";
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    std::wstring deep = folder + L"Deep.Nesk.log";
    WriteLines(deep, {L"### Nesk ###", L"C:\\deep"});
    ASSERT_TRUE(FileExists(deep));
    // The history as another window left it: UTF-8 with a mark carries the Japanese names.
    WriteBytes(DataFolder() + L"Recent.lst", "\xEF\xBB\xBF" + Utf8(deep) + "\r\n");

    NeskProcess nesk;
    HWND main = nesk.MainWindow();
    PostMessageW(main, WM_COMMAND, ID_PPRECENT0 + 10, 0);
    HWND other = WaitForOtherMainWindow(nesk.Id());
    ASSERT_NE(other, nullptr);
    StartedWindow second(other);
    EXPECT_TRUE(WaitFor([&] { return Title(other) == L"Nesk - Deep"; })) << Utf8(Title(other));
    EXPECT_EQ(ListItems(other), Lines{L"C:\\deep"});
    EXPECT_TRUE(second.Close());
    ASSERT_TRUE(nesk.Close());
}

TEST_F(Lists, StartInTheTrayShowsNoWindowUntilTheIconIsClicked)
{
    WriteBytes(DataFolder() + L"Nesk.ini", "[Window]\r\nMin=1\r\n");
    std::vector<HWND> iconsBefore = TrayIconWindows();
    NeskProcess nesk;
    HWND main = nesk.MainWindow();
    HWND icon = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND candidate : TrayIconWindows())
            if (std::find(iconsBefore.begin(), iconsBefore.end(), candidate) == iconsBefore.end())
                icon = candidate;
        return icon != nullptr;
    })) << "no icon in the notification area";
    EXPECT_FALSE(IsVisible(main));

    // A click on the icon as the user makes it.
    RECT rect{};
    GetWindowRect(icon, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
    EXPECT_TRUE(WaitFor([&] { return IsVisible(main); }));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(icon) || !IsWindowVisible(icon); })) << "the icon goes";
    ASSERT_TRUE(nesk.Close());
    EXPECT_NE(ReadBytes(DataFolder() + L"Nesk.ini").find("Min=1\r\n"), std::string::npos);
}

}  // namespace
}  // namespace nesk::e2e
