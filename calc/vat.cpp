#include "calc/vat.h"

#include <algorithm>
#include <cmath>

#include "text/numtext.h"

const double menuVatRates[4] = {4, 5, 10, 22};

double vatResult(VatOperation kind, double rate, double operand)
{
    switch (kind) {
    case vatAdd:
        return rate * operand / 100 + operand;
    case vatRemove:
        return operand / (1 + rate / 100);
    case vatOnly:
    default:
        return rate * operand / 100;
    }
}

std::wstring vatTapeLine(VatOperation kind, double rate, double operand, int decimals)
{
    const wchar_t* prefix = kind == vatAdd ? L"+IVA " : kind == vatRemove ? L"Scorporo " : L"Solo IVA ";
    const double result = vatResult(kind, rate, operand);
    std::wstring line = prefix + formatNumber(rate, 2) + L"% su " +
                        formatNumber(operand, std::max(decimals, ownDecimals(operand))) + L" = " +
                        formatNumber(result, decimals);
    if (kind == vatRemove && std::isfinite(operand) && std::isfinite(result))
        line += L" (IVA " + shownDifference(operand, result, decimals) + L")";
    return line;
}

std::wstring vatRateLabel(double rate)
{
    return L"IVA " + formatNumber(rate, 2) + L"%  \u25be";
}
