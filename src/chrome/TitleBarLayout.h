// Where the parts of our own title bar lie, in client coordinates of the main window, and
// which part a point is over.
#pragma once

namespace nesk {

constexpr int kTitleBarHeight = 38;
constexpr int kTitleBarPanelHeight = 37;
constexpr int kCaptionButtonWidth = 46;
constexpr int kTrayButtonWidth = 58;

enum class TitlePart { None, Caption, TrayButton, MinimizeButton, MaximizeButton, CloseButton, Top, TopLeft, TopRight };

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct TitleBarLayout {
    Box bar;
    Box caption;  // where the window is dragged: left of the buttons
    Box tray, minimize, maximize, close;
    Box Of(TitlePart part) const;
};

TitleBarLayout LayOutTitleBar(int clientWidth);

// Within `resizeBand` pixels of the top the window is sized, not moved (never when maximized,
// where there is no edge to pull); the corners take three bands' width.
TitlePart HitTestTitleBar(const TitleBarLayout& layout, int x, int y, bool maximized, int resizeBand);

inline bool IsTitleButton(TitlePart part)
{
    return part == TitlePart::TrayButton || part == TitlePart::MinimizeButton ||
           part == TitlePart::MaximizeButton || part == TitlePart::CloseButton;
}

}  // namespace nesk
