#include "dates/popup_placement.h"

#include <gtest/gtest.h>

namespace {

// Monitor layouts, each monitor's work area: a 1920 × 1080 primary with a
// 40-pixel taskbar at the bottom, and a second monitor beside or below it.
const ScreenBox primary{0, 0, 1920, 1040};
const ScreenBox rightOfPrimary{1920, 0, 3840, 1040};
const ScreenBox leftOfPrimary{-2560, -200, 0, 1240};  // negative coordinates, 1.5 × scale
const ScreenBox belowPrimary{0, 1080, 1920, 2120};

struct PlacementCase {
    const char* what;
    ScreenBox anchor;  // the "▦" button
    int width, height, gap;
    ScreenBox work;    // the work area of the button's monitor
    ScreenPoint want;
};

class PopupPosition : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PopupPosition, StaysOnTheAnchorsMonitor)
{
    const PlacementCase& c = GetParam();
    ScreenPoint got = popupPosition(c.anchor, c.width, c.height, c.gap, c.work);
    EXPECT_EQ(c.want.x, got.x) << c.what;
    EXPECT_EQ(c.want.y, got.y) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PopupPosition,
    ::testing::Values(
        PlacementCase{"primary, room below", {180, 124, 204, 152}, 255, 220, 2, primary, {180, 154}},
        PlacementCase{"primary, near the right edge", {1900, 124, 1924, 152}, 255, 220, 2, primary, {1665, 154}},
        PlacementCase{"primary, near the taskbar", {180, 900, 204, 928}, 255, 220, 2, primary, {180, 680}},
        PlacementCase{"primary, in the taskbar's band", {180, 1045, 204, 1073}, 255, 220, 2, primary, {180, 820}},
        PlacementCase{"primary, below the screen", {180, 1200, 204, 1228}, 255, 220, 2, primary, {180, 820}},
        PlacementCase{"right monitor, room below: not pulled to the primary", {2500, 300, 2524, 328}, 255, 220, 2,
                      rightOfPrimary, {2500, 330}},
        PlacementCase{"right monitor, near its right edge", {3800, 300, 3824, 328}, 255, 220, 2,
                      rightOfPrimary, {3585, 330}},
        PlacementCase{"left monitor at 150 %, negative coordinates", {-1500, -100, -1464, -58}, 383, 330, 3,
                      leftOfPrimary, {-1500, -55}},
        PlacementCase{"left monitor at 150 %, near its right edge", {-200, 400, -164, 442}, 383, 330, 3,
                      leftOfPrimary, {-383, 445}},
        PlacementCase{"left monitor at 150 %, near its bottom", {-1500, 1100, -1464, 1142}, 383, 330, 3,
                      leftOfPrimary, {-1500, 770}},
        PlacementCase{"monitor below, room below: no flip", {500, 1500, 524, 1528}, 255, 220, 2, belowPrimary,
                      {500, 1530}},
        PlacementCase{"monitor below, near its bottom", {500, 2000, 524, 2028}, 255, 220, 2, belowPrimary,
                      {500, 1780}},
        PlacementCase{"pop-up wider than the work area keeps its left edge in", {10, 10, 34, 38}, 300, 220, 2,
                      ScreenBox{0, 0, 200, 1000}, {0, 40}}));

} // namespace
