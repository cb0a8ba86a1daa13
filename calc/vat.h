// The VAT keys: add VAT, take it out, the VAT amount alone.
#pragma once

#include <string>

enum VatOperation { vatAdd = 1, vatRemove = 2, vatOnly = 3 };

// Full precision, in the order written: r × a / 100 + a; a / (1 + r / 100); r × a / 100.
double vatResult(VatOperation kind, double rate, double operand);

// "+IVA 22,00% su 100,00 = 122,00": the rate with two decimals, the result
// with `decimals` places, the operand too or with its own when it has more
// ("su 0,625"), so that the line reads true. Taking VAT out also gives the
// VAT, "Scorporo 22,00% su 13,00 = 10,66 (IVA 2,34)": the gross rounded to
// `decimals` places less the net as shown, so that the two parts add up to
// the gross as rounded.
std::wstring vatTapeLine(VatOperation kind, double rate, double operand, int decimals);

// Caption of the VAT-rate button: "IVA 22,00%  ▾".
std::wstring vatRateLabel(double rate);

// The rates of the VAT-rate menu, for commands 401 to 404.
extern const double menuVatRates[4];
