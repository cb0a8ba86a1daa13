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

//--- One piece's interest, exact

// A non-negative whole number as its decimal digits, most significant first.
using Digits = std::string;

Digits times(const Digits& a, const Digits& b)
{
    std::vector<int> sum(a.size() + b.size(), 0);
    for (size_t i = a.size(); i-- > 0;)
        for (size_t j = b.size(); j-- > 0;) sum[i + j + 1] += (a[i] - '0') * (b[j] - '0');
    for (size_t k = sum.size(); k-- > 1;) {
        sum[k - 1] += sum[k] / 10;
        sum[k] %= 10;
    }
    Digits out;
    for (int d : sum)
        if (!out.empty() || d) out += static_cast<char>('0' + d);
    return out.empty() ? "0" : out;
}

// floor((a + add) / divisor) for a small addend and divisor.
Digits plusThenDivided(const Digits& a, unsigned add, unsigned divisor)
{
    Digits sum = a;
    unsigned carry = add;
    for (size_t i = sum.size(); i-- > 0 && carry;) {
        const unsigned d = static_cast<unsigned>(sum[i] - '0') + carry;
        sum[i] = static_cast<char>('0' + d % 10);
        carry = d / 10;
    }
    for (; carry; carry /= 10) sum.insert(sum.begin(), static_cast<char>('0' + carry % 10));
    Digits out;
    unsigned long long rest = 0;
    for (char c : sum) {
        rest = rest * 10 + static_cast<unsigned>(c - '0');
        const auto q = static_cast<unsigned>(rest / divisor);
        rest %= divisor;
        if (!out.empty() || q) out += static_cast<char>('0' + q);
    }
    return out.empty() ? "0" : out;
}

// The decimal a double stands for, as its 15 significant digits: digits and
// the power of ten they are scaled by. `value` must be finite and not negative.
Digits decimalOf(double value, int& exponent)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14).ptr;
    Digits digits;
    const char* e = std::find(text, end, 'e');
    for (const char* c = text; c != e; ++c)
        if (*c >= '0' && *c <= '9') digits += *c;
    int power = 0;
    std::from_chars(*(e + 1) == '+' ? e + 2 : e + 1, end, power);
    exponent = power - 14;
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    return digits;
}

// Capital × rate / 100 × days / 365 on the decimals the capital and the rate
// stand for, rounded once, half up, to `decimals` places: the same figure at
// any number of decimals, with nothing lost to binary fractions.
// a × b, or nothing when it does not fit in 64 bits.
std::optional<std::uint64_t> product64(std::uint64_t a, std::uint64_t b)
{
    if (b != 0 && a > UINT64_MAX / b) return std::nullopt;
    return a * b;
}

// A double's decimal, kept: the capital stays the same over a long split, and
// its rates repeat.
struct ExactDecimal {
    int power = 0;  // before the digits, which set it
    Digits digits;
    explicit ExactDecimal(double value) : digits(decimalOf(value, power)) {}
};

double exactPieceInterest(const ExactDecimal& capital, const ExactDecimal& rate, std::int64_t days, int decimals)
{
    const int capitalPower = capital.power, ratePower = rate.power;
    const Digits &capitalDigits = capital.digits, &rateDigits = rate.digits;
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    Digits product;
    // Most pieces fit in 64 bits: long multiplication only for the others.
    std::optional<std::uint64_t> small = product64(std::stoull(capitalDigits), std::stoull(rateDigits));
    if (small) small = product64(*small, static_cast<std::uint64_t>(days));
    if (small) small = product64(*small, scale);
    if (small)
        product = std::to_string(*small);
    else
        product = times(times(capitalDigits, rateDigits),
                        std::to_string(days) + Digits(static_cast<size_t>(decimals), '0'));
    // value × 10^decimals = product × 10^shift / 36500
    const int shift = capitalPower + ratePower;
    Digits scaled = product;
    if (shift > 0) scaled += Digits(static_cast<size_t>(shift), '0');
    if (shift < 0) scaled = -shift >= static_cast<int>(scaled.size()) ? "0" : scaled.substr(0, scaled.size() - static_cast<size_t>(-shift));
    // Half up: dropping the digits below 10^-shift cannot carry past a multiple of 36500.
    Digits units = plusThenDivided(scaled, 18250, 36500);
    if (units.size() <= static_cast<size_t>(decimals)) units.insert(0, static_cast<size_t>(decimals) + 1 - units.size(), '0');
    units.insert(units.size() - static_cast<size_t>(decimals), 1, '.');
    double value = 0;  // the nearest double to the rounded decimal
    std::from_chars(units.data(), units.data() + units.size(), value);
    return value;
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
