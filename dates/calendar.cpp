#include "dates/calendar.h"

#include <algorithm>
#include <array>
#include <climits>
#include <ctime>
#include <initializer_list>
#include <iterator>

#include "calc/numtext.h"

const wchar_t* const weekdayNames[7] = {L"Lunedì",  L"Martedì", L"Mercoledì", L"Giovedì",
                                         L"Venerdì", L"Sabato",  L"Domenica"};

namespace {

const int monthLengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

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

//--- The holidays, as the law of each period lists them

namespace {

enum HolidayId : int {
    capodanno, epifania, sanGiuseppe, pasqua, pasquetta, liberazione, lavoro, ascensione, corpusDomini,
    repubblica, pietroPaolo, ferragosto, sanFrancesco, ognissanti, unitaNazionale, immacolata, natale,
    santoStefano, holidayCount
};

// A holiday on a fixed day, or (month 0) a number of days after Easter Sunday.
struct HolidayDay {
    int month, day, afterEaster;
    const wchar_t* name;
};

constexpr HolidayDay holidayDays[holidayCount] = {
    {1, 1, 0, L"Capodanno"},        {1, 6, 0, L"Epifania"},
    {3, 19, 0, L"San Giuseppe"},    {0, 0, 0, L"Pasqua"},
    {0, 0, 1, L"Pasquetta"},        {4, 25, 0, L"Liberazione"},
    {5, 1, 0, L"Festa del lavoro"}, {0, 0, 39, L"Ascensione"},  // the Thursday 39 days after Easter
    {0, 0, 60, L"Corpus Domini"},   {6, 2, 0, L"Repubblica"},   // the Thursday 60 days after Easter
    {6, 29, 0, L"Santi Pietro e Paolo"}, {8, 15, 0, L"Ferragosto"},
    {10, 4, 0, L"San Francesco"},   {11, 1, 0, L"Ognissanti"},
    {11, 4, 0, L"Unit\u00e0 nazionale"}, {12, 8, 0, L"Immacolata"},
    {12, 25, 0, L"Natale"},         {12, 26, 0, L"Santo Stefano"},
};

constexpr std::uint32_t listOf(std::initializer_list<HolidayId> ids)
{
    std::uint32_t bits = 0;
    for (HolidayId id : ids) bits |= std::uint32_t{1} << id;
    return bits;
}

// The holidays besides Sundays (art. 2 L. 260/1949 as amended) from the day
// each law took effect; Easter Sunday is listed as the holiday it names.
// `local` holds the days the law gives one comune only: they count where the
// patron saint's day is theirs. No verified list exists before 01/06/1949:
// earlier days take the first row's list.
struct HolidayPeriod {
    CivilDate from;
    std::uint32_t national;
    std::uint32_t local;
};

constexpr std::uint32_t list1949 =
    listOf({capodanno, epifania, sanGiuseppe, pasqua, pasquetta, liberazione, lavoro, ascensione, corpusDomini,
            repubblica, pietroPaolo, ferragosto, ognissanti, unitaNazionale, immacolata, natale, santoStefano});
constexpr std::uint32_t list1977 =
    listOf({capodanno, pasqua, pasquetta, liberazione, lavoro, ferragosto, ognissanti, immacolata, natale, santoStefano});

const HolidayPeriod holidayPeriods[] = {
    // L. 27/05/1949 n. 260, art. 1-2 (GU 31/05/1949 n. 124; in force 01/06/1949)
    {{1949, 6, 1}, list1949, 0},
    // L. 05/03/1977 n. 54, art. 1 (GU 07/03/1977 n. 63; in force 08/03/1977)
    {{1977, 3, 8}, list1977, 0},
    // DPR 28/12/1985 n. 792 (GU 31/12/1985 n. 306): 6 January; 29 June in the comune of Rome
    {{1986, 1, 1}, list1977 | listOf({epifania}), listOf({pietroPaolo})},
    // L. 20/11/2000 n. 336 (GU 22/11/2000 n. 273): 2 June from 2001
    {{2001, 1, 1}, list1977 | listOf({epifania, repubblica}), listOf({pietroPaolo})},
    // L. 08/10/2025 n. 151 (GU 10/10/2025 n. 236; in force 01/01/2026): 4 October
    {{2026, 1, 1}, list1977 | listOf({epifania, repubblica, sanFrancesco}), listOf({pietroPaolo})},
};

// Holidays of one year only.
struct OneDayHoliday {
    CivilDate day;
    const wchar_t* name;
};
const OneDayHoliday oneDayHolidays[] = {
    {{1986, 6, 2}, L"Repubblica"},            // L. 09/04/1986 n. 96 (GU 12/04/1986): the feast on a Monday
    {{2011, 3, 17}, L"Unit\u00e0 d'Italia"},  // DL 22/02/2011 n. 5, conv. L. 21/04/2011 n. 47
};

// A day's place in its year counted from 1 March (0 = 1 March, 305 =
// 1 January, 365 = 29 February): every month but February has the same
// offset in every year, so one mask of 366 bits marks the fixed days.
constexpr int marchDayOfYear(int month, int day)
{
    return (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
}

struct MarchYearMask {
    std::uint64_t words[6] = {};
    constexpr bool has(int doy) const { return (words[doy / 64] >> (doy % 64)) & 1; }
};

// Every day that is a fixed holiday in some period, or a one-day holiday:
// the walk over a long range tests one bit for most days.
constexpr MarchYearMask makeCandidateDays()
{
    MarchYearMask mask;
    auto mark = [&mask](int month, int day) {
        const int doy = marchDayOfYear(month, day);
        mask.words[doy / 64] |= std::uint64_t{1} << (doy % 64);
    };
    for (const HolidayDay& h : holidayDays)
        if (h.month) mark(h.month, h.day);
    mark(6, 2);
    mark(3, 17);
    return mask;
}

constexpr MarchYearMask candidateDays = makeCandidateDays();
constexpr int firstEasterDay = marchDayOfYear(3, 22);  // Easter Sunday: 22/03 to 25/04
constexpr int lastEasterDay = marchDayOfYear(4, 25);

// Where each period begins, and the latest day (counted from 1 March) that a
// holiday after Easter can fall on in it: the walks of the day counter skip
// Easter for every other day.
struct PeriodStart {
    DayNumber from;
    int latestAfterEaster;
};
const auto periodStarts = [] {
    std::array<PeriodStart, std::size(holidayPeriods)> starts{};
    for (size_t i = 0; i < starts.size(); ++i) {
        starts[i] = {dateToDayNumber(holidayPeriods[i].from), -1};
        for (int id = 0; id < holidayCount; ++id)
            if (((holidayPeriods[i].national >> id) & 1) && !holidayDays[id].month)
                starts[i].latestAfterEaster =
                    std::max(starts[i].latestAfterEaster, lastEasterDay + holidayDays[id].afterEaster);
    }
    return starts;
}();

size_t periodIndex(DayNumber n)
{
    size_t i = periodStarts.size() - 1;
    while (i > 0 && n < periodStarts[i].from) --i;
    return i;
}

const HolidayPeriod& periodOn(DayNumber n) { return holidayPeriods[periodIndex(n)]; }

// The national holiday of a day, given its year and its day counted from
// 1 March, or holidayCount.
int nationalHolidayOn(DayNumber n, std::int64_t year, int doy)
{
    const bool fixed = candidateDays.has(doy);
    if (!fixed && (doy < firstEasterDay || doy > lastEasterDay + 60)) return holidayCount;
    const size_t index = periodIndex(n);
    const HolidayPeriod& period = holidayPeriods[index];
    if (fixed)
        for (int id = 0; id < holidayCount; ++id)
            if (((period.national >> id) & 1) && holidayDays[id].month &&
                marchDayOfYear(holidayDays[id].month, holidayDays[id].day) == doy)
                return id;
    if (doy < firstEasterDay || doy > periodStarts[index].latestAfterEaster) return holidayCount;
    const CivilDate easter = easterSunday(static_cast<std::int32_t>(year));
    const int easterDay = marchDayOfYear(easter.month, easter.day);
    for (int id = 0; id < holidayCount; ++id)
        if (((period.national >> id) & 1) && !holidayDays[id].month && doy == easterDay + holidayDays[id].afterEaster)
            return id;
    return holidayCount;
}

const OneDayHoliday* oneDayHolidayOn(DayNumber n)
{
    for (const OneDayHoliday& h : oneDayHolidays)
        if (dateToDayNumber(h.day) == n) return &h;
    return nullptr;
}

// The holiday the law lists for the patron saint's day of one comune, or holidayCount.
int localHolidayOn(DayNumber n, MonthDay patron)
{
    if (!isPatronDay(n, patron)) return holidayCount;
    const CivilDate d = dayNumberToDate(n);
    const HolidayPeriod& period = periodOn(n);
    for (int id = 0; id < holidayCount; ++id)
        if (((period.local >> id) & 1) && holidayDays[id].month == d.month && holidayDays[id].day == d.day) return id;
    return holidayCount;
}

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
    const bool fixed = candidateDays.has(doy);
    if (!fixed && (doy < firstEasterDay || doy > lastEasterDay + 60)) return false;
    const std::int64_t year = static_cast<std::int64_t>(yoe) + era * 400 + (doy >= 306 ? 1 : 0);
    return nationalHolidayOn(n, year, doy) != holidayCount || (fixed && oneDayHolidayOn(n) != nullptr);
}

bool isPatronDay(DayNumber n, MonthDay patron)
{
    if (patron.month == 0) return false;
    const CivilDate d = dayNumberToDate(n);
    return d.month == patron.month && d.day == patron.day;
}

bool isLegalHoliday(DayNumber n, MonthDay patron)
{
    return isNationalHoliday(n) || localHolidayOn(n, patron) != holidayCount;
}

bool isHoliday(DayNumber n, MonthDay patron) { return isNationalHoliday(n) || isPatronDay(n, patron); }

bool isWorkingDay(DayNumber n, MonthDay patron)
{
    return weekdayIndex(n) <= 4 && !isHoliday(n, patron);
}

std::wstring holidayName(DayNumber n, MonthDay patron)
{
    if (const OneDayHoliday* h = oneDayHolidayOn(n)) return h->name;
    const CivilDate d = dayNumberToDate(n);
    const int national = nationalHolidayOn(n, d.year, marchDayOfYear(d.month, d.day));
    if (national != holidayCount) return holidayDays[national].name;
    const int local = localHolidayOn(n, patron);
    if (local != holidayCount) return holidayDays[local].name;
    return isPatronDay(n, patron) ? L"Festa patronale" : std::wstring();
}

std::uint32_t holidayDaysOfMonth(std::int32_t year, std::int32_t month, MonthDay patron)
{
    std::uint32_t days = 0;
    const DayNumber first = dateToDayNumber({year, month, 1});
    for (int d = 0; d < daysInMonth(year, month); ++d)
        if (isHoliday(first + d, patron)) days |= std::uint32_t{1} << d;
    return days;
}

namespace {

CivilDate systemToday()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local) return CivilDate{};
    return CivilDate{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

// The word for today's date, as a date field takes it.
bool isToday(const std::wstring& text)
{
    const size_t from = text.find_first_not_of(L" \t");
    const size_t to = text.find_last_not_of(L" \t");
    if (from == std::wstring::npos || to - from != 3) return false;
    const wchar_t* word = L"oggi";
    for (size_t i = 0; i < 4; ++i)
        if ((text[from + i] | 0x20) != word[i]) return false;
    return true;
}

} // namespace

CivilDate (*todayDate)() = systemToday;

bool parseDate(const std::wstring& text, CivilDate& out)
{
    if (isToday(text)) {
        out = todayDate();
        return true;
    }
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
    if (isToday(text)) return formatDate(todayDate());
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
