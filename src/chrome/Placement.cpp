#include "chrome/Placement.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

namespace nesk {
namespace {

bool OnMonitor(const IMonitorLayout& layout, int64_t x, int64_t y)
{
    if (x < INT_MIN || x > INT_MAX || y < INT_MIN || y > INT_MAX)
        return false;
    return layout.PointOnMonitor(static_cast<int>(x), static_cast<int>(y));
}

int Clamp32(int64_t value)
{
    return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

bool Near(int64_t edge, int64_t workEdge)
{
    return std::llabs(edge - workEdge) < kSnapDistance;
}

}  // namespace

TaskbarEdge TaskbarEdgeFromAppBarEdge(unsigned appBarEdge)
{
    switch (appBarEdge) {
    case 1: return kTaskbarTop;
    case 3: return kTaskbarBottom;
    case 0: return kTaskbarLeft;
    case 2: return kTaskbarRight;
    default: return kTaskbarUnknown;
    }
}

bool IsRectOffScreen(const IMonitorLayout& layout, const WindowBounds& bounds)
{
    const int64_t left = bounds.left, top = bounds.top;
    const int64_t right = left + bounds.width, bottom = top + bounds.height;
    // C++ division rounds toward zero, as the halves must.
    const int64_t centreX = left + bounds.width / 2, centreY = top + bounds.height / 2;
    return !(OnMonitor(layout, left, top) || OnMonitor(layout, right, bottom) || OnMonitor(layout, right, top) ||
             OnMonitor(layout, left, bottom) || OnMonitor(layout, centreX, centreY));
}

ScreenRect ScreenAreaWithTaskbar(const ScreenRect& workArea, const Taskbar& taskbar)
{
    ScreenRect area = workArea;
    switch (taskbar.edge) {
    case kTaskbarTop:
        area.top = Clamp32(int64_t{area.top} - taskbar.rect.bottom);
        break;
    case kTaskbarBottom:
        area.bottom = Clamp32(int64_t{area.bottom} + taskbar.rect.bottom - taskbar.rect.top);
        break;
    case kTaskbarLeft:
        area.left = Clamp32(int64_t{area.left} - taskbar.rect.right);
        break;
    case kTaskbarRight:
        area.right = Clamp32(int64_t{area.right} + taskbar.rect.right - taskbar.rect.left);
        break;
    case kTaskbarUnknown:
        break;
    }
    return area;
}

ScreenPoint CentredPosition(const IMonitorLayout& layout, int width, int height)
{
    ScreenRect area = ScreenAreaWithTaskbar(layout.PrimaryWorkArea(), layout.TaskbarPosition());
    return {Clamp32((int64_t{area.right} - width) / 2), Clamp32((int64_t{area.bottom} - height) / 2)};
}

ScreenPoint SnapToWorkArea(const WindowBounds& bounds, const ScreenRect& workArea)
{
    int64_t left = bounds.left, top = bounds.top;
    if (Near(left, workArea.left))
        left = workArea.left;
    if (Near(top, workArea.top))
        top = workArea.top;
    if (Near(left + bounds.width, workArea.right))
        left = int64_t{workArea.right} - bounds.width;
    if (Near(top + bounds.height, workArea.bottom))
        top = int64_t{workArea.bottom} - bounds.height;
    return {Clamp32(left), Clamp32(top)};
}

}  // namespace nesk
