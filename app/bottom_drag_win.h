// CALC's height follows its bottom edge dragged: the window has no sizing
// frame, so the drag is followed with the mouse captured, from where it
// began, no taller than the work area and no shorter than the keypad needs;
// the height is kept when the drag ends.
#pragma once

#include <windows.h>

void startBottomDrag(HWND window);
// The mouse moved while the button is down; nothing when no drag is on.
void followBottomDrag();
// The button released: the capture goes, which ends the drag.
void releaseBottomDrag();
// The capture gone, however: the height is kept.
void endBottomDrag();
