#include "chrome/win32/Toolbar.h"

#include <uxtheme.h>

#include <algorithm>
#include <string>

#include "chrome/CommandIds.h"
#include "chrome/win32/Pictures.h"
#include "chrome/win32/Theme.h"
#include "platform/win32/Handles.h"

namespace nesk {
namespace {

struct ButtonSpec {
    int id;  // 0 for a separator
    int image;
    const wchar_t* caption;
    const wchar_t* hint;
    BYTE style;
    bool endsRow;
};

// Captions carry only an accelerator letter; the pictures say what a button does.
constexpr ButtonSpec kButtons[] = {
    {ID_TBOPEN, ToolbarPicture::Open, L"(&O)", L"開く", BTNS_BUTTON, false},
    {0, 0, nullptr, nullptr, BTNS_SEP, false},
    {ID_TBCLIP, ToolbarPicture::PasteFiles, L"(&P)", L"クリップボードから貼り付け", BTNS_BUTTON, false},
    {0, 0, nullptr, nullptr, BTNS_SEP, false},
    {ID_TBALLSELECT, ToolbarPicture::SelectAll, L"(&S)", L"全て選択", BTNS_BUTTON, false},
    {ID_TBCLEAR, ToolbarPicture::RemoveSelected, L"(&C)", L"選択したファイル/フォルダを消去", BTNS_BUTTON, false},
    {ID_TBEXISTS, ToolbarPicture::RemoveMissing, L"(&E)", L"存在しないファイル/フォルダを消去", BTNS_BUTTON, false},
    {ID_TBPURGE, ToolbarPicture::RemoveDuplicates, L"(&U)", L"重複を消去", BTNS_BUTTON, false},
    {ID_TBCUT, ToolbarPicture::Cut, L"(&X)", L"切り取り(CTRL+X)", BTNS_BUTTON, false},
    {ID_TBPASTE, ToolbarPicture::Paste, L"(&V)", L"貼り付け(CTRL+V)", BTNS_BUTTON, true},
    {ID_TBRMENU, ToolbarPicture::ContextMenu, L"(&T)", L"コンテキストメニュー(Ctrl+Menu)", BTNS_BUTTON, false},
    {ID_TBFOLDER, ToolbarPicture::OpenFolder, L"(&D)", L"親フォルダを開く", BTNS_BUTTON, false},
    {0, 0, nullptr, nullptr, BTNS_SEP, false},
    {ID_TBFILE, ToolbarPicture::FileMenu, L"(&F)", L"ファイル", BTNS_DROPDOWN, false},
    {0, 0, nullptr, nullptr, BTNS_SEP, false},
    {ID_TBTOP, ToolbarPicture::StayOnTop, L"", L"常に手前に表示", BTNS_CHECK, false},
    {0, 0, nullptr, nullptr, BTNS_SEP, false},
    {ID_TBCLOSE, ToolbarPicture::Quit, L"(&Q)", L"終了", BTNS_BUTTON, false},
};

constexpr int kButtonHeight = 46;
constexpr int kPictureSize = 32;
constexpr int kInnerPadding = 6;
constexpr int kSeparatorWidth = 8;

wchar_t AcceleratorOf(const wchar_t* caption)
{
    for (const wchar_t* p = caption; p && *p; ++p)
        if (p[0] == L'&' && p[1] && p[1] != L'&')
            return p[1];
    return 0;
}

const ButtonSpec* SpecOf(int id)
{
    for (const auto& spec : kButtons)
        if (spec.id != 0 && spec.id == id)
            return &spec;
    return nullptr;
}

WNDPROC toolbarClassProc = nullptr;

// Subclassed the plain way: the common controls' helper is slow under Wine.
LRESULT CALLBACK ToolbarProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(toolbar, &client);
        FillSolid(reinterpret_cast<HDC>(wParam), client, theme::kToolbarBackground);
        return TRUE;
    }
    return CallWindowProcW(toolbarClassProc, toolbar, message, wParam, lParam);
}

RECT DropDownRect(HWND toolbar, int index, const RECT& button)
{
    RECT arrow{};
    if (SendMessageW(toolbar, TB_GETITEMDROPDOWNRECT, index, reinterpret_cast<LPARAM>(&arrow)) &&
        arrow.right > arrow.left && arrow.left > button.left)
        return arrow;
    return RECT{button.right - 14, button.top, button.right, button.bottom};
}

}  // namespace

HWND CreateUnownedTooltip()
{
    // Owned by no window: Wine stacks a window that becomes top-most behind its owned
    // popups, and a tooltip owned by the main window would keep it from staying on top.
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

HWND CreateMainToolbar(HWND parent, HIMAGELIST images, HFONT font, HWND tooltip)
{
    HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST |
                                       CCS_NODIVIDER | CCS_NORESIZE |
                                       CCS_NOPARENTALIGN,
                                   0, 0, 0, 0, parent, reinterpret_cast<HMENU>(IDC_TOOLBAR),
                                   GetModuleHandleW(nullptr), nullptr);
    if (!toolbar)
        return nullptr;
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Set before the buttons go in, so each becomes a tool that asks us for its hint.
    SendMessageW(toolbar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltip), 0);
    SendMessageW(toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageW(toolbar, TB_SETMAXTEXTROWS, 1, 0);
    SendMessageW(toolbar, TB_SETPADDING, 0, MAKELPARAM(2 * kInnerPadding, kButtonHeight - kPictureSize));

    for (const auto& spec : kButtons) {
        TBBUTTON button{};
        button.idCommand = spec.id;
        button.fsStyle = spec.style;
        if (spec.style == BTNS_SEP) {
            button.iBitmap = kSeparatorWidth;
        } else {
            button.iBitmap = spec.image;
            button.fsStyle |= BTNS_AUTOSIZE;
            button.iString = reinterpret_cast<INT_PTR>(spec.caption);
        }
        button.fsState = TBSTATE_ENABLED | (spec.endsRow ? TBSTATE_WRAP : 0);
        SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(0, kButtonHeight));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    toolbarClassProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(toolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolbarProc)));
    DarkenToolbar(toolbar);
    return toolbar;
}

namespace {

// The rows break where they are designed to, and further where the window is too narrow
// for a row, so no button is ever out of reach.
void WrapRows(HWND toolbar, int width)
{
    int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    int x = 0;
    int lastButton = -1;
    for (int index = 0; index < count; ++index) {
        TBBUTTON button{};
        SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
        const ButtonSpec* spec = SpecOf(button.idCommand);
        BYTE state = static_cast<BYTE>(SendMessageW(toolbar, TB_GETSTATE, button.idCommand, 0));
        if (button.fsStyle & BTNS_SEP) {
            x += kSeparatorWidth;
            continue;
        }
        RECT item{};
        SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        int buttonWidth = item.right - item.left;
        if (lastButton >= 0 && x + buttonWidth > width) {
            TBBUTTON previous{};
            SendMessageW(toolbar, TB_GETBUTTON, lastButton, reinterpret_cast<LPARAM>(&previous));
            BYTE previousState = static_cast<BYTE>(SendMessageW(toolbar, TB_GETSTATE, previous.idCommand, 0));
            SendMessageW(toolbar, TB_SETSTATE, previous.idCommand, MAKELPARAM(previousState | TBSTATE_WRAP, 0));
            x = 0;
        }
        x += buttonWidth;
        bool endsRow = spec && spec->endsRow;
        BYTE wanted = endsRow ? (state | TBSTATE_WRAP) : (state & ~TBSTATE_WRAP);
        if (wanted != state)
            SendMessageW(toolbar, TB_SETSTATE, button.idCommand, MAKELPARAM(wanted, 0));
        if (endsRow)
            x = 0;
        lastButton = index;
    }
}

}  // namespace

int PlaceToolbar(HWND toolbar, int top, int width)
{
    SendMessageW(toolbar, WM_SETREDRAW, FALSE, 0);
    WrapRows(toolbar, width);
    MoveWindow(toolbar, 0, top, width, 4 * kButtonHeight, FALSE);
    SendMessageW(toolbar, WM_SETREDRAW, TRUE, 0);
    int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    int height = 0;
    for (int index = 0; index < count; ++index) {
        RECT item{};
        if (SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)))
            height = std::max<int>(height, item.bottom);
    }
    height += 2;
    MoveWindow(toolbar, 0, top, width, height, TRUE);
    InvalidateRect(toolbar, nullptr, TRUE);
    return height;
}

void DarkenToolbar(HWND toolbar)
{
    HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
    if (tips) {
        SetWindowTheme(tips, L"", L"");
        SendMessageW(tips, TTM_SETTIPBKCOLOR, theme::kTooltipBackground, 0);
        SendMessageW(tips, TTM_SETTIPTEXTCOLOR, theme::kTooltipText, 0);
    }
}

namespace {

// The separators: a thin line in place of the system's light etched one.
void DrawSeparators(HWND toolbar, HDC dc)
{
    int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        TBBUTTON button{};
        SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
        if (!(button.fsStyle & BTNS_SEP))
            continue;
        RECT item{};
        SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        FillSolid(dc, item, theme::kToolbarBackground);
        int x = (item.left + item.right) / 2;
        RECT line{x, item.top + 8, x + 1, item.bottom - 8};
        if (line.bottom > line.top)
            FillSolid(dc, line, theme::kToolbarSeparator);
    }
}

COLORREF ButtonBackground(UINT state)
{
    bool hot = (state & CDIS_HOT) != 0;
    if (state & CDIS_CHECKED)
        return hot ? theme::kToolbarCheckedHot : theme::kToolbarChecked;
    if (state & CDIS_SELECTED)
        return theme::kToolbarPressed;
    return hot ? theme::kToolbarHot : theme::kToolbarBackground;
}

// The drop-down part of a button: its divider while hot and a small arrow. Answers where the
// rest of the button ends.
LONG DrawDropDownPart(HWND toolbar, int index, HDC dc, const RECT& rect, bool hot)
{
    RECT arrow = DropDownRect(toolbar, index, rect);
    RECT divider{arrow.left, rect.top + 6, arrow.left + 1, rect.bottom - 6};
    if (hot)
        FillSolid(dc, divider, theme::kToolbarSeparator);
    int cx = (arrow.left + arrow.right) / 2;
    int cy = (arrow.top + arrow.bottom) / 2;
    for (int row = 0; row < 4; ++row) {
        RECT stripe{cx - 3 + row, cy - 1 + row, cx + 4 - row, cy + row};
        FillSolid(dc, stripe, theme::kToolbarText);
    }
    return arrow.left;
}

void DrawButton(HWND toolbar, const NMCUSTOMDRAW& cd)
{
    int id = static_cast<int>(cd.dwItemSpec);
    const ButtonSpec* spec = SpecOf(id);
    int index = static_cast<int>(SendMessageW(toolbar, TB_COMMANDTOINDEX, id, 0));
    RECT rect = cd.rc;
    FillSolid(cd.hdc, rect, ButtonBackground(cd.uItemState));

    RECT content = rect;
    if (spec && spec->style == BTNS_DROPDOWN)
        content.right = DrawDropDownPart(toolbar, index, cd.hdc, rect, (cd.uItemState & CDIS_HOT) != 0);

    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    int pictureLeft = content.left + kInnerPadding;
    if (spec && (!spec->caption || !*spec->caption))
        pictureLeft = (content.left + content.right - kPictureSize) / 2;
    if (images && spec)
        ImageList_Draw(images, spec->image, cd.hdc, pictureLeft, (rect.top + rect.bottom - kPictureSize) / 2,
                       ILD_TRANSPARENT);
    if (spec && spec->caption && *spec->caption) {
        RECT text{pictureLeft + kPictureSize + 2, rect.top, content.right, rect.bottom};
        SetBkMode(cd.hdc, TRANSPARENT);
        SetTextColor(cd.hdc, theme::kToolbarText);
        SelectedObject font(cd.hdc, reinterpret_cast<HFONT>(SendMessageW(toolbar, WM_GETFONT, 0, 0)));
        DrawTextW(cd.hdc, spec->caption, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
}

}  // namespace

LRESULT ToolbarCustomDraw(HWND toolbar, NMTBCUSTOMDRAW* draw)
{
    NMCUSTOMDRAW& cd = draw->nmcd;
    switch (cd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_POSTPAINT:
        DrawSeparators(toolbar, cd.hdc);
        return CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT:
        DrawButton(toolbar, cd);
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

const wchar_t* ToolbarHint(int commandId)
{
    const ButtonSpec* spec = SpecOf(commandId);
    return spec ? spec->hint : nullptr;
}

int ToolbarAccelerator(UINT virtualKey)
{
    for (const auto& spec : kButtons) {
        wchar_t letter = AcceleratorOf(spec.caption);
        if (letter && static_cast<UINT>(letter) == virtualKey)
            return spec.id;
    }
    return 0;
}

}  // namespace nesk
