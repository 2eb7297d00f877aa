// TMainForm: the main window and controller of the program. One class; its handlers live in
// one file per subsystem (MainForm*.cpp), each with a message hook the window procedure asks.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "exchange/win32/QivFormDropFiles.h"

namespace nesk {

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
    void TBClipClick();
    void ReadClipboardFiles();

private:
    // Drops and clipboard import (MainFormDrop.cpp).
    void CreateDropTarget();
    void OpenDroppedListFile(const std::wstring& path);
    void AddDroppedPaths(const std::vector<std::wstring>& names);
    int ListRowAtCursor() const;
    void InsertItemsAt(size_t position, const std::vector<std::wstring>& texts);

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
    static int RowHeightForFontSize(int points);

    // Message hooks of the subsystems: each answers true when it handled the message.
    bool ChromeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool CommandsMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool FileMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool TrayMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool DropMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HWND hwnd_ = nullptr;
    HWND listBox_ = nullptr;
    HFONT windowFont_ = nullptr;
    HFONT listFont_ = nullptr;
    std::wstring listFontFace_;
    int listFontSize_ = 9;  // points
    std::vector<std::wstring> items_;
    bool sessionSaved_ = false;
};

}  // namespace nesk
