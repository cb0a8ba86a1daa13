// The civil date, its day number and its text: dates as the fields read
// and write them, for every tool.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct CivilDate {
    std::int32_t year = 1970;
    std::int32_t month = 1;  // 1 to 12
    std::int32_t day = 1;    // 1 to the month's length
};

// Days counted from 01/01/1970 = 0; consecutive dates, consecutive numbers.
using DayNumber = std::int64_t;

constexpr int firstYear = 1600;  // dates read from text lie in these years
constexpr int lastYear = 9999;

// Floor division for a positive divisor.
std::int64_t floorDiv(std::int64_t a, std::int64_t b);

// 1 for January to June, 2 for July to December.
int halfYear(const CivilDate& date);

// A year written with two digits: 00-49 the 2000s, 50-99 the 1900s.
int yearOfTwoDigits(int yy);

bool isLeapYear(std::int32_t year);
int daysInMonth(std::int32_t year, std::int32_t month);

// Conversions assume a valid date; validity is checked where text becomes a date.
DayNumber dateToDayNumber(const CivilDate& date);
CivilDate dayNumberToDate(DayNumber n);

// 0 = Monday ... 6 = Sunday.
int weekdayIndex(DayNumber n);
extern const wchar_t* const weekdayNames[7];

// Today's date from the system clock; tests may point it elsewhere.
extern CivilDate (*todayDate)();

// "oggi", in any case and with blanks around it, is today's date;
// otherwise "gg/mm/aaaa", or with "." or "-" as the separator (the same one twice),
// numbers with optional signs, leading zeros and blanks as a C scanf of
// " %d/%d/%d" reads them; a year of two digits is taken as the quick form
// takes it (66 is 1966, 26 is 2026). out is written only on success.
bool parseDate(const std::wstring& text, CivilDate& out);
std::wstring formatDate(const CivilDate& date);
// The weekday in lower case, as it stands inside a sentence: "sabato".
std::wstring weekdayInLowerCase(DayNumber day);
// The weekday in lower case and the date: "sabato 19/09/2026".
std::wstring weekdayAndDate(DayNumber day);
// The strict form of a typed date ("131066" → "13/10/1966", "oggi" → today's
// date), or nothing when the text is to stay as typed.
std::optional<std::wstring> normaliseDateText(const std::wstring& text);

// A date as a date field reads it, in its quick forms too: "01/03/2024",
// "010324", "oggi". out is written only on success.
bool readTypedDate(const std::wstring& text, CivilDate& out);
