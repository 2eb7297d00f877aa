// The drop effect a target shows for keys and source effects, and when it scrolls.
#include <gtest/gtest.h>

#include "ole/DropEffects.h"

namespace nesk {
namespace {

TEST(DropEffects, ChoiceFromKeysSourceAndDragTypes)
{
    const TDragTypes copyLink{dtCopy, dtLink};
    const uint32_t all = kDropEffectCopy | kDropEffectMove | kDropEffectLink;
    struct Case {
        const char* name;
        TShiftState shift;
        uint32_t source;
        TDragTypes types;
        uint32_t expected;
    } cases[] = {
        {"plain drag: move is not ours, copy is", 0, all, copyLink, kDropEffectCopy},
        {"Ctrl", ssCtrl, all, copyLink, kDropEffectCopy},
        {"Shift+Ctrl", ssShift | ssCtrl, all, copyLink, kDropEffectLink},
        {"Shift+Ctrl from a source without links", ssShift | ssCtrl, kDropEffectCopy, copyLink, kDropEffectCopy},
        {"source allows only move", 0, kDropEffectMove, copyLink, kDropEffectNone},
        {"source allows only link", ssCtrl, kDropEffectLink, copyLink, kDropEffectLink},
        {"all drag types, plain drag moves", 0, all, TDragTypes{dtCopy, dtMove, dtLink}, kDropEffectMove},
        {"scroll bit of the source is ignored", 0, kDropEffectScroll | kDropEffectCopy, copyLink, kDropEffectCopy},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseDropEffect(c.shift, c.source, c.types), c.expected) << c.name;
}

TEST(DropEffects, KeyStateBits)
{
    EXPECT_EQ(KeysToShiftState(0x01 | 0x04 | 0x08), ssLeft | ssShift | ssCtrl);
    EXPECT_EQ(KeysToShiftState(0x02 | 0x10 | 0x20), ssRight | ssMiddle | ssAlt);
    EXPECT_EQ(TDragTypes({dtCopy, dtLink}).DropEffectMask(), kDropEffectCopy | kDropEffectLink);
}

TEST(DropEffects, ScrollZoneAndDirections)
{
    ScrollRect zone = NoScrollZone({0, 0, 200, 100}, true, false, 17, 17);
    EXPECT_EQ(zone.top, 34);
    EXPECT_EQ(zone.bottom, 66);
    EXPECT_EQ(zone.left, 0);
    ScrollBarState middle{0, 99, 10, 40}, top{0, 99, 10, 0}, bottom{0, 99, 10, 90};
    EXPECT_EQ(ScrollDirections({50, 10}, zone, &middle, nullptr), sdUp);
    EXPECT_EQ(ScrollDirections({50, 10}, zone, &top, nullptr), 0);
    EXPECT_EQ(ScrollDirections({50, 90}, zone, &middle, nullptr), sdDown);
    EXPECT_EQ(ScrollDirections({50, 90}, zone, &bottom, nullptr), 0);
    EXPECT_EQ(ScrollDirections({50, 50}, zone, &middle, nullptr), 0);
    EXPECT_EQ(ScrollDirections({50, 10}, zone, nullptr, nullptr), 0) << "no bar, no scrolling";
}

TEST(DropEffects, PointerSpeedOverASlidingWindow)
{
    TMouseSpeed speed;
    speed.Reset(1000, {0, 0});
    EXPECT_FALSE(speed.Sample(1005, {0, 0})) << "too soon to tell";
    EXPECT_TRUE(speed.Sample(1100, {2, 0})) << "2 pixels in 100 ms: 20 per second";
    EXPECT_FALSE(speed.Sample(1200, {40, 0})) << "fast";
    // The window slides: after a pause at one spot, the old start point no longer counts.
    speed.Sample(1300, {40, 0});
    speed.Sample(1400, {40, 0});
    EXPECT_TRUE(speed.Sample(1500, {40, 0}));
}

}  // namespace
}  // namespace nesk
