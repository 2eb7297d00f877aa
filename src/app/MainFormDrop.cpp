// TMainForm: what comes in by drops and from the clipboard.
#include "app/MainForm.h"

namespace nesk {

bool TMainForm::DropMessage(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

}  // namespace nesk
