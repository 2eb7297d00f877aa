// TMainForm: the main window and controller of the program. One class; its handlers live in
// one file per subsystem (MainForm*.cpp). Buttons, menu items and keys reach their handlers
// through the one command table (MainFormCommandTable.cpp).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/Placement.h"
#include "chrome/win32/TitleBar.h"
#include "commands/win32/ShellIcons.h"
#include "exchange/win32/QivFormDropFiles.h"
#include "ole/win32/DropURLTarget.h"
#include "platform/win32/Handles.h"

namespace nesk {

struct StoredSettings;

class TMainForm {
public:
    // Creates the window and runs FormCreate; the window then shows itself or stays in the tray.
    // `argument` is the first command-line argument (absent when `hasArgument` is false).
    static TMainForm* Create(const std::wstring& argument, bool hasArgument, int showCommand);
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    HWND Handle() const { return hwnd_; }
    HWND ListBox() const { return listBox_; }

    // The item list. The window's list control mirrors it; selection lives in the control.
    const std::vector<std::wstring>& Items() const { return items_; }
    void SetItems(std::vector<std::wstring> items);
    std::vector<int> SelectedIndices() const;
    std::vector<std::wstring> SelectedTexts() const;

    // Operations the subsystems share.
    void SaveList();
    void SaveNamedList();
    void AddRecent();
    bool CheckListFile(const std::wstring& path);
    void LoadSettings();
    void SaveSettings();
    void RebuildIcons();
    void ApplyListTrayIcon();
    void UpdateHorizontalExtent();
    void SetListFontSize(int points);  // also sets the row height to match
    int ListFontSize() const { return listFontSize_; }
    void SetTitle(const std::wstring& title);
    std::wstring Title() const;

    // Keyboard shortcuts that must be seen before the focused control gets the message.
    bool PreTranslateMessage(MSG& message);

    // Runs the handler of a toolbar button or menu item; false for an id that is none of ours.
    bool RunCommand(int id);

    // Makes a checked named list file the current list (settings, title, items, history).
    void OpenListFile(const std::wstring& path);

    // Handlers reachable from outside the window procedure (and from tests).
    void FormCloseQuery();
    void TBCloseClick();
    void TBFileClick();       // the button face: the file menu below the button
    void TBFileArrowClick();  // the drop-down arrow: the file menu by itself
    void TitleBarPanelCustomButtons0Click();  // the title bar's extra button: to the tray

    // Geometry the file menu needs from the window's chrome.
    int TitleBarPanelHeight() const;
    RECT ToolbarButtonRect(int commandId) const;  // relative to the toolbar

    // ---- List commands and display (MainFormCommands*.cpp) ----
    void TBOpenClick();
    void TBFolderClick();
    void TBAllSelectClick();
    void TBClearClick();
    void TBExistsClick();
    void TBPurgeClick();
    void TBCUtClick();
    void TBPasteClick();
    void TBRMenuClick();  // the shell's context menu (MainFormShell.cpp)
    const TIconRows& IconRows() const { return *iconRows_; }
    int HorizontalExtent() const;

    // ---- Window chrome (MainFormChrome.cpp) ----
    void TBTopClick();
    bool TBTopDown() const;
    void SetTBTopDown(bool down);  // as settings apply it: the window follows at once
    // The wheel over any part of the window: with Ctrl held, each notch zooms the list.
    void FormMouseWheel(int delta, bool ctrlHeld);
    HWND ToolBar() const { return toolBar_; }
    const TTitleBar& TitleBar() const { return titleBar_; }

    // Fields named as the rest of the program knows them.
    std::wstring MFile;
    std::wstring MBuffFile;
    std::wstring MTrayIconFile;
    // The invisible auxiliary lists: plain ordered string lists.
    std::vector<std::wstring> ListBoxRecent;
    std::vector<std::wstring> ListBoxBuff;
    std::vector<std::wstring> ListBoxFile;
    std::vector<std::wstring> ListBoxURL;
    std::vector<std::wstring> ListBoxClip;
    std::vector<std::wstring> ListBoxTrayIcon;

    // Drops and clipboard import (MainFormDrop.cpp).
    std::unique_ptr<TQivFormDropFiles> QivFormDropFiles;  // the whole window is its target
    // Paths of the last file drag that started in this window; a drop that brings them back
    // is ignored. The outgoing drag fills it.
    std::vector<std::wstring> DropFileSourceFiles;
    void QivFormDropFilesDropFiles();
    // The list's link drop target; it also takes the file manager's drops onto the list.
    std::unique_ptr<TDropURLTarget> DropURLTarget;
    // The address of the last link drag that started in this window; a drop that brings it
    // back is ignored. The outgoing link drag fills it.
    std::string DropURLSourceURL;
    void DropURLTargetDrop(TShiftState shift, POINT point, DWORD& effect);
    // Writes the shortcut file for the link in ListBoxURL and inserts it at `index` (-1: the end).
    void CreateShortcutItem(int index);
    void TBClipClick();
    void ReadClipboardFiles();

private:
    // Drops and clipboard import (MainFormDrop.cpp).
    void CreateDropTarget();
    void OpenDroppedListFile(const std::wstring& path);
    void AddDroppedPaths(const std::vector<std::wstring>& names);
    void DroppedFilesReceived(const std::vector<std::wstring>& dropped);
    int ListRowAtCursor() const;
    int ListRowAt(POINT clientPoint) const;

    TMainForm() = default;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void FormCreate(const std::wstring& argument, bool hasArgument);
    void CreateControls();
    void LayoutControls();
    void ApplyFonts();
    void LoadStartupList(const std::wstring& argument, bool hasArgument);
    void WriteDefaultListFile();
    void DrawListItem(const DRAWITEMSTRUCT& item);
    void DrawItemIcon(HDC dc, int index, int x, int y);
    void CreateChrome();
    void ShowAtStart(int showCommand);
    void FormDestroy();
    // The command of a key pressed with Ctrl in the list, or 0.
    static int ListCtrlKeyCommand(unsigned key);

    // Message hooks of the subsystems: each answers true when it handled the message.
    bool ChromeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool FrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool TitleBarMouseMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool ToolbarNotify(LPARAM lParam, LRESULT* result);
    bool ListOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool SessionMessage(UINT message, WPARAM wParam, LRESULT* result);
    bool TrayMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // ---- List commands and display (MainFormCommands*.cpp) ----
    void CreateListDisplay();
    void RemoveRows(const std::vector<int>& rowsDescending);
    void InsertRows(int position, const std::vector<std::wstring>& texts);
    // Fills the list control anew from items_; an edit keeps the scrolled position, a new
    // list starts at its top.
    void ReloadListControl(bool keepScroll);
    UniqueWindow ShowProbeProgress();
    std::pair<int, int> VisibleRows() const;
    void ListBoxKeyDown(WPARAM key);
    void ListBoxKeyPress(wchar_t ch);
    void ListBoxDblClick();
    static LRESULT CALLBACK ListBoxProc(HWND, UINT, WPARAM, LPARAM);
    WNDPROC listBoxProc_ = nullptr;
    std::unique_ptr<TIconRows> iconRows_;
    std::unordered_map<std::wstring, int> textWidths_;  // pixel widths in the list font
    int textWidthsFontSize_ = 0;

    // ---- Window chrome (MainFormChrome.cpp) ----
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    void ZoomListFont(bool smaller);
    void RunTitleButton(TitlePart part);
    TTitleBar titleBar_;
    HWND toolBar_ = nullptr;
    UniqueImageList toolbarImages_;
    UniqueWindow toolbarTips_;
    UniqueFont toolbarFont_;
    int wheelRemainder_ = 0;

    HWND hwnd_ = nullptr;
    HWND listBox_ = nullptr;
    UniqueFont listFont_;
    std::wstring listFontFace_;
    int listFontSize_ = 9;  // points
    std::vector<std::wstring> items_;
    bool sessionSaved_ = false;

    // Settings, file menu and tray: MainFormSettings.cpp, MainFormFile.cpp, MainFormTray.cpp.
public:
    void PPFilePopup();  // runs before the file menu opens
    void PPOpenClick();
    void PPSaveClick();
    void PPDefaultClick();
    void PPRecentClick(int tag);  // 0-9 this window, 10-19 a new window
    void PPOpenExeClick();
    void PPOpenDefaultClick();
    void PPNewClick();
    void PPMinClick();
    void PPTrayIconClick(int tag);
    void TrayIconClick();
    HMENU FileMenu();  // PPFile, built on first use
    bool PPMinChecked();
    bool IsMaximized() const;  // also before a window that starts maximized is first shown
    bool TrayIconVisible() const { return trayIconVisible_; }
    int TrayPicture() const { return trayPicture_; }

private:
    void BuildFileMenu();
    void ShowFileMenuAt(int x, int y);
    void MakeListCurrent(const std::wstring& listFile, const std::wstring& title,
                         std::vector<std::wstring>* items);
    void ApplyStoredGeometry(const StoredSettings& stored);
    void LoadRecent();
    void SetTrayPicture(int picture);
    void ShowTrayIcon();
    void HideTrayIcon();
    bool NotifyTray(DWORD action);
    void ShowFromHidden();
    UniqueBitmap trayMenuBitmaps_[4];
    UniqueHmenu fileMenu_;
    HMENU recentMenu_ = nullptr;     // owned by fileMenu_
    HMENU recentExeMenu_ = nullptr;  // owned by fileMenu_
    HMENU trayMenu_ = nullptr;       // owned by fileMenu_
    UniqueHicon trayIcon_;
    int trayPicture_ = 0;
    bool trayIconVisible_ = false;
    bool trayButtonDown_ = false;
    bool maximizeWhenShown_ = false;
    TDragSnapping dragSnapping_;
};

}  // namespace nesk
