#include "dates/day_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> lines(const std::wstring& text)
{
    std::vector<std::wstring> out;
    size_t start = 0;
    for (size_t at; (at = text.find(L"\r\n", start)) != std::wstring::npos; start = at + 2)
        out.push_back(text.substr(start, at - start));
    out.push_back(text.substr(start));
    return out;
}

LastDateRange counted(const wchar_t* from, const wchar_t* to, bool includeStart)
{
    LastDateRange range;
    computeDates({from, to, L"", false, includeStart, false}, range);
    return range;
}

TEST(DayReport, DefaultRangeLineByLine)
{
    std::vector<std::wstring> want = {
        L"PERIODO: 22/11/2026 - 31/12/2026", L"Criterio: data iniziale esclusa", L"",
        L"Luned\u00ec: 6", L"Marted\u00ec: 6", L"Mercoled\u00ec: 6", L"Gioved\u00ec: 6", L"Venerd\u00ec: 5",
        L"Sabato: 5", L"Domenica: 6", L"-----------------------------", L"Totale giorni: 40",
        L"Sabati e domeniche: 11", L"Festivit\u00e0 in giorni feriali: 2",
        L"Festivit\u00e0 su weekend (gi\u00e0 escluse): 1", L"Lavorativi lun-ven: 27", L"",
        L"QUADRATURA: 27 + 11 + 2 = 40", L"", L"FESTIVIT\u00c0 NAZIONALI:",
        L"08/12/2026  Marted\u00ec - Immacolata", L"25/12/2026  Venerd\u00ec - Natale",
        L"26/12/2026  Sabato - Santo Stefano (weekend)", L"",
        L"Non include festivit\u00e0 patronali o chiusure aziendali.",
        L"Il calendario \u00e8 un supporto di verifica, non un parere normativo."};
    EXPECT_EQ(want, lines(buildDayVerificationReport(counted(L"21/11/2026", L"31/12/2026", false))));
}

TEST(DayReport, EqualDatesWithoutTheStartDay)
{
    std::vector<std::wstring> got = lines(buildDayVerificationReport(counted(L"05/04/2026", L"05/04/2026", false)));
    EXPECT_EQ(L"PERIODO: 06/04/2026 - 05/04/2026", got[0]);
    EXPECT_EQ(L"Totale giorni: 0", got[11]);
    EXPECT_EQ(L"QUADRATURA: 0 + 0 + 0 = 0", got[17]);
    EXPECT_EQ(L"Nessuna", got[20]);
}

TEST(DayReport, OneSundayHoliday)
{
    std::vector<std::wstring> got = lines(buildDayVerificationReport(counted(L"25/04/2027", L"25/04/2027", true)));
    EXPECT_EQ(L"Criterio: estremi inclusi", got[1]);
    EXPECT_EQ(L"Domenica: 1", got[9]);
    EXPECT_EQ(L"Festivit\u00e0 su weekend (gi\u00e0 escluse): 1", got[14]);
    EXPECT_EQ(L"Lavorativi lun-ven: 0", got[15]);
    EXPECT_EQ(L"QUADRATURA: 0 + 1 + 0 = 1", got[17]);
    EXPECT_EQ(L"25/04/2027  Domenica - Liberazione (weekend)", got[20]);
}

TEST(DayReport, LongestRangeCapsTheListButCountsEveryDay)
{
    LastDateRange range;
    range.valid = true;
    range.includeStart = true;
    range.firstDay = dateToDayNumber(CivilDate{1600, 1, 1});
    range.lastDay = range.firstDay + maxReportDays - 1;
    std::wstring text = buildDayVerificationReport(range);
    std::vector<std::wstring> got = lines(text);
    EXPECT_EQ(L"Totale giorni: 150000", got[11]);
    size_t listStart = text.find(L"FESTIVIT\u00c0 NAZIONALI:\r\n") + 23;
    size_t listEnd = text.find(L"\r\n\r\nNon include");
    size_t listed = static_cast<size_t>(std::count(text.begin() + static_cast<long>(listStart),
                                                   text.begin() + static_cast<long>(listEnd), L'\n')) + 1;
    EXPECT_GT(listed, 400u);
    EXPECT_LT(listed, 460u) << "the list stops at about 16,000 characters";

    long long w = 0, s = 0, h = 0, t = 0;
    std::swscanf(got[17].c_str(), L"QUADRATURA: %lld + %lld + %lld = %lld", &w, &s, &h, &t);
    EXPECT_EQ(42858, s) << "21.428 weeks from Saturday 01/01/1600, then Saturday to Tuesday";
    EXPECT_EQ(150000, t);
    LastDateRange same;
    DateOutcome counts = computeDates({formatDate(dayNumberToDate(range.firstDay)),
                                       formatDate(dayNumberToDate(range.lastDay)), L"", false, true, false},
                                      same);
    EXPECT_NE(std::wstring::npos, counts.text.find(L"lavorativi: " + std::to_wstring(w) + L" "))
        << "the report's working days are the calculator's";
}

// Whole years, counted on a wall calendar: 2025 has no San Francesco holiday,
// and in 2026 it falls on a Sunday.
struct YearCase {
    int year;
    int working, holidays, weekdayHolidays;
};

class DayReportYear : public ::testing::TestWithParam<YearCase> {};

TEST_P(DayReportYear, CountsOfTheWholeYear)
{
    const YearCase& c = GetParam();
    const std::wstring y = std::to_wstring(c.year);
    std::vector<std::wstring> got =
        lines(buildDayVerificationReport(counted((L"01/01/" + y).c_str(), (L"31/12/" + y).c_str(), true)));
    long long weekdayHolidays = -1, weekendHolidays = -1;
    std::swscanf(got[13].c_str(), L"Festivit\u00e0 in giorni feriali: %lld", &weekdayHolidays);
    std::swscanf(got[14].c_str(), L"Festivit\u00e0 su weekend (gi\u00e0 escluse): %lld", &weekendHolidays);
    EXPECT_EQ(L"Lavorativi lun-ven: " + std::to_wstring(c.working), got[15]);
    EXPECT_EQ(c.weekdayHolidays, weekdayHolidays);
    EXPECT_EQ(c.holidays, weekdayHolidays + weekendHolidays);
    EXPECT_EQ(L"Sabati e domeniche: 104", got[12]);
}

INSTANTIATE_TEST_SUITE_P(Table, DayReportYear,
                         ::testing::Values(YearCase{2025, 251, 12, 10}, YearCase{2026, 254, 13, 7},
                                           YearCase{2027, 254, 13, 7}));

TEST(DayReport, EasterMondayLine)
{
    std::wstring text = buildDayVerificationReport(counted(L"01/04/2026", L"10/04/2026", false));
    EXPECT_NE(std::wstring::npos, text.find(L"\r\n05/04/2026  Domenica - Pasqua (weekend)\r\n"
                                            L"06/04/2026  Luned\u00ec - Pasquetta\r\n"));
}

} // namespace
