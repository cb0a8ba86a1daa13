// "CALCOLA INTERESSI" on the INTERESSI tab.
#pragma once

#include <string>

void calculateInterest();

// Where the rate comes from: the button "Inserito  ▾", "Legale  ▾" or
// "Rif. 231/02  ▾" and its menu, the source in effect checked; a pick is
// stored at once. With a table source the rate field is disabled and shows
// "da tabella"; the typed rate comes back with "Tasso inserito".
std::wstring rateSourceLabel();
void showRateSourceMenu();
void showRateSourceInRateField();
