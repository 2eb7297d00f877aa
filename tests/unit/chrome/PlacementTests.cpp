// Placement arithmetic on a fake monitor layout: off-screen test, centring, edge snapping.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "chrome/Placement.h"

namespace nesk {
namespace {

// Monitors as rectangles (right and bottom outside), the first one primary.
class FakeMonitorLayout : public IMonitorLayout {
public:
    std::vector<ScreenRect> monitors;
    ScreenRect workArea;
    Taskbar taskbar;

    bool PointOnMonitor(int x, int y) const override
    {
        for (const auto& m : monitors)
            if (x >= m.left && x < m.right && y >= m.top && y < m.bottom)
                return true;
        return false;
    }
    ScreenRect PrimaryWorkArea() const override { return workArea; }
    Taskbar TaskbarPosition() const override { return taskbar; }
};

// 1920 × 1080 primary screen with the taskbar 40 pixels high at the bottom.
FakeMonitorLayout FullHd()
{
    FakeMonitorLayout layout;
    layout.monitors = {{0, 0, 1920, 1080}};
    layout.workArea = {0, 0, 1920, 1040};
    layout.taskbar = {{0, 1040, 1920, 1080}, kTaskbarBottom};
    return layout;
}

TEST(Placement, OffScreenMeansNoTestPointOnAnyMonitor)
{
    FakeMonitorLayout layout = FullHd();
    struct Case {
        const char* name;
        WindowBounds bounds;
        bool offScreen;
    } cases[] = {
        {"inside", {368, 113, 785, 477}, false},
        {"on a monitor that was removed", {2200, 100, 800, 600}, true},
        {"only the top-left corner on the screen", {1919, 1079, 800, 600}, false},
        {"only the bottom-right point on the screen", {-800, -600, 800, 600}, false},
        {"bottom-right point just outside", {-801, -601, 800, 600}, true},
        {"only the centre on the screen", {-1000, -1000, 2500, 2500}, false},
        {"far away", {30000, -30000, 500, 300}, true},
        {"beyond the 32-bit range", {INT_MAX - 10, INT_MAX - 10, 100, 100}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsRectOffScreen(layout, c.bounds), c.offScreen);
    }
    layout.monitors.push_back({1920, 0, 3840, 1080});
    EXPECT_FALSE(IsRectOffScreen(layout, {2200, 100, 800, 600}));
}

TEST(Placement, CentringUsesTheWholePrimaryScreen)
{
    FakeMonitorLayout layout = FullHd();
    struct Case {
        const char* name;
        ScreenRect work;
        Taskbar taskbar;
        int width, height;
        ScreenPoint expected;
    } cases[] = {
        {"taskbar at the bottom", {0, 0, 1920, 1040}, {{0, 1040, 1920, 1080}, kTaskbarBottom}, 800, 600, {560, 240}},
        {"taskbar at the right", {0, 0, 1860, 1080}, {{1860, 0, 1920, 1080}, kTaskbarRight}, 800, 600, {560, 240}},
        // Work left and top are not added: the window is centred from the screen origin.
        {"taskbar at the top", {0, 40, 1920, 1080}, {{0, 0, 1920, 40}, kTaskbarTop}, 800, 600, {560, 240}},
        {"taskbar at the left", {60, 0, 1920, 1080}, {{0, 0, 60, 1080}, kTaskbarLeft}, 800, 600, {560, 240}},
        {"unknown taskbar", {0, 0, 1920, 1040}, {{0, 1040, 1920, 1080}, kTaskbarUnknown}, 800, 600, {560, 220}},
        {"larger than the screen", {0, 0, 1920, 1040}, {{0, 1040, 1920, 1080}, kTaskbarBottom}, 2401, 1301,
         {-240, -110}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        layout.workArea = c.work;
        layout.taskbar = c.taskbar;
        ScreenPoint centred = CentredPosition(layout, c.width, c.height);
        EXPECT_EQ(centred.x, c.expected.x);
        EXPECT_EQ(centred.y, c.expected.y);
    }
}

TEST(Placement, TaskbarEdgeCodes)
{
    EXPECT_EQ(TaskbarEdgeFromAppBarEdge(1), kTaskbarTop);
    EXPECT_EQ(TaskbarEdgeFromAppBarEdge(3), kTaskbarBottom);
    EXPECT_EQ(TaskbarEdgeFromAppBarEdge(0), kTaskbarLeft);
    EXPECT_EQ(TaskbarEdgeFromAppBarEdge(2), kTaskbarRight);
    EXPECT_EQ(TaskbarEdgeFromAppBarEdge(4), kTaskbarUnknown);
}

TEST(Placement, SnapsWithinTwentyPixelsOfTheWorkArea)
{
    const ScreenRect work{0, 0, 1920, 1040};
    struct Case {
        const char* name;
        WindowBounds bounds;
        ScreenPoint expected;
    } cases[] = {
        {"left at 19", {19, 300, 800, 600}, {0, 300}},
        {"left at 20", {20, 300, 800, 600}, {20, 300}},
        {"left at -19", {-19, 300, 800, 600}, {0, 300}},
        {"top at 19", {500, 19, 800, 600}, {500, 0}},
        {"top at 20", {500, 20, 800, 600}, {500, 20}},
        {"right at 19", {1920 - 800 - 19, 300, 800, 600}, {1120, 300}},
        {"right at 20", {1920 - 800 - 20, 300, 800, 600}, {1100, 300}},
        {"bottom at 19", {500, 1040 - 600 - 19, 800, 600}, {500, 440}},
        {"bottom at 20", {500, 1040 - 600 - 20, 800, 600}, {500, 420}},
        {"corner", {10, 1040 - 600 + 5, 800, 600}, {0, 440}},
        // Almost as wide as the work area: the right edge wins over the left.
        {"right after left", {5, 300, 1910, 600}, {10, 300}},
        {"far from every edge", {500, 300, 800, 600}, {500, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScreenPoint snapped = SnapToWorkArea(c.bounds, work);
        EXPECT_EQ(snapped.x, c.expected.x);
        EXPECT_EQ(snapped.y, c.expected.y);
    }
}

}  // namespace
}  // namespace nesk
