#include "dates/deadlines.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "text/numtext.h"

namespace {

//--- The rules of law, one row per change

// Saturday closes a court term for acts outside a hearing from this day on
// (art. 155 c.p.c. as amended by L. 263/2005); it never closes a civil term
// (art. 2963 and 1187 c.c.) and always closes a tax deadline (art. 7 c. 2
// lett. l) DL 70/2011; art. 18 D.Lgs. 241/1997).
const CivilDate courtSaturdaysFrom{2006, 3, 1};  // L. 263/2005

// The summer suspension of court terms runs from 1 August to the day given,
// in the years from `fromYear` until the next row's; none before the first.
struct SuspensionRow {
    int fromYear;
    int lastMonth, lastDay;
};
const SuspensionRow suspensionRows[] = {
    {1970, 9, 15},  // L. 742/1969, art. 1 (GU 06/11/1969 n. 281, in force that day): 1 agosto - 15 settembre
    {2015, 8, 31},  // DL 132/2014, conv. L. 162/2014: 1-31 agosto
};

// Court terms suspended by a law for an emergency, one row each: the first
// and the last day not counted, and what a term that meets the days must
// warn of (forward, and counted back towards a hearing).
struct EmergencySuspensionRow {
    CivilDate first, last;
    const wchar_t* law;  // as the prospect cites it
    const wchar_t* forwardWarning;
    const wchar_t* backwardWarning;
};
const EmergencySuspensionRow emergencySuspensionRows[] = {
    // art. 83 c. 2 DL 18/2020 (09/03 - 15/04/2020), extended to 11/05/2020 by art. 36 c. 1 DL 23/2020;
    // the urgent matters of art. 83 c. 3 were not suspended.
    {{2020, 3, 9}, {2020, 5, 11}, L"art. 83 c. 2 DL 18/2020; art. 36 c. 1 DL 23/2020",
     L"Attenzione: sospensione emergenziale 2020 (art. 83 DL 18/2020): non vale per le materie urgenti del c. 3.",
     L"Attenzione: termine a ritroso nella sospensione emergenziale: l'udienza va differita (art. 83 c. 2 DL 18/2020)."},
};

// Tax filings and payments due from 1 to 20 August may be made by 20 August
// without surcharge, from this year on (art. 37 c. 11-bis DL 223/2006, added
// by art. 3-quater DL 16/2012, conv. L. 44/2012).
constexpr int augustTaxDeferralFrom = 2012;
const wchar_t* const augustTaxDeferralSource = L"art. 37 c. 11-bis DL 223/2006";

const wchar_t* const daysMessage = L"Inserisci giorni interi (max 100.000).";
const wchar_t* const termMessage = L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi).";
const wchar_t* const rangeMessage = L"Data fuori intervallo.";

constexpr long long maxDays = 100000, maxWeeks = 14285, maxFreeDays = 99999, maxMonths = 1200, maxYears = 100;

//--- Counting

struct Suspension {
    DayNumber first, last;
    SuspensionKind kind;
};

// Which suspensions a rule skips.
struct Suspensions {
    bool summer = false, emergency = false;
    bool any() const { return summer || emergency; }
};

Suspensions suspensionsOf(DeadlineRule rule)
{
    Suspensions s;
    s.summer = rule == DeadlineRule::court;
    s.emergency = rule == DeadlineRule::court || rule == DeadlineRule::labour;
    return s;
}

// The summer suspension of the year, as the row in force that year sets it.
std::optional<Suspension> summerSuspensionOf(std::int32_t year)
{
    const SuspensionRow* row = nullptr;
    for (const SuspensionRow& r : suspensionRows)
        if (year >= r.fromYear) row = &r;
    if (!row) return std::nullopt;
    return Suspension{dateToDayNumber({year, 8, 1}), dateToDayNumber({year, row->lastMonth, row->lastDay}),
                      SuspensionKind::summer};
}

const EmergencySuspensionRow* emergencyRowAround(DayNumber day)
{
    for (const EmergencySuspensionRow& r : emergencySuspensionRows)
        if (day >= dateToDayNumber(r.first) && day <= dateToDayNumber(r.last)) return &r;
    return nullptr;
}

// The suspension a day lies in, among those the rule skips.
std::optional<Suspension> suspensionAround(DayNumber day, Suspensions active)
{
    if (active.emergency)
        if (const EmergencySuspensionRow* r = emergencyRowAround(day))
            return Suspension{dateToDayNumber(r->first), dateToDayNumber(r->last), SuspensionKind::emergency};
    if (!active.summer) return std::nullopt;
    const auto s = summerSuspensionOf(dayNumberToDate(day).year);
    if (!s || day < s->first || day > s->last) return std::nullopt;
    return s;
}

// The suspended days a count passed over: how many, and their runs.
struct SkippedDays {
    long long count = 0;
    std::vector<SuspensionRun> runs;
    void add(DayNumber day, SuspensionKind kind)
    {
        ++count;
        if (!runs.empty() && runs.back().kind == kind && day == runs.back().last + 1)
            runs.back().last = day;
        else if (!runs.empty() && runs.back().kind == kind && day == runs.back().first - 1)
            runs.back().first = day;
        else
            runs.push_back({day, day, kind});
    }
};

// The day reached after `count` counted days (backwards when negative); the
// days of the suspensions the rule skips are passed over and kept in `skipped`.
DayNumber walkTermDays(DayNumber from, long long count, Suspensions active, SkippedDays& skipped)
{
    if (!active.any()) return from + count;
    const int step = count < 0 ? -1 : 1;
    DayNumber day = from;
    for (long long left = count < 0 ? -count : count; left > 0;) {
        day += step;
        if (const auto s = suspensionAround(day, active))
            skipped.add(day, s->kind);
        else
            --left;
    }
    return day;
}

// The same day number `months` later, or the month's last day when it is shorter.
CivilDate addMonths(const CivilDate& date, long long months)
{
    const long long index = date.year * 12LL + (date.month - 1) + months;
    CivilDate out;
    out.year = static_cast<std::int32_t>(floorDiv(index, 12));
    out.month = static_cast<std::int32_t>(index - out.year * 12LL + 1);
    out.day = std::min(date.day, daysInMonth(out.year, out.month));
    return out;
}

// A term in months on a rule with suspensions: one whose event falls inside
// a suspension runs from its last day (counted back, from its first), and the
// suspended days it spans lengthen it at its end, counted again past any
// suspension they run into. `start` is where the months were counted from.
DayNumber walkTermMonths(DayNumber event, long long months, Suspensions active, SkippedDays& skipped,
                         DayNumber& start)
{
    const bool backward = months < 0;
    const int step = backward ? -1 : 1;
    start = event;
    if (const auto s = suspensionAround(event, active)) {
        start = backward ? s->first : s->last;
        for (DayNumber day = event + step; day != start + step; day += step) skipped.add(day, s->kind);
    }
    const DayNumber plain = dateToDayNumber(addMonths(dayNumberToDate(start), months));
    if (!active.any()) return plain;
    const long long before = skipped.count;
    for (DayNumber day = start + step; day != plain + step; day += step)
        if (const auto s = suspensionAround(day, active)) skipped.add(day, s->kind);
    const long long spanned = skipped.count - before;
    return walkTermDays(plain, backward ? -spanned : spanned, active, skipped);
}

// The number of days a term counts, for the units counted in days.
long long countedDays(const Term& term)
{
    switch (term.unit) {
    case TermUnit::weeks: return 7 * term.count;
    case TermUnit::freeDays: return term.count + (term.count < 0 ? -1 : 1);
    default: return term.count;
    }
}

//--- Text

bool isAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// Latin letters, accented ones too ("6 settimane", "più"); not "×" or "÷".
bool isLetter(wchar_t c) { return isAsciiLetter(c) || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7); }

std::wstring lowerCase(std::wstring text)
{
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

// The unit a term's words name, or nothing: "mesi", "gg", "giorni liberi".
std::optional<TermUnit> unitOf(const std::wstring& word, const std::wstring& second)
{
    const bool day = word == L"giorni" || word == L"giorno" || word == L"gg" || word == L"g";
    const bool free = second == L"liberi" || second == L"libero";
    if (day && free) return TermUnit::freeDays;
    if (!second.empty()) return std::nullopt;
    if (day) return TermUnit::days;
    if (word == L"liberi" || word == L"libero") return TermUnit::freeDays;
    if (word == L"settimana" || word == L"settimane") return TermUnit::weeks;
    if (word == L"mese" || word == L"mesi") return TermUnit::months;
    if (word == L"anno" || word == L"anni") return TermUnit::years;
    return std::nullopt;
}

long long maxCount(TermUnit unit)
{
    switch (unit) {
    case TermUnit::days: return maxDays;
    case TermUnit::weeks: return maxWeeks;
    case TermUnit::freeDays: return maxFreeDays;
    case TermUnit::months: return maxMonths;
    default: return maxYears;
    }
}

// "6 mesi", "1anno", "-2 MESI", "60 gg", "20 giorni liberi": a whole number
// and a unit of one or two words, blanks around them. Nothing when the text
// has another form; a term beyond the limits reads as not ok.
std::optional<TermReading> readCountAndUnit(const std::wstring& text)
{
    size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
    };
    // A word, and the point after an abbreviation: "gg.", "g.".
    auto word = [&] {
        const size_t from = pos;
        while (pos < text.size() && isAsciiLetter(text[pos])) ++pos;
        const std::wstring w = lowerCase(text.substr(from, pos - from));
        if (pos < text.size() && text[pos] == L'.' && (w == L"gg" || w == L"g")) ++pos;
        return w;
    };
    skipBlanks();
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) negative = text[pos++] == L'-';
    if (pos >= text.size() || !isAsciiDigit(text[pos])) return std::nullopt;
    long long count = 0;
    for (; pos < text.size() && isAsciiDigit(text[pos]); ++pos) {
        count = std::min(count * 10 + (text[pos] - L'0'), 1000000LL);  // far beyond any limit
        // A thousands point, as the limits are written: "1.000 giorni".
        if (pos + 4 < text.size() && text[pos + 1] == L'.' && isAsciiDigit(text[pos + 2]) &&
            isAsciiDigit(text[pos + 3]) && isAsciiDigit(text[pos + 4]) &&
            (pos + 5 == text.size() || !isAsciiDigit(text[pos + 5])))
            ++pos;
    }
    skipBlanks();
    const std::wstring first = word();
    skipBlanks();
    const std::wstring second = word();
    skipBlanks();
    if (pos != text.size() || first.empty()) return std::nullopt;
    const std::optional<TermUnit> unit = unitOf(first, second);
    if (!unit) return std::nullopt;
    TermReading reading;
    reading.term = {*unit, negative ? -count : count};
    reading.ok = count <= maxCount(*unit);
    if (!reading.ok) reading.message = *unit == TermUnit::days ? daysMessage : termMessage;
    return reading;
}

// The term as the result names it: "30 giorni", "1 giorno", "3 settimane",
// "-20 giorni liberi", "6 mesi".
std::wstring termCountText(const Term& term)
{
    const bool one = term.count == 1 || term.count == -1;
    const wchar_t* unit = L"";
    switch (term.unit) {
    case TermUnit::days: unit = one ? L" giorno" : L" giorni"; break;
    case TermUnit::weeks: unit = one ? L" settimana" : L" settimane"; break;
    case TermUnit::freeDays: unit = one ? L" giorno libero" : L" giorni liberi"; break;
    case TermUnit::months: unit = one ? L" mese" : L" mesi"; break;
    case TermUnit::years: unit = one ? L" anno" : L" anni"; break;
    }
    return std::to_wstring(term.count) + unit;
}

// Why a day is closed: the holiday the law closes it for, as it is written,
// else its weekday.
std::wstring closedReason(DayNumber day, MonthDay patron)
{
    return isLegalHoliday(day, patron) ? holidayName(day, patron) : weekdayInLowerCase(day);
}

bool inYearRange(DayNumber day)
{
    const std::int32_t year = dayNumberToDate(day).year;
    return year >= firstYear && year <= lastYear;
}

// The day by which a tax deadline from 1 to 19 August may be met, when the
// August deferral applies: 20 August, moved off a closed day.
std::optional<DayNumber> augustPaymentDay(DayNumber due, DeadlineRule rule, MonthDay patron)
{
    const CivilDate d = dayNumberToDate(due);
    if (rule != DeadlineRule::tax || d.year < augustTaxDeferralFrom || d.month != 8 || d.day > 19)
        return std::nullopt;
    DayNumber day = dateToDayNumber({d.year, 8, 20});
    while (isClosedDay(day, rule, patron)) ++day;
    return day;
}

const wchar_t* suspensionName(SuspensionKind kind)
{
    return kind == SuspensionKind::summer ? L"sospensione feriale" : L"sospensione emergenziale";
}

std::wstring runLine(const SuspensionRun& run)
{
    const long long days = run.last - run.first + 1;
    std::wstring name = suspensionName(run.kind);
    name[0] = L'S';
    // The summer suspension's law is cited on the rule's line; an emergency's here.
    if (run.kind == SuspensionKind::emergency) name += L" (" + std::wstring(emergencyRowAround(run.first)->law) + L")";
    return name + L": " + formatDate(dayNumberToDate(run.first)) + L" \u2013 " +
           formatDate(dayNumberToDate(run.last)) + L" (" + std::to_wstring(days) +
           (days == 1 ? L" giorno non contato)" : L" giorni non contati)");
}

} // namespace

std::wstring deadlineRuleLine(DeadlineRule rule)
{
    static const wchar_t* const laws[deadlineRuleCount] = {
        L"art. 2963 c.c.", L"art. 155 c.p.c.; sospensione feriale L. 742/1969",
        L"art. 18 D.Lgs. 241/1997; art. 7 c. 2 lett. l) DL 70/2011", L"art. 155 c.p.c.; senza sospensione feriale, art. 3 L. 742/1969"};
    return L"Regola: " + lowerCase(deadlineRuleName(rule)) + L" (" + laws[static_cast<int>(rule)] + L")";
}

const wchar_t* deadlineRuleName(DeadlineRule rule)
{
    static const wchar_t* const names[deadlineRuleCount] = {L"Civile", L"Processuale", L"Fiscale", L"Lavoro"};
    return names[static_cast<int>(rule)];
}

const wchar_t* deadlineRuleChoice(DeadlineRule rule)
{
    if (rule == DeadlineRule::tax) return L"Fiscale (versamenti e adempimenti)";
    return rule == DeadlineRule::labour ? L"Lavoro (senza sospensione feriale)" : deadlineRuleName(rule);
}

bool isSuspendedDay(DayNumber day, DeadlineRule rule)
{
    return suspensionAround(day, suspensionsOf(rule)).has_value();
}

bool isEmergencySuspendedDay(DayNumber day) { return emergencyRowAround(day) != nullptr; }

bool isClosedDay(DayNumber day, DeadlineRule rule, MonthDay patron)
{
    const int weekday = weekdayIndex(day);
    if (weekday == 6 || isLegalHoliday(day, patron)) return true;
    if (weekday != 5) return false;
    if (rule == DeadlineRule::tax) return true;
    return (rule == DeadlineRule::court || rule == DeadlineRule::labour) && day >= dateToDayNumber(courtSaturdaysFrom);
}

TermReading readTerm(const std::wstring& text)
{
    if (const auto reading = readCountAndUnit(text)) return *reading;
    const ParsedNumber days = parseNumberWithoutExponent(text);
    TermReading reading;
    if (days.ok) {
        // !(|k| <= limit) also turns away NaN.
        reading.ok = days.value == std::floor(days.value) && std::fabs(days.value) <= maxDays;
        reading.term.count = reading.ok ? static_cast<long long>(days.value) : 0;
        if (!reading.ok) reading.message = daysMessage;
        return reading;
    }
    bool letter = false;
    for (wchar_t c : text) letter = letter || isLetter(c);
    reading.message = letter ? termMessage : daysMessage;
    return reading;
}

Deadline deadlineFor(DayNumber event, const Term& term, bool endOfMonth, DeadlineRule rule, MonthDay patron)
{
    const Suspensions active = suspensionsOf(rule);
    Deadline out;
    SkippedDays skipped;
    const int direction = term.count < 0 ? -1 : 1;
    DayNumber start = event;  // where the count runs from: past a suspension the event falls in, for months
    if (term.unit == TermUnit::months || term.unit == TermUnit::years) {
        out.counted = walkTermMonths(event, term.unit == TermUnit::years ? 12 * term.count : term.count, active,
                                     skipped, start);
    } else {
        out.counted = walkTermDays(event, countedDays(term), active, skipped);
    }
    // The first day the count takes, past the suspended days it begins in.
    SkippedDays first;
    out.firstCounted = walkTermDays(start, direction, active, first);
    out.reached = out.counted;
    if (endOfMonth) {
        CivilDate end = dayNumberToDate(out.reached);
        end.day = daysInMonth(end.year, end.month);
        out.reached = dateToDayNumber(end);
    }
    // Days of the suspension are open: the move takes the nearer, safe date.
    const int step = term.count < 0 ? -1 : 1;
    for (out.due = out.reached; isClosedDay(out.due, rule, patron);) out.due += step;
    out.suspendedSkipped = skipped.count;
    out.suspensionRuns = std::move(skipped.runs);
    return out;
}

std::wstring deadlineWarnings(const Deadline& d, bool backward, MonthDay patron)
{
    std::wstring lines;
    for (const SuspensionRun& run : d.suspensionRuns)
        if (run.kind == SuspensionKind::emergency) {
            const EmergencySuspensionRow* row = emergencyRowAround(run.first);
            lines += L"\r\n" + std::wstring(backward ? row->backwardWarning : row->forwardWarning);
            break;
        }
    if (isPatronDay(d.due, patron)) lines += L"\r\nAttenzione: " + weekdayAndDate(d.due) + L" \u00e8 festa patronale.";
    return lines;
}

DeadlineText deadlineText(DayNumber event, const std::wstring& termText, bool endOfMonth, DeadlineRule rule,
                          MonthDay patron, const CivilDate& today)
{
    const TermReading reading = readTerm(termText);
    DeadlineText refused;
    refused.text = reading.ok ? rangeMessage : reading.message;
    if (!reading.ok) return refused;
    const Deadline d = deadlineFor(event, reading.term, endOfMonth, rule, patron);
    if (!inYearRange(d.counted) || !inYearRange(d.reached) || !inYearRange(d.due) || !inYearRange(d.firstCounted))
        return refused;
    const std::wstring term = termCountText(reading.term), ruleName = lowerCase(deadlineRuleName(rule));

    // Each suspension's days, in the order the count met them.
    std::vector<std::pair<SuspensionKind, long long>> skipped;
    for (const SuspensionRun& run : d.suspensionRuns) {
        auto it = std::find_if(skipped.begin(), skipped.end(), [&](const auto& k) { return k.first == run.kind; });
        if (it == skipped.end()) it = skipped.insert(skipped.end(), {run.kind, 0});
        it->second += run.last - run.first + 1;
    }
    std::wstring bracket = term;
    for (const auto& [kind, days] : skipped) bracket += L" + " + std::to_wstring(days) + L" di " + suspensionName(kind);
    if (endOfMonth) bracket += L", fine mese";
    bracket += L", " + ruleName;
    std::wstring text = L"Scadenza: " + weekdayAndDate(d.reached) + L"  (" + bracket + L")";
    if (d.due != d.reached) text += L"\r\n\u2192 " + weekdayAndDate(d.due) + L" (" + closedReason(d.reached, patron) + L")";
    std::wstring after = deadlineWarnings(d, reading.term.count < 0, patron);  // the result and the prospect share them
    if (const auto payBy = augustPaymentDay(d.due, rule, patron))
        after += L"\r\n\u2192 versamenti entro " + weekdayAndDate(*payBy) + L" (" + augustTaxDeferralSource + L")";
    text += after;

    std::wstring prospect = L"TERMINE: " + term + L" da " + weekdayAndDate(event) + L"\r\n" + deadlineRuleLine(rule);
    if (reading.term.count != 0) prospect += L"\r\nPrimo giorno contato: " + weekdayAndDate(d.firstCounted);
    for (const SuspensionRun& run : d.suspensionRuns) prospect += L"\r\n" + runLine(run);
    prospect += L"\r\nUltimo giorno del termine: " + weekdayAndDate(d.counted);
    if (endOfMonth) prospect += L"\r\nFine mese: " + weekdayAndDate(d.reached);
    if (d.due != d.reached) {
        prospect += L"\r\nGiorni non utili: ";
        const int step = d.due > d.reached ? 1 : -1;
        for (DayNumber day = d.reached; day != d.due; day += step)
            prospect += (day == d.reached ? L"" : L", ") + weekdayAndDate(day);
    }
    prospect += after + L"\r\nSCADENZA: " + weekdayAndDate(d.due) + L"\r\n\r\nCalcolato il " + formatDate(today);
    const std::wstring summary = L"Scadenza: " + term + L" da " + weekdayAndDate(event) + L" (" + ruleName + L")";
    return {true, text, prospect, summary, d.due};
}
