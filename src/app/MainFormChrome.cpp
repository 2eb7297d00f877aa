// TMainForm: the title bar, the toolbar, the layout of the window, always-on-top and zoom.
#include "app/MainForm.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "chrome/CommandIds.h"
#include "chrome/win32/DarkMode.h"
#include "chrome/win32/Pictures.h"
#include "chrome/win32/Toolbar.h"
#include "commands/Zoom.h"
#include "platform/win32/Guarded.h"

namespace nesk {
namespace {

// The toolbar's captions: the menu font's face at the list's (icon-title) size.
UniqueFont CreateToolbarFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW iconTitle{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
    LOGFONTW font = metrics.lfMenuFont;
    font.lfHeight = iconTitle.lfHeight;
    return UniqueFont(CreateFontIndirectW(&font));
}

POINT PointOf(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

void TMainForm::CreateChrome()
{
    AllowDarkMenus();
    titleBar_.Attach(hwnd_);
    toolbarFont_ = CreateToolbarFont();
    toolbarImages_.reset(CreateToolbarImageList());
    toolbarTips_.reset(CreateUnownedTooltip());
    toolBar_ = CreateMainToolbar(hwnd_, toolbarImages_.get(), toolbarFont_.get(), toolbarTips_.get());
    UseDarkScrollBars(listBox_);
    CreateListDisplay();
    // The frame is ours from here on: have the system ask for the client area again.
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::LayoutControls()
{
    RECT client;
    GetClientRect(hwnd_, &client);
    int top = kTitleBarHeight;
    if (toolBar_)
        top += PlaceToolbar(toolBar_, kTitleBarHeight, client.right);
    MoveWindow(listBox_, 0, top, client.right, std::max<int>(client.bottom - top, 0), TRUE);
    if (titleBar_.Attached())
        titleBar_.Resized();
}

int TMainForm::TitleBarPanelHeight() const
{
    return kTitleBarPanelHeight;
}

RECT TMainForm::ToolbarButtonRect(int commandId) const
{
    RECT rect{};
    if (toolBar_)
        SendMessageW(toolBar_, TB_GETRECT, commandId, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

bool TMainForm::TBTopDown() const
{
    return toolBar_ && SendMessageW(toolBar_, TB_ISBUTTONCHECKED, ID_TBTOP, 0) != 0;
}

void TMainForm::SetTBTopDown(bool down)
{
    if (toolBar_)
        SendMessageW(toolBar_, TB_CHECKBUTTON, ID_TBTOP, MAKELPARAM(down ? TRUE : FALSE, 0));
    TBTopClick();
}

void TMainForm::TBTopClick()
{
    SetWindowPos(hwnd_, TBTopDown() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TMainForm::FormMouseWheel(int delta, bool ctrlHeld)
{
    if (!ctrlHeld) {
        wheelRemainder_ = 0;
        return;
    }
    // Fine-grained wheels send parts of a notch; they add up to whole notches.
    wheelRemainder_ += delta;
    while (wheelRemainder_ >= WHEEL_DELTA) {
        wheelRemainder_ -= WHEEL_DELTA;
        FormMouseWheelUp();
    }
    while (wheelRemainder_ <= -WHEEL_DELTA) {
        wheelRemainder_ += WHEEL_DELTA;
        FormMouseWheelDown();
    }
}

void TMainForm::FormMouseWheelDown()
{
    ZoomListFont(true);
}

void TMainForm::FormMouseWheelUp()
{
    ZoomListFont(false);
}

void TMainForm::ZoomListFont(bool smaller)
{
    // Redraw held off rather than the list hidden: hiding it would take the keyboard focus.
    SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    SetListFontSize(ZoomedFontSize(listFontSize_, smaller));
    SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox_, nullptr, TRUE);
}

void TMainForm::RunTitleButton(TitlePart part)
{
    switch (part) {
    case TitlePart::TrayButton:
        TitleBarPanelCustomButtons0Click();
        break;
    case TitlePart::MinimizeButton:
        SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case TitlePart::MaximizeButton:
        SendMessageW(hwnd_, WM_SYSCOMMAND, IsZoomed(hwnd_) ? SC_RESTORE : SC_MAXIMIZE, 0);
        break;
    case TitlePart::CloseButton:
        SendMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    default:
        break;
    }
}

bool TMainForm::PreTranslateMessage(MSG& message)
{
    if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)))
        return false;
    switch (message.message) {
    case WM_SYSKEYDOWN: {
        // Alt with a caption's letter runs that button, wherever the focus is in the window.
        int id = ToolbarAccelerator(static_cast<UINT>(message.wParam));
        if (!id || GetKeyState(VK_MENU) >= 0)
            return false;
        Guarded([&] { SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(toolBar_)); });
        return true;
    }
    case WM_MOUSEWHEEL:
        // The wheel goes to the focused list, which would scroll; with Ctrl it zooms instead.
        if (!(GET_KEYSTATE_WPARAM(message.wParam) & MK_CONTROL))
            return false;
        Guarded([&] { FormMouseWheel(GET_WHEEL_DELTA_WPARAM(message.wParam), true); });
        return true;
    }
    return false;
}

bool TMainForm::ChromeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (!titleBar_.Attached())
        return false;
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
        titleBar_.Relay(message, wParam, lParam);
    if (message == WM_NOTIFY)
        return ToolbarNotify(lParam, result);
    return FrameMessage(message, wParam, lParam, result) || TitleBarMouseMessage(message, wParam, lParam, result);
}

// The frame and client area the title bar draws in place of the system's.
bool TMainForm::FrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_NCCALCSIZE:
        return titleBar_.NcCalcSize(wParam, lParam, result);
    case WM_NCHITTEST:
        return titleBar_.NcHitTest(lParam, result);
    case WM_NCPAINT:
        return titleBar_.NcPaint(result);
    case WM_NCACTIVATE:
        return titleBar_.NcActivate(wParam, result);
    case WM_SETTEXT:
        // The system repaints its own caption frame with a new title; ours follows.
        *result = DefWindowProcW(hwnd_, message, wParam, lParam);
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        titleBar_.Invalidate();
        return true;
    case WM_PAINT: {
        PaintDC paint(hwnd_);
        titleBar_.Paint(paint.Get());
        *result = 0;
        return true;
    }
    case WM_ERASEBKGND:
        // The title bar, the toolbar and the list cover the whole client area.
        *result = TRUE;
        return true;
    case WM_SETFOCUS:
        SetFocus(listBox_);
        *result = 0;
        return true;
    }
    return false;
}

bool TMainForm::TitleBarMouseMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        if (!titleBar_.MouseDown(PointOf(lParam)))
            return false;
        *result = 0;
        return true;
    case WM_MOUSEMOVE:
        titleBar_.MouseMove(PointOf(lParam));
        return false;
    case WM_LBUTTONUP:
        if (!titleBar_.Tracking())
            return false;
        RunTitleButton(titleBar_.MouseUp(PointOf(lParam)));
        *result = 0;
        return true;
    case WM_MOUSELEAVE:
        titleBar_.MouseLeave();
        return false;
    case WM_CAPTURECHANGED:
        if (titleBar_.Tracking() && reinterpret_cast<HWND>(lParam) != hwnd_)
            titleBar_.CancelTracking();
        return false;
    case WM_MOUSEWHEEL:
        FormMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0);
        *result = 0;
        return true;
    }
    return false;
}

// The toolbar's drawing, its file button's arrow and its hints.
bool TMainForm::ToolbarNotify(LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!toolBar_)
        return false;
    if (header->hwndFrom == toolBar_ && header->code == NM_CUSTOMDRAW) {
        *result = ToolbarCustomDraw(toolBar_, reinterpret_cast<NMTBCUSTOMDRAW*>(lParam));
        return true;
    }
    if (header->hwndFrom == toolBar_ && header->code == TBN_DROPDOWN) {
        if (reinterpret_cast<NMTOOLBARW*>(lParam)->iItem != ID_TBFILE)
            return false;
        TBFileArrowClick();
        *result = TBDDRET_DEFAULT;
        return true;
    }
    if (header->code == TTN_GETDISPINFOW &&
        header->hwndFrom == reinterpret_cast<HWND>(SendMessageW(toolBar_, TB_GETTOOLTIPS, 0, 0))) {
        const wchar_t* hint = ToolbarHint(static_cast<int>(header->idFrom));
        if (!hint)
            return false;
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        info->lpszText = const_cast<wchar_t*>(hint);
        info->hinst = nullptr;
        *result = 0;
        return true;
    }
    return false;
}

}  // namespace nesk
