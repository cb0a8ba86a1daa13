// "TERMINI…" on DATE: every term of one act in a window of its own, copied,
// printed or saved to the office calendar together.
#pragma once

#include <windows.h>

#include <string>

extern const wchar_t* const actTermsWindowClassName;  // "ZentoloTerminiV08"

// Opens the window "Termini di un atto", or brings it to the front.
void openActTermsWindow();

// The window's keyboard, seen by the message loop: Tab and Shift+Tab between
// its controls, Enter in a field computes, Escape closes, Ctrl+A selects a
// field's text, Ctrl+C in the list copies the selection or else the whole
// list. True when the key was taken here.
bool onActTermsWindowKey(const MSG& msg);

// CALENDARIO… past its Save As dialog: the terms of the open window, computed
// afresh, written to `path`; false with the reason when they cannot be.
bool saveActTermsCalendar(const std::wstring& path, std::wstring& error);
