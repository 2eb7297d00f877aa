// TMainForm: what comes in by drops and from the clipboard.
#include "app/MainForm.h"

#include "app/DataFolder.h"
#include "exchange/DropRules.h"
#include "exchange/ShortcutFiles.h"
#include "exchange/win32/ClipboardFiles.h"
#include "exchange/win32/Foreground.h"
#include "exchange/win32/MessageFilter.h"
#include "platform/Probes.h"
#include "platform/Redirection.h"
#include "platform/Services.h"
#include "platform/win32/Guarded.h"

namespace nesk {

void TMainForm::CreateDropTarget()
{
    LetDropMessagesThrough(hwnd_);
    QivFormDropFiles = std::make_unique<TQivFormDropFiles>(hwnd_);
    QivFormDropFiles->SetOnDropFiles([this](TQivSubClassedDropFiles&) { QivFormDropFilesDropFiles(); });

    // Registered for OLE drops, the list no longer sees the file manager's drops as
    // WM_DROPFILES: the target hands them over as names, and they land as any file drop does.
    DropURLTarget = std::make_unique<TDropURLTarget>(listBox_);
    DropURLTarget->SetOnDrop([this](TDropURLTarget&, TShiftState shift, POINT point, DWORD& effect) {
        Guarded([&] { DropURLTargetDrop(shift, point, effect); });
    });
    DropURLTarget->SetOnDropFiles([this](TDropURLTarget&, const std::vector<std::wstring>& names) {
        Guarded([&] { DroppedFilesReceived(names); });
    });
}

void TMainForm::QivFormDropFilesDropFiles()
{
    std::vector<std::wstring> dropped;
    for (int i = 0; i < QivFormDropFiles->Count(); ++i)
        dropped.push_back(QivFormDropFiles->Files(i));
    DroppedFilesReceived(dropped);
}

void TMainForm::DroppedFilesReceived(const std::vector<std::wstring>& dropped)
{
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

void TMainForm::DropURLTargetDrop(TShiftState, POINT point, DWORD&)
{
    ListBoxURL.clear();
    const std::string& url = DropURLTarget->URL();
    if (url == DropURLSourceURL)
        return;  // our own link drag come back
    ListBoxURL.push_back(CodePage().Decode(url));
    if (url.empty())
        return;
    std::wstring title = GetWindowTitle(GetForegroundWindow());
    if (title.empty())
        title = DropURLTarget->Title();
    ListBoxURL.push_back(title);
    int index = ListRowAt(point);
    ForceForegroundWindow(hwnd_);
    CreateShortcutItem(index);
}

void TMainForm::CreateShortcutItem(int index)
{
    std::optional<std::wstring> written = WriteShortcutFile(DataFolder(), ListBoxURL.at(1), ListBoxURL.at(0));
    if (!written)
        return;  // held open by another program: skipped
    std::wstring path;
    {
        RedirectionOff redirectionOff;
        path = ExactCasePath(*written);
    }
    if (index < 0 || static_cast<size_t>(index) > items_.size())
        index = static_cast<int>(items_.size());
    InsertRows(index, {path});
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
    return ListRowAt(point);
}

int TMainForm::ListRowAt(POINT point) const
{
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
