// The decisions of an outgoing drag that need no Windows: drag types and drop effects, how the
// drag loop ends, what a finished drag counts as, and how a link is named for a target.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace nesk {

// OLE's values, kept here so the portable core can reason about them.
constexpr uint32_t kDropEffectNone = 0;
constexpr uint32_t kDropEffectCopy = 1;
constexpr uint32_t kDropEffectMove = 2;
constexpr uint32_t kDropEffectLink = 4;
constexpr uint32_t kMkLButton = 0x0001;
constexpr uint32_t kMkRButton = 0x0002;
constexpr int32_t kHrDragDropSDrop = 0x00040100;
constexpr int32_t kHrDragDropSCancel = 0x00040101;
constexpr int32_t kHrOutOfMemory = static_cast<int32_t>(0x8007000E);

enum TDragType { dtCopy, dtMove, dtLink };

// A set of drag types; bit for bit the OLE drop effect mask (copy 1, move 2, link 4).
class TDragTypes {
public:
    constexpr TDragTypes() = default;
    constexpr TDragTypes(std::initializer_list<TDragType> types)
    {
        for (auto type : types)
            bits_ |= 1u << type;
    }
    static constexpr TDragTypes FromEffect(uint32_t effect)
    {
        TDragTypes types;
        types.bits_ = effect & 7u;
        return types;
    }
    constexpr bool Contains(TDragType type) const { return (bits_ & (1u << type)) != 0; }
    constexpr uint32_t Effect() const { return bits_; }
    constexpr bool operator==(const TDragTypes&) const = default;

private:
    uint32_t bits_ = 0;
};

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

// The file name a target gives a dragged link: the text without its scheme, cut to 120 bytes
// and before its first "/", every run of characters that file names cannot hold turned into
// one space (none at the end), "untitled" when nothing is left, and ".url" appended.
// `isLeadByte` tells the first byte of a double-byte character of the ANSI code page: such a
// pair is one character, never cut in two, and its second byte is no "\" or "|" even when
// it has that value (as in the Shift-JIS pairs of many katakana).
using LeadBytePredicate = bool (*)(unsigned char);
std::string MakeShortcutFileName(const std::string& text, LeadBytePredicate isLeadByte = nullptr);

// The Internet Shortcut text a target saves for a dragged link ("FileContents").
std::string InternetShortcutText(const std::string& url);

// File group descriptors of one link file: flags FD_LINKUI | FD_FILESIZE, the size of the
// Internet Shortcut text and the name; 4 + 332 bytes, or 4 + 592 for the wide form. The wide
// form gets the ANSI name widened again, so characters the code page lacks are lost there too.
// Names longer than the descriptor holds are cut, always leaving the terminating zero.
std::vector<uint8_t> LinkFileGroupDescriptorA(const std::string& ansiName, uint32_t fileSize);
std::vector<uint8_t> LinkFileGroupDescriptorW(const std::wstring& name, uint32_t fileSize);

// How long the list waits after the gesture before a file drag starts, for the system's
// double-click time: half of it, three times.
unsigned FileDragWaitMs(unsigned doubleClickTimeMs);

}  // namespace nesk
