// TMainForm: the editing commands, opening items, the list's keys, and the rows' icons.
#include "app/MainForm.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>

#include "app/DataFolder.h"
#include "chrome/win32/Theme.h"
#include "commands/CutBuffer.h"
#include "commands/ItemCommands.h"
#include "commands/ItemPaths.h"
#include "commands/win32/ShellActions.h"
#include "platform/ExistenceProbe.h"
#include "platform/Probes.h"
#include "platform/Services.h"
#include "platform/win32/Guarded.h"

namespace nesk {
namespace {

constexpr wchar_t kLaunchFailed[] = L"起動できません";
constexpr wchar_t kLaunchFailedCaption[] = L"Nesk - エラー";

// An item is opened only when it is a text the shell may have and names something that is there.
bool Exists(const std::wstring& path)
{
    return MayOpen(path) && (ProbeFolder(path) || ProbeFile(path));
}

// Deleting or inserting rows one at a time moves the rows behind them, and the list control
// adjusts its scrolling each time; past a few dozen rows filling it anew is quicker (measured
// under Wine on 20,000 items: 2,000 scattered deletes took several times a refill).
bool FewRows(size_t changed)
{
    return changed <= 32;
}

}  // namespace

void TMainForm::CreateListDisplay()
{
    iconRows_ = std::make_unique<TIconRows>(theme::kListBackground);
    // Subclassed the plain way, with the window found through the list's user data: under
    // Wine both window properties and the common controls' subclass helper (built on them)
    // cost tens of microseconds on every message, which made filling the list many times slower.
    SetWindowLongPtrW(listBox_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listBoxProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(listBox_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListBoxProc)));
}

// ---- rows of the list control ----

void TMainForm::ReloadListControl(bool keepScroll)
{
    int top = static_cast<int>(SendMessageW(listBox_, LB_GETTOPINDEX, 0, 0));
    SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(listBox_, LB_RESETCONTENT, 0, 0);
    SendMessageW(listBox_, LB_INITSTORAGE, items_.size(), 0);
    for (const auto& item : items_)
        SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (keepScroll)
        SendMessageW(listBox_, LB_SETTOPINDEX, std::min<int>(top, std::max<int>(static_cast<int>(items_.size()) - 1, 0)), 0);
    SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
}

void TMainForm::RemoveRows(const std::vector<int>& rowsDescending)
{
    if (rowsDescending.empty())
        return;
    size_t before = items_.size();
    EraseRows(items_, rowsDescending);
    if (FewRows(rowsDescending.size())) {
        SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
        for (int row : rowsDescending)
            SendMessageW(listBox_, LB_DELETESTRING, row, 0);
        SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(listBox_, nullptr, TRUE);
        return;
    }
    // The rows that stay keep their selection.
    std::vector<char> gone(before, 0);
    for (int row : rowsDescending)
        gone[row] = 1;
    std::vector<int> newRow(before, -1);
    for (size_t row = 0, kept = 0; row < before; ++row)
        if (!gone[row])
            newRow[row] = static_cast<int>(kept++);
    std::vector<int> selected;
    for (int row : SelectedIndices())
        if (row >= 0 && static_cast<size_t>(row) < before && newRow[row] >= 0)
            selected.push_back(newRow[row]);
    ReloadListControl(true);
    for (int row : selected)
        SendMessageW(listBox_, LB_SETSEL, TRUE, row);
}

void TMainForm::InsertRows(int position, const std::vector<std::wstring>& texts)
{
    if (texts.empty())
        return;
    position = std::clamp<int>(position, 0, static_cast<int>(items_.size()));
    std::vector<int> selected = SelectedIndices();
    items_.insert(items_.begin() + position, texts.begin(), texts.end());
    if (FewRows(texts.size())) {
        SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(listBox_, LB_INITSTORAGE, texts.size(), 0);
        for (size_t k = 0; k < texts.size(); ++k)
            SendMessageW(listBox_, LB_INSERTSTRING, position + k, reinterpret_cast<LPARAM>(texts[k].c_str()));
        SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(listBox_, nullptr, TRUE);
        return;
    }
    ReloadListControl(true);
    for (int row : selected)
        SendMessageW(listBox_, LB_SETSEL, TRUE, row >= position ? row + static_cast<int>(texts.size()) : row);
}

std::pair<int, int> TMainForm::VisibleRows() const
{
    int count = static_cast<int>(items_.size());
    int top = static_cast<int>(SendMessageW(listBox_, LB_GETTOPINDEX, 0, 0));
    int rowHeight = static_cast<int>(SendMessageW(listBox_, LB_GETITEMHEIGHT, 0, 0));
    RECT client{};
    GetClientRect(listBox_, &client);
    if (rowHeight <= 0)
        return {0, 0};
    int rows = (client.bottom + rowHeight - 1) / rowHeight;
    top = std::clamp(top, 0, count);
    return {top, std::min(count, top + rows)};
}

// ---- icons and the horizontal extent ----

void TMainForm::RebuildIcons()
{
    if (iconRows_) {
        iconRows_->Reset();
        auto [first, last] = VisibleRows();
        iconRows_->Ensure(items_, first, last);
        InvalidateRect(listBox_, nullptr, FALSE);
    }
    UpdateHorizontalExtent();
}

void TMainForm::DrawItemIcon(HDC dc, int index, int x, int y)
{
    if (iconRows_)
        iconRows_->Draw(dc, items_, index, x, y);
}

void TMainForm::UpdateHorizontalExtent()
{
    // Widths are kept per text for the font in use, so an edit measures only new texts.
    if (textWidthsFontSize_ != listFontSize_ || textWidths_.size() > 2 * items_.size() + 1024) {
        textWidths_.clear();
        textWidthsFontSize_ = listFontSize_;
    }
    ClientDC dc(listBox_);
    SelectedObject font(dc.Get(), listFont_.get());
    int widest = 0;
    for (const auto& item : items_) {
        auto [entry, added] = textWidths_.try_emplace(item, 0);
        if (added) {
            SIZE size{};
            GetTextExtentPoint32W(dc.Get(), item.c_str(), static_cast<int>(item.size()), &size);
            entry->second = size.cx;
        }
        widest = std::max(widest, entry->second);
    }
    SendMessageW(listBox_, LB_SETHORIZONTALEXTENT, 2 * widest, 0);
}

int TMainForm::HorizontalExtent() const
{
    return static_cast<int>(SendMessageW(listBox_, LB_GETHORIZONTALEXTENT, 0, 0));
}

// ---- the editing commands ----

void TMainForm::TBAllSelectClick()
{
    if (!items_.empty())
        SendMessageW(listBox_, LB_SETSEL, TRUE, -1);
}

void TMainForm::TBClearClick()
{
    std::vector<int> selected = SelectedIndices();
    if (items_.empty() || selected.empty())
        return;
    SelectedRemoval removal = PlanRemoveSelected(items_, selected, DataFolder());
    // Only the link files we wrote ourselves are deleted; a file that another window already
    // deleted, or that cannot be deleted, leaves just the item to remove.
    for (const auto& file : removal.ownLinkFiles)
        if (ProbeFile(file))
            Fs().DeleteFile(file);
    RemoveRows(removal.rows);
    RebuildIcons();
    SaveList();
}

void TMainForm::TBExistsClick()
{
    if (items_.empty())
        return;
    // The probes run on workers; meanwhile the window keeps painting, and past half a second
    // a thin bar under the toolbar shows how far they are. Only paint messages are let through,
    // so nothing can change the list before the one change at the end.
    UniqueWindow progress;
    auto started = std::chrono::steady_clock::now();
    ExistenceOptions options;
    options.onWait = [&](size_t done, size_t total) {
        if (!progress && std::chrono::steady_clock::now() - started >= std::chrono::milliseconds(500))
            progress = ShowProbeProgress();
        if (progress)
            SendMessageW(progress.get(), PBM_SETPOS, total ? static_cast<WPARAM>(done * 1000 / total) : 0, 0);
        // Bounded: a window that never validates itself would hand out paint messages for ever.
        MSG message;
        for (int k = 0; k < 64 && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++k)
            DispatchMessageW(&message);
    };
    std::vector<char> exists = ProbeExistence(items_, options);
    progress.reset();
    // MissingRows asks about every item once, from the last to the first.
    std::vector<int> missing = MissingRows(items_, [&, row = items_.size()](const std::wstring&) mutable {
        return exists[--row] != 0;
    });
    if (missing.empty())
        return;
    RemoveRows(missing);
    RebuildIcons();
    SaveList();
}

UniqueWindow TMainForm::ShowProbeProgress()
{
    RECT list{};
    GetWindowRect(listBox_, &list);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&list), 2);
    UniqueWindow bar(CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, list.left, list.top,
                                     list.right - list.left, 4, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (bar) {
        SendMessageW(bar.get(), PBM_SETRANGE32, 0, 1000);
        SetWindowPos(bar.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        UpdateWindow(bar.get());
    }
    return bar;
}

void TMainForm::TBPurgeClick()
{
    ItemTexts merged = RemoveDuplicates(items_, Collation());
    // Every survivor is put in anew, so nothing stays selected either way.
    SendMessageW(listBox_, LB_SETSEL, FALSE, -1);
    if (merged == items_)
        return;
    // Usually the survivors keep their order and only duplicates go: then just those rows go.
    std::vector<int> gone;
    size_t next = 0;
    for (size_t row = 0; row < items_.size(); ++row) {
        if (next < merged.size() && items_[row] == merged[next])
            ++next;
        else
            gone.push_back(static_cast<int>(row));
    }
    if (next == merged.size()) {
        std::reverse(gone.begin(), gone.end());
        RemoveRows(gone);
    } else {
        items_ = std::move(merged);
        ReloadListControl(true);
    }
    RebuildIcons();
    SaveList();
}

void TMainForm::TBCUtClick()
{
    std::vector<int> selected = SelectedIndices();
    if (items_.empty() || selected.empty())
        return;
    CutPlan plan = PlanCut(items_, selected);
    ListBoxBuff = plan.buffer;
    // Written before anything is removed: if the file cannot be written, nothing is cut.
    SaveCutBuffer(MBuffFile, ListBoxBuff);
    RemoveRows(plan.rows);
    RebuildIcons();
    SaveList();
}

void TMainForm::TBPasteClick()
{
    LoadCutBuffer(MBuffFile, ListBoxBuff);
    int position = PastePosition(static_cast<int>(items_.size()), SelectedIndices(), ListBoxBuff);
    if (position < 0)
        return;
    InsertRows(position, PasteBlock(ListBoxBuff));
    SendMessageW(listBox_, LB_SETSEL, FALSE, -1);
    ListBoxBuff.clear();
    RebuildIcons();
    SaveList();
}

// ---- opening items ----

std::vector<std::wstring> TMainForm::SelectedTexts() const
{
    // Copied, not referred to: a launch or its message box may let other messages change the
    // list while the caller walks these.
    std::vector<std::wstring> texts;
    for (int row : SelectedIndices())
        texts.push_back(items_[row]);
    return texts;
}

void TMainForm::TBOpenClick()
{
    if (items_.empty())
        return;
    for (const auto& item : SelectedTexts()) {
        if (!Exists(item))
            continue;
        auto result = reinterpret_cast<INT_PTR>(Shell().execute(hwnd_, L"open", item.c_str(), nullptr, nullptr, SW_SHOW));
        if (result <= 32)
            Shell().messageBox(hwnd_, kLaunchFailed, kLaunchFailedCaption, MB_OK | MB_ICONERROR);
    }
}

void TMainForm::TBFolderClick()
{
    for (const auto& item : SelectedTexts()) {
        if (!Exists(item))
            continue;
        auto launch = ParentFolderLaunch(item, [](const std::wstring& folder) { return ProbeFolder(folder); });
        if (launch)
            Shell().execute(hwnd_, nullptr, launch->file.c_str(), nullptr, launch->directory.c_str(), SW_SHOWNORMAL);
    }
}

// ---- the list's keys and mouse ----

void TMainForm::ListBoxKeyDown(WPARAM key)
{
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_APPS) {
        // Handled as a release of the right button at the list's corner, with the modifier
        // keys held now: with Ctrl that brings up the shell's menu for the selection.
        WPARAM keys = (ctrl ? MK_CONTROL : 0) | (GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0);
        SendMessageW(listBox_, WM_RBUTTONUP, keys, MAKELPARAM(0, 0));
        return;
    }
    if (!ctrl)
        return;
    if (int command = ListCtrlKeyCommand(static_cast<unsigned>(key)))
        RunCommand(command);
}

void TMainForm::ListBoxKeyPress(wchar_t ch)
{
    if (ch == L'\r')
        TBOpenClick();
}

void TMainForm::ListBoxDblClick()
{
    TBOpenClick();
}

LRESULT CALLBACK TMainForm::ListBoxProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(list, GWLP_USERDATA));
    if (!form)
        return DefWindowProcW(list, message, wParam, lParam);
    WNDPROC original = form->listBoxProc_;
    switch (message) {
    case WM_KEYDOWN:
        Guarded([&] { form->ListBoxKeyDown(wParam); });
        break;
    case WM_CHAR:
        Guarded([&] { form->ListBoxKeyPress(static_cast<wchar_t>(wParam)); });
        break;
    case WM_LBUTTONDBLCLK: {
        // The click selects first, as it would without us; then the selection opens.
        LRESULT result = CallWindowProcW(original, list, message, wParam, lParam);
        Guarded([&] { form->ListBoxDblClick(); });
        return result;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(list, GWLP_USERDATA, 0);
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        break;
    }
    return CallWindowProcW(original, list, message, wParam, lParam);
}

}  // namespace nesk
