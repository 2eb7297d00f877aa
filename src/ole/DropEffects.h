// Drag types, drop effects and the decisions a drop target makes with them while the pointer
// moves: which effect to show, when the list scrolls under a resting pointer.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace nesk {

constexpr uint32_t kDropEffectNone = 0;
constexpr uint32_t kDropEffectCopy = 1;
constexpr uint32_t kDropEffectMove = 2;
constexpr uint32_t kDropEffectLink = 4;
constexpr uint32_t kDropEffectScroll = 0x80000000u;

// A set of drag types is the drop-effect mask bit for bit.
enum TDragType : uint8_t { dtCopy, dtMove, dtLink };
class TDragTypes {
public:
    constexpr TDragTypes(std::initializer_list<TDragType> types = {})
    {
        for (TDragType type : types)
            mask_ |= 1u << type;
    }
    constexpr bool Contains(TDragType type) const { return (mask_ & (1u << type)) != 0; }
    constexpr uint32_t DropEffectMask() const { return mask_; }
    constexpr bool operator==(const TDragTypes&) const = default;

private:
    uint32_t mask_ = 0;
};

// Keys and buttons during a drag.
enum TShiftStateBit : uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = uint8_t;
// From the MK_ bits an IDropTarget receives.
TShiftState KeysToShiftState(uint32_t keyState);

// Shift+Ctrl asks for a link, Ctrl for a copy, nothing for a move; a wish the source or the
// target does not allow gives way to the first allowed of copy, move, link.
uint32_t ChooseDropEffect(TShiftState shift, uint32_t sourceEffects, TDragTypes dragTypes);

struct ScrollPoint {
    int32_t x = 0;
    int32_t y = 0;
};
struct ScrollRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(ScrollPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
};

// The part of the client area where a resting pointer does not scroll: the client rectangle
// less two scroll-bar thicknesses at the ends each present scroll bar moves along.
ScrollRect NoScrollZone(ScrollRect client, bool vertical, bool horizontal, int32_t cyHScroll, int32_t cxVScroll);

// Whether the pointer moves slowly enough for scrolling: at most 20 pixels a second, measured
// over a window of about 10 ms that slides along with the pointer.
class TMouseSpeed {
public:
    void Reset(uint32_t now, ScrollPoint point);
    // Takes a new position; true when the pointer counts as slow.
    bool Sample(uint32_t now, ScrollPoint point);

private:
    struct Stamp {
        uint32_t time = 0;
        ScrollPoint point;
    };
    Stamp sample_, next_;
    bool nextPending_ = false;
};

struct ScrollBarState {
    int32_t min = 0, max = 0, page = 0, pos = 0;
};
enum TScrollDirection : uint8_t { sdUp = 1, sdDown = 2, sdLeft = 4, sdRight = 8 };
using TScrollDirections = uint8_t;
// Where a pointer resting at `point`, outside `zone`, scrolls the list, as far as the bars go.
TScrollDirections ScrollDirections(ScrollPoint point, ScrollRect zone, const ScrollBarState* vertical,
                                   const ScrollBarState* horizontal);

}  // namespace nesk
