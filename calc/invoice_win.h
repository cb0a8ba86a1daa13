// The invoice keys on CALC: F6 the invoice of the fee in the input line (or
// the display's value), Shift+F6 the fee from the net to be paid.
#pragma once

#include <string>

void applyInvoice(bool fromNet);

// OPZIONI's "Cassa previdenziale": the button's caption for a fund, and its
// menu, whose choice SALVA IMPOSTAZIONI saves with the rest.
std::wstring invoiceFundLabel(int fund);
void showInvoiceFundMenu();
