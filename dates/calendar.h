// Proleptic Gregorian calendar, Easter and the Italian national holidays.
#pragma once

#include <cstdint>
#include <string>

#include "text/date_text.h"

CivilDate easterSunday(std::int32_t year);

// A day of every year: the feast of the patron saint of the place where the
// program is used (month 0 for none).
struct MonthDay {
    std::int32_t month = 0;
    std::int32_t day = 0;
};

// A national holiday as the law of its period lists them (from 01/06/1949;
// earlier days take that first list), one-year holidays included.
bool isNationalHoliday(DayNumber n);
// The patron saint's day `patron`.
bool isPatronDay(DayNumber n, MonthDay patron);
// A day the law closes: a national holiday, or the patron saint's day where
// the law lists it for its comune (29 June in Rome from 1986).
bool isLegalHoliday(DayNumber n, MonthDay patron);
// A national holiday or the patron saint's day: what the day counts, the
// day report and the calendar treat as a holiday.
bool isHoliday(DayNumber n, MonthDay patron);
// Monday to Friday and no holiday.
bool isWorkingDay(DayNumber n, MonthDay patron);
// The holiday's name ("Natale", "Santi Pietro e Paolo", "Festa patronale");
// empty when the day is no holiday.
std::wstring holidayName(DayNumber n, MonthDay patron);
// The holidays of a month, bit d - 1 for day d.
std::uint32_t holidayDaysOfMonth(std::int32_t year, std::int32_t month, MonthDay patron);

