#include "dates/popup_placement.h"

ScreenPoint popupPosition(const ScreenBox& anchor, int width, int height, int gap, const ScreenBox& work)
{
    ScreenPoint p{anchor.left, anchor.bottom + gap};
    if (p.x + width > work.right) p.x = work.right - width;
    if (p.x < work.left) p.x = work.left;
    // Above the anchor, or at the work area's bottom when the anchor is
    // itself below it (in the taskbar's band, or off the screen).
    if (p.y + height > work.bottom) p.y = (anchor.top < work.bottom ? anchor.top : work.bottom) - height;
    if (p.y < work.top) p.y = work.top;
    return p;
}
