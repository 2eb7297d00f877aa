// TMainForm: the settings of each list and the file menu with named lists and new windows.
#include "app/MainForm.h"

namespace nesk {

void TMainForm::LoadSettings() {}

void TMainForm::SaveSettings() {}

void TMainForm::TBFileClick() {}

void TMainForm::TBFileArrowClick() {}

bool TMainForm::FileMenuMessage(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

}  // namespace nesk
