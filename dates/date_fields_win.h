// The four date fields and the calendar pop-up under their "▦" buttons.
#pragma once

#include <windows.h>

// Limits a date field to 10 characters and gives it the date-field procedure;
// the standard procedure is kept from the first field.
void installDateFieldProc(HWND field);
// The same for a date field of another window: Enter sends `enterCommand` to
// it, F4 opens the calendar under `calendarButton`.
void installDateFieldProc(HWND field, int enterCommand, HWND calendarButton);

// Completes a quick date ("131066") into gg/mm/aaaa in place.
void normaliseDateField(HWND field);

// A date field, of the main window or another.
bool isDateField(HWND control);

void openCalendarPopup(HWND targetField, HWND anchorButton);

// Destroys the open pop-up, if any, and clears its handle.
void closeCalendarPopup();
