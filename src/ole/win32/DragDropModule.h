// The start-up and shutdown steps of the OLE drag-and-drop core and its clipboard format
// registrations; app/ComponentModules runs them in the program's order.
#pragma once

#include <objidl.h>

namespace nesk {

void StartDropEffectFormats();
void StopDropEffectFormats();
// OLE for this thread, remembering whether it succeeded, and the shell allocator.
void StartDragDropCore();
void StopDragDropCore();
void StartFileFormats();
void StopFileFormats();
void StartLinkFormats();
void StopLinkFormats();

// The shell allocator taken at start-up; null before it or after shutdown, or when the
// shell had none to give.
IMalloc* DragDropShellAllocator();

}  // namespace nesk
