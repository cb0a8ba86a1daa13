#include "finance/foi_index.h"

#include <gtest/gtest.h>

#include "calc/numtext.h"

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
        const FoiCoefficient got = foiCoefficient(c.from, c.to);
        ASSERT_EQ(*c.coefficient != 0, got.ok) << c.from.year << "-" << c.from.month;
        if (!got.ok) continue;
        EXPECT_EQ(c.coefficient, formatNumber(got.coefficient, 3)) << c.from.year << "-" << c.from.month;
        EXPECT_EQ(c.percent, formatNumber((got.ratio - 1) * 100, 1)) << c.from.year << "-" << c.from.month;
        EXPECT_TRUE(got.to == c.usedTo) << c.to.year << "-" << c.to.month;
    }
    EXPECT_TRUE(foiLastMonth() == (YearMonth{2026, 8}));
    EXPECT_EQ(10620, foiIndex({2021, 12}).value_or(0));
    EXPECT_EQ(L"dic 2021", monthAbbreviation({2021, 12}));
}

} // namespace
