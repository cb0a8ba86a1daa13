#include "finance/foi_index.h"

#include <gtest/gtest.h>

#include "app/settings.h"
#include "text/numtext.h"
#include "finance/interest.h"

namespace {

// The published checks, a base change, the tobacco coefficient and the ends
// of the table; the variation in percent from the unrounded ratio.
TEST(FoiCoefficient, PublishedChecksAndTheEndsOfTheTable)
{
    const struct {
        YearMonth from, to;
        const wchar_t* coefficient;  // empty: not ok
        const wchar_t* percent;
        YearMonth usedTo;
    } cases[] = {
        {{2009, 1}, {2026, 1}, L"1,336", L"33,6", {2026, 1}},  // ISTAT's 2026 note
        {{1991, 1}, {2026, 1}, L"2,212", L"121,2", {2026, 1}},  // with tobacco and five bases
        {{1986, 3}, {2011, 3}, L"2,245", L"124,5", {2011, 3}},  // four bases and tobacco
        {{2006, 1}, {2007, 1}, L"1,015", L"1,5", {2007, 1}},
        {{1993, 1}, {1996, 6}, L"1,162", L"16,2", {1996, 6}},  // the 1995 base, 1,1410
        {{2021, 12}, {2024, 12}, L"1,132", L"13,2", {2024, 12}},
        {{2010, 3}, {2026, 3}, L"1,327", L"32,7", {2026, 3}},  // across the 2026 base
        {{1992, 1}, {1992, 2}, L"1,003", L"0,3", {1992, 2}},   // 116,9 / 116,7 × 1,0009
        {{1992, 2}, {1992, 3}, L"1,004", L"0,4", {1992, 3}},   // no tobacco coefficient
        {{2025, 12}, {2026, 11}, L"1,036", L"3,6", {2026, 8}},  // past the table: its last month
        {{1947, 1}, {1947, 1}, L"1,000", L"0,0", {1947, 1}},
        {{1946, 12}, {2026, 1}, L"", L"", {}},
    };
    for (const auto& c : cases) {
        const FoiCoefficient got = foiCoefficient(c.from, c.to, AddedRows{});
        ASSERT_EQ(*c.coefficient != 0, got.ok) << c.from.year << "-" << c.from.month;
        if (!got.ok) continue;
        EXPECT_EQ(c.coefficient, formatNumber(got.coefficient, 3)) << c.from.year << "-" << c.from.month;
        EXPECT_EQ(c.percent, formatNumber((got.ratio - 1) * 100, 1)) << c.from.year << "-" << c.from.month;
        EXPECT_TRUE(got.to == c.usedTo) << c.to.year << "-" << c.to.month;
    }
    EXPECT_TRUE(foiLastMonth(AddedRows{}) == (YearMonth{2026, 8}));
    EXPECT_EQ(10620, foiIndex({2021, 12}, AddedRows{}).value_or(0));
    EXPECT_EQ(L"dic 2021", monthAbbreviation({2021, 12}));
}

} // namespace

namespace {

// Interest on the capital as it grows: each year's piece on the capital
// revalued to its own last month (Cass. SU 1712/1995), at each rate source.
TEST(Revaluation, InterestOnTheCapitalAsItGrows)
{
    settings = Settings{};
    const struct {
        RateSource source;
        const wchar_t *capital, *rate, *from, *to, *surcharge;
        const wchar_t *result, *formula;  // lines joined by " | "; formula nullptr: not compared
    } cases[] = {
        {RateSource::legal, L"10.000", L"", L"31/12/2021", L"31/12/2024", nullptr,
         L"Interessi: 982,91 €    |    Rivalutato + interessi: 12.302,91 € | Rivalutazione FOI dic 2021 → dic 2024: "
         L"× 1,132 (+13,2%) = 11.320,00 €",
         L"Rivalutazione: 10.000,00 × 1,132 (FOI dic 2021 → dic 2024) = 11.320,00 € | 01/01/2022 – 31/12/2022: "
         L"11.130,00 × 1,25% × 365 / 365 = 139,13 € | 01/01/2023 – 31/12/2023: 11.200,00 × 5,00% × 365 / 365 = "
         L"560,00 € | 01/01/2024 – 31/12/2024: 11.320,00 × 2,50% × 366 / 365 = 283,78 € | Totale: 982,91 €"},
        // Every piece of a year on the capital revalued to its December, the half-years of the reference rate too.
        {RateSource::reference, L"10.000", L"", L"31/12/2021", L"31/12/2024", nullptr,
         L"Interessi: 861,22 €    |    Rivalutato + interessi: 12.181,22 € | Rivalutazione FOI dic 2021 → dic 2024: "
         L"× 1,132 (+13,2%) = 11.320,00 € | Senza maggiorazione: solo tasso di riferimento BCE (D.Lgs. 231/2002: + 8 punti).",
         nullptr},
        {RateSource::legal, L"10.000", L"", L"31/12/2025", L"30/11/2026", nullptr,
         L"Interessi: 151,68 €    |    Rivalutato + interessi: 10.511,68 € | Rivalutazione FOI dic 2025 → ago 2026: "
         L"× 1,036 (+3,6%) = 10.360,00 € | Indice FOI di nov 2026 non in tabella: usato ago 2026 (ultimo noto).",
         nullptr},
        {RateSource::entered, L"10.000", L"2", L"15/06/2024", L"15/03/2025", nullptr,
         L"Interessi: 150,90 €    |    Rivalutato + interessi: 10.310,90 € | Rivalutazione FOI giu 2024 → mar 2025: "
         L"× 1,016 (+1,6%) = 10.160,00 € | Periodo su più semestri: i tassi ufficiali possono cambiare.",
         L"Rivalutazione: 10.000,00 × 1,016 (FOI giu 2024 → mar 2025) = 10.160,00 € | 16/06/2024 – 31/12/2024: "
         L"10.060,00 × 2,00% × 199 / 365 = 109,70 € | 01/01/2025 – 15/03/2025: 10.160,00 × 2,00% × 74 / 365 = "
         L"41,20 € | Totale: 150,90 €"},
        {RateSource::reference, L"10.000", L"", L"31/12/2025", L"30/06/2026", L"8",
         L"Interessi: 516,92 €    |    Rivalutato + interessi: 10.786,92 € | Rivalutazione FOI dic 2025 → giu 2026: "
         L"× 1,027 (+2,7%) = 10.270,00 €",
         nullptr},
        // Prices fell: never below the nominal amount (art. 1277 c.c.).
        {RateSource::legal, L"10.000", L"", L"31/08/2019", L"30/09/2020", nullptr,
         L"Interessi: 30,49 €    |    Rivalutato + interessi: 10.030,49 € | Rivalutazione FOI ago 2019 → set 2020: "
         L"indice in calo (-1,3%), resta 10.000,00 € (art. 1277 c.c.)",
         L"Rivalutazione: 10.000,00 × 1,000 (FOI ago 2019 → set 2020 in calo: mai sotto il valore nominale) = "
         L"10.000,00 € | 01/09/2019 – 31/12/2019: 10.000,00 × 0,80% × 122 / 365 = 26,74 € | 01/01/2020 – 30/09/2020: "
         L"10.000,00 × 0,05% × 274 / 365 = 3,75 € | Totale: 30,49 €"},
        {RateSource::reference, L"10.000", L"", L"31/12/1946", L"30/06/2026", L"8", L"Indici FOI disponibili da gen 1947.",
         nullptr},
        {RateSource::legal, L"10.000", L"", L"01/01/1947", L"01/01/1947", nullptr,
         L"Interessi: 0,00 €    |    Rivalutato + interessi: 10.000,00 € | Rivalutazione FOI gen 1947 → gen 1947: "
         L"× 1,000 (+0,0%) = 10.000,00 €",
         nullptr},
    };
    for (const auto& c : cases) {
        InterestInput in;
        in.source = c.source;
        in.revaluation = true;
        in.capitalText = c.capital;
        in.rateText = c.rate;
        in.surchargeApplied = c.surcharge != nullptr;
        in.surchargeText = c.surcharge ? c.surcharge : L"";
        in.fromText = c.from;
        in.toText = c.to;
        const InterestOutcome out = computeInterest(in);
        auto joined = [](std::wstring text) {
            for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.replace(at, 2, L" | ");
            return text;
        };
        EXPECT_EQ(c.result, joined(out.note.empty() ? out.resultLine : out.resultLine + L"\r\n" + out.note)) << c.from;
        if (c.formula) {
            EXPECT_EQ(c.formula, joined(out.formulaText)) << c.from;
        }
    }
    InterestInput days;
    days.revaluation = true;
    days.source = RateSource::legal;
    days.daysMode = true;
    days.capitalText = L"1000";
    EXPECT_EQ(L"Con la rivalutazione servono le date.", computeInterest(days).resultLine) << "before the source's message";
}

} // namespace
