// Rectangles and points in pixels of the virtual screen, for placement
// arithmetic that is checked without a display.
#pragma once

struct ScreenBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct ScreenPoint {
    int x = 0, y = 0;
};
