#include "finance/interest.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/settings.h"
#include "calc/numtext.h"
#include "dates/calendar.h"
#include "finance/exact_interest.h"

const wchar_t* const interestResultSeparator = L"    |    ";
const wchar_t* const interestTotalLabel = L"Capitale + interessi: ";

namespace {

InterestOutcome failure(const std::wstring& message)
{
    InterestOutcome out;
    out.resultLine = message;
    return out;
}

// Capital × rate / 100 × days / 365, in exactly this order: the same doubles
// on every platform.
double simpleInterest(double capital, double rate, std::int64_t days)
{
    double I = capital * rate;
    I = I / 100;
    I = I * static_cast<double>(days);
    return I / 365;
}

std::wstring resultLine(double interest, double total)
{
    return L"Interessi: " + formatNumber(interest, -1) + L" \u20ac" + interestResultSeparator + interestTotalLabel +
           formatNumber(total, -1) + L" \u20ac";
}

// The year or half-year a piece's rate belongs to: "2027", "2\u00b0 semestre 2026".
std::wstring periodOf(RateSource source, const RatePiece& piece)
{
    const CivilDate d = dayNumberToDate(piece.to > piece.from ? piece.from + 1 : piece.to);
    const std::wstring year = std::to_wstring(d.year);
    if (source == RateSource::legal) return year;
    return std::to_wstring(halfYear(d)) + L"\u00b0 semestre " + year;
}

// What stands in for rates the table does not have yet, said openly.
std::wstring unknownRatesNote(RateSource source, const std::vector<RatePiece>& pieces)
{
    const RatePiece* first = nullptr;
    const RatePiece* last = nullptr;
    for (const RatePiece& p : pieces)
        if (!p.known) {
            if (!first) first = &p;
            last = &p;
        }
    if (!first) return std::wstring();
    const std::wstring from = periodOf(source, *first), to = periodOf(source, *last);
    std::wstring periods;
    if (from == to)
        periods = L"Tasso " + from;
    else if (source == RateSource::legal)
        periods = L"Tassi " + from + L"\u2013" + to;
    else
        periods = L"Tassi dal " + from + L" al " + to;
    return periods + L" non in tabella: usato " + formatNumber(first->rate, 2) + L"% (ultimo noto).";
}

// The period cut where the official rate changes: a formula line per piece,
// each piece's interest rounded as shown, the total their sum.
InterestOutcome interestAtOfficialRates(RateSource source, double C, double M, bool surcharge, DayNumber start,
                                        DayNumber end)
{
    const DayNumber firstDay = start < end ? start + 1 : end;
    if (source == RateSource::reference && start < dateToDayNumber(lateProvisionsFrom))
        return failure(L"Il D.Lgs. 231/2002 vale per i contratti dal " + formatDate(lateProvisionsFrom) + L".");
    if (firstDay < officialRatesFrom(source))
        return failure(L"Tassi ufficiali disponibili dal " + formatDate(dayNumberToDate(officialRatesFrom(source))) +
                       L".");
    const std::vector<RatePiece> pieces = ratePieces(source, start, end);
    std::wstring formula;
    double total = 0;
    // A formula of thousands of lines is read by nobody and freezes a window
    // (a multi-line field lays out some 170 µs a line under Wine): it shows
    // the first and the last fifty, the sum is over every piece.
    const size_t shownAtEachEnd = 50, count = pieces.size();
    const ExactDecimal capital(C);
    std::optional<ExactDecimal> rate;
    double rateValue = 0;
    for (size_t i = 0; i < count; ++i) {
        const RatePiece& p = pieces[i];
        const std::int64_t days = p.to - p.from;
        if (!std::isfinite(simpleInterest(C, p.rate + M, days))) return failure(L"Importo fuori intervallo.");
        if (!rate || rateValue != p.rate + M) rate.emplace(rateValue = p.rate + M);
        const double rounded = exactPieceInterest(capital, *rate, days, settings.decimals);
        total += rounded;
        if (count > 2 * shownAtEachEnd && i >= shownAtEachEnd && i < count - shownAtEachEnd) {
            if (i == shownAtEachEnd)
                formula += L"\u2026 " + formatNumber(static_cast<double>(count - 2 * shownAtEachEnd), 0) +
                           L" periodi omessi \u2026\r\n";
            continue;
        }
        const std::wstring rate = surcharge ? L"(" + formatNumber(p.rate, 2) + L"% + " + formatNumber(M, 2) + L" punti)"
                                            : formatNumber(p.rate, 2) + L"%";
        // From the first day counted: a piece that starts on the day its previous one ends reads as an overlap.
        const DayNumber firstCounted = p.to > p.from ? p.from + 1 : p.from;
        formula += formatDate(dayNumberToDate(firstCounted)) + L" \u2013 " + formatDate(dayNumberToDate(p.to)) + L": " +
                   formatNumber(C, -1) + L" \u00d7 " + rate + L" \u00d7 " + std::to_wstring(days) +
                   L" / 365 = " + formatNumber(rounded, -1) + L" \u20ac\r\n";
    }
    const double A = C + total;
    if (!std::isfinite(total) || !std::isfinite(A)) return failure(L"Importo fuori intervallo.");
    InterestOutcome out;
    out.ok = true;
    out.interest = total;
    out.resultLine = resultLine(total, A);
    out.note = unknownRatesNote(source, pieces);
    out.formulaText = formula + L"Totale: " + formatNumber(total, -1) + L" \u20ac";
    if (!out.note.empty()) out.formulaText += L"\r\n" + out.note;
    return out;
}

} // namespace

namespace {

void addLine(std::wstring& lines, const std::wstring& line)
{
    if (line.empty()) return;
    if (!lines.empty()) lines += L"\r\n";
    lines += line;
}

// A set-up the law would not use, said on the result: the reference rate
// without the points D.Lgs. 231/2002 adds, or the legal rate with them.
std::wstring setUpWarning(const InterestInput& in, double M)
{
    if (in.source == RateSource::reference && !in.surchargeApplied)
        return L"Senza maggiorazione: solo tasso di riferimento BCE (D.Lgs. 231/2002: + 8 punti).";
    if (in.source == RateSource::legal && in.surchargeApplied)
        return L"Tasso legale maggiorato di " + formatNumber(M, 2) + L" punti: verifica che la maggiorazione sia dovuta.";
    return std::wstring();
}

InterestOutcome computeInterestLines(const InterestInput& in);

} // namespace

InterestOutcome computeInterest(const InterestInput& in)
{
    InterestOutcome out = computeInterestLines(in);
    if (!out.ok) return out;
    double M = 0;
    if (in.surchargeApplied) M = parseNumber(in.surchargeText).value;
    addLine(out.note, setUpWarning(in, M));
    return out;
}

namespace {

InterestOutcome computeInterestLines(const InterestInput& in)
{
    const wchar_t* const badCapital = L"Capitale o tasso base non valido.";
    const bool fromTable = in.source != RateSource::entered;
    ParsedNumber capital = parseNumber(in.capitalText);
    if (!capital.ok) return failure(badCapital);
    const ParsedNumber rate = fromTable ? ParsedNumber{true, 0.0} : parseNumber(in.rateText);
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
    DayNumber start = 0, end = 0;
    bool severalHalfYears = false;
    if (in.daysMode) {
        if (fromTable) return failure(L"Con i tassi da tabella servono le date.");
        ParsedNumber days = parseNumber(in.daysText);
        if (!days.ok || days.value < 0 || days.value > 100000 || days.value != std::floor(days.value))
            return failure(L"Numero giorni non valido.");
        n = static_cast<std::int64_t>(days.value);
    } else {
        CivilDate from, to;
        if (!parseDate(in.fromText, from) || !parseDate(in.toText, to))
            return failure(L"Date non valide.");
        start = dateToDayNumber(from);
        end = dateToDayNumber(to);
        n = end - start;
        if (n < 0) return failure(L"La data finale precede quella iniziale.");
        severalHalfYears = from.year != to.year || halfYear(from) != halfYear(to);
    }
    if (fromTable) return interestAtOfficialRates(in.source, C, M, in.surchargeApplied, start, end);

    const double I = simpleInterest(C, T + M, n);
    const double A = C + I;
    if (!std::isfinite(I) || !std::isfinite(A)) return failure(L"Importo fuori intervallo.");

    InterestOutcome out;
    out.ok = true;
    out.interest = I;
    out.resultLine = resultLine(I, A);
    // Said on the result, not only in the formula, which few open.
    if (severalHalfYears) out.note = L"Periodo su pi\u00f9 semestri: i tassi ufficiali possono cambiare.";
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

} // namespace
