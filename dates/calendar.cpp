#include "dates/calendar.h"

#include <climits>

#include "calc/numtext.h"

const wchar_t* const weekdayNames[7] = {L"Lunedì",  L"Martedì", L"Mercoledì", L"Giovedì",
                                         L"Venerdì", L"Sabato",  L"Domenica"};

namespace {

const int monthLengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

struct FixedHoliday {
    int month;  // 1 to 12
    int day;
    int fromYear;  // the first year in which the day is a holiday
    const wchar_t* name;
};

constexpr FixedHoliday fixedHolidays[] = {
    {1, 1, INT_MIN, L"Capodanno"},     {1, 6, INT_MIN, L"Epifania"},
    {4, 25, INT_MIN, L"Liberazione"},  {5, 1, INT_MIN, L"Festa del lavoro"},
    {6, 2, INT_MIN, L"Repubblica"},    {8, 15, INT_MIN, L"Ferragosto"},
    {10, 4, 2026, L"San Francesco"},   {11, 1, INT_MIN, L"Ognissanti"},
    {12, 8, INT_MIN, L"Immacolata"},   {12, 25, INT_MIN, L"Natale"},
    {12, 26, INT_MIN, L"Santo Stefano"},
};

// Per month, a bit for every day that is a fixed holiday in some year: the
// walk over a long range tests one bit for most days.
struct FixedHolidayMask {
    std::uint32_t days[13] = {};
};

constexpr FixedHolidayMask makeFixedHolidayMask()
{
    FixedHolidayMask mask;
    for (const FixedHoliday& h : fixedHolidays) mask.days[h.month] |= std::uint32_t{1} << h.day;
    return mask;
}

constexpr FixedHolidayMask fixedHolidayMask = makeFixedHolidayMask();

const FixedHoliday* fixedHolidayOn(const CivilDate& d)
{
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 ||
        !((fixedHolidayMask.days[d.month] >> d.day) & 1))
        return nullptr;
    for (const FixedHoliday& h : fixedHolidays)
        if (h.month == d.month && h.day == d.day && d.year >= h.fromYear) return &h;
    return nullptr;
}

bool isValidDate(std::int64_t year, std::int64_t month, std::int64_t day)
{
    if (year < firstYear || year > lastYear || month < 1 || month > 12) return false;
    return day >= 1 && day <= daysInMonth(static_cast<std::int32_t>(year),
                                          static_cast<std::int32_t>(month));
}

bool isDateSeparator(wchar_t c) { return c == L'/' || c == L'.' || c == L'-'; }

// One "%d" conversion: blanks, an optional sign, at least one digit.
// A number outside 32 bits fails the conversion.
bool scanInt(const std::wstring& t, size_t& pos, std::int64_t& out)
{
    while (pos < t.size() && isBlank(t[pos])) ++pos;
    bool negative = false;
    if (pos < t.size() && (t[pos] == L'+' || t[pos] == L'-')) negative = t[pos++] == L'-';
    if (pos >= t.size() || !isAsciiDigit(t[pos])) return false;
    std::int64_t value = 0;
    while (pos < t.size() && isAsciiDigit(t[pos])) {
        value = value * 10 + (t[pos++] - L'0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1) return false;
    }
    value = negative ? -value : value;
    if (value > INT_MAX || value < INT_MIN) return false;
    out = value;
    return true;
}

} // namespace

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return (a >= 0 ? a : a - (b - 1)) / b;
}

int halfYear(const CivilDate& date) { return date.month <= 6 ? 1 : 2; }

int yearOfTwoDigits(int yy) { return yy <= 49 ? 2000 + yy : 1900 + yy; }

bool isLeapYear(std::int32_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(std::int32_t year, std::int32_t month)
{
    if (month == 2 && isLeapYear(year)) return 29;
    return (month >= 1 && month <= 12) ? monthLengths[month] : 0;
}

DayNumber dateToDayNumber(const CivilDate& date)
{
    const std::int64_t y = static_cast<std::int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;                                        // [0, 399]
    const std::int64_t mp = date.month > 2 ? date.month - 3 : date.month + 9;       // [0, 11]
    const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;                     // [0, 365]
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                 // [0, 146096]
    return era * 146097 + doe - 719468;
}

CivilDate dayNumberToDate(DayNumber n)
{
    const std::int64_t z = n + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    // Within an era everything is small and unsigned, which keeps the
    // divisions by constants cheap on the long walks of the day counter.
    const auto doe = static_cast<std::uint32_t>(z - era * 146097);                  // [0, 146096]
    const std::uint32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365; // [0, 399]
    const std::uint32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);               // [0, 365]
    const std::uint32_t mp = (5 * doy + 2) / 153;                                    // [0, 11]
    CivilDate d;
    d.day = static_cast<std::int32_t>(doy - (153 * mp + 2) / 5 + 1);
    d.month = static_cast<std::int32_t>(mp < 10 ? mp + 3 : mp - 9);
    d.year = static_cast<std::int32_t>(static_cast<std::int64_t>(yoe) + era * 400 +
                                       (d.month <= 2 ? 1 : 0));
    return d;
}

int weekdayIndex(DayNumber n)
{
    int r = static_cast<int>((n + 3) % 7);
    return r < 0 ? r + 7 : r;
}

CivilDate easterSunday(std::int32_t year)
{
    // Anonymous Gregorian algorithm (Meeus/Jones/Butcher).
    const int y = year;
    const int a = y % 19, b = y / 100, c = y % 100;
    const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = ((32 + 2 * e + 2 * i - h - k) % 7 + 7) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int t = h + l - 7 * m + 114;
    return CivilDate{year, t / 31, t % 31 + 1};
}

namespace {

// A day's place in its year counted from 1 March (0 = 1 March, 305 =
// 1 January, 365 = 29 February): every month but February has the same
// offset in every year, so one mask of 366 bits marks the fixed holidays.
constexpr int marchDayOfYear(int month, int day)
{
    return (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
}

struct MarchYearMask {
    std::uint64_t words[6] = {};
};

constexpr MarchYearMask makeMarchYearMask()
{
    MarchYearMask mask;
    for (const FixedHoliday& h : fixedHolidays) {
        const int doy = marchDayOfYear(h.month, h.day);
        mask.words[doy / 64] |= std::uint64_t{1} << (doy % 64);
    }
    return mask;
}

constexpr MarchYearMask fixedHolidayDays = makeMarchYearMask();
constexpr int sanFrancescoDay = marchDayOfYear(10, 4);
constexpr int firstEasterDay = marchDayOfYear(3, 22);  // Easter Sunday: 22/03 to 25/04
constexpr int lastEasterMonday = marchDayOfYear(4, 26);

} // namespace

bool isNationalHoliday(DayNumber n)
{
    // The same steps as dayNumberToDate, stopping at the day of the year:
    // the long walks of the day counter call this once a day.
    // Within the era, year and day come from two multiplications (Neri and
    // Schneider's Euclidean affine form of the same computation).
    const std::int64_t z = n + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const auto doe = static_cast<std::uint32_t>(z - era * 146097);   // [0, 146096]
    const std::uint32_t n1 = 4 * doe + 3;
    const std::uint32_t century = n1 / 146097;                          // [0, 3]
    const std::uint32_t n2 = (n1 % 146097) | 3;                         // 4 * day of century + 3
    const std::uint64_t p2 = std::uint64_t{2939745} * n2;
    const auto yoe = static_cast<std::uint32_t>(100 * century + (p2 >> 32));           // [0, 399]
    const auto doy = static_cast<int>(static_cast<std::uint32_t>(p2) / 2939745 / 4);  // [0, 365]
    const auto year = [&] { return static_cast<std::int64_t>(yoe) + era * 400 + (doy >= 306 ? 1 : 0); };
    if ((fixedHolidayDays.words[doy / 64] >> (doy % 64)) & 1) {
        if (doy != sanFrancescoDay) return true;
        for (const FixedHoliday& h : fixedHolidays)
            if (h.month == 10 && h.day == 4) return year() >= h.fromYear;
    }
    if (doy < firstEasterDay || doy > lastEasterMonday) return false;
    const CivilDate easter = easterSunday(static_cast<std::int32_t>(year()));
    const int easterDay = marchDayOfYear(easter.month, easter.day);
    return doy == easterDay || doy == easterDay + 1;
}

bool isWorkingDay(DayNumber n)
{
    return weekdayIndex(n) <= 4 && !isNationalHoliday(n);
}

std::wstring holidayName(DayNumber n)
{
    const CivilDate d = dayNumberToDate(n);
    if (const FixedHoliday* h = fixedHolidayOn(d)) return h->name;
    if (d.month != 3 && d.month != 4) return std::wstring();
    const DayNumber easter = dateToDayNumber(easterSunday(d.year));
    if (n == easter) return L"Pasqua";
    if (n == easter + 1) return L"Pasquetta";
    return std::wstring();
}

std::uint32_t holidayDaysOfMonth(std::int32_t year, std::int32_t month)
{
    std::uint32_t days = 0;
    const DayNumber first = dateToDayNumber({year, month, 1});
    for (int d = 0; d < daysInMonth(year, month); ++d)
        if (isNationalHoliday(first + d)) days |= std::uint32_t{1} << d;
    return days;
}

bool parseDate(const std::wstring& text, CivilDate& out)
{
    size_t pos = 0;
    std::int64_t day = 0, month = 0, year = 0;
    if (!scanInt(text, pos, day)) return false;
    // "/", "." or "-", the same twice.
    if (pos >= text.size() || !isDateSeparator(text[pos])) return false;
    const wchar_t separator = text[pos++];
    if (!scanInt(text, pos, month)) return false;
    if (pos >= text.size() || text[pos++] != separator) return false;
    size_t yearFrom = pos;
    while (yearFrom < text.size() && isBlank(text[yearFrom])) ++yearFrom;
    if (!scanInt(text, pos, year)) return false;
    if (pos == yearFrom + 2 && isAsciiDigit(text[yearFrom])) year = yearOfTwoDigits(static_cast<int>(year));
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    if (pos != text.size()) return false;  // anything after the year
    if (!isValidDate(year, month, day)) return false;
    out = CivilDate{static_cast<std::int32_t>(year), static_cast<std::int32_t>(month),
                    static_cast<std::int32_t>(day)};
    return true;
}

std::wstring formatDate(const CivilDate& date)
{
    // "%02d/%02d/%04d": zero-padded to the width, wider numbers in full.
    auto field = [](std::int32_t v, size_t width) {
        std::int64_t magnitude = v < 0 ? -static_cast<std::int64_t>(v) : v;
        std::wstring digits;
        do {
            digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
            magnitude /= 10;
        } while (magnitude > 0);
        size_t signWidth = v < 0 ? 1u : 0u;
        if (digits.size() + signWidth < width)
            digits.insert(0, width - digits.size() - signWidth, L'0');
        return v < 0 ? L"-" + digits : digits;
    };
    return field(date.day, 2) + L"/" + field(date.month, 2) + L"/" + field(date.year, 4);
}

std::wstring weekdayInLowerCase(DayNumber day)
{
    std::wstring weekday = weekdayNames[weekdayIndex(day)];
    weekday[0] = static_cast<wchar_t>(weekday[0] - L'A' + L'a');  // every name starts with an ASCII capital
    return weekday;
}

std::wstring weekdayAndDate(DayNumber day) { return weekdayInLowerCase(day) + L" " + formatDate(dayNumberToDate(day)); }

std::optional<std::wstring> normaliseDateText(const std::wstring& text)
{
    std::wstring digits;
    bool hasSeparator = false;
    for (wchar_t c : text) {
        if (isAsciiDigit(c))
            digits += c;
        else if (isDateSeparator(c))
            hasSeparator = true;
        else if (!isBlank(c))
            return std::nullopt;
    }
    if (hasSeparator) {
        CivilDate d;
        if (parseDate(text, d)) return formatDate(d);
        return std::nullopt;
    }
    if (digits.size() != 6 && digits.size() != 8) return std::nullopt;

    auto number = [&](size_t from, size_t count) {
        int v = 0;
        for (size_t i = from; i < from + count; ++i) v = v * 10 + (digits[i] - L'0');
        return v;
    };
    int day = number(0, 2), month = number(2, 2), year;
    if (digits.size() == 6) {
        year = yearOfTwoDigits(number(4, 2));
    } else {
        year = number(4, 4);
    }
    if (!isValidDate(year, month, day)) return std::nullopt;
    return formatDate(CivilDate{year, month, day});
}
