#include "dates/calendar.h"

#include <algorithm>
#include <array>
#include <climits>
#include <ctime>
#include <initializer_list>
#include <iterator>

#include "text/numtext.h"

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

