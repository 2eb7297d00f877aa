// TMainForm: the editing commands, opening items, and the rows' icons.
#include "app/MainForm.h"

#include <algorithm>

namespace nesk {

void TMainForm::RebuildIcons()
{
    UpdateHorizontalExtent();
}

void TMainForm::DrawItemIcon(HDC, int, int, int) {}

void TMainForm::UpdateHorizontalExtent()
{
    HDC dc = GetDC(listBox_);
    HGDIOBJ oldFont = SelectObject(dc, listFont_);
    int widest = 0;
    for (const auto& item : items_) {
        SIZE size{};
        GetTextExtentPoint32W(dc, item.c_str(), static_cast<int>(item.size()), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(listBox_, dc);
    SendMessageW(listBox_, LB_SETHORIZONTALEXTENT, 2 * widest, 0);
}

bool TMainForm::CommandsMessage(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

}  // namespace nesk
