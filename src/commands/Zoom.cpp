#include "commands/Zoom.h"

#include <algorithm>

namespace nesk {

int RowHeightForFontSize(int points)
{
    // In tenths, so no floating-point error decides a rounding; a whole size never ends in .5.
    long long tenths = static_cast<long long>(points) * 22;
    long long rounded = tenths >= 0 ? (tenths + 5) / 10 : -((-tenths + 5) / 10);
    return static_cast<int>(rounded);
}

int ZoomedFontSize(int points, bool towardsUser)
{
    if (towardsUser)
        return std::max(points - 1, kSmallestZoomSize);
    return std::min(points + 1, kLargestZoomSize);
}

}  // namespace nesk
