// The settings in the current user's registry, and the OPZIONI save command.
#pragma once

#include "dates/screen_box.h"

extern const wchar_t* const settingsKeyPath;  // under HKEY_CURRENT_USER

void loadSettings();
void saveSettings();
void saveSettingsCommand();

// "Termini" and "Tassi", each written alone when it is picked.
void saveDeadlineRule();
void saveRateSource();

// "TassiAggiunti": the rates and indices the office added, written alone.
void saveAddedRows();

// "FinestraX" and "FinestraY": where the main window was when it was closed.
void saveWindowPosition(int x, int y);

// "AltezzaCalc": CALC's height as its bottom edge was last dragged.
void saveCalcHeight();

// "CreditoX", "CreditoY", "CreditoLarghezza", "CreditoAltezza": the claim
// ledger's window, kept as it was last moved or sized.
void saveLedgerPlace(const ScreenBox& place);
void saveTableSplitPlace(const ScreenBox& place);
void saveActTermsPlace(const ScreenBox& place);
