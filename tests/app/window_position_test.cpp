#include "app/window_position.h"

#include <gtest/gtest.h>

namespace {

// Work areas: a 1920 × 1080 primary with its taskbar at the top, a second
// monitor to its left with negative coordinates.
const ScreenBox primary{0, 40, 1920, 1080};
const ScreenBox left{-1280, 0, 0, 1024};

TEST(OpeningPosition, WhereClosedWhenTheHeaderIsWhollyOnOneWorkArea)
{
    struct Case {
        const char* what;
        std::optional<ScreenPoint> saved;
        ScreenPoint want;
    } cases[] = {
        {"nothing saved: the primary work area's corner", std::nullopt, {0, 40}},
        {"inside the primary", ScreenPoint{700, 300}, {700, 300}},
        {"header at the work area's bottom edge", ScreenPoint{700, 1080 - 34}, {700, 1046}},
        {"header one pixel below it", ScreenPoint{700, 1080 - 33}, {0, 40}},
        {"under the taskbar", ScreenPoint{700, 39}, {0, 40}},
        {"header off the right edge", ScreenPoint{1920 - 489, 300}, {0, 40}},
        {"on the left monitor, negative coordinates", ScreenPoint{-1280, 0}, {-1280, 0}},
        {"header across both monitors", ScreenPoint{-200, 300}, {0, 40}},
        {"a monitor since unplugged", ScreenPoint{2500, 300}, {0, 40}},
        {"the largest stored values", ScreenPoint{2147483647, 2147483647}, {0, 40}},
    };
    for (const Case& c : cases) {
        const ScreenPoint got = openingPosition(c.saved, 490, 34, {primary, left}, primary);
        EXPECT_EQ(c.want.x, got.x) << c.what;
        EXPECT_EQ(c.want.y, got.y) << c.what;
    }
}

} // namespace
