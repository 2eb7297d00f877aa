#include "chrome/win32/TitleBar.h"

#include <commctrl.h>
#include <dwmapi.h>
#include <uxtheme.h>
#include <windowsx.h>

#include "chrome/win32/Theme.h"
#include "chrome/win32/Toolbar.h"
#include "platform/win32/Handles.h"

namespace nesk {
namespace {

constexpr wchar_t kTrayHint[] = L"タスクトレイに最小化";
constexpr wchar_t kMinimizeHint[] = L"最小化";
constexpr wchar_t kMaximizeHint[] = L"最大化";
constexpr wchar_t kRestoreHint[] = L"元に戻す (縮小)";
constexpr wchar_t kCloseHint[] = L"閉じる";

RECT ToRect(const Box& box)
{
    return RECT{box.left, box.top, box.right, box.bottom};
}

HFONT CaptionFont()
{
    static HFONT font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW caption = metrics.lfCaptionFont;
        caption.lfWeight = FW_NORMAL;
        caption.lfHeight = -12;
        return CreateFontIndirectW(&caption);
    }();
    return font;
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// The frame left around the client area: the resize border on the left, right and bottom.
RECT FrameThickness(HWND window)
{
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    // The top would hold the system's caption; ours lives in the client area instead.
    return RECT{-frame.left, 0, frame.right, frame.bottom};
}

}  // namespace

void TTitleBar::Attach(HWND window)
{
    window_ = window;
    AddTooltips();
}

TitleBarLayout TTitleBar::Layout() const
{
    RECT client{};
    GetClientRect(window_, &client);
    return LayOutTitleBar(client.right);
}

int TTitleBar::ResizeBand() const
{
    RECT frame = FrameThickness(window_);
    return frame.bottom > 0 ? frame.bottom : 4;
}

bool TTitleBar::Composited() const
{
    BOOL enabled = FALSE;
    return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled;
}

bool TTitleBar::NcCalcSize(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (!wParam)
        return false;
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    RECT& proposed = params->rgrc[0];
    RECT frame = FrameThickness(window_);
    proposed.left += frame.left;
    proposed.right -= frame.right;
    proposed.bottom -= frame.bottom;
    // A maximized window hangs its frame outside the screen; without a caption its top
    // would too, so the top gets the same border there.
    if (IsZoomed(window_))
        proposed.top += frame.bottom;
    *result = 0;
    return true;
}

bool TTitleBar::NcHitTest(LPARAM lParam, LRESULT* result)
{
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window_, &point);
    TitlePart part = HitTestTitleBar(Layout(), point.x, point.y, IsZoomed(window_) != FALSE, ResizeBand());
    switch (part) {
    case TitlePart::None: return false;
    case TitlePart::Caption: *result = HTCAPTION; return true;
    case TitlePart::Top: *result = HTTOP; return true;
    case TitlePart::TopLeft: *result = HTTOPLEFT; return true;
    case TitlePart::TopRight: *result = HTTOPRIGHT; return true;
    default: *result = HTCLIENT; return true;  // the buttons are ours to click
    }
}

bool TTitleBar::NcPaint(LRESULT* result)
{
    // With the desktop composited the system draws the (invisible) resize border itself.
    if (Composited())
        return false;
    WindowDC frame(window_);
    HDC dc = frame.Get();
    RECT window{}, client{};
    GetWindowRect(window_, &window);
    GetClientRect(window_, &client);
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    FillSolid(dc, window, active_ ? theme::kFrame : theme::kFrameInactive);
    *result = 0;
    return true;
}

bool TTitleBar::NcActivate(WPARAM wParam, LRESULT* result)
{
    active_ = wParam != FALSE;
    // -1 keeps the system from drawing a caption of its own over ours.
    *result = DefWindowProcW(window_, WM_NCACTIVATE, wParam, -1);
    if (!Composited())
        RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    Invalidate();
    return true;
}

void TTitleBar::Invalidate()
{
    RECT bar = ToRect(Layout().bar);
    InvalidateRect(window_, &bar, FALSE);
}

void TTitleBar::Resized()
{
    TitleBarLayout layout = Layout();
    bool maximized = IsZoomed(window_) != FALSE;
    for (TitlePart part : {TitlePart::TrayButton, TitlePart::MinimizeButton, TitlePart::MaximizeButton,
                           TitlePart::CloseButton}) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(part);
        tool.rect = ToRect(layout.Of(part));
        SendMessageW(tooltip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (maximized != wasMaximized_) {
        wasMaximized_ = maximized;
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(TitlePart::MaximizeButton);
        tool.lpszText = const_cast<wchar_t*>(maximized ? kRestoreHint : kMaximizeHint);
        SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    Invalidate();
}

void TTitleBar::AddTooltips()
{
    tooltip_.reset(CreateUnownedTooltip());
    // Without a visual style the tooltip takes our colours.
    SetWindowTheme(tooltip_.get(), L"", L"");
    SendMessageW(tooltip_.get(), TTM_SETTIPBKCOLOR, theme::kTooltipBackground, 0);
    SendMessageW(tooltip_.get(), TTM_SETTIPTEXTCOLOR, theme::kTooltipText, 0);
    struct {
        TitlePart part;
        const wchar_t* hint;
    } tools[] = {{TitlePart::TrayButton, kTrayHint},
                 {TitlePart::MinimizeButton, kMinimizeHint},
                 {TitlePart::MaximizeButton, kMaximizeHint},
                 {TitlePart::CloseButton, kCloseHint}};
    TitleBarLayout layout = Layout();
    for (const auto& t : tools) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        // No TTF_SUBCLASS: under Wine that helper slows every message of the window; the
        // mouse messages are relayed by hand instead.
        tool.uFlags = 0;
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(t.part);
        tool.rect = ToRect(layout.Of(t.part));
        tool.lpszText = const_cast<wchar_t*>(t.hint);
        SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TTitleBar::Paint(HDC target)
{
    TitleBarLayout layout = Layout();
    RECT bar = ToRect(layout.bar);
    if (bar.right <= 0)
        return;
    // Drawn off screen first, so hovering over the buttons does not flicker.
    MemoryDC memory(target);
    HDC dc = memory.Get();
    UniqueBitmap bitmap(CreateCompatibleBitmap(target, bar.right, bar.bottom));
    SelectedObject selectedBitmap(dc, bitmap.get());

    COLORREF background = active_ ? theme::kTitleActive : theme::kTitleInactive;
    COLORREF text = active_ ? theme::kTitleActiveText : theme::kTitleInactiveText;
    FillSolid(dc, bar, background);

    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(window_, GCLP_HICONSM));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrW(window_, GCLP_HICON));
    int textLeft = 12;
    if (icon) {
        DrawIconEx(dc, 12, (kTitleBarHeight - 16) / 2, icon, 16, 16, 0, nullptr, DI_NORMAL);
        textLeft = 38;
    }
    int length = GetWindowTextLengthW(window_);
    std::wstring title(length + 1, L'\0');
    title.resize(GetWindowTextW(window_, title.data(), length + 1));
    RECT textBox{textLeft, 0, layout.caption.right - 8, kTitleBarHeight};
    if (textBox.right > textBox.left) {
        SelectedObject font(dc, CaptionFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, text);
        DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &textBox,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }

    for (TitlePart part : {TitlePart::TrayButton, TitlePart::MinimizeButton, TitlePart::MaximizeButton,
                           TitlePart::CloseButton}) {
        COLORREF buttonBackground = background;
        COLORREF glyph = text;
        if (part == hot_ && part == pressed_) {
            buttonBackground = theme::kTitleButtonPressed;
            glyph = theme::kTitleActiveText;
        } else if (part == hot_ && (pressed_ == TitlePart::None || pressed_ == part)) {
            buttonBackground = theme::kTitleButtonHot;
            glyph = theme::kTitleActiveText;
        }
        PaintButton(dc, part, layout.Of(part), buttonBackground, glyph);
    }
    BitBlt(target, 0, 0, bar.right, bar.bottom, dc, 0, 0, SRCCOPY);
}

void TTitleBar::PaintButton(HDC dc, TitlePart part, const Box& box, COLORREF background, COLORREF glyph)
{
    if (box.right <= box.left)
        return;
    RECT rect = ToRect(box);
    FillSolid(dc, rect, background);
    UniquePen pen(CreatePen(PS_SOLID, 1, glyph));
    SelectedObject selectedPen(dc, pen.get());
    int cx = (box.left + box.right) / 2;
    int cy = (box.top + box.bottom) / 2;
    switch (part) {
    case TitlePart::TrayButton:
    case TitlePart::MinimizeButton:
        Line(dc, cx - 5, cy, cx + 5, cy);
        break;
    case TitlePart::MaximizeButton: {
        SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
        if (IsZoomed(window_)) {
            Rectangle(dc, cx - 5, cy - 3, cx + 3, cy + 5);
            Line(dc, cx - 3, cy - 3, cx - 3, cy - 5);
            Line(dc, cx - 3, cy - 5, cx + 5, cy - 5);
            Line(dc, cx + 5, cy - 5, cx + 5, cy + 3);
            Line(dc, cx + 5, cy + 3, cx + 2, cy + 3);
        } else {
            Rectangle(dc, cx - 5, cy - 5, cx + 5, cy + 5);
        }
        break;
    }
    case TitlePart::CloseButton:
        Line(dc, cx - 5, cy - 5, cx + 6, cy + 6);
        Line(dc, cx + 5, cy - 5, cx - 6, cy + 6);
        break;
    default:
        break;
    }
}

void TTitleBar::SetHot(TitlePart part)
{
    if (hot_ == part)
        return;
    hot_ = part;
    Invalidate();
}

bool TTitleBar::MouseDown(POINT point)
{
    TitlePart part = HitTestTitleBar(Layout(), point.x, point.y, IsZoomed(window_) != FALSE, ResizeBand());
    if (!IsTitleButton(part))
        return false;
    pressed_ = part;
    hot_ = part;
    SetCapture(window_);
    Invalidate();
    return true;
}

void TTitleBar::MouseMove(POINT point)
{
    TitlePart part = HitTestTitleBar(Layout(), point.x, point.y, IsZoomed(window_) != FALSE, ResizeBand());
    SetHot(IsTitleButton(part) ? part : TitlePart::None);
    if (!trackingLeave_ && pressed_ == TitlePart::None) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
}

TitlePart TTitleBar::MouseUp(POINT point)
{
    if (pressed_ == TitlePart::None)
        return TitlePart::None;
    TitlePart pressed = pressed_;
    pressed_ = TitlePart::None;
    if (GetCapture() == window_)
        ReleaseCapture();
    TitlePart part = HitTestTitleBar(Layout(), point.x, point.y, IsZoomed(window_) != FALSE, ResizeBand());
    Invalidate();
    return part == pressed ? pressed : TitlePart::None;
}

void TTitleBar::Relay(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG relayed{window_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&relayed.pt);
    SendMessageW(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void TTitleBar::CancelTracking()
{
    pressed_ = TitlePart::None;
    hot_ = TitlePart::None;
    Invalidate();
}

void TTitleBar::MouseLeave()
{
    trackingLeave_ = false;
    if (pressed_ == TitlePart::None)
        SetHot(TitlePart::None);
}

}  // namespace nesk
