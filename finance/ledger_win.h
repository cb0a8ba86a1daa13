// "CONTEGGIO…" on INTERESSI: the claim ledger in a window of its own.
#pragma once

#include <windows.h>

extern const wchar_t* const ledgerWindowClassName;  // "ZentoloCreditoV07"

// Opens the window "Conteggio del credito", or brings it to the front.
void openLedgerWindow();

// The keyboard of the ledger window, seen by the message loop: Tab and
// Shift+Tab between its controls, Enter computes (but in Movimenti, where it
// makes a new line), Escape closes, Ctrl+A selects a field's text, Ctrl+C in
// the prospect copies the selection or else the whole prospect. True when the
// key was taken here.
bool onLedgerWindowKey(const MSG& msg);
