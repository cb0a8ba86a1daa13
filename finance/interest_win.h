// "CALCOLA INTERESSI" on the INTERESSI tab.
#pragma once

#include <optional>
#include <string>

#include "finance/official_rates.h"

void calculateInterest();

// Where the rate comes from: the button "Inserito  ▾", "Legale  ▾" or
// "Rif. 231/02  ▾" and its menu, the source in effect checked; a pick is
// stored at once. With a table source the rate field is disabled and shows
// "da tabella"; the typed rate comes back with "Tasso inserito".
std::wstring rateSourceLabel();
void showRateSourceMenu();
void showRateSourceInRateField();

// INTERESSI takes a rate set-up from a claim file: its source (stored as a
// pick is), the typed rate with the entered source, and the surcharge,
// applied when it is given.
void takeRateSetUp(RateSource source, const std::wstring& typed, const std::optional<std::wstring>& surcharge);
