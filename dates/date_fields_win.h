// The four date fields and the calendar pop-up under their "▦" buttons.
#pragma once

#include <windows.h>

// Limits a date field to 10 characters and gives it the date-field procedure;
// the standard procedure is kept from the first field.
void installDateFieldProc(HWND field);

// Completes a quick date ("131066") into gg/mm/aaaa in place.
void normaliseDateField(HWND field);

// One of the four date fields.
bool isDateField(HWND control);

void openCalendarPopup(HWND targetField, HWND anchorButton);

// Destroys the open pop-up, if any, and clears its handle.
void closeCalendarPopup();
