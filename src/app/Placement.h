// The window placement rules on the real monitors: bounds, taskbar, centring, bringing a
// window back on screen, and snapping while it is dragged.
#pragma once

#include <windows.h>

#include "chrome/Placement.h"

namespace nesk {

class Win32MonitorLayout : public IMonitorLayout {
public:
    bool PointOnMonitor(int x, int y) const override;
    ScreenRect PrimaryWorkArea() const override;
    Taskbar TaskbarPosition() const override;
};

// Fails when the system cannot say, and for a minimized window (reported at -32000, -32000).
bool GetWindowBounds(HWND window, WindowBounds* bounds);
Taskbar GetTaskbarEdge();
void CentreWindow(HWND window);
// A window that is not maximized and lies off every monitor goes to the primary screen's centre.
void EnsureWindowVisible(HWND window);
// Adjusts a move about to happen (WM_WINDOWPOSCHANGING) so the window snaps to the edges of
// its monitor's work area.
void SnapWindowPos(HWND window, WINDOWPOS& position);

// Snaps a window while the user drags it, and only then: a stored position comes back
// exactly as it was saved. Sees the window's messages and never answers one.
class TDragSnapping {
public:
    void Observe(HWND window, UINT message, LPARAM lParam);

private:
    bool inMoveLoop_ = false;
};

}  // namespace nesk
