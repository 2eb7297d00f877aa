// The main window's toolbar: its buttons in two rows, drawn dark by us, with their hints.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace nesk {

// A tooltip window owned by no window (the caller destroys it), top-most as tooltips are.
HWND CreateUnownedTooltip();

// Creates the toolbar (control IDC_TOOLBAR) as a child of `parent`, with 32 x 32 pictures
// from `images`, captions in `font` and hints shown by `tooltip` (none of them owned).
HWND CreateMainToolbar(HWND parent, HIMAGELIST images, HFONT font, HWND tooltip);

// Lays the toolbar out across `width` and answers the height its rows need.
int PlaceToolbar(HWND toolbar, int top, int width);

// Draws a button or the background; answers the custom-draw result.
LRESULT ToolbarCustomDraw(HWND toolbar, NMTBCUSTOMDRAW* draw);

// The hint of a button, or nullptr for an id that is not one of ours.
const wchar_t* ToolbarHint(int commandId);
// The button whose caption carries `letter` (an upper-case virtual key) as its accelerator.
int ToolbarAccelerator(UINT virtualKey);

// The toolbar's own tooltip window and background, dark as the rest.
void DarkenToolbar(HWND toolbar);

}  // namespace nesk
