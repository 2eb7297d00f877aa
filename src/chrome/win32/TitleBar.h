// Our own title bar, drawn at the top of the main window's client area: the window takes over
// the whole frame (Wine's own captions cannot draw their glyphs, and a dark bar needs it on
// Windows too), keeps only the resize border, and answers hit tests itself.
#pragma once

#include <windows.h>

#include <string>

#include "chrome/TitleBarLayout.h"
#include "platform/win32/Handles.h"

namespace nesk {

class TTitleBar {
public:
    TTitleBar() = default;
    TTitleBar(const TTitleBar&) = delete;
    TTitleBar& operator=(const TTitleBar&) = delete;

    void Attach(HWND window);
    bool Attached() const { return window_ != nullptr; }

    // Frame messages; each returns true when it answered the message.
    bool NcCalcSize(WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool NcHitTest(LPARAM lParam, LRESULT* result);
    bool NcPaint(LRESULT* result);
    bool NcActivate(WPARAM wParam, LRESULT* result);

    void Paint(HDC dc);
    void Invalidate();
    void Resized();  // the buttons' tooltips follow them

    // Mouse over the buttons (client coordinates). MouseUp answers the button released over
    // the same button it was pressed on, or TitlePart::None.
    bool MouseDown(POINT point);
    void MouseMove(POINT point);
    TitlePart MouseUp(POINT point);
    void MouseLeave();
    void CancelTracking();  // capture taken away while a button was held
    // Mouse messages of the window, for the buttons' tooltips.
    void Relay(UINT message, WPARAM wParam, LPARAM lParam);
    bool Tracking() const { return pressed_ != TitlePart::None; }

    bool Active() const { return active_; }
    TitlePart Hot() const { return hot_; }
    TitleBarLayout Layout() const;

private:
    int ResizeBand() const;
    bool Composited() const;
    void PaintButton(HDC dc, TitlePart part, const Box& box, COLORREF background, COLORREF glyph);
    void SetHot(TitlePart part);
    void AddTooltips();

    HWND window_ = nullptr;
    UniqueWindow tooltip_;
    TitlePart hot_ = TitlePart::None;
    TitlePart pressed_ = TitlePart::None;
    bool active_ = true;
    bool trackingLeave_ = false;
    bool wasMaximized_ = false;
};

}  // namespace nesk
