#include "finance/interest.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <cstdint>
#include <string>
#include <vector>

#include "text/numtext.h"
#include "text/date_text.h"
#include "finance/exact_interest.h"
#include "finance/foi_index.h"

const wchar_t* const interestResultSeparator = L"    |    ";
const wchar_t* const interestTotalLabel = L"Capitale + interessi: ";
const wchar_t* const interestRevaluedTotalLabel = L"Rivalutato + interessi: ";

namespace {
const wchar_t* const severalHalfYearsNote = L"Periodo su pi\u00f9 semestri: i tassi ufficiali possono cambiare.";
}

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

std::wstring resultLine(double interest, double total, int decimals)
{
    return L"Interessi: " + formatNumber(interest, decimals) + L" \u20ac" + interestResultSeparator +
           interestTotalLabel + formatNumber(total, decimals) + L" \u20ac";
}

// The year or half-year a piece's rate belongs to: "2027", "2\u00b0 semestre 2026".
std::wstring periodOf(RateSource source, const RatePiece& piece)
{
    const CivilDate d = dayNumberToDate(piece.to > piece.from ? piece.from + 1 : piece.to);
    const std::wstring year = std::to_wstring(d.year);
    if (source == RateSource::legal) return year;
    return std::to_wstring(halfYear(d)) + L"\u00b0 semestre " + year;
}

} // namespace

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

// The pieces split again at every 31 December: each year of a revaluation
// bears interest on the capital revalued to its own last month.
std::vector<RatePiece> splitAtYearEnds(const std::vector<RatePiece>& pieces)
{
    std::vector<RatePiece> out;
    for (const RatePiece& p : pieces) {
        DayNumber from = p.from;
        while (from < p.to) {
            const DayNumber yearEnd = dateToDayNumber({dayNumberToDate(from + 1).year, 12, 31});
            const DayNumber to = std::min(p.to, yearEnd);
            out.push_back({from, to, p.rate, p.known});
            from = to;
        }
        if (p.from >= p.to) out.push_back(p);
    }
    return out;
}

std::wstring percentText(double rate) { return formatNumber(rate, std::max(2, ownDecimals(rate))); }

const wchar_t* const addedRateMark = L" (tasso aggiunto)";
const wchar_t* const addedIndexMark = L" (indice aggiunto)";

namespace {

// The capital revalued from the month of the start to a month, rounded as
// amounts are; the coefficient is rounded to 3 decimals first.
double revaluedCapital(const InterestInput& in, double C, YearMonth from, YearMonth to, bool& addedIndex)
{
    const FoiCoefficient k = foiCoefficient(from, to, in.addedRows);
    addedIndex = k.usesAdded;
    return roundedValue(C * revaluationFactor(k), in.decimals);
}

// What the revaluation of the whole period says on the result and opens the
// formula with, and what stands in for indices past the table.
struct RevaluationLines {
    double capital = 0;
    std::wstring result, formula, note;
};

RevaluationLines revaluationLines(const InterestInput& in, double C, DayNumber start, DayNumber end)
{
    RevaluationLines out;
    const FoiCoefficient k = foiCoefficient(monthOf(start), monthOf(end), in.addedRows);
    const double factor = revaluationFactor(k);
    out.capital = roundedValue(C * factor, in.decimals);
    const std::wstring months = monthAbbreviation(k.from) + L" \u2192 " + monthAbbreviation(k.to);
    const double percent = (k.ratio - 1) * 100;
    const std::wstring percentText = (percent >= 0 ? L"+" : L"") + formatNumber(percent, 1) + L"%";
    const std::wstring capital = formatNumber(out.capital, in.decimals) + L" \u20ac";
    if (factor == k.coefficient) {
        out.result = L"Rivalutazione FOI " + months + L": \u00d7 " + formatNumber(k.coefficient, 3) + L" (" + percentText +
                     L") = " + capital;
        out.formula = L"Rivalutazione: " + formatNumber(C, in.decimals) + L" \u00d7 " + formatNumber(k.coefficient, 3) +
                      L" (FOI " + months + L") = " + capital;
    } else {
        // Prices fell: the sum stays at its nominal amount.
        out.result = L"Rivalutazione FOI " + months + L": indice in calo (" + percentText + L"), resta " + capital +
                     L" (art. 1277 c.c.)";
        out.formula = L"Rivalutazione: " + formatNumber(C, in.decimals) + L" \u00d7 1,000 (FOI " + months +
                      L" in calo: mai sotto il valore nominale) = " + capital;
    }
    out.formula += std::wstring(k.usesAdded ? addedIndexMark : L"") + L"\r\n";
    if (!(monthOf(end) == k.to))
        out.note = L"Indice FOI di " + monthAbbreviation(monthOf(end)) + L" non in tabella: usato " +
                   monthAbbreviation(k.to) + L" (ultimo noto).";
    return out;
}

// The period cut where the official rate changes (a typed rate: one piece),
// and with a revaluation at every 31 December too: a formula line per piece,
// each piece's interest rounded as shown, the total their sum.
InterestOutcome interestInPieces(const InterestInput& in, double C, double T, double M, DayNumber start,
                                 DayNumber end)
{
    const RateSource source = in.source;
    const bool fromTable = source != RateSource::entered;
    const DayNumber firstDay = start < end ? start + 1 : end;
    if (source == RateSource::reference && start < dateToDayNumber(lateProvisionsFrom))
        return failure(L"Il D.Lgs. 231/2002 vale per i contratti dal " + formatDate(lateProvisionsFrom) + L".");
    if (fromTable && firstDay < officialRatesFrom(source, in.addedRows))
        return failure(L"Tassi ufficiali disponibili dal " + formatDate(dayNumberToDate(officialRatesFrom(source, in.addedRows))) +
                       L".");
    std::vector<RatePiece> pieces =
        fromTable ? ratePieces(source, start, end, in.addedRows) : std::vector<RatePiece>{{start, end, T, true}};
    if (in.revaluation) pieces = splitAtYearEnds(pieces);
    const RevaluationLines revaluation = in.revaluation ? revaluationLines(in, C, start, end) : RevaluationLines{};
    std::wstring formula = revaluation.formula;
    double total = 0;
    // A formula of thousands of lines is read by nobody and freezes a window
    // (a multi-line field lays out some 170 µs a line under Wine): it shows
    // the first and the last fifty, the sum is over every piece.
    const size_t shownAtEachEnd = 50, count = pieces.size();
    std::optional<ExactDecimal> capital, rate;
    double capitalValue = 0, rateValue = 0;
    for (size_t i = 0; i < count; ++i) {
        const RatePiece& p = pieces[i];
        const std::int64_t days = p.to - p.from;
        bool addedIndex = false;
        const double pieceCapital =
            in.revaluation ? revaluedCapital(in, C, monthOf(start), revaluationMonth(p.to, end), addedIndex) : C;
        if (!std::isfinite(simpleInterest(pieceCapital, p.rate + M, days))) return failure(L"Importo fuori intervallo.");
        if (!capital || capitalValue != pieceCapital) capital.emplace(capitalValue = pieceCapital);
        if (!rate || rateValue != p.rate + M) rate.emplace(rateValue = p.rate + M);
        const double rounded = exactPieceInterest(*capital, *rate, days, in.decimals);
        total += rounded;
        if (count > 2 * shownAtEachEnd && i >= shownAtEachEnd && i < count - shownAtEachEnd) {
            if (i == shownAtEachEnd)
                formula += L"\u2026 " + formatNumber(static_cast<double>(count - 2 * shownAtEachEnd), 0) +
                           L" periodi omessi \u2026\r\n";
            continue;
        }
        const std::wstring rateText = in.surchargeApplied
                                          ? L"(" + percentText(p.rate) + L"% + " + percentText(M) + L" punti)"
                                          : percentText(p.rate) + L"%";
        // From the first day counted: a piece that starts on the day its previous one ends reads as an overlap.
        const DayNumber firstCounted = p.to > p.from ? p.from + 1 : p.from;
        formula += formatDate(dayNumberToDate(firstCounted)) + L" \u2013 " + formatDate(dayNumberToDate(p.to)) + L": " +
                   formatNumber(pieceCapital, in.decimals) + L" \u00d7 " + rateText + L" \u00d7 " + std::to_wstring(days) +
                   L" / 365 = " + formatNumber(rounded, in.decimals) + L" \u20ac" + (p.added ? addedRateMark : L"") +
                   (addedIndex ? addedIndexMark : L"") + L"\r\n";
    }
    const double A = (in.revaluation ? revaluation.capital : C) + total;
    if (!std::isfinite(total) || !std::isfinite(A)) return failure(L"Importo fuori intervallo.");
    InterestOutcome out;
    out.ok = true;
    out.interest = total;
    out.resultLine = L"Interessi: " + formatNumber(total, in.decimals) + L" \u20ac" + interestResultSeparator +
                     (in.revaluation ? interestRevaluedTotalLabel : interestTotalLabel) + formatNumber(A, in.decimals) +
                     L" \u20ac";
    const std::wstring ratesNote = fromTable ? unknownRatesNote(source, pieces) : std::wstring();
    out.note = revaluation.result;
    for (const std::wstring* line : {&revaluation.note, &ratesNote})
        if (!line->empty()) out.note += (out.note.empty() ? L"" : L"\r\n") + *line;
    out.formulaText = formula + L"Totale: " + formatNumber(total, in.decimals) + L" \u20ac";
    if (!ratesNote.empty()) out.formulaText += L"\r\n" + ratesNote;
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

InterestOutcome computeInterestLines(const InterestInput& in);

} // namespace

std::wstring rateSetUpWarning(RateSource source, bool surchargeApplied, double M)
{
    if (source == RateSource::reference && !surchargeApplied)
        return L"Senza maggiorazione: solo tasso di riferimento BCE (D.Lgs. 231/2002: + 8 punti).";
    if (source == RateSource::legal && surchargeApplied)
        return L"Tasso legale maggiorato di " + formatNumber(M, 2) + L" punti: verifica che la maggiorazione sia dovuta.";
    return std::wstring();
}

InterestOutcome computeInterest(const InterestInput& in)
{
    InterestOutcome out = computeInterestLines(in);
    if (!out.ok) return out;
    double M = 0;
    if (in.surchargeApplied) M = parseNumber(in.surchargeText).value;
    addLine(out.note, rateSetUpWarning(in.source, in.surchargeApplied, M));
    return out;
}

namespace {

InterestOutcome computeInterestLines(const InterestInput& in)
{
    const bool fromTable = in.source != RateSource::entered;
    const ParsedNumber capital = parseNumber(in.capitalText);
    if (!capital.ok || capital.value < 0) return failure(L"Capitale non valido.");
    const ParsedNumber rate = fromTable ? ParsedNumber{true, 0.0} : parseNumber(in.rateText);
    if (!rate.ok || rate.value < 0 || rate.value > 1000) return failure(L"Tasso base non valido.");
    const double C = capital.value, T = rate.value;

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
        if (in.revaluation) return failure(L"Con la rivalutazione servono le date.");
        if (fromTable) return failure(L"Con i tassi da tabella servono le date.");
        ParsedNumber days = parseNumberWithoutExponent(in.daysText);
        if (!days.ok || days.value < 0 || days.value > 100000 || days.value != std::floor(days.value))
            return failure(L"Numero giorni non valido.");
        n = static_cast<std::int64_t>(days.value);
    } else {
        CivilDate from, to;
        if (!parseDate(in.fromText, from)) return failure(L"Data iniziale non valida (gg/mm/aaaa)");
        if (!parseDate(in.toText, to)) return failure(L"Data finale non valida (gg/mm/aaaa)");
        start = dateToDayNumber(from);
        end = dateToDayNumber(to);
        n = end - start;
        if (n < 0) return failure(L"La data finale precede quella iniziale.");
        if (in.revaluation && YearMonth{from.year, from.month} < foiFirstMonth())
            return failure(L"Indici FOI disponibili da " + monthAbbreviation(foiFirstMonth()) + L".");
        severalHalfYears = from.year != to.year || halfYear(from) != halfYear(to);
    }
    if (fromTable || in.revaluation) {
        InterestOutcome out = interestInPieces(in, C, T, M, start, end);
        // Said on the result, not only in the formula, which few open.
        if (out.ok && !fromTable && severalHalfYears)
            out.note += (out.note.empty() ? L"" : L"\r\n") + std::wstring(severalHalfYearsNote);
        return out;
    }

    const double I = simpleInterest(C, T + M, n);
    const double A = C + I;
    if (!std::isfinite(I) || !std::isfinite(A)) return failure(L"Importo fuori intervallo.");

    InterestOutcome out;
    out.ok = true;
    out.interest = I;
    out.resultLine = resultLine(I, A, in.decimals);
    // Said on the result, not only in the formula, which few open.
    if (severalHalfYears) out.note = severalHalfYearsNote;
    std::wstring surchargePart =
        in.surchargeApplied ? L" + " + percentText(M) + L" punti" : std::wstring();
    std::wstring warning;
    if (in.surchargeApplied) {
        warning = severalHalfYears
                      ? L"\r\nATTENZIONE: periodo su pi\u00f9 semestri. Dividere il calcolo per i tassi vigenti."
                      : L"\r\nTasso complessivo inserito: " + percentText(T + M) +
                            L"% (verificare tasso MEF del semestre).";
    }
    out.formulaText = formatNumber(C, in.decimals) + L" \u00d7 (" + percentText(T) + L"%" + surchargePart +
                      L") \u00d7 " + std::to_wstring(n) + L" / 365 = " + formatNumber(I, in.decimals) +
                      L" \u20ac" + warning;
    return out;
}

} // namespace
