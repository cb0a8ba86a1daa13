#include "dates/calendar.h"

#include "app/settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

DayNumber day(int d, int m, int y) { return dateToDayNumber(CivilDate{y, m, d}); }

CivilDate fixedToday() { return CivilDate{2026, 12, 7}; }
CivilDate (*const systemToday)() = todayDate;

TEST(Calendar, KnownDayNumbers)
{
    EXPECT_EQ(0, day(1, 1, 1970));
    EXPECT_EQ(-135140, day(1, 1, 1600));
    EXPECT_EQ(2932896, day(31, 12, 9999));
    EXPECT_EQ(20778, day(21, 11, 2026));
    EXPECT_EQ(40, day(31, 12, 2026) - day(21, 11, 2026));
    EXPECT_EQ(3, weekdayIndex(0)) << "01/01/1970 was a Thursday";
    EXPECT_EQ(6, weekdayIndex(day(6, 12, 2026))) << "06/12/2026 is a Sunday";
}

TEST(Calendar, EveryDayFrom1600To9999RoundTripsInOrder)
{
    DayNumber n = day(1, 1, 1600);
    CivilDate prev = dayNumberToDate(n);
    int prevWeekday = weekdayIndex(n);
    for (++n; n <= day(31, 12, 9999); ++n) {
        CivilDate d = dayNumberToDate(n);
        ASSERT_EQ(n, dateToDayNumber(d));
        bool nextDay = d.year == prev.year && d.month == prev.month && d.day == prev.day + 1;
        bool nextMonth = d.year == prev.year && d.month == prev.month + 1 && d.day == 1 &&
                         prev.day == daysInMonth(prev.year, prev.month);
        bool nextYear = d.year == prev.year + 1 && d.month == 1 && d.day == 1 &&
                        prev.month == 12 && prev.day == 31;
        ASSERT_TRUE(nextDay || nextMonth || nextYear) << "day " << n << " follows its predecessor";
        int w = weekdayIndex(n);
        ASSERT_EQ((prevWeekday + 1) % 7, w);
        prev = d;
        prevWeekday = w;
    }
}

TEST(Calendar, WeekdayOfNegativeDayNumbersStaysInRange)
{
    EXPECT_EQ(2, weekdayIndex(-1)) << "31/12/1969 was a Wednesday";
    EXPECT_EQ(3, weekdayIndex(-7));
    EXPECT_EQ(4, weekdayIndex(-135140 - 1)) << "31/12/1599 was a Friday";
}

TEST(Calendar, MonthLengthsAndLeapYears)
{
    struct Case { int year, month, days; };
    const Case cases[] = {{2026, 1, 31}, {2026, 2, 28}, {2024, 2, 29}, {2000, 2, 29},
                          {1900, 2, 28}, {1600, 2, 29}, {2100, 2, 28}, {2026, 4, 30},
                          {2026, 6, 30}, {2026, 9, 30}, {2026, 11, 30}, {2026, 12, 31}};
    for (const Case& c : cases)
        EXPECT_EQ(c.days, daysInMonth(c.year, c.month)) << c.month << "/" << c.year;
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_FALSE(isLeapYear(2023));
}

TEST(Calendar, EasterSundays)
{
    struct Case { int year, month, day; };
    const Case cases[] = {{1966, 4, 10}, {2025, 4, 20}, {2026, 4, 5}, {2027, 3, 28},
                          {2038, 4, 25}, {2285, 3, 22}, {1943, 4, 25}, {1818, 3, 22}};
    for (const Case& c : cases) {
        CivilDate e = easterSunday(c.year);
        EXPECT_EQ(c.year, e.year);
        EXPECT_EQ(c.month, e.month) << c.year;
        EXPECT_EQ(c.day, e.day) << c.year;
    }
}

struct HolidayCase {
    int d = 0, m = 0, y = 0;
    const wchar_t* name;  // empty: no holiday
};

class HolidayNames : public ::testing::TestWithParam<HolidayCase> {};

TEST_P(HolidayNames, NameAndHolidayAgree)
{
    const HolidayCase& c = GetParam();
    DayNumber n = day(c.d, c.m, c.y);
    EXPECT_EQ(std::wstring(c.name), holidayName(n, {}));
    EXPECT_EQ(std::wstring(c.name).empty(), !isNationalHoliday(n));
}

INSTANTIATE_TEST_SUITE_P(
    Table, HolidayNames,
    ::testing::Values(
        HolidayCase{1, 1, 2026, L"Capodanno"}, HolidayCase{6, 1, 2026, L"Epifania"},
        HolidayCase{25, 4, 2026, L"Liberazione"}, HolidayCase{1, 5, 2026, L"Festa del lavoro"},
        HolidayCase{2, 6, 2026, L"Repubblica"}, HolidayCase{15, 8, 2026, L"Ferragosto"},
        HolidayCase{4, 10, 2026, L"San Francesco"}, HolidayCase{4, 10, 2025, L""},
        HolidayCase{4, 10, 9999, L"San Francesco"}, HolidayCase{4, 10, 1600, L""},
        HolidayCase{1, 11, 2026, L"Ognissanti"}, HolidayCase{8, 12, 2026, L"Immacolata"},
        HolidayCase{25, 12, 2026, L"Natale"}, HolidayCase{26, 12, 2026, L"Santo Stefano"},
        HolidayCase{5, 4, 2026, L"Pasqua"}, HolidayCase{6, 4, 2026, L"Pasquetta"},
        HolidayCase{25, 4, 2038, L"Liberazione"}, HolidayCase{26, 4, 2038, L"Pasquetta"},
        HolidayCase{7, 4, 2026, L""}, HolidayCase{2, 1, 2026, L""},
        HolidayCase{22, 3, 2285, L"Pasqua"}, HolidayCase{23, 3, 2285, L"Pasquetta"},
        // Each period of the law, a day on each side of its boundary.
        HolidayCase{19, 3, 1940, L"San Giuseppe"}, HolidayCase{26, 12, 1949, L"Santo Stefano"},
        HolidayCase{27, 5, 1976, L"Ascensione"}, HolidayCase{17, 6, 1976, L"Corpus Domini"},
        HolidayCase{29, 6, 1976, L"Santi Pietro e Paolo"}, HolidayCase{4, 11, 1976, L"Unit\u00e0 nazionale"},
        HolidayCase{2, 6, 1976, L"Repubblica"}, HolidayCase{6, 1, 1977, L"Epifania"},
        HolidayCase{19, 3, 1977, L""}, HolidayCase{19, 5, 1977, L""}, HolidayCase{2, 6, 1977, L""},
        HolidayCase{29, 6, 1977, L""}, HolidayCase{4, 11, 1977, L""}, HolidayCase{6, 1, 1985, L""},
        HolidayCase{6, 1, 1986, L"Epifania"}, HolidayCase{2, 6, 1986, L"Repubblica"},
        HolidayCase{2, 6, 1987, L""}, HolidayCase{2, 6, 2000, L""}, HolidayCase{2, 6, 2001, L"Repubblica"},
        HolidayCase{17, 3, 2011, L"Unit\u00e0 d'Italia"}, HolidayCase{17, 3, 2012, L""},
        HolidayCase{2, 6, 1989, L""}, HolidayCase{6, 1, 1982, L""}));

// The patron saint's day counts as a holiday; the law closes it only where
// it lists the day for its comune (29 June in Rome from 1986).
TEST(Calendar, PatronSaintsDay)
{
    const struct {
        MonthDay patron;
        int d, m, y;
        bool holiday, legal;
        const wchar_t* name;
    } cases[] = {
        {{6, 29}, 29, 6, 1980, true, false, L"Festa patronale"},
        {{6, 29}, 29, 6, 1990, true, true, L"Santi Pietro e Paolo"},
        {{6, 29}, 29, 6, 1970, true, true, L"Santi Pietro e Paolo"},
        {{12, 7}, 7, 12, 2026, true, false, L"Festa patronale"},
        {{12, 7}, 8, 12, 2026, true, true, L"Immacolata"},
        {{}, 7, 12, 2026, false, false, L""},
    };
    for (const auto& c : cases) {
        const DayNumber n = day(c.d, c.m, c.y);
        EXPECT_EQ(c.holiday, isHoliday(n, c.patron)) << c.d << "/" << c.m << "/" << c.y;
        EXPECT_EQ(c.legal, isLegalHoliday(n, c.patron)) << c.d << "/" << c.m << "/" << c.y;
        EXPECT_EQ(std::wstring(c.name), holidayName(n, c.patron)) << c.d << "/" << c.m << "/" << c.y;
        EXPECT_EQ(c.holiday || weekdayIndex(n) > 4, !isWorkingDay(n, c.patron)) << "a working day unless a holiday";
    }
    EXPECT_EQ((1u << 6) | (1u << 7) | (1u << 24) | (1u << 25), holidayDaysOfMonth(2026, 12, {12, 7})) << "in bold";
}

TEST(Calendar, WorkingDays)
{
    EXPECT_FALSE(isWorkingDay(day(5, 12, 2026), {})) << "Saturday";
    EXPECT_FALSE(isWorkingDay(day(6, 12, 2026), {})) << "Sunday";
    EXPECT_FALSE(isWorkingDay(day(1, 5, 2025), {})) << "1 May on a Thursday";
    EXPECT_TRUE(isWorkingDay(day(7, 12, 2026), {})) << "an ordinary Monday";
    EXPECT_FALSE(isWorkingDay(day(6, 4, 2026), {})) << "Easter Monday";
    EXPECT_FALSE(isWorkingDay(day(8, 12, 2026), {})) << "Immacolata on a Tuesday";
    EXPECT_TRUE(isWorkingDay(day(4, 10, 2024), {})) << "4 October 2024, a Friday before 2026";
}

TEST(Calendar, WeekdayNames)
{
    EXPECT_EQ(std::wstring(L"Lunedì"), weekdayNames[0]);
    EXPECT_EQ(std::wstring(L"Mercoledì"), weekdayNames[2]);
    EXPECT_EQ(std::wstring(L"Domenica"), weekdayNames[6]);
}

struct ParseCase {
    const wchar_t* text;
    bool ok;
    int d = 0, m = 0, y = 0;
};

class ParseDate : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDate, AcceptsWhatTheScanPatternAccepts)
{
    const ParseCase& c = GetParam();
    CivilDate out{1234, 5, 6};
    todayDate = fixedToday;
    const bool ok = parseDate(c.text, out);
    todayDate = systemToday;
    ASSERT_EQ(c.ok, ok);
    if (c.ok) {
        EXPECT_EQ(c.y, out.year);
        EXPECT_EQ(c.m, out.month);
        EXPECT_EQ(c.d, out.day);
    } else {
        EXPECT_EQ(1234, out.year) << "a rejected text leaves the date unchanged";
        EXPECT_EQ(5, out.month);
        EXPECT_EQ(6, out.day);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseDate,
    ::testing::Values(
        ParseCase{L"29/02/2000", true, 29, 2, 2000}, ParseCase{L"29/02/2024", true, 29, 2, 2024},
        ParseCase{L"29/02/1900", false}, ParseCase{L"29/02/2023", false},
        ParseCase{L"31/04/2026", false}, ParseCase{L"00/01/2026", false},
        ParseCase{L"01/13/2026", false}, ParseCase{L"01/01/1599", false},
        ParseCase{L"01/01/10000", false}, ParseCase{L"01/01/1600", true, 1, 1, 1600},
        ParseCase{L"31/12/9999", true, 31, 12, 9999}, ParseCase{L"13/10/66", true, 13, 10, 1966},
        ParseCase{L"13.10.1966", true, 13, 10, 1966}, ParseCase{L"1-3-26", true, 1, 3, 2026},
        ParseCase{L"01.03. 49", true, 1, 3, 2049}, ParseCase{L"1/3/50", true, 1, 3, 1950},
        ParseCase{L"13/10.1966", false}, ParseCase{L"13-10/1966", false}, ParseCase{L"1/3/+26", false},
        ParseCase{L"1/3/026", false}, ParseCase{L"1/3/6", false},
        ParseCase{L"5/4/2026", true, 5, 4, 2026}, ParseCase{L"  05/04/2026  ", true, 5, 4, 2026},
        ParseCase{L"05/ 04/ 2026", true, 5, 4, 2026}, ParseCase{L"05 /04/2026", false},
        ParseCase{L"05/04 /2026", false}, ParseCase{L"05/04/2026x", false},
        ParseCase{L"05/04/2026 06/04/2026", false}, ParseCase{L"05/04", false},
        ParseCase{L"+05/+04/+2026", true, 5, 4, 2026}, ParseCase{L"0005/004/02026", true, 5, 4, 2026},
        ParseCase{L"-5/04/2026", false}, ParseCase{L"+/04/2026", false},
        ParseCase{L"05/04/99999999999", false}, ParseCase{L"4294967301/04/2026", false},
        ParseCase{L"05/04/-2026", false}, ParseCase{L"", false}, ParseCase{L"//", false},
        ParseCase{L"\t05/04/2026\r\n", true, 5, 4, 2026},
        ParseCase{L"05//04/2026", false}, ParseCase{L"05/04/2026/", false},
        ParseCase{L"00000000000000000000005/04/2026", true, 5, 4, 2026},
        ParseCase{L" OGGI ", true, 7, 12, 2026}, ParseCase{L"oggi!", false}, ParseCase{L"ogg", false}));

TEST(HolidayDaysOfMonth, OneBitPerHoliday)
{
    EXPECT_EQ((1u << 7) | (1u << 24) | (1u << 25), holidayDaysOfMonth(2026, 12, {}));
    EXPECT_EQ((1u << 4) | (1u << 5) | (1u << 24), holidayDaysOfMonth(2026, 4, {})) << "Easter, its Monday, 25 April";
    EXPECT_EQ(1u << 3, holidayDaysOfMonth(2026, 10, {}));
    EXPECT_EQ(0u, holidayDaysOfMonth(2025, 10, {}));
    EXPECT_EQ(0u, holidayDaysOfMonth(2026, 2, {}));
}

TEST(FormatDate, ZeroPaddedFields)
{
    EXPECT_EQ(L"05/04/2026", formatDate(CivilDate{2026, 4, 5}));
    EXPECT_EQ(L"31/12/9999", formatDate(CivilDate{9999, 12, 31}));
    EXPECT_EQ(L"01/01/0800", formatDate(CivilDate{800, 1, 1}));
}

struct NormaliseCase {
    const wchar_t* text;
    const wchar_t* result;  // nullptr: left as typed
};

class NormaliseDateText : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(NormaliseDateText, QuickDates)
{
    const NormaliseCase& c = GetParam();
    todayDate = fixedToday;
    std::optional<std::wstring> r = normaliseDateText(c.text);
    todayDate = systemToday;
    if (c.result == nullptr)
        EXPECT_FALSE(r.has_value()) << "left as typed";
    else
        EXPECT_EQ(std::wstring(c.result), r.value_or(L"<left as typed>"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, NormaliseDateText,
    ::testing::Values(
        NormaliseCase{L"131066", L"13/10/1966"}, NormaliseCase{L"13 10 66", L"13/10/1966"},
        NormaliseCase{L"13101966", L"13/10/1966"}, NormaliseCase{L"010150", L"01/01/1950"},
        NormaliseCase{L"311249", L"31/12/2049"}, NormaliseCase{L"1/2/2026", L"01/02/2026"},
        NormaliseCase{L"290223", nullptr}, NormaliseCase{L"13.10.1966", L"13/10/1966"},
        NormaliseCase{L"13-10-1966", L"13/10/1966"}, NormaliseCase{L"13/10/66", L"13/10/1966"},
        NormaliseCase{L"1/3/26", L"01/03/2026"}, NormaliseCase{L"13/10.1966", nullptr},
        NormaliseCase{L"1310196", nullptr}, NormaliseCase{L"", nullptr},
        NormaliseCase{L"13a066", nullptr}, NormaliseCase{L"290224", L"29/02/2024"},
        NormaliseCase{L"01011599", nullptr}, NormaliseCase{L"01011600", L"01/01/1600"},
        NormaliseCase{L"000000", nullptr}, NormaliseCase{L"21/11/2026", L"21/11/2026"},
        NormaliseCase{L" 1 / 2 / 2026", nullptr}, NormaliseCase{L"\t131066\t", L"13/10/1966"},
        NormaliseCase{L"Oggi", L"07/12/2026"}, NormaliseCase{L"oggi 2", nullptr}));

} // namespace
