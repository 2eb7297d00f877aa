// TMainForm: what comes in by drops and from the clipboard.
#include "app/MainForm.h"

#include "exchange/DropRules.h"
#include "exchange/win32/ClipboardFiles.h"
#include "exchange/win32/Foreground.h"
#include "exchange/win32/MessageFilter.h"
#include "platform/Probes.h"
#include "platform/Redirection.h"

namespace nesk {

void TMainForm::CreateDropTarget()
{
    LetDropMessagesThrough(hwnd_);
    QivFormDropFiles = std::make_unique<TQivFormDropFiles>(hwnd_);
    QivFormDropFiles->SetOnDropFiles([this](TQivSubClassedDropFiles&) { QivFormDropFilesDropFiles(); });
}

void TMainForm::QivFormDropFilesDropFiles()
{
    std::vector<std::wstring> dropped;
    for (int i = 0; i < QivFormDropFiles->Count(); ++i)
        dropped.push_back(QivFormDropFiles->Files(i));
    DropAction action = DecideDrop(dropped, DropFileSourceFiles);
    if (action != DropAction::OpenListFile)
        ListBoxFile.clear();
    switch (action) {
    case DropAction::OpenListFile:
        OpenDroppedListFile(dropped.front());
        break;
    case DropAction::IgnoreOwnDrag:
        break;
    case DropAction::AddPaths:
        AddDroppedPaths(dropped);
        break;
    }
}

void TMainForm::OpenDroppedListFile(const std::wstring& path)
{
    if (!CheckListFile(path))
        return;
    if (MFile.empty())
        WriteDefaultListFile();
    SaveSettings();
    OpenListFile(path);
    SaveList();  // the opened file in our own format from now on
    InvalidateRect(listBox_, nullptr, TRUE);
    AddRecent();
}

void TMainForm::AddDroppedPaths(const std::vector<std::wstring>& names)
{
    ListBoxFile = SortedIgnoringCase(names);
    if (ListBoxFile.empty())
        return;
    int row = ListRowAtCursor();
    ForceForegroundWindow(hwnd_);

    std::vector<std::wstring> paths;
    for (const auto& entry : ListBoxFile) {
        RedirectionOff redirectionOff;
        paths.push_back(ExactCasePath(entry));
    }
    InsertionBlock block = BlockForInsertion(paths, row, items_.size());
    InsertRows(static_cast<int>(block.position), block.texts);
    RebuildIcons();
    SaveList();
    UpdateHorizontalExtent();
}

// The row under the mouse cursor as the list finds rows: the row that holds the point, the
// item count below the last row, -1 outside the list (on the toolbar or the title bar).
int TMainForm::ListRowAtCursor() const
{
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(listBox_, &point);
    RECT client;
    GetClientRect(listBox_, &client);
    if (!PtInRect(&client, point))
        return -1;
    int count = static_cast<int>(SendMessageW(listBox_, LB_GETCOUNT, 0, 0));
    int top = static_cast<int>(SendMessageW(listBox_, LB_GETTOPINDEX, 0, 0));
    for (int row = top < 0 ? 0 : top; row < count; ++row) {
        RECT rowRect;
        if (SendMessageW(listBox_, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rowRect)) == LB_ERR)
            break;
        if (PtInRect(&rowRect, point))
            return row;
        if (rowRect.top >= client.bottom)
            break;
    }
    return count;
}

void TMainForm::ReadClipboardFiles()
{
    ListBoxClip.clear();
    ListBoxClip = SortedIgnoringCase(ReadClipboardFileNames(hwnd_));
}

void TMainForm::TBClipClick()
{
    ReadClipboardFiles();
    std::vector<int> selected = SelectedIndices();
    if (selected.size() > 1 || ListBoxClip.empty())
        return;
    int row = selected.empty() ? static_cast<int>(items_.size()) : selected.front();
    InsertionBlock block = BlockForInsertion(ListBoxClip, row, items_.size());
    InsertRows(static_cast<int>(block.position), block.texts);
    SendMessageW(listBox_, LB_SETSEL, FALSE, -1);
    RebuildIcons();
    SaveList();
}

}  // namespace nesk
