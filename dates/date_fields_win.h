// The four date fields and the calendar pop-up under their "▦" buttons.
#pragma once

#include <windows.h>

// Gives the four date fields their procedure, in the order of the tabs.
void installDateFieldProcs(HWND dateFrom, HWND dateTo, HWND interestFrom, HWND interestTo);

// Completes a quick date ("131066") into gg/mm/aaaa in place.
void normaliseDateField(HWND field);

void openCalendarPopup(HWND targetField, HWND anchorButton);

// Destroys the open pop-up, if any, and clears its handle.
void closeCalendarPopup();
