#include "finance/interest.h"

#include <cmath>
#include <cstdint>

#include "calc/numtext.h"
#include "dates/calendar.h"

const wchar_t* const interestResultSeparator = L"    |    ";

namespace {

InterestOutcome failure(const wchar_t* message)
{
    InterestOutcome out;
    out.resultLine = message;
    return out;
}

int halfYear(const CivilDate& d) { return (d.month - 1) / 6; }

} // namespace

InterestOutcome computeInterest(const InterestInput& in)
{
    const wchar_t* const badCapital = L"Capitale o tasso base non valido.";
    ParsedNumber capital = parseNumber(in.capitalText);
    if (!capital.ok) return failure(badCapital);
    ParsedNumber rate = parseNumber(in.rateText);
    if (!rate.ok) return failure(badCapital);
    const double C = capital.value, T = rate.value;
    if (C < 0 || T < 0 || T > 1000) return failure(badCapital);

    double M = 0;
    if (in.surchargeApplied) {
        ParsedNumber surcharge = parseNumber(in.surchargeText);
        if (!surcharge.ok || surcharge.value < 0 || surcharge.value > 100)
            return failure(L"Maggiorazione non valida (0\u2013100 punti).");
        M = surcharge.value;
    }

    std::int64_t n = 0;
    bool severalHalfYears = false;
    if (in.daysMode) {
        ParsedNumber days = parseNumber(in.daysText);
        if (!days.ok || days.value < 0 || days.value > 100000 || days.value != std::floor(days.value))
            return failure(L"Numero giorni non valido.");
        n = static_cast<std::int64_t>(days.value);
    } else {
        CivilDate from, to;
        if (!parseDate(in.fromText, from) || !parseDate(in.toText, to))
            return failure(L"Date non valide.");
        n = dateToDayNumber(to) - dateToDayNumber(from);
        if (n < 0) return failure(L"La data finale precede quella iniziale.");
        severalHalfYears = from.year != to.year || halfYear(from) != halfYear(to);
    }

    // In exactly this order: the same doubles on every platform.
    const double r = T + M;
    double I = C * r;
    I = I / 100;
    I = I * static_cast<double>(n);
    I = I / 365;
    const double A = C + I;
    if (!std::isfinite(I) || !std::isfinite(A)) return failure(L"Importo fuori intervallo.");

    InterestOutcome out;
    out.ok = true;
    out.interest = I;
    out.resultLine = L"Interessi: " + formatNumber(I, -1) + L" \u20ac" + interestResultSeparator +
                     L"Capitale + interessi: " + formatNumber(A, -1) + L" \u20ac";
    std::wstring surchargePart =
        in.surchargeApplied ? L" + " + formatNumber(M, 2) + L" punti" : std::wstring();
    std::wstring warning;
    if (in.surchargeApplied) {
        warning = severalHalfYears
                      ? L"\r\nATTENZIONE: periodo su pi\u00f9 semestri. Dividere il calcolo per i tassi vigenti."
                      : L"\r\nTasso complessivo inserito: " + formatNumber(T + M, 2) +
                            L"% (verificare tasso MEF del semestre).";
    }
    out.formulaText = formatNumber(C, -1) + L" \u00d7 (" + formatNumber(T, 2) + L"%" + surchargePart +
                      L") \u00d7 " + std::to_wstring(n) + L" / 365 = " + formatNumber(I, -1) +
                      L" \u20ac" + warning;
    return out;
}
