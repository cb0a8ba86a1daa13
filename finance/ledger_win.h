// "CONTEGGIO…" on INTERESSI: the claim ledger in a window of its own.
#pragma once

#include <windows.h>

#include <string>

extern const wchar_t* const ledgerWindowClassName;  // "ZentoloCreditoV07"

// Opens the window "Conteggio del credito", or brings it to the front.
void openLedgerWindow();

// The keyboard of the ledger window, seen by the message loop: Tab and
// Shift+Tab between its controls, Enter computes (but in Movimenti, where it
// makes a new line), Escape closes, Ctrl+A selects a field's text, Ctrl+C in
// the prospect copies the selection or else the whole prospect. True when the
// key was taken here.
bool onLedgerWindowKey(const MSG& msg);

// SALVA… and APRI… without their dialogs: the open window's claim written to
// a file, or a claim file read into its fields (and INTERESSI's rate) and
// computed; a failure or a refusal says why in the prospect's place, and
// then no field changes.
void saveLedgerFile(const std::wstring& path);
void openLedgerFile(const std::wstring& path);
