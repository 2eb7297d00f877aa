#include "chrome/TitleBarLayout.h"

#include <algorithm>

namespace nesk {

Box TitleBarLayout::Of(TitlePart part) const
{
    switch (part) {
    case TitlePart::TrayButton: return tray;
    case TitlePart::MinimizeButton: return minimize;
    case TitlePart::MaximizeButton: return maximize;
    case TitlePart::CloseButton: return close;
    case TitlePart::Caption: return caption;
    default: return Box{};
    }
}

TitleBarLayout LayOutTitleBar(int clientWidth)
{
    int width = std::max(clientWidth, 0);
    TitleBarLayout layout;
    layout.bar = {0, 0, width, kTitleBarHeight};
    int right = width;
    auto take = [&](int buttonWidth) {
        Box box{std::max(right - buttonWidth, 0), 0, right, kTitleBarHeight};
        right = box.left;
        return box;
    };
    layout.close = take(kCaptionButtonWidth);
    layout.maximize = take(kCaptionButtonWidth);
    layout.minimize = take(kCaptionButtonWidth);
    layout.tray = take(kTrayButtonWidth);
    layout.caption = {0, 0, right, kTitleBarHeight};
    return layout;
}

TitlePart HitTestTitleBar(const TitleBarLayout& layout, int x, int y, bool maximized, int resizeBand)
{
    if (!layout.bar.Contains(x, y))
        return TitlePart::None;
    if (!maximized && y < resizeBand) {
        int corner = 3 * resizeBand;
        if (x < corner)
            return TitlePart::TopLeft;
        if (x >= layout.bar.right - corner)
            return TitlePart::TopRight;
        return TitlePart::Top;
    }
    for (TitlePart part : {TitlePart::TrayButton, TitlePart::MinimizeButton, TitlePart::MaximizeButton,
                           TitlePart::CloseButton})
        if (layout.Of(part).Contains(x, y))
            return part;
    return TitlePart::Caption;
}

}  // namespace nesk
