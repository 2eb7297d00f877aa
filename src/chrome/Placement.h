// Where the main window may stand: bringing back a window stored where no monitor is any more,
// centring it on the primary screen, and snapping to the work-area edges while it is dragged.
// The arithmetic lives here; the monitors are asked through IMonitorLayout.
#pragma once

namespace nesk {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct WindowBounds {
    int left = 0, top = 0, width = 0, height = 0;
};

struct ScreenPoint {
    int x = 0, y = 0;
};

// Our own numbering of the taskbar's edge.
enum TaskbarEdge : int { kTaskbarUnknown = -1, kTaskbarTop = 0, kTaskbarBottom = 1, kTaskbarLeft = 2, kTaskbarRight = 3 };

// The system's ABE_LEFT (0), ABE_TOP (1), ABE_RIGHT (2), ABE_BOTTOM (3) in our numbering.
TaskbarEdge TaskbarEdgeFromAppBarEdge(unsigned appBarEdge);

struct Taskbar {
    ScreenRect rect;
    TaskbarEdge edge = kTaskbarUnknown;
};

class IMonitorLayout {
public:
    virtual ~IMonitorLayout() = default;
    virtual bool PointOnMonitor(int x, int y) const = 0;  // MonitorFromPoint finds a monitor
    virtual ScreenRect PrimaryWorkArea() const = 0;        // SPI_GETWORKAREA
    virtual Taskbar TaskbarPosition() const = 0;
};

// True when none of the four corners (right and bottom just outside the window) nor the
// centre lies on a monitor. Points beyond the 32-bit range lie on no monitor.
bool IsRectOffScreen(const IMonitorLayout& layout, const WindowBounds& bounds);

// The primary work area widened by the taskbar: the whole primary screen when the taskbar is
// on it.
ScreenRect ScreenAreaWithTaskbar(const ScreenRect& workArea, const Taskbar& taskbar);

// Where a window of this size goes when centred: halfway between the screen origin and the
// right and bottom edges of the widened work area (negative for a window larger than that).
ScreenPoint CentredPosition(const IMonitorLayout& layout, int width, int height);

constexpr int kSnapDistance = 20;

// The position after snapping: left, top, right and bottom edge in this order, each put on the
// work-area edge it is less than 20 pixels from.
ScreenPoint SnapToWorkArea(const WindowBounds& bounds, const ScreenRect& workArea);

}  // namespace nesk
