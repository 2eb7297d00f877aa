#include "ole/DropEffects.h"

namespace nesk {

TShiftState KeysToShiftState(uint32_t keyState)
{
    constexpr uint32_t kLButton = 0x01, kRButton = 0x02, kShift = 0x04, kControl = 0x08, kMButton = 0x10,
                       kAlt = 0x20;
    TShiftState shift = 0;
    if (keyState & kShift) shift |= ssShift;
    if (keyState & kControl) shift |= ssCtrl;
    if (keyState & kAlt) shift |= ssAlt;
    if (keyState & kLButton) shift |= ssLeft;
    if (keyState & kRButton) shift |= ssRight;
    if (keyState & kMButton) shift |= ssMiddle;
    return shift;
}

uint32_t ChooseDropEffect(TShiftState shift, uint32_t sourceEffects, TDragTypes dragTypes)
{
    uint32_t allowed = sourceEffects & dragTypes.DropEffectMask();
    uint32_t wish = kDropEffectMove;
    if ((shift & ssShift) && (shift & ssCtrl))
        wish = kDropEffectLink;
    else if (shift & ssCtrl)
        wish = kDropEffectCopy;
    if (allowed & wish)
        return wish;
    for (uint32_t effect : {kDropEffectCopy, kDropEffectMove, kDropEffectLink})
        if (allowed & effect)
            return effect;
    return kDropEffectNone;
}

ScrollRect NoScrollZone(ScrollRect client, bool vertical, bool horizontal, int32_t cyHScroll, int32_t cxVScroll)
{
    ScrollRect zone = client;
    if (vertical) {
        zone.top += 2 * cyHScroll;
        zone.bottom -= 2 * cyHScroll;
    }
    if (horizontal) {
        zone.left += 2 * cxVScroll;
        zone.right -= 2 * cxVScroll;
    }
    return zone;
}

void TMouseSpeed::Reset(uint32_t now, ScrollPoint point)
{
    sample_ = {now, point};
    nextPending_ = false;
}

bool TMouseSpeed::Sample(uint32_t now, ScrollPoint point)
{
    constexpr uint32_t kWindowMs = 10;
    uint32_t elapsed = now - sample_.time;
    bool slow = false;
    if (elapsed >= kWindowMs) {
        int64_t dx = point.x - sample_.point.x, dy = point.y - sample_.point.y;
        // At most 20 pixels a second, kept in whole numbers: d² · 10⁶ / t² ≤ 20².
        slow = (dx * dx + dy * dy) * 1000000 <= 400 * static_cast<int64_t>(elapsed) * elapsed;
    }
    if (!nextPending_) {
        next_ = {now, point};
        nextPending_ = true;
    } else if (now - next_.time >= kWindowMs) {
        sample_ = next_;
        nextPending_ = false;
    }
    return slow;
}

TScrollDirections ScrollDirections(ScrollPoint point, ScrollRect zone, const ScrollBarState* vertical,
                                   const ScrollBarState* horizontal)
{
    TScrollDirections directions = 0;
    if (vertical) {
        if (point.y < zone.top && vertical->pos > vertical->min)
            directions |= sdUp;
        else if (point.y >= zone.bottom && vertical->pos + vertical->page <= vertical->max)
            directions |= sdDown;
    }
    if (horizontal) {
        if (point.x < zone.left && horizontal->pos > horizontal->min)
            directions |= sdLeft;
        else if (point.x >= zone.right && horizontal->pos + horizontal->page <= horizontal->max)
            directions |= sdRight;
    }
    return directions;
}

}  // namespace nesk
