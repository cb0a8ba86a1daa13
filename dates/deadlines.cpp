#include "dates/deadlines.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

#include "calc/numtext.h"

namespace {

//--- The rules of law, one row per change

// Saturday closes a court term for acts outside a hearing from this day on
// (art. 155 c.p.c. as amended by L. 263/2005); it never closes a civil term
// (art. 2963 and 1187 c.c.) and always closes a tax deadline (art. 7
// DL 70/2011; art. 18 D.Lgs. 241/1997).
const CivilDate courtSaturdaysFrom{2006, 3, 1};  // L. 263/2005

// The summer suspension of court terms runs from 1 August to the day given,
// in the years from `fromYear` until the next row's.
struct SuspensionRow {
    int fromYear;
    int lastMonth, lastDay;
};
const SuspensionRow suspensionRows[] = {
    {INT_MIN, 9, 15},  // L. 742/1969, art. 1: 1 agosto - 15 settembre
    {2015, 8, 31},     // DL 132/2014, conv. L. 162/2014: 1-31 agosto
};

const wchar_t* const daysMessage = L"Inserisci giorni interi (max 100.000).";
const wchar_t* const termMessage = L"Inserisci giorni interi (max 100.000) o mesi/anni (es. 6 mesi).";
const wchar_t* const rangeMessage = L"Data fuori intervallo.";

constexpr long long maxDays = 100000, maxMonths = 1200, maxYears = 100;

//--- Counting

struct Suspension {
    DayNumber first, last;
};

// The suspension of the year, as the row in force that year sets it.
Suspension suspensionOf(std::int32_t year)
{
    const SuspensionRow* row = &suspensionRows[0];
    for (const SuspensionRow& r : suspensionRows)
        if (year >= r.fromYear) row = &r;
    return {dateToDayNumber({year, 8, 1}), dateToDayNumber({year, row->lastMonth, row->lastDay})};
}

std::optional<Suspension> suspensionAround(DayNumber day)
{
    const Suspension s = suspensionOf(dayNumberToDate(day).year);
    if (day < s.first || day > s.last) return std::nullopt;
    return s;
}

// The day reached after `count` counted days (backwards when negative); with
// the suspension on, its days are passed over and added to `suspendedSkipped`.
DayNumber walkTermDays(DayNumber from, long long count, bool suspension, long long& suspendedSkipped)
{
    if (!suspension) return from + count;
    const int step = count < 0 ? -1 : 1;
    DayNumber day = from;
    for (long long left = count < 0 ? -count : count; left > 0;) {
        day += step;
        if (isSuspendedDay(day))
            ++suspendedSkipped;
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

// A term in months on the court rule: one whose event falls inside the
// suspension runs from its last day (counted back, from its first), and the
// suspended days it spans lengthen it at its end, counted again past any
// suspension they run into.
DayNumber walkTermMonths(DayNumber event, long long months, bool suspension, long long& suspendedSkipped)
{
    const bool backward = months < 0;
    DayNumber start = event;
    if (suspension)
        if (const auto s = suspensionAround(event)) {
            start = backward ? s->first : s->last;
            suspendedSkipped += backward ? event - start : start - event;
        }
    const DayNumber plain = dateToDayNumber(addMonths(dayNumberToDate(start), months));
    if (!suspension) return plain;
    long long spanned = 0;
    for (DayNumber day = std::min(start, plain); day <= std::max(start, plain); ++day)
        if (day != start && isSuspendedDay(day)) ++spanned;
    suspendedSkipped += spanned;
    return walkTermDays(plain, backward ? -spanned : spanned, true, suspendedSkipped);
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

// "6 mesi", "1anno", "-2 MESI": a whole number and a unit, blanks around
// them. Nothing when the text has another form; a term beyond the limits
// reads as not ok.
std::optional<TermReading> readMonthsOrYears(const std::wstring& text)
{
    size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
    };
    skipBlanks();
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) negative = text[pos++] == L'-';
    if (pos >= text.size() || !isAsciiDigit(text[pos])) return std::nullopt;
    long long count = 0;
    for (; pos < text.size() && isAsciiDigit(text[pos]); ++pos)
        count = std::min(count * 10 + (text[pos] - L'0'), 1000000LL);  // far beyond any limit
    skipBlanks();
    size_t end = pos;
    while (end < text.size() && isAsciiLetter(text[end])) ++end;
    const std::wstring word = lowerCase(text.substr(pos, end - pos));
    pos = end;
    skipBlanks();
    if (pos != text.size()) return std::nullopt;
    TermReading reading;
    if (word == L"mese" || word == L"mesi")
        reading.term.unit = TermUnit::months;
    else if (word == L"anno" || word == L"anni")
        reading.term.unit = TermUnit::years;
    else
        return std::nullopt;
    reading.ok = count <= (reading.term.unit == TermUnit::months ? maxMonths : maxYears);
    reading.term.count = negative ? -count : count;
    if (!reading.ok) reading.message = termMessage;
    return reading;
}

std::wstring termCountText(const Term& term)
{
    const bool one = term.count == 1 || term.count == -1;
    const wchar_t* unit = term.unit == TermUnit::days     ? L" giorni"
                          : term.unit == TermUnit::months ? (one ? L" mese" : L" mesi")
                                                          : (one ? L" anno" : L" anni");
    return std::to_wstring(term.count) + unit;
}

// Why a day is closed: its holiday, else its weekday.
std::wstring closedReason(DayNumber day)
{
    const std::wstring holiday = holidayName(day);
    return holiday.empty() ? weekdayInLowerCase(day) : lowerCase(holiday);
}

bool inYearRange(DayNumber day)
{
    const std::int32_t year = dayNumberToDate(day).year;
    return year >= firstYear && year <= lastYear;
}

} // namespace

const wchar_t* deadlineRuleName(DeadlineRule rule)
{
    static const wchar_t* const names[deadlineRuleCount] = {L"Civile", L"Processuale", L"Fiscale"};
    return names[static_cast<int>(rule)];
}

bool isSuspendedDay(DayNumber day) { return suspensionAround(day).has_value(); }

bool isClosedDay(DayNumber day, DeadlineRule rule)
{
    const int weekday = weekdayIndex(day);
    if (weekday == 6 || isNationalHoliday(day)) return true;
    if (weekday != 5) return false;
    if (rule == DeadlineRule::tax) return true;
    return rule == DeadlineRule::court && day >= dateToDayNumber(courtSaturdaysFrom);
}

TermReading readTerm(const std::wstring& text)
{
    if (const auto reading = readMonthsOrYears(text)) return *reading;
    const ParsedNumber days = parseNumber(text);
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

Deadline deadlineFor(DayNumber event, const Term& term, bool endOfMonth, DeadlineRule rule)
{
    const bool suspension = rule == DeadlineRule::court;
    Deadline out;
    if (term.unit == TermUnit::days)
        out.reached = walkTermDays(event, term.count, suspension, out.suspendedSkipped);
    else
        out.reached = walkTermMonths(event, term.unit == TermUnit::years ? 12 * term.count : term.count,
                                     suspension, out.suspendedSkipped);
    if (endOfMonth) {
        CivilDate end = dayNumberToDate(out.reached);
        end.day = daysInMonth(end.year, end.month);
        out.reached = dateToDayNumber(end);
    }
    // Days of the suspension are open: the move takes the nearer, safe date.
    const int step = term.count < 0 ? -1 : 1;
    for (out.due = out.reached; isClosedDay(out.due, rule);) out.due += step;
    return out;
}

DeadlineText deadlineText(DayNumber event, const std::wstring& termText, bool endOfMonth, DeadlineRule rule)
{
    const TermReading reading = readTerm(termText);
    if (!reading.ok) return {false, reading.message};
    const Deadline d = deadlineFor(event, reading.term, endOfMonth, rule);
    if (!inYearRange(d.reached) || !inYearRange(d.due)) return {false, rangeMessage};
    std::wstring text = L"Scadenza: " + weekdayAndDate(d.reached) + L"  (" + termCountText(reading.term);
    if (d.suspendedSkipped) text += L" + " + std::to_wstring(d.suspendedSkipped) + L" di sospensione feriale";
    text += L")";
    if (d.due != d.reached) text += L"\r\n\u2192 " + weekdayAndDate(d.due) + L" (" + closedReason(d.reached) + L")";
    return {true, text};
}
