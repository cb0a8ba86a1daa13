#include "finance/ledger.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "text/numtext.h"
#include "text/date_text.h"
#include "finance/exact_interest.h"
#include "finance/foi_index.h"
#include "finance/interest.h"
#include "finance/ledger_entries.h"
#include "text/lines.h"

namespace {

//--- The computation

const CivilDate lawsuitRateFrom{2014, 12, 11};  // art. 17 DL 132/2014: lawsuits filed from this day
constexpr double lawsuitPoints = 8;              // D.Lgs. 231/2002: reference rate + 8 points

std::wstring dateText(DayNumber day) { return formatDate(dayNumberToDate(day)); }


// A sum of the claim as it stands: its base capital, in its own month's
// money (what a payment leaves of it, unrounded), and its interest accrued
// and not paid, up to `accruedTo`.
struct Sum {
    int number = 0;
    DayNumber date = 0;
    double capital = 0;  // in units of the last decimal shown
    YearMonth baseMonth;
    DayNumber accruedTo = 0;
    double interestDue = 0;  // units
};

// The pieces of a rate source over the whole claim, cut where its table cuts
// them: a stretch of any sum is these pieces clipped to it, as the table
// would cut the stretch itself.
struct SourcePieces {
    RateSource source = RateSource::entered;
    std::vector<RatePiece> pieces;
};

// A cost of the case (or the 40 € of a sum): no interest, never revalued,
// paid before interest and capital, oldest first.
struct Cost {
    DayNumber date = 0;
    double due = 0;  // units
};

struct Ledger {
    const LedgerInput& in;
    double scale = 100;  // units per euro
    double T = 0, M = 0;  // the typed rate and the surcharge, in points
    std::optional<DayNumber> lawsuit;
    DayNumber until = 0;  // "Al"
    std::vector<Sum> sums;
    std::vector<Cost> costs;
    bool withCosts = false;  // the claim has costs: payments say what went to them
    bool toCapitalFirst = false;  // damages revalued: payments go to the capital before the interest
    double advance = 0;  // paid beyond everything due, units
    std::wstring lines;
    // The first and the last piece past the legal and the reference table.
    std::vector<RatePiece> unknownLegal, unknownReference;
    std::optional<YearMonth> foiPast;                      // the latest month asked past the index table
    std::vector<int> floored;                              // sums kept at their nominal amount
    bool outOfRange = false;
    SourcePieces basePieces, lawsuitPieces;
    // The capital of the last piece written, as the next piece most often has it.
    double lastCapital = -1;
    ExactDecimal lastCapitalDecimal{0.0};
    std::wstring lastCapitalText;
    double lastRate = -1, lastPoints = -1;  // and its rate and the points added
    bool lastWithPoints = false;
    ExactDecimal lastRateDecimal{0.0};
    std::wstring lastRateText;

    explicit Ledger(const LedgerInput& input) : in(input) {}

    std::wstring amount(double units) const { return formatNumber(units / scale, in.decimals); }
    double units(double value) const { return std::round(value * scale); }

    void addLine(const std::wstring& line) { lines += line + L"\r\n"; }
};

void noteUnknown(std::vector<RatePiece>& kept, const RatePiece& p)
{
    if (p.known) return;
    if (kept.empty()) {
        kept = {p, p};
        return;
    }
    if (p.from < kept[0].from) kept[0] = p;
    if (p.to > kept[1].to) kept[1] = p;
}

// The capital of a sum revalued from its base month to a month, rounded as
// the prospect shows it: never below its amount; the lines say when an index
// past the table or an added one was used.
double revalued(Ledger& l, const Sum& s, YearMonth to, bool& addedIndex, double& factor)
{
    const FoiCoefficient k = foiCoefficient(s.baseMonth, to, l.in.addedRows);
    if (!(k.to == to) && (!l.foiPast || *l.foiPast < to)) l.foiPast = to;
    factor = revaluationFactor(k);
    if (factor != k.coefficient && std::find(l.floored.begin(), l.floored.end(), s.number) == l.floored.end())
        l.floored.push_back(s.number);
    addedIndex = k.usesAdded;
    return l.units(roundedValue(s.capital / l.scale * factor, l.in.decimals));
}

std::wstring rateText(double rate, double points, bool withPoints)
{
    if (!withPoints) return percentText(rate) + L"%";
    return L"(" + percentText(rate) + L"% + " + percentText(points) + L" punti)";
}

// The pieces of one stretch: those of the whole span that overlap it, clipped.
std::vector<RatePiece> clipped(const SourcePieces& all, DayNumber from, DayNumber to, double typedRate)
{
    if (all.source == RateSource::entered) return {{from, to, typedRate, true, false}};
    std::vector<RatePiece> out;
    auto it = std::upper_bound(all.pieces.begin(), all.pieces.end(), from,
                               [](DayNumber day, const RatePiece& p) { return day < p.to; });
    for (; it != all.pieces.end() && it->from < to; ++it) {
        RatePiece p = *it;
        p.from = std::max(p.from, from);
        p.to = std::min(p.to, to);
        out.push_back(p);
    }
    return out;
}

// A count in plain digits (std::to_wstring goes through swprintf).
void appendNumber(std::wstring& line, long long n)
{
    wchar_t digits[24];
    int at = 24;
    const bool negative = n < 0;
    unsigned long long m = negative ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    do {
        digits[--at] = static_cast<wchar_t>(L'0' + m % 10);
        m /= 10;
    } while (m > 0);
    if (negative) digits[--at] = L'-';
    line.append(digits + at, static_cast<size_t>(24 - at));
}

// "01/07/2025", appended without temporaries: a long prospect writes it tens
// of thousands of times.
void appendDate(std::wstring& line, DayNumber day)
{
    const CivilDate d = dayNumberToDate(day);
    const wchar_t text[] = {static_cast<wchar_t>(L'0' + d.day / 10),   static_cast<wchar_t>(L'0' + d.day % 10), L'/',
                            static_cast<wchar_t>(L'0' + d.month / 10), static_cast<wchar_t>(L'0' + d.month % 10), L'/'};
    line.append(text, 6);
    if (d.year >= 1000 && d.year <= 9999)
        appendNumber(line, d.year);
    else
        line += formatDate(d).substr(6);
}

// The interest of one sum from the day after it was last accrued to `to`:
// one line per piece, split where the rate changes, on the day of the
// lawsuit and, with revaluation, at every 31 December.
void accrue(Ledger& l, Sum& s, DayNumber to)
{
    const DayNumber from = s.accruedTo;
    s.accruedTo = std::max(from, to);
    if (from >= to || s.capital <= 0) return;
    struct Stretch {
        DayNumber from, to;
        bool lawsuit;
    };
    Stretch stretches[2];
    int count = 0;
    const DayNumber lawsuit = l.lawsuit ? *l.lawsuit : to;
    if (from < lawsuit) stretches[count++] = {from, std::min(to, lawsuit), false};
    if (to > lawsuit) stretches[count++] = {std::max(from, lawsuit), to, true};
    const std::wstring number = L"n. " + std::to_wstring(s.number) + L"  ";
    for (int i = 0; i < count; ++i) {
        const Stretch& st = stretches[i];
        const RateSource source = st.lawsuit ? RateSource::reference : l.in.source;
        std::vector<RatePiece> pieces = clipped(st.lawsuit ? l.lawsuitPieces : l.basePieces, st.from, st.to, l.T);
        if (l.in.revaluation) pieces = splitAtYearEnds(pieces);
        const double points = st.lawsuit ? lawsuitPoints : l.M;
        const bool withPoints = st.lawsuit || l.in.surchargeApplied;
        for (const RatePiece& p : pieces) {
            noteUnknown(source == RateSource::legal ? l.unknownLegal : l.unknownReference, p);
            const std::int64_t days = p.to - p.from;
            bool addedIndex = false;
            double factor = 1;
            const double capital = l.in.revaluation
                                       ? revalued(l, s, revaluationMonth(p.to, l.until), addedIndex, factor)
                                       : s.capital;
            if (capital != l.lastCapital) {
                l.lastCapital = capital;
                l.lastCapitalDecimal = ExactDecimal(capital / l.scale);
                l.lastCapitalText = l.amount(capital);
            }
            if (p.rate != l.lastRate || points != l.lastPoints || withPoints != l.lastWithPoints) {
                l.lastRate = p.rate;
                l.lastPoints = points;
                l.lastWithPoints = withPoints;
                l.lastRateDecimal = ExactDecimal(p.rate + points);
                l.lastRateText = rateText(p.rate, points, withPoints);
            }
            const double interest =
                l.units(exactPieceInterest(l.lastCapitalDecimal, l.lastRateDecimal, days, l.in.decimals));
            if (!std::isfinite(interest)) l.outOfRange = true;
            s.interestDue += interest;
            std::wstring& line = l.lines;
            line += number;
            appendDate(line, p.from + 1);
            line += L" \u2013 ";
            appendDate(line, p.to);
            line += L": ";
            line += l.lastCapitalText;
            line += L" \u00d7 ";
            line += l.lastRateText;
            line += L" \u00d7 ";
            appendNumber(line, days);
            line += L" / 365 = ";
            line += l.amount(interest);
            line += L" \u20ac";
            if (p.added) line += addedRateMark;
            if (addedIndex) line += addedIndexMark;
            line += L"\r\n";
        }
    }
}

// The line that shows a sum revalued to a month, and the amount it shows.
double writeRevalued(Ledger& l, const Sum& s, YearMonth month)
{
    bool addedIndex = false;
    double factor = 1;
    const double capital = revalued(l, s, month, addedIndex, factor);
    l.addLine(L"n. " + std::to_wstring(s.number) + L"  rivalutato a " + monthAbbreviation(month) + L": " +
              l.amount(s.capital) + L" \u00d7 " + formatNumber(factor, 3) + L" = " + l.amount(capital) + L" \u20ac" +
              (addedIndex ? addedIndexMark : L""));
    return capital;
}

// What a sum's capital is worth in a month, as the prospect shows it: its
// base capital, revalued (with its line) when the month is past its own.
double worthIn(Ledger& l, const Sum& s, YearMonth month)
{
    if (!l.in.revaluation) return s.capital;
    if (s.baseMonth < month) return writeRevalued(l, s, month);
    return l.units(roundedValue(s.capital / l.scale, l.in.decimals));
}

// A payment on a day: first to the interest accrued and not paid, oldest sum
// first, then to the capital, oldest sum first (art. 1193-1194 c.c.); what is
// left is kept as an advance. With revaluation a sum's capital is what it is
// worth in the payment's month, and a part paid takes its share of the base
// capital: what is left keeps its own base month.
void pay(Ledger& l, DayNumber day, double amount, const std::wstring& head, const std::wstring& description)
{
    for (Sum& s : l.sums) accrue(l, s, day);
    double left = amount, toCosts = 0, toInterest = 0, toCapital = 0;
    for (Cost& c : l.costs) {
        const double part = std::min(left, c.due);
        c.due -= part;
        toCosts += part;
        left -= part;
    }
    auto toInterestDue = [&] {
        for (Sum& s : l.sums) {
            const double part = std::min(left, s.interestDue);
            s.interestDue -= part;
            toInterest += part;
            left -= part;
        }
    };
    // Damages paid on account go to the capital before the interest.
    if (!l.toCapitalFirst) toInterestDue();
    const YearMonth month = monthOf(day);
    for (Sum& s : l.sums) {
        if (left <= 0) break;
        if (s.capital <= 0) continue;
        const double worth = worthIn(l, s, month);
        const double part = std::min(left, worth);
        // Without revaluation the capital is its worth, in whole units: taken off exactly.
        s.capital = part >= worth ? 0 : l.in.revaluation ? s.capital * ((worth - part) / worth) : s.capital - part;
        toCapital += part;
        left -= part;
    }
    if (l.toCapitalFirst) toInterestDue();
    l.advance += left;
    l.addLine(head + l.amount(amount) + L" \u20ac \u2192 " +
              (l.withCosts ? L"spese " + l.amount(toCosts) + L" \u20ac, " : L"") + L"interessi " + l.amount(toInterest) +
              L" \u20ac, capitale " + l.amount(toCapital) + L" \u20ac" +
              (left > 0 ? L", eccedenza " + l.amount(left) + L" \u20ac" : L"") +
              (description.empty() ? L"" : L" (" + description + L")"));
}

LedgerOutcome failure(const std::wstring& message)
{
    LedgerOutcome out;
    out.text = message;
    return out;
}


// The rate the window has set on INTERESSI, read as INTERESSI reads it.
std::optional<std::wstring> readRate(Ledger& l)
{
    const LedgerInput& in = l.in;
    if (in.source == RateSource::entered) {
        const ParsedNumber rate = parseNumber(in.rateText);
        if (!rate.ok || rate.value < 0 || rate.value > 1000) return std::wstring(L"Tasso base non valido.");
        l.T = rate.value;
    }
    if (in.surchargeApplied) {
        const ParsedNumber surcharge = parseNumber(in.surchargeText);
        if (!surcharge.ok || surcharge.value < 0 || surcharge.value > 100)
            return std::wstring(L"Maggiorazione non valida (0\u2013100 punti).");
        l.M = surcharge.value;
    }
    return std::nullopt;
}

// What the tables must hold for a sum: the reference rate only for
// contracts from 08/08/2002, a rate from the table's first day, an index from
// its first month.
std::optional<std::wstring> tablesCover(const Ledger& l, DayNumber sumDay)
{
    const RateSource source = l.in.source;
    if (source == RateSource::reference && sumDay < dateToDayNumber(lateProvisionsFrom))
        return L"Il D.Lgs. 231/2002 vale per i contratti dal " + formatDate(lateProvisionsFrom) + L".";
    if (source != RateSource::entered && sumDay + 1 < officialRatesFrom(source, l.in.addedRows))
        return L"Tassi ufficiali disponibili dal " +
               formatDate(dayNumberToDate(officialRatesFrom(source, l.in.addedRows))) + L".";
    if (l.in.revaluation && monthOf(sumDay) < foiFirstMonth())
        return L"Indici FOI disponibili da " + monthAbbreviation(foiFirstMonth()) + L".";
    return std::nullopt;
}

std::wstring rateLine(const Ledger& l)
{
    std::wstring line = L"Tasso: ";
    switch (l.in.source) {
    case RateSource::entered:
        line += L"inserito " + percentText(l.T) + L"%";
        break;
    case RateSource::legal:
        line += L"legale (art. 1284 c.c.)";
        break;
    case RateSource::reference:
        line += L"riferimento BCE" + (l.in.surchargeApplied ? L" + " + percentText(l.M) + L" punti" : L"") +
                L" (D.Lgs. 231/2002)";
        return line;
    }
    if (l.in.surchargeApplied) line += L" + maggiorazione " + percentText(l.M) + L" punti";
    return line;
}

std::wstring flooredNote(const std::vector<int>& numbers)
{
    std::vector<int> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    std::wstring list;
    for (int n : sorted) list += (list.empty() ? L"" : L", ") + std::to_wstring(n);
    return sorted.size() == 1 ? L"Indice FOI in calo: il credito n. " + list +
                                    L" resta al valore nominale (art. 1277 c.c.)."
                              : L"Indice FOI in calo: i crediti n. " + list +
                                    L" restano al valore nominale (art. 1277 c.c.).";
}

// How payments are set against the claim.
std::wstring paymentsLine(const Ledger& l)
{
    if (l.toCapitalFirst)
        return l.withCosts ? L"Acconti imputati prima alle spese, poi al capitale rivalutato, poi agli interessi (debito di valore)"
                           : L"Acconti imputati prima al capitale rivalutato, poi agli interessi (debito di valore)";
    return l.withCosts ? L"Acconti imputati prima alle spese e agli interessi, poi al capitale (art. 1194 c.c.)"
                       : L"Acconti imputati prima agli interessi, poi al capitale (art. 1194 c.c.)";
}

// A sum that falls due, and with the late-payment compensation its 40 € as a
// cost of the same day, written under it.
void addSum(Ledger& l, DayNumber day, double amount, const std::wstring& described)
{
    Sum s;
    s.number = static_cast<int>(l.sums.size()) + 1;
    s.date = s.accruedTo = day;
    s.capital = amount;
    s.baseMonth = monthOf(day);
    l.sums.push_back(s);
    l.addLine(L"Credito n. " + std::to_wstring(s.number) + L" del " + dateText(day) + L": " + l.amount(amount) +
              L" \u20ac" + described);
    if (!l.in.compensation) return;
    l.costs.push_back({day, l.units(40)});
    l.addLine(L"Indennizzo n. " + std::to_wstring(s.number) + L" del " + dateText(day) + L": " + l.amount(l.units(40)) +
              L" \u20ac (art. 6 c. 2 D.Lgs. 231/2002)");
}

} // namespace

LedgerOutcome computeLedger(const LedgerInput& in)
{
    Ledger l(in);
    l.scale = std::pow(10.0, in.decimals);
    if (const auto message = readRate(l)) return failure(*message);
    CivilDate to;
    if (!readTypedDate(trimmedText(in.toText), to)) return failure(L"Data Al non valida (gg/mm/aaaa).");
    const DayNumber until = dateToDayNumber(to);
    l.until = until;
    if (!trimmedText(in.lawsuitText).empty()) {
        CivilDate lawsuit;
        if (!readTypedDate(trimmedText(in.lawsuitText), lawsuit)) return failure(L"Data della domanda giudiziale non valida (gg/mm/aaaa).");
        if (dateToDayNumber(lawsuit) < dateToDayNumber(lawsuitRateFrom))
            return failure(L"La domanda giudiziale con il tasso dell'art. 1284 c. 4 c.c. vale dal " +
                           formatDate(lawsuitRateFrom) + L".");
        if (dateToDayNumber(lawsuit) >= until) return failure(L"La domanda giudiziale deve precedere la data Al.");
        l.lawsuit = dateToDayNumber(lawsuit);
    }
    std::vector<LedgerEntry> entries;
    if (const auto message = readEntries(in, until, entries)) return failure(*message);
    bool anyPayment = false;
    for (const LedgerEntry& e : entries) {
        // An amount beyond what whole units keep exact, summed a thousand times.
        if (std::fabs(e.movement.amount) * l.scale > 9e12) return failure(L"Importo fuori intervallo.");
        l.withCosts = l.withCosts || isCost(e.movement) || (in.compensation && e.movement.amount > 0);
        if (e.movement.amount < 0)
            anyPayment = true;
        else if (isCost(e.movement))
            continue;
        else if (const auto message = tablesCover(l, e.day))
            return failure(*message);
    }

    const DayNumber firstDay = entries.front().day;
    l.basePieces.source = in.source;
    if (in.source != RateSource::entered && firstDay < until)
        l.basePieces.pieces = ratePieces(in.source, firstDay, until, in.addedRows);
    if (l.lawsuit) {
        l.lawsuitPieces.source = RateSource::reference;
        l.lawsuitPieces.pieces = ratePieces(RateSource::reference, *l.lawsuit, until, in.addedRows);
    }
    l.lines.reserve(entries.size() * 200);
    l.addLine(L"CONTEGGIO DEL CREDITO al " + formatDate(to));
    if (!trimmedText(in.caseText).empty()) l.addLine(L"Pratica: " + trimmedText(in.caseText));
    l.addLine(rateLine(l));
    const std::wstring warning = rateSetUpWarning(in.source, in.surchargeApplied, l.M);
    if (!warning.empty()) l.addLine(warning);
    if (l.lawsuit)
        l.addLine(L"Dal " + dateText(*l.lawsuit + 1) +
                  L": riferimento BCE + 8 punti (art. 1284 c. 4 c.c., domanda del " + dateText(*l.lawsuit) + L")");
    if (in.revaluation) l.addLine(L"Rivalutazione: ISTAT FOI, mai sotto il valore nominale (art. 1277 c.c.)");
    l.toCapitalFirst = in.paymentsToCapital && in.revaluation;
    if (anyPayment) l.addLine(paymentsLine(l));
    l.addLine(L"");

    int costCount = 0;
    for (const LedgerEntry& e : entries) {
        const std::wstring& description = e.movement.description;
        const std::wstring described = description.empty() ? L"" : L" (" + description + L")";
        // Rounded as it is shown, halves away from zero on its decimal digits.
        const double amount = l.units(roundedValue(e.movement.amount, in.decimals));
        if (e.movement.amount < 0) {
            pay(l, e.day, -amount, L"Acconto del " + dateText(e.day) + L": ", description);
            continue;
        }
        if (isCost(e.movement)) {
            l.costs.push_back({e.day, amount});
            l.addLine(L"Spese n. " + std::to_wstring(++costCount) + L" del " + dateText(e.day) + L": " + l.amount(amount) +
                      L" \u20ac" + described);
        } else {
            addSum(l, e.day, amount, described);
        }
        if (l.advance > 0) {
            const double advance = l.advance;
            l.advance = 0;
            pay(l, e.day, advance, L"Eccedenza imputata il " + dateText(e.day) + L": ", std::wstring());
        }
    }
    for (Sum& s : l.sums) accrue(l, s, until);

    // Each sum's base capital revalued to the month of Al.
    double capital = 0, interest = 0;
    for (const Sum& s : l.sums) {
        if (s.capital > 0) capital += worthIn(l, s, monthOf(until));
        interest += s.interestDue;
    }
    double costs = 0;
    for (const Cost& c : l.costs) costs += c.due;
    const double total = capital + costs + interest;
    if (l.outOfRange || !std::isfinite(total) || total > 9e15) return failure(L"Importo fuori intervallo.");
    l.addLine(L"");
    l.addLine((in.revaluation ? L"Capitale rivalutato: " : L"Capitale: ") + l.amount(capital) + L" \u20ac");
    if (l.withCosts) l.addLine(L"Spese: " + l.amount(costs) + L" \u20ac");
    l.addLine(L"Interessi: " + l.amount(interest) + L" \u20ac");
    l.addLine(L"TOTALE DOVUTO al " + formatDate(to) + L": " + l.amount(total) + L" \u20ac");
    if (l.advance > 0) l.addLine(L"Eccedenza: " + l.amount(l.advance) + L" \u20ac");
    if (!l.floored.empty()) l.addLine(flooredNote(l.floored));
    for (const RateSource source : {RateSource::legal, RateSource::reference}) {
        const std::wstring note =
            unknownRatesNote(source, source == RateSource::legal ? l.unknownLegal : l.unknownReference);
        if (!note.empty()) l.addLine(note);
    }
    if (l.foiPast)
        l.addLine(L"Indice FOI di " + monthAbbreviation(*l.foiPast) + L" non in tabella: usato " +
                  monthAbbreviation(foiLastMonth(in.addedRows)) + L" (ultimo noto).");

    LedgerOutcome out;
    out.ok = true;
    l.lines.resize(l.lines.size() - 2);  // the last line's CR LF
    out.text = std::move(l.lines);
    out.capital = capital / l.scale;
    out.costs = costs / l.scale;
    out.interest = interest / l.scale;
    out.total = total / l.scale;
    out.excess = l.advance / l.scale;
    return out;
}
