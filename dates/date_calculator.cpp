#include "dates/date_calculator.h"

#include <cmath>

#include "text/numtext.h"

LastDateRange lastDateRange;

const wchar_t* const reversedRangeText = L"lavorativi e feste: Al prima di Dal";
const wchar_t* const longRangeText = L"lavorativi e feste: oltre 149.999 gg";

namespace {

DateOutcome failure(const wchar_t* text) { return DateOutcome{false, text}; }

std::wstring integer(long long v) { return std::to_wstring(v); }

DateOutcome deadlineFromEvent(const DateInputs& in, DayNumber start, LastDateRange& range)
{
    range.valid = false;
    range.uncounted = false;
    const DeadlineText deadline = deadlineText(start, in.daysText, in.endOfMonth, in.rule, in.patron, in.today);
    range.prospect = deadline.prospect;
    range.summary = deadline.summary;
    range.due = deadline.due;
    return DateOutcome{deadline.ok, deadline.text};
}

// The days from the start to the end, with the working days and holidays among them.
DateOutcome daysBetween(const DateInputs& in, DayNumber start, LastDateRange& range)
{
    CivilDate endDate;
    if (!parseDate(in.toText, endDate)) return failure(L"Data finale non valida (gg/mm/aaaa)");
    const DayNumber end = dateToDayNumber(endDate);
    range.valid = false;
    range.prospect.clear();
    const std::wstring days = L"Giorni: " + integer(end - start + (in.includeStart ? 1 : 0));
    // A range that is not walked says why instead of showing counts of zero.
    range.uncounted = end < start || end - start > maxCountedSpan;
    if (end < start) return DateOutcome{true, days + L"  |  " + reversedRangeText};
    if (range.uncounted) return DateOutcome{true, days + L"  |  " + longRangeText};

    range.includeStart = in.includeStart;
    range.valid = true;
    range.lastDay = end;
    range.firstDay = in.includeStart ? start : start + 1;
    range.patron = in.patron;
    long long working = 0, holidays = 0, suspended = 0;
    bool emergency = false;
    // A working day is a weekday that is no holiday: one holiday test a day.
    const bool suspensions = in.rule == DeadlineRule::court || in.rule == DeadlineRule::labour;
    for (DayNumber d = range.firstDay; d <= range.lastDay; ++d) {
        const bool holiday = isHoliday(d, in.patron);
        holidays += holiday;
        working += !holiday && weekdayIndex(d) <= 4;
        if (suspensions && isSuspendedDay(d, in.rule)) {
            ++suspended;
            emergency = emergency || isEmergencySuspendedDay(d);
        }
    }
    std::wstring text = days + L"  |  lavorativi: " + integer(working) + L"  |  feste: " + integer(holidays);
    // Court terms do not run in their suspensions: the days that do count.
    if (suspended)
        text += (emergency ? L"  |  al netto delle sospensioni: " : L"  |  al netto della sospensione: ") +
                integer(range.lastDay - range.firstDay + 1 - suspended);
    return DateOutcome{true, text};
}

} // namespace

DateOutcome computeDates(const DateInputs& in, LastDateRange& range)
{
    CivilDate startDate;
    if (!parseDate(in.fromText, startDate)) return failure(L"Data iniziale non valida (gg/mm/aaaa)");
    const DayNumber start = dateToDayNumber(startDate);
    return in.addDays ? deadlineFromEvent(in, start, range) : daysBetween(in, start, range);
}
