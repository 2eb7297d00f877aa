// TMainForm: the tray icon, minimizing to the tray, and how the window first appears.
#include "app/MainForm.h"

namespace nesk {

void TMainForm::ApplyListTrayIcon() {}

void TMainForm::ShowAtStart(int showCommand)
{
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
}

void TMainForm::TitleBarPanelCustomButtons0Click() {}

bool TMainForm::TrayMessage(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

}  // namespace nesk
