#include "app/Placement.h"

#include <shellapi.h>

namespace nesk {
namespace {

constexpr int kMinimizedMarker = -32000;

}  // namespace

bool Win32MonitorLayout::PointOnMonitor(int x, int y) const
{
    return MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONULL) != nullptr;
}

ScreenRect Win32MonitorLayout::PrimaryWorkArea() const
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.right, work.bottom};
}

Taskbar Win32MonitorLayout::TaskbarPosition() const
{
    return GetTaskbarEdge();
}

bool GetWindowBounds(HWND window, WindowBounds* bounds)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    if (rect.left == kMinimizedMarker && rect.top == kMinimizedMarker)
        return false;
    *bounds = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    return true;
}

Taskbar GetTaskbarEdge()
{
    APPBARDATA data{};
    data.cbSize = sizeof data;
    Taskbar taskbar;
    if (!SHAppBarMessage(ABM_GETTASKBARPOS, &data))
        return taskbar;
    taskbar.rect = {data.rc.left, data.rc.top, data.rc.right, data.rc.bottom};
    taskbar.edge = TaskbarEdgeFromAppBarEdge(data.uEdge);
    return taskbar;
}

void CentreWindow(HWND window)
{
    Win32MonitorLayout layout;
    WindowBounds bounds;
    if (!GetWindowBounds(window, &bounds))
        return;
    ScreenPoint centred = CentredPosition(layout, bounds.width, bounds.height);
    MoveWindow(window, centred.x, centred.y, bounds.width, bounds.height, TRUE);
}

void EnsureWindowVisible(HWND window)
{
    if (IsZoomed(window))
        return;
    WindowBounds bounds;
    if (!GetWindowBounds(window, &bounds) || IsRectOffScreen(Win32MonitorLayout(), bounds))
        CentreWindow(window);
}

void SnapWindowPos(HWND window, WINDOWPOS& position)
{
    if (position.flags & SWP_NOMOVE)
        return;
    RECT current;
    if (!GetWindowRect(window, &current))
        return;
    WindowBounds bounds{position.x, position.y, current.right - current.left, current.bottom - current.top};
    bool sameSize = (position.flags & SWP_NOSIZE) || (position.cx == bounds.width && position.cy == bounds.height);
    if (!sameSize || (position.x == 0 && position.y == 0))
        return;
    RECT target{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&target, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    ScreenPoint snapped = SnapToWorkArea(
        bounds, {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom});
    position.x = snapped.x;
    position.y = snapped.y;
}

void TDragSnapping::Observe(HWND window, UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_ENTERSIZEMOVE:
        inMoveLoop_ = true;
        break;
    case WM_EXITSIZEMOVE:
        inMoveLoop_ = false;
        break;
    case WM_WINDOWPOSCHANGING:
        if (inMoveLoop_)
            SnapWindowPos(window, *reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    }
}

}  // namespace nesk
