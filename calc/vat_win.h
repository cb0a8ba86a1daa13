// The VAT keys and the VAT-rate button on the CALC tab.
#pragma once

#include "calc/vat.h"

void applyVat(VatOperation kind);
void refreshVatLabel();
void showVatRateMenu();
