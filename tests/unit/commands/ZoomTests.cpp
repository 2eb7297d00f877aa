// Zooming the list: the size steps and the row heights they give.
#include <gtest/gtest.h>

#include "commands/Zoom.h"

namespace nesk::testing {
namespace {

TEST(Zoom, RowHeights)
{
    const int heights[][2] = {{8, 18},  {9, 20},  {10, 22}, {11, 24}, {12, 26}, {13, 29}, {14, 31},
                              {15, 33}, {16, 35}, {17, 37}, {18, 40}, {19, 42}, {20, 44}, {72, 158}};
    for (const auto& h : heights)
        EXPECT_EQ(RowHeightForFontSize(h[0]), h[1]) << h[0];
}

TEST(Zoom, StepsAreHeldWithinTenToEighteen)
{
    struct Case {
        int size;
        bool towardsUser;
        int result;
    } cases[] = {
        {12, true, 11}, {12, false, 13}, {10, true, 10}, {18, false, 18},
        {9, true, 10},  {9, false, 10},  {20, true, 19}, {20, false, 18},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZoomedFontSize(c.size, c.towardsUser), c.result) << c.size << " " << c.towardsUser;
}

}  // namespace
}  // namespace nesk::testing
