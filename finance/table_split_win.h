// "TABELLA…" on PROPORZIONI: the split of a table in a window of its own.
#pragma once

#include <windows.h>

extern const wchar_t* const tableSplitWindowClassName;  // "ZentoloRipartoV08"

// Opens the window "Riparto per tabella", or brings it to the front; an empty
// Righe takes the split PROPORZIONI holds, when it reads.
void openTableSplitWindow();

// The window's keyboard, seen by the message loop: Tab and Shift+Tab between
// its controls, Enter in Importi splits (in Righe it makes a new line),
// Escape closes, Ctrl+A selects a field's text, Ctrl+C in the prospect copies
// the selection or else the whole prospect. True when the key was taken here.
bool onTableSplitWindowKey(const MSG& msg);
