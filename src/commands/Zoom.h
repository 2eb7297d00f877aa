// List zoom with Ctrl and the wheel: the font size steps and the row height that follows it.
#pragma once

namespace nesk {

constexpr int kSmallestZoomSize = 10;
constexpr int kLargestZoomSize = 18;

// Rows are 2.2 times the point size, rounded to the nearest pixel.
int RowHeightForFontSize(int points);
// One notch: towards the user shrinks, away grows; the result is held within 10 to 18, the
// starting size is not (a size of 20 grows to 18 and shrinks to 19).
int ZoomedFontSize(int points, bool towardsUser);

}  // namespace nesk
