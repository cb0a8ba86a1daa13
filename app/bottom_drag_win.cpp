// CALC made taller or shorter by the window's bottom edge.
#include "app/bottom_drag_win.h"

#include <algorithm>
#include <optional>

#include "app/dpi_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "app/tab_layouts_win.h"

namespace {

// The bottom edge dragged: the window has no sizing frame, so the drag is
// followed here, the mouse captured, from where it began.
struct BottomDrag {
    LONG startY;      // the cursor's, on the screen
    int startHeight;  // CALC's, at 96 DPI
};
std::optional<BottomDrag> bottomDrag;

} // namespace

void startBottomDrag(HWND window)
{
    POINT at;
    GetCursorPos(&at);
    bottomDrag = BottomDrag{at.y, calcHeight()};
    SetCapture(window);
}

void followBottomDrag()
{
    if (!bottomDrag) return;
    POINT at;
    GetCursorPos(&at);
    SetCursor(LoadCursorW(nullptr, IDC_SIZENS));
    const int wanted = bottomDrag->startHeight + MulDiv(at.y - bottomDrag->startY, designDpi, mainState.dpi);
    const int before = calcHeight();
    settings.calcHeight = std::max(shortestCalcHeight, wanted);
    settings.calcHeight = calcHeight();  // no taller than the work area
    if (settings.calcHeight != before) fitWindowToTab();
}

void releaseBottomDrag()
{
    if (bottomDrag) ReleaseCapture();
}

void endBottomDrag()
{
    if (!bottomDrag) return;
    bottomDrag.reset();
    saveCalcHeight();
}
