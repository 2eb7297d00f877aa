// TMainForm: the file menu — named lists, the default list, the recent history, further windows.
#include "app/MainForm.h"

#include <commdlg.h>
#include <shellapi.h>

#include "app/DataFolder.h"
#include "chrome/CommandIds.h"
#include "chrome/TrayIconFile.h"
#include "chrome/win32/Pictures.h"
#include "list/ListFile.h"
#include "list/RecentHistory.h"
#include "list/TextFile.h"
#include "platform/Probes.h"
#include "platform/Services.h"

namespace nesk {
namespace {

constexpr wchar_t kCaptionOpen[] = L"開く";
constexpr wchar_t kCaptionSave[] = L"保存";
constexpr wchar_t kCaptionDefault[] = L"デフォルトを開く";
constexpr wchar_t kCaptionRecent[] = L"履歴";
constexpr wchar_t kCaptionOpenExe[] = L"別ウィンドウで開く";
constexpr wchar_t kCaptionOpenDefault[] = L"デフォルトを開く";
constexpr wchar_t kCaptionNew[] = L"新規作成";
constexpr wchar_t kCaptionRecentExe[] = L"履歴を開く";
constexpr wchar_t kCaptionMin[] = L"起動時タスクトレイに最小化";
constexpr wchar_t kCaptionTrayIcon[] = L"トレイアイコン";
// Description, pattern, and the empty entry that ends the list.
constexpr wchar_t kDialogFilter[] = L"Neskファイル\0*.Nesk.log\0";
constexpr wchar_t kDialogDefaultExtension[] = L"Nesk.log";
constexpr wchar_t kNewSwitch[] = L"/New";
constexpr int kRecentTags = 2 * static_cast<int>(kRecentShown);

// Room for any path the file system allows, so no choice is ever cut.
constexpr DWORD kDialogBufferLength = 32768;

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

// The shell folder "Personal" (Documents) followed by "\"; empty when the key is missing.
std::wstring GetDocumentsFolder()
{
    HKEY opened;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::wstring();
    UniqueRegKey key(opened);
    std::wstring folder;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), L"Personal", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key.get(), L"Personal", nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &size) ==
            ERROR_SUCCESS) {
            value.resize(wcsnlen(value.c_str(), value.size()));
            folder = value;
        }
    }
    return folder + L"\\";
}

// The open or save dialog; false when the user cancels.
bool ChooseListFile(HWND owner, bool save, const std::wstring& proposed, std::wstring* chosen)
{
    std::wstring buffer(kDialogBufferLength, L'\0');
    if (proposed.size() < kDialogBufferLength)
        buffer.replace(0, proposed.size(), proposed);
    std::wstring initialFolder = GetDocumentsFolder();
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kDialogFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kDialogBufferLength;
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.lpstrDefExt = kDialogDefaultExtension;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXTENSIONDIFFERENT | OFN_ENABLESIZING;
    if (!save)
        dialog.Flags |= OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    BOOL confirmed = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!confirmed)
        return false;
    *chosen = buffer.c_str();
    return true;
}

// Starts the program's own executable; every text goes to the shell whole, whatever its length.
void ExecuteFile(HWND owner, const std::wstring& file, const std::wstring& parameters, const std::wstring& directory,
                 int showCommand)
{
    ShellExecuteW(owner, nullptr, file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                  directory.c_str(), showCommand);
}

void StartNewWindow(HWND owner, const std::wstring& parameters)
{
    std::wstring program = Fs().ExecutablePath();
    ExecuteFile(owner, program, parameters, Quoted(FolderOfPath(program)), SW_SHOWNORMAL);
}

void ClearMenu(HMENU menu)
{
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
}

}  // namespace

HMENU TMainForm::FileMenu()
{
    if (!fileMenu_)
        BuildFileMenu();
    return fileMenu_.get();
}

void TMainForm::BuildFileMenu()
{
    fileMenu_.reset(CreatePopupMenu());
    HMENU menu = fileMenu_.get();
    recentMenu_ = CreatePopupMenu();
    recentExeMenu_ = CreatePopupMenu();
    trayMenu_ = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, ID_PPOPEN, kCaptionOpen);
    AppendMenuW(menu, MF_STRING, ID_PPSAVE, kCaptionSave);
    AppendMenuW(menu, MF_STRING, ID_PPDEFAULT, kCaptionDefault);
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(recentMenu_), kCaptionRecent);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, ID_PPOPENEXE, kCaptionOpenExe);
    AppendMenuW(menu, MF_STRING, ID_PPOPENDEFAULT, kCaptionOpenDefault);
    AppendMenuW(menu, MF_STRING, ID_PPNEW, kCaptionNew);
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(recentExeMenu_), kCaptionRecentExe);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, ID_PPMIN, kCaptionMin);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(trayMenu_), kCaptionTrayIcon);

    for (int i = 0; i < kTrayPictureCount; ++i) {
        trayMenuBitmaps_[i].reset(CreateTrayMenuBitmap(i));
        wchar_t empty[] = L"";
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_BITMAP;
        item.fType = MFT_RADIOCHECK;
        item.wID = ID_PPTRAYICON0 + i;
        item.dwTypeData = empty;
        item.hbmpItem = trayMenuBitmaps_[i].get();
        InsertMenuItemW(trayMenu_, static_cast<UINT>(i), TRUE, &item);
    }
}

void TMainForm::PPFilePopup()
{
    HMENU menu = FileMenu();
    EnableMenuItem(menu, ID_PPDEFAULT, MF_BYCOMMAND | (MFile.empty() ? MF_GRAYED : MF_ENABLED));
    ClearMenu(recentMenu_);
    ClearMenu(recentExeMenu_);
    std::vector<std::wstring> entries = RecentMenuEntries(ListBoxRecent);
    for (size_t i = 0; i < entries.size(); ++i) {
        std::wstring caption = MenuCaption(entries[i]);
        AppendMenuW(recentMenu_, MF_STRING, ID_PPRECENT0 + i, caption.c_str());
        AppendMenuW(recentExeMenu_, MF_STRING, ID_PPRECENT0 + kRecentShown + i, caption.c_str());
    }
}

void TMainForm::ShowFileMenuAt(int x, int y)
{
    PPFilePopup();
    TrackPopupMenuEx(FileMenu(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, x, y, hwnd_, nullptr);
}

void TMainForm::TBFileClick()
{
    RECT window;
    GetWindowRect(hwnd_, &window);
    RECT button = ToolbarButtonRect(ID_TBFILE);
    ShowFileMenuAt(window.left + button.right, window.top + button.bottom + TitleBarPanelHeight());
}

void TMainForm::TBFileArrowClick()
{
    // Below the button, as a drop-down menu opens.
    RECT button = ToolbarButtonRect(ID_TBFILE);
    POINT corner{button.left, button.bottom};
    if (HWND toolbar = GetDlgItem(hwnd_, IDC_TOOLBAR)) {
        MapWindowPoints(toolbar, nullptr, &corner, 1);
    } else {
        RECT window;
        GetWindowRect(hwnd_, &window);
        corner = POINT{window.left + button.left, window.top + button.bottom + TitleBarPanelHeight()};
    }
    ShowFileMenuAt(corner.x, corner.y);
}

void TMainForm::MakeListCurrent(const std::wstring& listFile, const std::wstring& title,
                                std::vector<std::wstring>* items)
{
    MFile = listFile;
    SetTitle(title);
    if (items)
        SetItems(std::move(*items));
    try {
        LoadSettings();
    } catch (...) {
        // The icons must match the rows whatever else went wrong.
        RebuildIcons();
        throw;
    }
    RebuildIcons();
}

void TMainForm::PPOpenClick()
{
    SaveList();
    std::wstring chosen;
    if (!ChooseListFile(hwnd_, false, std::wstring(), &chosen))
        return;
    if (!CheckListFile(chosen))
        return;
    OpenListFile(chosen);
}

void TMainForm::PPSaveClick()
{
    std::wstring chosen;
    if (!ChooseListFile(hwnd_, true, MFile, &chosen))
        return;
    MFile = chosen;
    SaveNamedList();
    SetTitle(ListWindowTitle(MFile));
    SaveSettings();
    AddRecent();
}

void TMainForm::PPDefaultClick()
{
    if (MFile.empty())
        return;
    SaveNamedList();
    // Read before the switch: a default list that another program holds leaves this window on
    // its named list, rather than letting the named list's items overwrite the default list.
    std::wstring defaultList = DataFolder() + kDefaultListName;
    if (ProbeFile(defaultList)) {
        std::vector<std::wstring> items = LoadDefaultListItems(defaultList);
        MakeListCurrent(std::wstring(), kProgramTitle, &items);
    } else {
        MakeListCurrent(std::wstring(), kProgramTitle, nullptr);
    }
}

void TMainForm::PPRecentClick(int tag)
{
    bool here = tag < static_cast<int>(kRecentShown);
    size_t index = static_cast<size_t>(here ? tag : tag - static_cast<int>(kRecentShown));
    if (tag < 0 || tag >= kRecentTags || index >= ListBoxRecent.size())
        return;
    std::wstring entry = ListBoxRecent[index];  // a copy: opening reloads the history
    if (!ProbeFile(entry))
        return;
    if (!here) {
        StartNewWindow(hwnd_, Quoted(entry));
        return;
    }
    SaveList();
    if (CheckListFile(entry))
        OpenListFile(entry);
}

void TMainForm::PPOpenExeClick()
{
    std::wstring chosen;
    if (ChooseListFile(hwnd_, false, std::wstring(), &chosen))
        StartNewWindow(hwnd_, Quoted(chosen));
}

void TMainForm::PPOpenDefaultClick()
{
    StartNewWindow(hwnd_, std::wstring());
}

void TMainForm::PPNewClick()
{
    StartNewWindow(hwnd_, kNewSwitch);
}

bool TMainForm::PPMinChecked()
{
    return (GetMenuState(FileMenu(), ID_PPMIN, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TMainForm::PPMinClick()
{
    CheckMenuItem(FileMenu(), ID_PPMIN, MF_BYCOMMAND | (PPMinChecked() ? MF_UNCHECKED : MF_CHECKED));
}

}  // namespace nesk
