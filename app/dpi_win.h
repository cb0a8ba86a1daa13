// Display scale. Every size in the layout tables is a 96-DPI value (the
// scale at which the window is exactly as designed); scaled() turns it into
// pixels at the main window's current DPI.
#pragma once

#include <windows.h>

constexpr int designDpi = 96;

// The DPI of the primary display, before any window exists.
int systemDpi();

// The DPI of the monitor a window is on.
int windowDpi(HWND window);

// A 96-DPI size at the main window's DPI: MulDiv(value, dpi, 96).
int scaled(int value);

// The same at a given DPI.
inline int scaledTo(int value, int dpi) { return MulDiv(value, dpi, designDpi); }

// The scale a top-level window of the program draws at, as it last took it
// (at creation, and from WM_DPICHANGED): recorded on the window, and read for
// any of its controls.
void setTopLevelDpi(HWND topLevel, int dpi);
int topLevelDpi(HWND window);

// A "Segoe UI" font of a 96-DPI pixel height, at `dpi`.
HFONT createUiFont(int height, int weight, int dpi);

// Places a control at a 96-DPI rectangle, scaled to `dpi`.
void placeScaled(HWND control, int x, int y, int width, int height, int dpi);

// Moves a window to the rectangle WM_DPICHANGED suggests and draws it anew.
void takeSuggestedRect(HWND window, const RECT& suggested);
