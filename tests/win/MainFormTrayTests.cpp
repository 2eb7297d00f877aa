// The tray icon of the real window: going to the tray and back, the taskbar restarting, each
// list's own picture, and starting in the tray.
#include "MainFormTestSupport.h"

#include <shellapi.h>

namespace nesk::testing {
namespace {

using Lines = std::vector<std::wstring>;

// Whether the notification area holds the window's icon: only an existing icon can be changed.
bool TrayIconPresent(HWND window)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void ClickTrayIcon(HWND window)
{
    UINT callback = RegisterWindowMessageW(L"Nesk.TrayIconCallback");
    SendMessageW(window, callback, 1, WM_LBUTTONDOWN);
    SendMessageW(window, callback, 1, WM_LBUTTONUP);
}

std::string Ansi(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::string Text(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

TEST_F(MainFormTest, ToTheTrayAndBack)
{
    TMainForm& main = StartWithoutArgument();
    HWND window = main.Handle();
    ShowWindow(window, SW_SHOWNORMAL);
    ASSERT_FALSE(TrayIconPresent(window));

    main.TitleBarPanelCustomButtons0Click();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconPresent(window));

    // The taskbar restarted: the icon is gone from it until the window adds it again.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 1;
    Shell_NotifyIconW(NIM_DELETE, &data);
    ASSERT_FALSE(TrayIconPresent(window));
    SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconPresent(window));

    // A release without a press on the icon is no click.
    SendMessageW(window, RegisterWindowMessageW(L"Nesk.TrayIconCallback"), 1, WM_LBUTTONUP);
    EXPECT_FALSE(IsWindowVisible(window));
    ClickTrayIcon(window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(TrayIconPresent(window));

    // A taskbar restart while the window is shown brings no icon.
    SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_FALSE(TrayIconPresent(window));
}

TEST_F(MainFormTest, StartsInTheTrayWhenTheListSaysSo)
{
    WriteBytes(DataFolder() + L"Nesk.ini", {'[', 'W', 'i', 'n', 'd', 'o', 'w', ']', '\r', '\n', 'M', 'i', 'n', '=', '1'});
    form.reset(TMainForm::Create(L"", false, SW_SHOWNORMAL));
    ASSERT_NE(form, nullptr);
    HWND window = form->Handle();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconPresent(window));
    ClickTrayIcon(window);
    EXPECT_TRUE(IsWindowVisible(window));
    form.reset();
    EXPECT_FALSE(TrayIconPresent(window)) << "a closed window leaves no icon behind";
}

TEST_F(MainFormTest, EachListKeepsItsTrayPicture)
{
    std::wstring first = TempFolder() + L"First.Nesk.log";
    std::wstring second = TempFolder() + L"Second.Nesk.log";
    WriteBytes(first, Utf16Lines({L"### Nesk ###"}));
    WriteBytes(second, Utf16Lines({L"### Nesk ###"}));
    std::wstring trayFile = DataFolder() + L"TrayIcon.lst";

    TMainForm& main = Start(first);
    EXPECT_EQ(main.TrayPicture(), 0);
    main.PPTrayIconClick(2);
    EXPECT_EQ(Ansi(ReadBytes(trayFile)), "2" + Text(first) + "\r\n");

    main.OpenListFile(second);
    EXPECT_EQ(main.TrayPicture(), 0);
    main.OpenListFile(first);
    EXPECT_EQ(main.TrayPicture(), 2);
    EXPECT_EQ(Ansi(ReadBytes(trayFile)), "0" + Text(second) + "\r\n2" + Text(first) + "\r\n");

    // A line naming a picture that does not exist: picture 0, and the line is mended.
    std::string damaged = "7" + Text(second) + "\r\n";
    WriteBytes(trayFile, std::vector<uint8_t>(damaged.begin(), damaged.end()));
    main.OpenListFile(second);
    EXPECT_EQ(main.TrayPicture(), 0);
    EXPECT_EQ(Ansi(ReadBytes(trayFile)), "0" + Text(second) + "\r\n");
}

}  // namespace
}  // namespace nesk::testing
