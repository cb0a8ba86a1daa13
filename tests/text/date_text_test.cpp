#include "text/date_text.h"

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
