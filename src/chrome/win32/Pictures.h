// The pictures the program draws itself: toolbar buttons, tray pictures and their menu pictures.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace nesk {

// Picture numbers of the toolbar image list.
namespace ToolbarPicture {
inline constexpr int Open = 0;             // an item launched out of its box
inline constexpr int SelectAll = 1;        // rows, every one ticked
inline constexpr int RemoveSelected = 2;   // the selected row with the red remove badge
inline constexpr int RemoveMissing = 3;    // a dashed sheet with a question mark, red badge
inline constexpr int Cut = 4;              // scissors
inline constexpr int Paste = 5;            // clipboard with a sheet
inline constexpr int PasteFiles = 6;       // clipboard with a folder
inline constexpr int ContextMenu = 7;      // a menu panel and the mouse pointer
inline constexpr int FileMenu = 8;         // a list sheet with a disk
inline constexpr int Quit = 9;             // power symbol
inline constexpr int StayOnTop = 10;       // pin
inline constexpr int OpenFolder = 11;      // open folder with an up arrow
inline constexpr int RemoveDuplicates = 12;  // two sheets, the front one with the red badge
inline constexpr int Count = 13;
}  // namespace ToolbarPicture

// Tray pictures: one drawing (books on a shelf) in four colours.
namespace TrayPicture {
inline constexpr int SkyBlue = 0;
inline constexpr int SeaGreen = 1;
inline constexpr int Magenta = 2;
inline constexpr int Violet = 3;
inline constexpr int Count = 4;
}  // namespace TrayPicture

// 32 x 32, ILC_COLOR32 with straight alpha, ToolbarPicture::Count pictures. Caller destroys it.
HIMAGELIST CreateToolbarImageList();

// 16 x 16, ILC_COLOR32 with straight alpha, TrayPicture::Count pictures. Caller destroys it.
HIMAGELIST CreateTrayImageList();

// The tray drawing at 32 x 32 as a 32-bit premultiplied-alpha DIB section, the form a menu item
// (MENUITEMINFO::hbmpItem) blends onto its background. A picture number outside 0..3 draws
// picture 0, so a damaged tray icon file still shows a picture. Caller deletes it.
HBITMAP CreateTrayMenuBitmap(int picture);

// The tray drawing as an icon for the notification area; 16 x 16 unless the caller asks for the
// size of the current DPI (SM_CXSMICON). Out-of-range numbers draw picture 0. Caller destroys it.
HICON CreateTrayIcon(int picture, int size = 16);

}  // namespace nesk
