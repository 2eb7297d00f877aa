// Each list's window settings through the real window: what comes back, what a save writes,
// and what the window does with settings far outside sense.
#include "MainFormTestSupport.h"

#include <commctrl.h>

#include "app/Placement.h"

namespace nesk::testing {
namespace {

using Lines = std::vector<std::wstring>;

std::string Ansi(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::string Text(const std::wstring& text)
{
    return std::string(text.begin(), text.end());  // ASCII paths only
}

void WriteText(const std::wstring& path, const std::string& text)
{
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool TopMost(HWND window)
{
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The folder of the temporary lists, as their settings section names it.
std::wstring TempSection()
{
    std::wstring folder = TempFolder();
    return folder.substr(0, folder.size() - 1);
}

class MainFormSettingsTest : public MainFormTest {
protected:
    std::wstring Ini(const std::wstring& name) const { return DataFolder() + name; }
};

TEST_F(MainFormSettingsTest, FirstStartWritesTheEffectiveDefaults)
{
    TMainForm& main = StartWithoutArgument();
    RECT rect = WindowRect(main.Handle());
    int fontSize = main.ListFontSize();
    main.FormCloseQuery();

    char expected[512];
    snprintf(expected, sizeof expected,
             "[Window]\r\nTop=113\r\nLeft=368\r\nHeight=%ld\r\nWidth=%ld\r\nNormal=1\r\nStayOnTop=0\r\n"
             "FontSize=%d\r\nMin=0\r\n\r\n",
             rect.bottom - rect.top, rect.right - rect.left, fontSize);
    EXPECT_EQ(Ansi(ReadBytes(Ini(L"Nesk.ini"))), expected);
    EXPECT_TRUE(FileExists(DataFolder() + L"Recent.lst"));
    EXPECT_EQ(Ansi(ReadBytes(DataFolder() + L"TrayIcon.lst")), "0" + Text(DataFolder()) + "Nesk.lst\r\n");
}

TEST_F(MainFormSettingsTest, NamedListBringsBackItsWindowAndKeepsUnknownEntries)
{
    std::wstring named = TempFolder() + L"Work.Nesk.log";
    WriteBytes(named, Utf16Lines({L"### Nesk ###", L"C:\\a"}));
    WriteText(Ini(L"Work.Nesk.ini"), "[Other]\r\nColour=red\r\n\r\n[" + Text(TempSection()) +
                                         "]\r\nTop=150\r\nLeft=200\r\nHeight=420\r\nWidth=640\r\n"
                                         "StayOnTop=1\r\nFontSize=14\r\nCustom=kept\r\n");
    TMainForm& main = Start(named);

    RECT rect = WindowRect(main.Handle());
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 150);
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_EQ(rect.bottom - rect.top, 420);
    EXPECT_TRUE(TopMost(main.Handle()));
    EXPECT_TRUE(main.TBTopDown());
    EXPECT_EQ(main.ListFontSize(), 14);
    EXPECT_EQ(SendMessageW(main.ListBox(), LB_GETITEMHEIGHT, 0, 0), 31);
    EXPECT_FALSE(main.PPMinChecked());

    main.FormCloseQuery();
    EXPECT_EQ(Ansi(ReadBytes(Ini(L"Work.Nesk.ini"))),
              "[Other]\r\nColour=red\r\n\r\n[" + Text(TempSection()) +
                  "]\r\nTop=150\r\nLeft=200\r\nHeight=420\r\nWidth=640\r\nStayOnTop=1\r\nFontSize=14\r\n"
                  "Custom=kept\r\nNormal=1\r\nMin=0\r\n\r\n");
    EXPECT_FALSE(FileExists(Ini(L"Nesk.ini")));
}

TEST_F(MainFormSettingsTest, MaximizedStateComesBackAndKeepsTheStoredPlace)
{
    std::wstring first = TempFolder() + L"Big.Nesk.log";
    std::wstring second = TempFolder() + L"Small.Nesk.log";
    WriteBytes(first, Utf16Lines({L"### Nesk ###"}));
    WriteBytes(second, Utf16Lines({L"### Nesk ###"}));
    std::string section = "[" + Text(TempSection()) + "]\r\n";
    WriteText(Ini(L"Big.Nesk.ini"), section + "Top=100\r\nLeft=110\r\nHeight=400\r\nWidth=600\r\nNormal=0\r\n");
    WriteText(Ini(L"Small.Nesk.ini"), section + "Top=200\r\nLeft=210\r\nHeight=350\r\nWidth=550\r\nNormal=1\r\n");

    TMainForm& main = Start(first);
    EXPECT_TRUE(main.IsMaximized()) << "not yet shown: maximized when it first appears";
    ShowWindow(main.Handle(), SW_SHOWMAXIMIZED);
    ASSERT_TRUE(IsZoomed(main.Handle()));

    main.SaveSettings();
    EXPECT_EQ(Ansi(ReadBytes(Ini(L"Big.Nesk.ini"))),
              section + "Top=100\r\nLeft=110\r\nHeight=400\r\nWidth=600\r\nNormal=0\r\nStayOnTop=0\r\nFontSize=" +
                  std::to_string(main.ListFontSize()) + "\r\nMin=0\r\n\r\n");

    // A list whose window is not maximized leaves a maximized window maximized; its own
    // place is where the window restores to.
    main.OpenListFile(second);
    EXPECT_TRUE(IsZoomed(main.Handle()));
    ShowWindow(main.Handle(), SW_RESTORE);
    RECT rect = WindowRect(main.Handle());
    EXPECT_EQ(rect.left, 210);
    EXPECT_EQ(rect.top, 200);
    EXPECT_EQ(rect.right - rect.left, 550);
    EXPECT_EQ(rect.bottom - rect.top, 350);
}

TEST_F(MainFormSettingsTest, FoldersTheCodePageCannotNameKeepSectionsOfTheirOwn)
{
    // The same list name in two folders whose names code page 932 turns into the same "??".
    std::wstring folders[] = {TempFolder() + L"\uD55C\uAD6D", TempFolder() + L"\uC870\uC120"};
    int sizes[] = {11, 16};
    for (int i = 0; i < 2; ++i) {
        CreateDirectoryW(folders[i].c_str(), nullptr);
        std::wstring list = folders[i] + L"\\Same.Nesk.log";
        WriteBytes(list, Utf16Lines({L"### Nesk ###"}));
        TMainForm& main = Start(list);
        main.SetListFontSize(sizes[i]);
        main.FormCloseQuery();
        form.reset();
    }
    std::vector<uint8_t> saved = ReadBytes(Ini(L"Same.Nesk.ini"));
    ASSERT_GE(saved.size(), 3u);
    EXPECT_EQ(std::vector<uint8_t>(saved.begin(), saved.begin() + 3), (std::vector<uint8_t>{0xEF, 0xBB, 0xBF}));
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        TMainForm& main = Start(folders[i] + L"\\Same.Nesk.log");
        EXPECT_EQ(main.ListFontSize(), sizes[i]);
        form.reset();
    }
}

TEST_F(MainFormSettingsTest, SettingsFarOutsideSenseLeaveAUsableWindow)
{
    // What the first start gives, to compare against.
    RECT firstStart;
    int systemFontSize;
    {
        TMainForm& main = StartWithoutArgument();
        firstStart = WindowRect(main.Handle());
        systemFontSize = main.ListFontSize();
        form.reset();
    }
    struct Case {
        const char* name;
        std::string ini;
    } cases[] = {
        {"zero font", "[Window]\r\nFontSize=0\r\n"},
        {"negative font", "[Window]\r\nFontSize=-12\r\n"},
        {"huge font", "[Window]\r\nFontSize=10000\r\n"},
        {"geometry beyond 32 bits", "[Window]\r\nTop=99999999999\r\nLeft=-99999999999\r\nWidth=4294967296\r\n"},
        {"minimized marker", "[Window]\r\nTop=-32000\r\nLeft=-32000\r\n"},
        {"zero size", "[Window]\r\nHeight=0\r\nWidth=-5\r\n"},
        {"binary", std::string("\x00\xFF\xFE\x01[Window]\x00\r\nTop=\x80\x81\r\n\x1A\x1B", 26)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDataFolder();
        WriteText(Ini(L"Nesk.ini"), c.ini);
        TMainForm& main = StartWithoutArgument();
        RECT rect = WindowRect(main.Handle());
        EXPECT_EQ(main.ListFontSize(), systemFontSize);
        EXPECT_EQ(rect.left, firstStart.left);
        EXPECT_EQ(rect.top, firstStart.top);
        EXPECT_EQ(rect.right, firstStart.right);
        EXPECT_EQ(rect.bottom, firstStart.bottom);
        main.FormCloseQuery();  // and a save writes sound values back
        form.reset();
        std::string saved = Ansi(ReadBytes(Ini(L"Nesk.ini")));
        EXPECT_NE(saved.find("FontSize=" + std::to_string(systemFontSize) + "\r\n"), std::string::npos) << saved;
    }
}

TEST_F(MainFormSettingsTest, WindowStoredOffEveryMonitorIsCentredWithItsSize)
{
    WriteText(Ini(L"Nesk.ini"), "[Window]\r\nTop=5000\r\nLeft=9000\r\nHeight=400\r\nWidth=600\r\n");
    TMainForm& main = StartWithoutArgument();
    RECT rect = WindowRect(main.Handle());
    EXPECT_EQ(rect.right - rect.left, 600);
    EXPECT_EQ(rect.bottom - rect.top, 400);
    EXPECT_NE(MonitorFromRect(&rect, MONITOR_DEFAULTTONULL), nullptr);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_NEAR((rect.left + rect.right) / 2, screen.right / 2, 1);
}

TEST_F(MainFormSettingsTest, SnapsToTheWorkAreaOnlyWhileDragged)
{
    TMainForm& main = StartWithoutArgument();
    HWND window = main.Handle();
    ShowWindow(window, SW_SHOWNORMAL);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    auto moveTo = [&](int left) {
        SetWindowPos(window, nullptr, left, work.top + 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return WindowRect(window).left;
    };
    SendMessageW(window, WM_ENTERSIZEMOVE, 0, 0);
    EXPECT_EQ(moveTo(work.left + 19), work.left);
    EXPECT_EQ(moveTo(work.left + 20), work.left + 20);
    SendMessageW(window, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(moveTo(work.left + 5), work.left + 5) << "a move by the program is not a drag";
}

TEST_F(MainFormSettingsTest, SettingsFileHeldByAnotherProgram)
{
    WriteText(Ini(L"Nesk.ini"), "[Window]\r\nFontSize=20\r\n[Other]\r\nKeep=1\r\n");
    HANDLE lock = CreateFileW(Ini(L"Nesk.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    TMainForm& main = StartWithoutArgument();
    EXPECT_NE(main.ListFontSize(), 20) << "unreadable: the window keeps its own";
    // Saving must not replace a file it could not read: its other sections would be lost.
    EXPECT_ANY_THROW(main.SaveSettings());
    CloseHandle(lock);
    EXPECT_EQ(Ansi(ReadBytes(Ini(L"Nesk.ini"))), "[Window]\r\nFontSize=20\r\n[Other]\r\nKeep=1\r\n");
    EXPECT_FALSE(FileExists(DataFolder() + L"Recent.lst"));
}

}  // namespace
}  // namespace nesk::testing
