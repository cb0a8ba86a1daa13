// What the tool windows of their own (the claim ledger, the table split)
// share: their controls' font and colours, their least size, where they open,
// and a prospect that copies its selection or else the whole of itself.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "dates/screen_box.h"

// A child control at 0, 0, placed later by the window's layout.
HWND createChildIn(HWND window, const wchar_t* cls, const wchar_t* text, int id, DWORD style, DWORD exStyle = 0);

// The window's font at `dpi` given to every control; the old one deleted.
void takeToolWindowScale(HWND window, HFONT& font, int dpi);

// WM_CTLCOLOR… of a tool window: labels on the window colour, fields (and
// the read-only prospect `prospectId`) on the field colour.
LRESULT toolWindowColour(UINT message, HDC dc, HWND control, int prospectId);

// WM_GETMINMAXINFO: a client area of at least width × height at 96 DPI.
void keepLeastClientSize(HWND window, MINMAXINFO& info, int width, int height, int dpi);

// Where a tool window opens: where it was last, while its top lies inside a
// work area; else beside the main window, or over it when there is no room.
RECT toolWindowOpeningRect(const std::optional<ScreenBox>& kept, int clientWidth, int clientHeight, int dpi);

// Brings an open tool window to the front, restored.
void bringToolWindowForward(HWND window);

// A prospect shows at most this many lines: a longer one shows its beginning
// and its end, and COPIA and STAMPA give it whole (a multi-line field lays
// out every line it holds).
std::wstring shownProspect(const std::wstring& text, size_t shownLines);

// The prospect field's context menu has the one "Copia" of the other results;
// it, like Ctrl+C, copies the selection, or else sends copyWholeProspect to
// the window, which copies the whole prospect.
constexpr UINT copyWholeProspect = WM_APP + 7;
void installProspectMenu(HWND prospect);
void copyProspectSelection(HWND prospect);
