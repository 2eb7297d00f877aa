// How the loop of an outgoing drag ends and what the finished drag counts as.
#include <gtest/gtest.h>

#include "ole/DragRules.h"

namespace nesk::testing {
namespace {

TEST(DragRules, ResultOfAFinishedLoop)
{
    constexpr int32_t unreported = -1;
    constexpr uint32_t all = 7;
    struct Case {
        int32_t code;
        uint32_t effect;
        uint32_t allowed;
        int32_t performed;
        int32_t logicalPerformed;
        TDragResult result;
    } cases[] = {
        {kHrDragDropSDrop, kDropEffectCopy, all, unreported, 0, drDropCopy},
        {kHrDragDropSDrop, kDropEffectMove, all, kDropEffectMove, 0, drDropMove},
        {kHrDragDropSDrop, kDropEffectLink, all, unreported, 0, drDropLink},
        // An optimized move: the target moved the files and left the loop's effect at none.
        {kHrDragDropSDrop, kDropEffectNone, all, kDropEffectMove, 0, drDropMove},
        {kHrDragDropSDrop, kDropEffectCopy, all, kDropEffectMove, 0, drDropMove},
        {kHrDragDropSDrop, kDropEffectCopy, all, unreported, kDropEffectMove, drDropMove},
        {kHrDragDropSDrop, kDropEffectNone, all, unreported, 0, drCancel},
        // The effect counts only within what the source allowed.
        {kHrDragDropSDrop, kDropEffectMove, kDropEffectCopy | kDropEffectLink, unreported, 0, drCancel},
        {kHrDragDropSDrop, kDropEffectCopy | kDropEffectLink, all, unreported, 0, drUnknown},
        {kHrDragDropSCancel, kDropEffectCopy, all, kDropEffectMove, kDropEffectMove, drCancel},
        {kHrOutOfMemory, kDropEffectCopy, all, unreported, 0, drOutMemory},
        {static_cast<int32_t>(0x80004005), kDropEffectCopy, all, unreported, 0, drUnknown},
        {0, kDropEffectCopy, all, unreported, 0, drUnknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DragResultOfLoop(c.code, c.effect, c.allowed, c.performed, c.logicalPerformed), c.result)
            << std::hex << c.code << " effect " << c.effect << " performed " << c.performed;
    EXPECT_EQ(DragResultOfEffect(8), drUnknown);
}

TEST(DragRules, QueryContinueDrag)
{
    const TDragTypes files{dtCopy, dtMove, dtLink};
    const TDragTypes links{dtCopy, dtLink};
    constexpr int32_t goOn = 0;
    struct Case {
        bool escape;
        uint32_t keys;
        uint32_t feedback;
        TDragTypes allowed;
        int32_t result;
        bool leavesLoop;
        TDragType type;  // when dropped
    } cases[] = {
        {true, kMkRButton, kDropEffectCopy, files, kHrDragDropSCancel, false, dtCopy},
        {true, 0, kDropEffectCopy, files, kHrDragDropSCancel, false, dtCopy},
        {false, kMkRButton, kDropEffectCopy, files, goOn, false, dtCopy},
        {false, kMkLButton, kDropEffectNone, files, goOn, false, dtCopy},
        {false, 0, kDropEffectCopy, files, kHrDragDropSDrop, true, dtCopy},
        {false, 0, kDropEffectMove, files, kHrDragDropSDrop, true, dtMove},
        {false, 0, kDropEffectLink, files, kHrDragDropSDrop, true, dtLink},
        // Copy wins over move, move over link.
        {false, 0, kDropEffectMove | kDropEffectLink, files, kHrDragDropSDrop, true, dtMove},
        {false, 0, kDropEffectCopy | kDropEffectMove, files, kHrDragDropSDrop, true, dtCopy},
        // A target that showed no effect gets no drop.
        {false, 0, kDropEffectNone, files, kHrDragDropSCancel, true, dtCopy},
        {false, 0, kDropEffectMove, links, kHrDragDropSCancel, true, dtCopy},
        {false, 0x10 /* MK_MBUTTON */, kDropEffectLink, links, kHrDragDropSDrop, true, dtLink},
    };
    for (const auto& c : cases) {
        ContinueDecision decision = DecideContinueDrag(c.escape, c.keys, c.feedback, c.allowed);
        EXPECT_EQ(decision.result, c.result) << c.escape << " " << c.keys << " " << c.feedback;
        EXPECT_EQ(decision.leavesShellLoop, c.leavesLoop) << c.escape << " " << c.keys << " " << c.feedback;
        EXPECT_EQ(decision.dropTypeKnown, c.result == kHrDragDropSDrop);
        if (decision.dropTypeKnown) {
            EXPECT_EQ(decision.dropType, c.type) << c.feedback;
        }
    }
}

TEST(DragRules, FileDragWait)
{
    EXPECT_EQ(FileDragWaitMs(500), 750u);
    EXPECT_EQ(FileDragWaitMs(501), 750u);
    EXPECT_EQ(FileDragWaitMs(1), 0u);
}

}  // namespace
}  // namespace nesk::testing
