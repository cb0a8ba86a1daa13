// The date calculator: days between two dates with working days and holidays,
// or a date a number of days away.
#pragma once

#include <string>

#include "dates/calendar.h"
#include "dates/deadlines.h"

// The last counted range, kept for the day-verification report.
struct LastDateRange {
    bool valid = false;
    bool includeStart = false;
    DayNumber firstDay = 0;  // the start date, or the day after it
    DayNumber lastDay = 0;   // the end date
    MonthDay patron{};       // the patron saint's day the range was counted with
    bool uncounted = false;  // the last count's range was reversed or too long to walk
    std::wstring prospect;   // the last deadline explained line by line; empty after a count
    std::wstring summary;    // and its calendar entry's title
    DayNumber due = 0;       // and its day
};

extern LastDateRange lastDateRange;

// The longest range whose days are counted one by one.
constexpr DayNumber maxCountedSpan = 149999;

// What stands after the day count instead of the counts when the range is
// reversed, or longer than the span that is counted day by day.
extern const wchar_t* const reversedRangeText;
extern const wchar_t* const longRangeText;

struct DateInputs {
    std::wstring fromText;
    std::wstring toText;
    std::wstring daysText;
    bool addDays = false;       // "Aggiungi giorni anziché differenza"
    bool includeStart = false;  // "Includi data iniziale"
    bool endOfMonth = false;    // "Fine mese"
    DeadlineRule rule = DeadlineRule::civil;  // which days close a deadline
    MonthDay patron{};                        // the patron saint's day, a holiday; month 0 for none
    CivilDate today{};                        // the day a deadline's prospect says it was computed
};

struct DateOutcome {
    bool ok = false;
    std::wstring text;  // the result line, or the message
};

// Computes the DATE tab's result line and updates `range` as a difference
// calculation does (an invalid start or end date leaves it untouched).
DateOutcome computeDates(const DateInputs& in, LastDateRange& range);
