// TMainForm: the one table from toolbar buttons, menu items and keys to their handlers. The
// Alt letters of the toolbar's captions reach it as the buttons' own commands.
#include "app/MainForm.h"

#include "chrome/CommandIds.h"
#include "chrome/TrayIconFile.h"
#include "list/RecentHistory.h"

namespace nesk {
namespace {

struct Command {
    int id;
    void (TMainForm::*click)();
};

constexpr Command kCommands[] = {
    // The toolbar, first row.
    {ID_TBOPEN, &TMainForm::TBOpenClick},
    {ID_TBCLIP, &TMainForm::TBClipClick},
    {ID_TBALLSELECT, &TMainForm::TBAllSelectClick},
    {ID_TBCLEAR, &TMainForm::TBClearClick},
    {ID_TBEXISTS, &TMainForm::TBExistsClick},
    {ID_TBPURGE, &TMainForm::TBPurgeClick},
    {ID_TBCUT, &TMainForm::TBCUtClick},
    {ID_TBPASTE, &TMainForm::TBPasteClick},
    // The toolbar, second row.
    {ID_TBRMENU, &TMainForm::TBRMenuClick},
    {ID_TBFOLDER, &TMainForm::TBFolderClick},
    {ID_TBFILE, &TMainForm::TBFileClick},
    {ID_TBTOP, &TMainForm::TBTopClick},
    {ID_TBCLOSE, &TMainForm::TBCloseClick},
    // The file menu.
    {ID_PPOPEN, &TMainForm::PPOpenClick},
    {ID_PPSAVE, &TMainForm::PPSaveClick},
    {ID_PPDEFAULT, &TMainForm::PPDefaultClick},
    {ID_PPOPENEXE, &TMainForm::PPOpenExeClick},
    {ID_PPOPENDEFAULT, &TMainForm::PPOpenDefaultClick},
    {ID_PPNEW, &TMainForm::PPNewClick},
    {ID_PPMIN, &TMainForm::PPMinClick},
};

// Menu items that come in numbered families; the handler tells them apart by their tag.
struct TaggedCommands {
    int first;
    int count;
    void (TMainForm::*click)(int tag);
};

constexpr TaggedCommands kTaggedCommands[] = {
    {ID_PPRECENT0, 2 * static_cast<int>(kRecentShown), &TMainForm::PPRecentClick},  // 0-9 here, 10-19 a new window
    {ID_PPTRAYICON0, kTrayPictureCount, &TMainForm::PPTrayIconClick},
};

// Keys of the list pressed with Ctrl, and the command each one runs.
struct KeyCommand {
    unsigned key;
    int id;
};

constexpr KeyCommand kListCtrlKeys[] = {
    {'A', ID_TBALLSELECT},
    {'X', ID_TBCUT},
    {'V', ID_TBPASTE},
};

}  // namespace

bool TMainForm::RunCommand(int id)
{
    for (const auto& command : kCommands) {
        if (command.id == id) {
            (this->*command.click)();
            return true;
        }
    }
    for (const auto& family : kTaggedCommands) {
        if (id >= family.first && id < family.first + family.count) {
            (this->*family.click)(id - family.first);
            return true;
        }
    }
    return false;
}

int TMainForm::ListCtrlKeyCommand(unsigned key)
{
    for (const auto& binding : kListCtrlKeys)
        if (binding.key == key)
            return binding.id;
    return 0;
}

}  // namespace nesk
