#include "dates/date_calculator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DateCase {
    const wchar_t* from;
    const wchar_t* to;
    const wchar_t* days;
    bool addDays, includeStart, endOfMonth;
    const wchar_t* text;
    DeadlineRule rule = DeadlineRule::civil;
};

class ComputeDates : public ::testing::TestWithParam<DateCase> {};

TEST_P(ComputeDates, ResultLine)
{
    const DateCase& c = GetParam();
    LastDateRange range;
    DateOutcome out = computeDates({c.from, c.to, c.days, c.addDays, c.includeStart, c.endOfMonth, c.rule}, range);
    EXPECT_EQ(c.addDays && out.ok, !range.prospect.empty()) << "a prospect after a deadline only";
    EXPECT_EQ(std::wstring(c.text), out.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ComputeDates,
    ::testing::Values(
        DateCase{L"21/11/2026", L"31/12/2026", L"60", false, false, false, L"Giorni: 40  |  lavorativi: 27  |  feste: 3"},
        DateCase{L"21/11/2026", L"31/12/2026", L"60", false, true, false, L"Giorni: 41  |  lavorativi: 27  |  feste: 3"},
        DateCase{L"31/12/2026", L"21/11/2026", L"60", false, false, false, L"Giorni: -40  |  lavorativi e feste: Al prima di Dal"},
        DateCase{L"05/04/2026", L"05/04/2026", L"", false, false, false, L"Giorni: 0  |  lavorativi: 0  |  feste: 0"},
        DateCase{L"05/04/2026", L"05/04/2026", L"", false, true, false, L"Giorni: 1  |  lavorativi: 0  |  feste: 1"},
        DateCase{L"25/04/2027", L"25/04/2027", L"", false, true, false, L"Giorni: 1  |  lavorativi: 0  |  feste: 1"},
        DateCase{L"24/12/2027", L"26/12/2027", L"", false, false, false, L"Giorni: 2  |  lavorativi: 0  |  feste: 2"},
        // Under the court rule the days of the summer suspension are set apart.
        DateCase{L"15/07/2026", L"14/10/2026", L"", false, false, false,
                 L"Giorni: 91  |  lavorativi: 65  |  feste: 2  |  al netto della sospensione: 60", DeadlineRule::court},
        DateCase{L"15/07/2026", L"14/10/2026", L"", false, true, false,
                 L"Giorni: 92  |  lavorativi: 66  |  feste: 2  |  al netto della sospensione: 61", DeadlineRule::court},
        DateCase{L"15/07/2026", L"14/10/2026", L"", false, false, false,
                 L"Giorni: 91  |  lavorativi: 65  |  feste: 2", DeadlineRule::tax},
        DateCase{L"01/09/2026", L"14/10/2026", L"", false, false, false,
                 L"Giorni: 43  |  lavorativi: 31  |  feste: 1", DeadlineRule::court},
        DateCase{L"15/07/1969", L"14/10/1969", L"", false, false, false,
                 L"Giorni: 91  |  lavorativi: 64  |  feste: 1", DeadlineRule::court},
        // The 2020 emergency suspension too, for labour terms without August's.
        DateCase{L"01/03/2020", L"31/08/2020", L"", false, false, false,
                 L"Giorni: 183  |  lavorativi: 128  |  feste: 6  |  al netto delle sospensioni: 88", DeadlineRule::court},
        DateCase{L"01/03/2020", L"31/08/2020", L"", false, false, false,
                 L"Giorni: 183  |  lavorativi: 128  |  feste: 6  |  al netto delle sospensioni: 119", DeadlineRule::labour},
        DateCase{L"21/11/2026", L"", L"60", true, false, false, L"Scadenza: mercoledì 20/01/2027  (60 giorni, civile)"},
        DateCase{L"21/11/2026", L"", L"60", true, false, true,
                 L"Scadenza: domenica 31/01/2027  (60 giorni, fine mese, civile)\r\n\u2192 lunedì 01/02/2027 (domenica)"},
        DateCase{L"21/11/2026", L"", L"30+30", true, false, false, L"Scadenza: mercoledì 20/01/2027  (60 giorni, civile)"},
        DateCase{L"21/11/2026", L"", L"0", true, true, false, L"Scadenza: sabato 21/11/2026  (0 giorni, civile)"},
        DateCase{L"21/11/2026", L"", L"-60", true, false, false, L"Scadenza: martedì 22/09/2026  (-60 giorni, civile)"},
        DateCase{L"01/01/2000", L"", L"100.000", true, false, false, L"Scadenza: giovedì 16/10/2273  (100000 giorni, civile)"},
        DateCase{L"01/01/2000", L"", L"100.001", true, false, false, L"Inserisci giorni interi (max 100.000)."},
        DateCase{L"01/01/2000", L"", L"-100001", true, false, false, L"Inserisci giorni interi (max 100.000)."},
        DateCase{L"01/01/2000", L"", L"1,5", true, false, false, L"Inserisci giorni interi (max 100.000)."},
        DateCase{L"01/01/2000", L"", L"-", true, false, false, L"Inserisci giorni interi (max 100.000)."},
        DateCase{L"01/01/2000", L"", L"", true, false, false, L"Inserisci giorni interi (max 100.000)."},
        DateCase{L"31/01/2028", L"", L"10", true, false, true, L"Scadenza: martedì 29/02/2028  (10 giorni, fine mese, civile)"},
        DateCase{L"31/01/2027", L"", L"10", true, false, true, L"Scadenza: domenica 28/02/2027  (10 giorni, fine mese, civile)\r\n\u2192 lunedì 01/03/2027 (domenica)"},
        DateCase{L"01/01/1600", L"", L"-1", true, false, false, L"Data fuori intervallo."},
        DateCase{L"31/12/9999", L"", L"1", true, false, false, L"Data fuori intervallo."},
        DateCase{L"13/10.1966", L"31/12/2026", L"abc", true, false, false, L"Data iniziale non valida (gg/mm/aaaa)"},
        DateCase{L"13/10.1966", L"31/12/2026", L"", false, false, false, L"Data iniziale non valida (gg/mm/aaaa)"},
        DateCase{L"21/11/2026", L"31/02/2026", L"", false, false, false, L"Data finale non valida (gg/mm/aaaa)"}));

TEST(ComputeDates, SpanLimitDecidesWhetherDaysAreCounted)
{
    LastDateRange range;
    CivilDate start{2000, 1, 1};
    std::wstring from = formatDate(start);
    std::wstring to149999 = formatDate(dayNumberToDate(dateToDayNumber(start) + 149999));
    std::wstring to150000 = formatDate(dayNumberToDate(dateToDayNumber(start) + 150000));

    DateOutcome counted = computeDates({from, to149999, L"", false, false, false}, range);
    EXPECT_TRUE(range.valid);
    EXPECT_EQ(dateToDayNumber(start) + 1, range.firstDay);
    EXPECT_NE(std::wstring::npos, counted.text.find(L"Giorni: 149999  |  lavorativi: 1"));

    DateOutcome uncounted = computeDates({from, to150000, L"", false, true, false}, range);
    EXPECT_FALSE(range.valid);
    EXPECT_EQ(L"Giorni: 150001  |  lavorativi e feste: oltre 149.999 gg", uncounted.text);
}

TEST(ComputeDates, LastRangeFollowsTheCalculations)
{
    LastDateRange range;
    computeDates({L"05/04/2026", L"05/04/2026", L"", false, false, false}, range);
    ASSERT_TRUE(range.valid);
    EXPECT_FALSE(range.includeStart);
    EXPECT_EQ(range.lastDay + 1, range.firstDay) << "equal dates without the start day count nothing";

    computeDates({L"21/11/2026", L"31/12/2026", L"", false, true, false}, range);
    ASSERT_TRUE(range.valid);
    EXPECT_TRUE(range.includeStart);
    EXPECT_EQ(20778, range.firstDay);
    EXPECT_EQ(20818, range.lastDay);

    computeDates({L"bad", L"31/12/2026", L"", false, false, false}, range);
    EXPECT_TRUE(range.valid) << "an invalid start date leaves the range";
    computeDates({L"21/11/2026", L"bad", L"", false, false, false}, range);
    EXPECT_TRUE(range.valid) << "an invalid end date leaves the range";
    EXPECT_EQ(20778, range.firstDay);

    computeDates({L"21/11/2026", L"", L"1,5", true, false, false}, range);
    EXPECT_FALSE(range.valid) << "add-days mode clears it, even when it fails later";
    EXPECT_EQ(20778, range.firstDay) << "but keeps the other fields";

    computeDates({L"21/11/2026", L"31/12/2026", L"", false, false, false}, range);
    computeDates({L"31/12/2026", L"21/11/2026", L"", false, false, false}, range);
    EXPECT_FALSE(range.valid) << "a reversed range is not counted";
}

} // namespace
