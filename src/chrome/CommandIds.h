// Command identifiers of the main window's toolbar buttons, menu items and child controls.
#pragma once

namespace nesk {

enum ControlId : int {
    IDC_LISTBOX = 100,
    IDC_TOOLBAR = 101,
};

enum CommandId : int {
    ID_TBOPEN = 1000,
    ID_TBCLIP,
    ID_TBALLSELECT,
    ID_TBCLEAR,
    ID_TBEXISTS,
    ID_TBPURGE,
    ID_TBCUT,
    ID_TBPASTE,
    ID_TBRMENU,
    ID_TBFOLDER,
    ID_TBFILE,
    ID_TBTOP,
    ID_TBCLOSE,

    ID_PPOPEN = 1100,
    ID_PPSAVE,
    ID_PPDEFAULT,
    ID_PPOPENEXE,
    ID_PPOPENDEFAULT,
    ID_PPNEW,
    ID_PPMIN,
    ID_PPRECENT0 = 1200,  // 20 items: 0-9 this window, 10-19 a new window
    ID_PPTRAYICON0 = 1300,  // 4 items
};

}  // namespace nesk
