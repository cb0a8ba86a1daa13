#include "dates/calendar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

DayNumber day(int d, int m, int y) { return dateToDayNumber(CivilDate{y, m, d}); }

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

TEST(HolidayDaysOfMonth, OneBitPerHoliday)
{
    EXPECT_EQ((1u << 7) | (1u << 24) | (1u << 25), holidayDaysOfMonth(2026, 12, {}));
    EXPECT_EQ((1u << 4) | (1u << 5) | (1u << 24), holidayDaysOfMonth(2026, 4, {})) << "Easter, its Monday, 25 April";
    EXPECT_EQ(1u << 3, holidayDaysOfMonth(2026, 10, {}));
    EXPECT_EQ(0u, holidayDaysOfMonth(2025, 10, {}));
    EXPECT_EQ(0u, holidayDaysOfMonth(2026, 2, {}));
}

} // namespace
