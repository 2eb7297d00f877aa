#include "ole/DragRules.h"


namespace nesk {

TDragResult DragResultOfEffect(uint32_t effect)
{
    switch (effect) {
    case kDropEffectNone: return drCancel;
    case kDropEffectCopy: return drDropCopy;
    case kDropEffectMove: return drDropMove;
    case kDropEffectLink: return drDropLink;
    default: return drUnknown;
    }
}

TDragResult DragResultOfLoop(int32_t returnCode, uint32_t effect, uint32_t allowed, int32_t performedDropEffect,
                             int32_t logicalPerformedDropEffect)
{
    switch (returnCode) {
    case kHrOutOfMemory:
        return drOutMemory;
    case kHrDragDropSDrop:
        // A target that moved the files itself reports so and leaves the loop's effect at none
        // (an optimized move): the source must not delete anything, but it was a move.
        if (logicalPerformedDropEffect == static_cast<int32_t>(kDropEffectMove) ||
            (effect != kDropEffectMove && performedDropEffect == static_cast<int32_t>(kDropEffectMove)))
            return drDropMove;
        return DragResultOfEffect(effect & allowed);
    case kHrDragDropSCancel:
        return drCancel;
    default:
        return drUnknown;
    }
}

ContinueDecision DecideContinueDrag(bool escapePressed, uint32_t keyState, uint32_t lastFeedbackEffect,
                                    TDragTypes allowed)
{
    ContinueDecision decision;
    if (escapePressed) {
        decision.result = kHrDragDropSCancel;
        return decision;
    }
    if (keyState & (kMkLButton | kMkRButton))
        return decision;
    decision.leavesShellLoop = true;
    decision.result = kHrDragDropSCancel;
    TDragType type;
    if (lastFeedbackEffect & kDropEffectCopy)
        type = dtCopy;
    else if (lastFeedbackEffect & kDropEffectMove)
        type = dtMove;
    else if (lastFeedbackEffect & kDropEffectLink)
        type = dtLink;
    else
        return decision;
    if (!allowed.Contains(type))
        return decision;
    decision.result = kHrDragDropSDrop;
    decision.dropTypeKnown = true;
    decision.dropType = type;
    return decision;
}

unsigned FileDragWaitMs(unsigned doubleClickTimeMs)
{
    return doubleClickTimeMs / 2 * 3;
}

}  // namespace nesk
