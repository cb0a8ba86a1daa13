// Where a pop-up opens beside the control it belongs to, kept inside the work
// area of that control's monitor. Pure arithmetic on screen rectangles, so
// that every monitor layout can be checked without a display.
#pragma once

#include "dates/screen_box.h"

// The top-left corner of a pop-up of `width` × `height` that opens `gap`
// pixels under `anchor`, left edges aligned. It moves left to stay inside
// the work area's right edge (and never past its left edge), opens above the
// anchor when there is no room below, and stays inside the work area even
// when the anchor lies below it.
ScreenPoint popupPosition(const ScreenBox& anchor, int width, int height, int gap, const ScreenBox& work);
