// TMainForm: the shell's context menu for the selected items.
#include "app/MainForm.h"

namespace nesk {

void TMainForm::TBRMenuClick()
{
    // Not active in this version: the button is in place and reachable, the menu comes later.
}

}  // namespace nesk
