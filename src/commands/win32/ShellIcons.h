// The shell's icon for an item, and the rows' icon list that asks for them as rows show.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace nesk {

constexpr int kRowIconSize = 24;

// The shell's large icon of the file, folder or drive, or icon 30 of Shell32.dll when the
// shell has none (or the text is no path it could resolve). Empty only if even that fails.
UniqueHicon GetItemIcon(const std::wstring& path);

// One picture per row, asked for when the row is first drawn after a rebuild (rows the shell
// cannot resolve share one fallback picture). Each row keeps
// the text its picture was made for, so a row never shows another item's icon even when the
// list changed without a rebuild.
class TIconRows {
public:
    explicit TIconRows(COLORREF background);
    TIconRows(const TIconRows&) = delete;
    TIconRows& operator=(const TIconRows&) = delete;

    // Forgets every picture: the shell is asked again for every row that shows.
    void Reset();
    // Asks for the rows [first, last) that have no picture for their text yet.
    void Ensure(const std::vector<std::wstring>& items, int first, int last);
    void Draw(HDC dc, const std::vector<std::wstring>& items, int row, int x, int y);

    HIMAGELIST Handle() const { return images_.get(); }
    int PictureCount() const { return ImageList_GetImageCount(images_.get()); }
    // The picture of a row, or -1 when it has none (not asked yet, or no icon at all).
    int PictureOfRow(int row) const;
    // Rows asked for since the last reset, in the order they were asked.
    const std::vector<int>& AskedRows() const { return asked_; }

private:
    static constexpr int kNotAsked = -1;
    static constexpr int kNoPicture = -2;
    struct Slot {
        int picture = kNotAsked;
        std::wstring text;
    };

    int AddPicture(HICON icon);
    int PictureFor(const std::wstring& text);

    UniqueImageList images_;
    COLORREF background_;
    int fallbackPicture_ = kNotAsked;
    std::vector<Slot> slots_;
    std::vector<int> asked_;
};

}  // namespace nesk
