// The decisions of an outgoing drag that need no Windows: how the drag loop ends and what a
// finished drag counts as.
#pragma once

#include <cstdint>

#include "ole/DropEffects.h"

namespace nesk {

// OLE's return codes and key bits, kept here so the portable core can reason about them.
constexpr uint32_t kMkLButton = 0x0001;
constexpr uint32_t kMkRButton = 0x0002;
constexpr int32_t kHrDragDropSDrop = 0x00040100;
constexpr int32_t kHrDragDropSCancel = 0x00040101;
constexpr int32_t kHrOutOfMemory = static_cast<int32_t>(0x8007000E);

enum TDragResult { drDropCopy, drDropMove, drDropLink, drCancel, drOutMemory, drAsync, drUnknown };

// One drop effect as a result: none cancels; anything but a single known effect is unknown.
TDragResult DragResultOfEffect(uint32_t effect);

// What the drag loop's return code, the effect it reported and the target's own reports
// (-1 when a value was never reported) make of a finished drag.
TDragResult DragResultOfLoop(int32_t returnCode, uint32_t effect, uint32_t allowed, int32_t performedDropEffect,
                             int32_t logicalPerformedDropEffect);

// How IDropSource::QueryContinueDrag answers.
struct ContinueDecision {
    int32_t result = 0;             // S_OK (go on), DRAGDROP_S_DROP or DRAGDROP_S_CANCEL
    bool leavesShellLoop = false;   // the buttons were released: "InShellDragLoop" turns false
    bool dropTypeKnown = false;     // a drop is offered to the OnDrop decision with this type
    TDragType dropType = dtCopy;
};
ContinueDecision DecideContinueDrag(bool escapePressed, uint32_t keyState, uint32_t lastFeedbackEffect,
                                    TDragTypes allowed);

// How long the list waits after the gesture before a file drag starts, for the system's
// double-click time: half of it, three times.
unsigned FileDragWaitMs(unsigned doubleClickTimeMs);

}  // namespace nesk
