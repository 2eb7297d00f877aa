// TMainForm: the tray icon, minimizing to the tray, each list's tray picture, and how the
// window first appears.
#include "app/MainForm.h"

#include <shellapi.h>

#include <iterator>

#include "app/DataFolder.h"
#include "chrome/CommandIds.h"
#include "chrome/TrayIconFile.h"
#include "chrome/win32/Pictures.h"
#include "list/TextFile.h"
#include "platform/FileSystem.h"
#include "platform/Probes.h"

namespace nesk {
namespace {

constexpr UINT kTrayIconId = 1;
constexpr wchar_t kChosenCaption[] = L"●";

UINT TrayCallbackMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Nesk.TrayIconCallback");
    return message;
}

// Sent to every top-level window when the taskbar starts again, e.g. after Explorer crashed.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

}  // namespace

void TMainForm::ApplyListTrayIcon()
{
    if (ProbeFile(MTrayIconFile)) {
        try {
            ListBoxTrayIcon = ReadSmallFile(MTrayIconFile);
        } catch (const FileError&) {
            // Another window is writing it; the lines in memory serve.
        }
    }
    std::wstring key = TrayListKey(MFile, ProbeFile(MFile), DataFolder());
    PPTrayIconClick(StoredTrayPicture(ListBoxTrayIcon, key));
}

void TMainForm::PPTrayIconClick(int tag)
{
    int picture = tag >= 0 && tag < kTrayPictureCount ? tag : 0;
    HMENU menu = FileMenu();
    for (int i = 0; i < kTrayPictureCount; ++i) {
        std::wstring caption = i == picture ? kChosenCaption : L"";
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING;
        item.dwTypeData = caption.data();
        SetMenuItemInfoW(menu, ID_PPTRAYICON0 + i, FALSE, &item);
    }
    SetTrayPicture(picture);
    StoreTrayPicture(ListBoxTrayIcon, TrayListKey(MFile, ProbeFile(MFile), DataFolder()), picture);
    WriteSmallFile(MTrayIconFile, ListBoxTrayIcon);
}

void TMainForm::SetTrayPicture(int picture)
{
    trayPicture_ = picture;
    trayIcon_.reset(CreateTrayIcon(picture));
    if (trayIconVisible_)
        NotifyTray(NIM_MODIFY);
}

bool TMainForm::NotifyTray(DWORD action)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd_;
    data.uID = kTrayIconId;
    if (action != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = TrayCallbackMessage();
        data.hIcon = trayIcon_.get();
        // The tip holds 127 characters; a longer title is cut, never overrun.
        std::wstring title = Title();
        lstrcpynW(data.szTip, title.c_str(), static_cast<int>(std::size(data.szTip)));
    }
    return Shell_NotifyIconW(action, &data) != FALSE;
}

void TMainForm::ShowTrayIcon()
{
    if (!trayIconVisible_)
        trayIconVisible_ = NotifyTray(NIM_ADD);
    else
        NotifyTray(NIM_MODIFY);  // the tooltip is the title at this moment
}

void TMainForm::HideTrayIcon()
{
    if (trayIconVisible_)
        NotifyTray(NIM_DELETE);
    trayIconVisible_ = false;
    trayButtonDown_ = false;
}

void TMainForm::ShowFromHidden()
{
    if (maximizeWhenShown_) {
        maximizeWhenShown_ = false;
        ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
    } else {
        ShowWindow(hwnd_, SW_SHOW);
    }
    SetForegroundWindow(hwnd_);
}

void TMainForm::ShowAtStart(int showCommand)
{
    if (PPMinChecked()) {
        ShowTrayIcon();
        // Without a notification area there would be no way back to a hidden window.
        if (trayIconVisible_)
            return;
    }
    if (maximizeWhenShown_ && (showCommand == SW_SHOWNORMAL || showCommand == SW_SHOW || showCommand == SW_SHOWDEFAULT)) {
        maximizeWhenShown_ = false;
        showCommand = SW_SHOWMAXIMIZED;
    }
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
}

void TMainForm::TitleBarPanelCustomButtons0Click()
{
    ShowTrayIcon();
    if (trayIconVisible_)
        ShowWindow(hwnd_, SW_HIDE);
}

void TMainForm::TrayIconClick()
{
    ShowFromHidden();
    HideTrayIcon();
}

bool TMainForm::TrayMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == TrayCallbackMessage() && message != 0) {
        if (wParam == kTrayIconId) {
            // Clicks arrive as a press and a release; only a release after a press on the icon counts.
            if (lParam == WM_LBUTTONDOWN || lParam == WM_LBUTTONDBLCLK) {
                trayButtonDown_ = true;
            } else if (lParam == WM_LBUTTONUP && trayButtonDown_) {
                trayButtonDown_ = false;
                TrayIconClick();
            }
        }
        *result = 0;
        return true;
    }
    if (message == TaskbarCreatedMessage() && message != 0) {
        if (trayIconVisible_)
            NotifyTray(NIM_ADD);
        *result = 0;
        return true;
    }
    return false;
}

}  // namespace nesk
