// TMainForm: the title bar, the toolbar and the layout of the window.
#include "app/MainForm.h"

namespace nesk {

void TMainForm::CreateChrome() {}

void TMainForm::LayoutControls()
{
    RECT client;
    GetClientRect(hwnd_, &client);
    MoveWindow(listBox_, 0, 0, client.right, client.bottom, TRUE);
}

int TMainForm::TitleBarPanelHeight() const
{
    return 0;
}

RECT TMainForm::ToolbarButtonRect(int) const
{
    return RECT{};
}

bool TMainForm::PreTranslateMessage(MSG&)
{
    return false;
}

bool TMainForm::ChromeMessage(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

}  // namespace nesk
