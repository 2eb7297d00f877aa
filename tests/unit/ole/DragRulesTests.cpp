// Drag loop decisions and link names of outgoing drags.
#include <gtest/gtest.h>

#include "ole/DragRules.h"

namespace nesk::testing {
namespace {

TEST(DragRules, DragTypesAreTheDropEffectMask)
{
    EXPECT_EQ((TDragTypes{dtCopy, dtMove, dtLink}).Effect(), 7u);
    EXPECT_EQ((TDragTypes{dtCopy, dtLink}).Effect(), kDropEffectCopy | kDropEffectLink);
    EXPECT_EQ(TDragTypes::FromEffect(kDropEffectMove), TDragTypes{dtMove});
    EXPECT_FALSE((TDragTypes{dtCopy, dtLink}).Contains(dtMove));
}

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

bool ShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

TEST(DragRules, ShortcutFileNames)
{
    struct Case {
        std::string text;
        std::string name;
    } cases[] = {
        {"News: Today / Top", "News  Today .url"},
        {"a<>b", "a b.url"},
        {"????", "untitled.url"},
        {"", "untitled.url"},
        {"mailto:someone", "someone.url"},
        {"http://www.example.com/path/page.html", "www.example.com.url"},
        {"HTTP://Example.COM", "Example.COM.url"},
        {"ftp://files.example.org/pub", "files.example.org.url"},
        {"file:C:\\docs\\a.txt", "C docs a.txt.url"},
        // Only the first scheme that matches goes.
        {"http://ftp://x", "ftp.url"},
        {"a\"'*,b", "a b.url"},
        {"**a**", " a.url"},
        {"a|b?", "a b.url"},
        {std::string(130, 'x'), std::string(120, 'x') + ".url"},
        {std::string(119, 'x') + "/yyyy", std::string(119, 'x') + ".url"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MakeShortcutFileName(c.text), c.name) << c.text;
}

TEST(DragRules, ShortcutFileNamesKeepDoubleByteCharactersWhole)
{
    // "ソ" is 83 5C in Shift-JIS: its second byte has the value of "\".
    const std::string so = "\x83\x5C";
    EXPECT_EQ(MakeShortcutFileName(so + "ft", ShiftJisLeadByte), so + "ft.url");
    EXPECT_EQ(MakeShortcutFileName("a:" + so, ShiftJisLeadByte), "a " + so + ".url");
    // Cut at 120 bytes, but never inside a character.
    std::string long1 = std::string(119, 'x') + so;
    EXPECT_EQ(MakeShortcutFileName(long1, ShiftJisLeadByte), std::string(119, 'x') + ".url");
    // Without knowing the code page every byte is a character.
    EXPECT_EQ(MakeShortcutFileName(so + "ft"), "\x83" " ft.url");
}

TEST(DragRules, LinkContentsAndDescriptors)
{
    const std::string url = "http://example.com/";
    std::string text = InternetShortcutText(url);
    EXPECT_EQ(text, "[InternetShortcut]\r\nURL=http://example.com/\r\n");
    EXPECT_EQ(text.size(), url.size() + 26);

    auto ansi = LinkFileGroupDescriptorA("example.com.url", 45);
    ASSERT_EQ(ansi.size(), 4u + 332u);
    EXPECT_EQ(ansi[0], 1);  // one item
    EXPECT_EQ(ansi[4] | (ansi[5] << 8), 0x8040);
    EXPECT_EQ(ansi[4 + 68], 45);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&ansi[4 + 72])), "example.com.url");
    EXPECT_EQ(ansi.back(), 0);

    auto wide = LinkFileGroupDescriptorW(L"ab.url", 45);
    ASSERT_EQ(wide.size(), 4u + 592u);
    EXPECT_EQ(wide[4 + 68], 45);
    EXPECT_EQ(wide[4 + 72], 'a');
    EXPECT_EQ(wide[4 + 73], 0);
    EXPECT_EQ(wide[4 + 74], 'b');
    EXPECT_EQ(wide[4 + 72 + 12], 0);

    // A name longer than the descriptor is cut, keeping its terminating zero.
    auto cut = LinkFileGroupDescriptorA(std::string(400, 'n'), 1);
    ASSERT_EQ(cut.size(), 4u + 332u);
    EXPECT_EQ(cut[4 + 72 + 258], 'n');
    EXPECT_EQ(cut[4 + 72 + 259], 0);
}

TEST(DragRules, FileDragWait)
{
    EXPECT_EQ(FileDragWaitMs(500), 750u);
    EXPECT_EQ(FileDragWaitMs(501), 750u);
    EXPECT_EQ(FileDragWaitMs(1), 0u);
}

}  // namespace
}  // namespace nesk::testing
