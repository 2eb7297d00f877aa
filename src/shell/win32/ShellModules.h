// The start-up and shutdown steps of the shell item identifier module and the context menu
// module; app/ComponentModules runs them in the program's order.
#pragma once

namespace nesk {

// COM for this thread (CoInitialize), balanced at shutdown.
void StartShellIdentifiers();
void StopShellIdentifiers();
// OLE for this thread, balanced at shutdown after the menu interfaces still held are let go.
void StartContextMenuModule();
void StopContextMenuModule();

}  // namespace nesk
