// Our own title bar: where its buttons lie and what a point over it does.
#include <gtest/gtest.h>

#include "chrome/TitleBarLayout.h"

namespace nesk::testing {
namespace {

TEST(TitleBarLayout, ButtonsStandRightToLeftFromTheClose)
{
    TitleBarLayout layout = LayOutTitleBar(800);
    EXPECT_EQ(layout.close.left, 754);
    EXPECT_EQ(layout.close.right, 800);
    EXPECT_EQ(layout.maximize.left, 708);
    EXPECT_EQ(layout.minimize.left, 662);
    EXPECT_EQ(layout.tray.left, 604);
    EXPECT_EQ(layout.tray.right - layout.tray.left, 58);
    EXPECT_EQ(layout.caption.right, 604);
    EXPECT_EQ(layout.close.bottom, 38);
}

TEST(TitleBarLayout, HitTest)
{
    TitleBarLayout layout = LayOutTitleBar(800);
    struct Case {
        int x, y;
        bool maximized;
        TitlePart part;
    } cases[] = {
        {300, 20, false, TitlePart::Caption},
        {0, 37, false, TitlePart::Caption},
        {300, 38, false, TitlePart::None},  // the toolbar begins here
        {300, 2, false, TitlePart::Top},
        {300, 2, true, TitlePart::Caption},
        {5, 1, false, TitlePart::TopLeft},
        {795, 1, false, TitlePart::TopRight},
        {790, 1, true, TitlePart::CloseButton},
        {604, 20, false, TitlePart::TrayButton},
        {661, 20, false, TitlePart::TrayButton},
        {662, 20, false, TitlePart::MinimizeButton},
        {720, 20, false, TitlePart::MaximizeButton},
        {799, 37, false, TitlePart::CloseButton},
        {800, 20, false, TitlePart::None},
        {-1, 20, false, TitlePart::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HitTestTitleBar(layout, c.x, c.y, c.maximized, 5), c.part) << c.x << "," << c.y;
}

TEST(TitleBarLayout, NarrowWindowsKeepTheButtonsInside)
{
    TitleBarLayout layout = LayOutTitleBar(100);
    EXPECT_EQ(layout.close.left, 54);
    EXPECT_EQ(layout.maximize.left, 8);
    EXPECT_EQ(layout.minimize.left, 0);
    EXPECT_EQ(layout.minimize.right, 8);
    EXPECT_EQ(layout.tray.right - layout.tray.left, 0);
    EXPECT_EQ(layout.caption.right, 0);
}

}  // namespace
}  // namespace nesk::testing
