#include "app/MainForm.h"

#include "resource.h"
#include "app/DataFolder.h"
#include "chrome/CommandIds.h"
#include "chrome/win32/Theme.h"
#include "commands/Zoom.h"
#include "list/ListFile.h"
#include "platform/Lifecycle.h"
#include "platform/Probes.h"
#include "platform/Redirection.h"
#include "platform/win32/Guarded.h"

namespace nesk {
namespace {

constexpr wchar_t kWindowClass[] = L"TMainForm";
constexpr int kMinWidth = 500;
constexpr int kMinHeight = 300;
// Where the window stands before any settings are applied (the first start).
constexpr int kFirstLeft = 368;
constexpr int kFirstTop = 113;
constexpr int kFirstClientWidth = 769;
constexpr int kFirstClientHeight = 438;

int ScreenDpi()
{
    ScreenDC screen;
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int PointsFromLogFont(const LOGFONTW& font)
{
    int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    return MulDiv(height, 72, ScreenDpi());
}

int HeightFromPoints(int points)
{
    return -MulDiv(points, ScreenDpi(), 72);
}

}  // namespace

TMainForm* TMainForm::Create(const std::wstring& argument, bool hasArgument, int showCommand)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    if (!GetClassInfoExW(instance, kWindowClass, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_NESK));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = nullptr;
        windowClass.lpszClassName = kWindowClass;
        RegisterClassExW(&windowClass);
    }

    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, kFirstClientWidth, kFirstClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    auto* form = new TMainForm();
    HWND hwnd = CreateWindowExW(WS_EX_APPWINDOW, kWindowClass, kProgramTitle.c_str(), style, kFirstLeft, kFirstTop,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                instance, form);
    if (!hwnd) {
        delete form;
        return nullptr;
    }
    // A file of the data folder held by another program at this moment goes to the
    // program-wide handler, as anywhere else; the window still comes up.
    Guarded([&] { form->FormCreate(argument, hasArgument); });
    form->ShowAtStart(showCommand);
    return form;
}

TMainForm::~TMainForm()
{
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK TMainForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        RecordLifeStep(LifeStep::MainWindow, true);
        auto* form = static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    } else if (message == WM_NCDESTROY) {
        RecordLifeStep(LifeStep::MainWindow, false);
    }
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return Guarded<LRESULT>(0, [&] { return form->HandleMessage(message, wParam, lParam); });
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    dragSnapping_.Observe(hwnd_, message, lParam);
    LRESULT result = 0;
    if (ChromeMessage(message, wParam, lParam, &result) || TrayMessage(message, wParam, lParam, &result) ||
        ListOwnerMessage(message, wParam, lParam, &result) || SessionMessage(message, wParam, &result))
        return result;

    switch (message) {
    case WM_SIZE:
        LayoutControls();
        UpdateHorizontalExtent();  // FormResize
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = kMinWidth;
        info->ptMinTrackSize.y = kMinHeight;
        return 0;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, theme::ListBackgroundBrush());
        return TRUE;
    }
    case WM_COMMAND:
        if (RunCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// The list draws its rows itself, in the theme's colours.
bool TMainForm::ListOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlID != IDC_LISTBOX)
            return false;
        measure->itemHeight = RowHeightForFontSize(listFontSize_);
        *result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlID != IDC_LISTBOX)
            return false;
        DrawListItem(*draw);
        *result = TRUE;
        return true;
    }
    case WM_CTLCOLORLISTBOX:
        SetBkColor(reinterpret_cast<HDC>(wParam), theme::kListBackground);
        *result = reinterpret_cast<LRESULT>(theme::ListBackgroundBrush());
        return true;
    }
    return false;
}

// Closing the window and ending the session both save what the window holds.
bool TMainForm::SessionMessage(UINT message, WPARAM wParam, LRESULT* result)
{
    switch (message) {
    case WM_CLOSE:
        FormCloseQuery();
        DestroyWindow(hwnd_);
        *result = 0;
        return true;
    case WM_QUERYENDSESSION:
        // Windows may end the process without another word after this answer.
        FormCloseQuery();
        sessionSaved_ = true;
        *result = TRUE;
        return true;
    case WM_ENDSESSION:
        if (wParam && !sessionSaved_)
            FormCloseQuery();
        sessionSaved_ = false;
        *result = 0;
        return true;
    }
    return false;
}

void TMainForm::FormCreate(const std::wstring& argument, bool hasArgument)
{
    InitRedirection();
    ApplyFonts();
    CreateControls();
    CreateDropTarget();
    LoadStartupList(argument, hasArgument);
}

void TMainForm::FormDestroy()
{
    fileMenu_.reset();
    recentMenu_ = recentExeMenu_ = trayMenu_ = nullptr;
    HideTrayIcon();
    hwnd_ = nullptr;
    PostQuitMessage(0);
}

void TMainForm::ApplyFonts()
{
    // The menu font's face goes to what the chrome draws (title bar, toolbar), which asks for
    // it where it creates its fonts; the list takes the icon-title font.
    LOGFONTW iconTitle{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
    listFontFace_ = iconTitle.lfFaceName;
    listFontSize_ = PointsFromLogFont(iconTitle);
}

void TMainForm::CreateControls()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // LBS_HASSTRINGS although we draw the rows: other programs and accessibility tools read
    // the items with LB_GETTEXT.
    listBox_ = CreateWindowExW(0, L"LISTBOX", nullptr,
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED |
                                   LBS_HASSTRINGS | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY |
                                   LBS_WANTKEYBOARDINPUT,
                               0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(IDC_LISTBOX), instance, nullptr);
    SetListFontSize(listFontSize_);
    CreateChrome();
    LayoutControls();
}

void TMainForm::SetListFontSize(int points)
{
    listFontSize_ = points;
    LOGFONTW font{};
    font.lfHeight = HeightFromPoints(points);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, listFontFace_.c_str(), LF_FACESIZE);
    // The old font goes only after the list has taken the new one.
    UniqueFont previous = std::move(listFont_);
    listFont_.reset(CreateFontIndirectW(&font));
    SendMessageW(listBox_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
    SendMessageW(listBox_, LB_SETITEMHEIGHT, 0, RowHeightForFontSize(points));
    InvalidateRect(listBox_, nullptr, TRUE);
}

void TMainForm::LoadStartupList(const std::wstring& argument, bool hasArgument)
{
    MFile.clear();
    if (hasArgument && ProbeFile(argument) && CheckListFile(argument))
        MFile = argument;
    MTrayIconFile = DataFolder() + kTrayIconFileName;
    LoadSettings();
    if (ProbeFile(MFile)) {
        SetTitle(ListWindowTitle(MFile));
        SetItems(LoadNamedListItems(MFile));
        RebuildIcons();
        AddRecent();
    } else if (!(hasArgument && argument == L"/New") && ProbeFile(DataFolder() + kDefaultListName)) {
        SetItems(LoadDefaultListItems(DataFolder() + kDefaultListName));
        RebuildIcons();
    }
    MBuffFile = DataFolder() + kBuffFileName;
}

void TMainForm::SetItems(std::vector<std::wstring> items)
{
    items_ = std::move(items);
    ReloadListControl(false);
}

std::vector<int> TMainForm::SelectedIndices() const
{
    int count = static_cast<int>(SendMessageW(listBox_, LB_GETSELCOUNT, 0, 0));
    std::vector<int> selected(count > 0 ? count : 0);
    if (count > 0)
        SendMessageW(listBox_, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(selected.data()));
    return selected;
}

void TMainForm::SetTitle(const std::wstring& title)
{
    SetWindowTextW(hwnd_, title.c_str());
}

std::wstring TMainForm::Title() const
{
    int length = GetWindowTextLengthW(hwnd_);
    std::wstring title(length + 1, L'\0');
    title.resize(GetWindowTextW(hwnd_, title.data(), length + 1));
    return title;
}

void TMainForm::FormCloseQuery()
{
    SaveList();
    SaveSettings();
}

void TMainForm::TBCloseClick()
{
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TMainForm::DrawListItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1))
        return;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    RECT row = item.rcItem;
    FillSolid(dc, row, selected ? theme::kHighlight : theme::kListBackground);
    DrawItemIcon(dc, static_cast<int>(item.itemID), row.left + 1, row.top + 1);
    if (item.itemID < items_.size()) {
        const std::wstring& text = items_[item.itemID];
        SetBkColor(dc, selected ? theme::kHighlight : theme::kListBackground);
        SetTextColor(dc, selected ? theme::kHighlightText : theme::kListText);
        SelectedObject font(dc, listFont_.get());
        ExtTextOutW(dc, row.left + 1 + 24, row.top + 1, ETO_CLIPPED, &row, text.c_str(),
                    static_cast<UINT>(text.size()), nullptr);
    }
}

}  // namespace nesk
