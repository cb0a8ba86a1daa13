// The invoice keys on CALC: F6 the invoice of the fee in the input line (or
// the display's value), Shift+F6 the fee from the net to be paid.
#pragma once

void applyInvoice(bool fromNet);
