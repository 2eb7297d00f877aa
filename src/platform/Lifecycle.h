// The program's life as its steps record it: each start-up step of the component modules, the
// main window, and each shutdown step writes itself down here as it runs, so the order the
// program really took can be read back (a handful of entries a run).
#pragma once

#include <vector>

namespace nesk {

enum class LifeStep {
    DropEffectFormats,  // ole/: the drop-effect clipboard formats
    DragDropCore,       // ole/: OLE for the drag-and-drop core, and the shell allocator
    FileFormats,        // ole/: the file clipboard formats
    ShellIdentifiers,   // shell/: COM for the shell item identifiers
    ContextMenu,        // shell/: OLE for the context menu
    LinkFormats,        // ole/: the link clipboard formats
    DropFilesMessage,   // exchange/: the registered message of the file-drop target
    MainWindow,         // app/: the main window, from its creation to its destruction
};

struct LifeEvent {
    LifeStep step;
    bool starting;  // false: the step's shutdown
    bool operator==(const LifeEvent&) const = default;
};

void RecordLifeStep(LifeStep step, bool starting);
const std::vector<LifeEvent>& RecordedLifeSteps();
void ClearRecordedLifeSteps();

}  // namespace nesk
