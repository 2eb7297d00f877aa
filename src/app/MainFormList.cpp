// TMainForm: writing the item list away, and the recent history it feeds.
#include "app/MainForm.h"

#include "app/DataFolder.h"
#include "list/ListFile.h"

namespace nesk {

void TMainForm::SaveList()
{
    // A named list whose file vanished while it is open is written back to its own file:
    // sending its items to the default list would silently destroy that list.
    if (!MFile.empty())
        SaveNamedList();
    else
        WriteDefaultListFile();
}

void TMainForm::SaveNamedList()
{
    WriteNamedList(MFile, items_);
    AddRecent();
}

void TMainForm::WriteDefaultListFile()
{
    WriteDefaultList(DataFolder() + kDefaultListName, items_);
}

void TMainForm::AddRecent()
{
    AddRecentEntry(ListBoxRecent, MFile);
}

void TMainForm::OpenListFile(const std::wstring& path)
{
    // Read before anything changes: a file that another program locked since it was checked
    // leaves the window on its previous list, so no later save can write this window's items
    // into the other list's file.
    std::vector<std::wstring> items = LoadNamedListItems(path);
    MakeListCurrent(path, ListWindowTitle(path), &items);
    AddRecent();
}

bool TMainForm::CheckListFile(const std::wstring& path)
{
    if (IsListFile(path))
        return true;
    // Owned by the window even while it is hidden, so it stays in front of it.
    MessageBoxW(hwnd_, NotListFileMessage(path).c_str(), kProgramTitle.c_str(), MB_OK | MB_ICONERROR);
    return false;
}

}  // namespace nesk
