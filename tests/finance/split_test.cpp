#include "finance/split.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>


namespace {

std::wstring report(const std::wstring& total, std::vector<std::wstring> weights, int decimals = 2)
{
    return computeSplit({total, std::move(weights), decimals}).reportText;
}

// The amounts of a report, in order, as written ("33,34").
std::vector<std::wstring> amounts(const std::wstring& text)
{
    std::vector<std::wstring> out;
    for (size_t at = text.find(L"\u2192  "); at != std::wstring::npos; at = text.find(L"\u2192  ", at + 1)) {
        size_t begin = at + 3, end = text.find(L" \u20ac", begin);
        out.push_back(text.substr(begin, end - begin));
    }
    return out;
}

TEST(ComputeSplit, DefaultInputs)
{
    EXPECT_EQ(L"1) Peso 40,00  \u2192  400,00 \u20ac   (40,00%)\r\n"
              L"2) Peso 30,00  \u2192  300,00 \u20ac   (30,00%)\r\n"
              L"3) Peso 30,00  \u2192  300,00 \u20ac   (30,00%)\r\n"
              L"TOTALE: 1.000,00 \u20ac",
              report(L"1000", {L"40", L"30", L"30"}));
}

struct AmountsCase {
    const wchar_t* total;
    std::vector<std::wstring> weights;
    std::vector<std::wstring> amounts;
    const wchar_t* totalLine;
};

class SplitAmounts : public ::testing::TestWithParam<AmountsCase> {};

TEST_P(SplitAmounts, LargestRemainderToTheCent)
{
    const AmountsCase& c = GetParam();
    std::wstring text = report(c.total, c.weights);
    EXPECT_EQ(c.amounts, amounts(text));
    EXPECT_NE(std::wstring::npos, text.find(c.totalLine)) << "total line";
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitAmounts,
    ::testing::Values(
        AmountsCase{L"100", {L"1", L"1", L"1"}, {L"33,34", L"33,33", L"33,33"}, L"TOTALE: 100,00 \u20ac"},
        AmountsCase{L"10", {L"1", L"2"}, {L"3,33", L"6,67"}, L"TOTALE: 10,00 \u20ac"},
        AmountsCase{L"1", {L"1", L"1", L"1", L"1", L"1", L"1"},
                    {L"0,17", L"0,17", L"0,17", L"0,17", L"0,16", L"0,16"}, L"TOTALE: 1,00 \u20ac"},
        AmountsCase{L"0,05", {L"1", L"1", L"1"}, {L"0,02", L"0,02", L"0,01"}, L"TOTALE: 0,05 \u20ac"},
        AmountsCase{L"100", {L"1", L"0", L"1"}, {L"50,00", L"0,00", L"50,00"}, L"TOTALE: 100,00 \u20ac"},
        AmountsCase{L"0", {L"1", L"3"}, {L"0,00", L"0,00"}, L"TOTALE: 0,00 \u20ac"},
        AmountsCase{L"0,125", {L"1"}, {L"0,13"}, L"TOTALE: 0,13 \u20ac"},
        // The total counts the cents it shows: 1,005 is 101 cents, though the
        // double 1,005 × 100 lies just below 100,5.
        AmountsCase{L"1,005", {L"1"}, {L"1,01"}, L"TOTALE: 1,01 \u20ac"},
        AmountsCase{L"2,675", {L"1", L"1"}, {L"1,34", L"1,34"}, L"TOTALE: 2,68 \u20ac"},
        AmountsCase{L"9.000.000.000.000", {L"1", L"2"},
                    {L"3.000.000.000.000,00", L"6.000.000.000.000,00"}, L"TOTALE: 9.000.000.000.000,00 \u20ac"}));

TEST(ComputeSplit, PercentagesAndWeightsAsWritten)
{
    std::wstring text = report(L"100", {L"1", L"1", L"1"});
    EXPECT_NE(std::wstring::npos, text.find(L"1) Peso 1,00  \u2192  33,34 \u20ac   (33,33%)"));
    text = report(L"1000", {L"40", L"60"}, 0);
    EXPECT_NE(std::wstring::npos, text.find(L"1) Peso 40  \u2192  400,00 \u20ac   (40,00%)"));
}

TEST(ComputeSplit, MessagesInTheirOrder)
{
    EXPECT_EQ(L"Totale non valido.", report(L"abc", {L"-5"}));
    EXPECT_EQ(L"Totale non valido.", report(L"-1", {L"1"}));
    EXPECT_EQ(L"Inserire pesi non negativi in ogni riga.", report(L"100", {L"1", L"-5"}));
    EXPECT_EQ(L"Inserire pesi non negativi in ogni riga.", report(L"100", {L"1", L""}));
    EXPECT_EQ(L"Inserire pesi non negativi in ogni riga.", report(L"9.000.000.000.000,01", {L""}))
        << "the weights are examined before the total's size";
    EXPECT_EQ(L"La somma dei pesi deve essere positiva.", report(L"100", {L"0", L"0"}));
    EXPECT_EQ(L"La somma dei pesi deve essere positiva.", report(L"100", {}));
    EXPECT_EQ(L"Importo troppo elevato.", report(L"9.000.000.000.000,01", {L"1", L"1"}));
}

TEST(ComputeSplit, HugeWeightsGetAMessageInsteadOfAnUndefinedConversion)
{
    const wchar_t* message = L"Pesi troppo elevati: ridurre i valori delle quote.";
    std::wstring e300 = L"1" + std::wstring(300, L'0');
    std::wstring e308 = L"1" + std::wstring(308, L'0');
    EXPECT_EQ(message, report(L"9.000.000.000.000", {e300, L"1"})) << "w \u00d7 K overflows";
    EXPECT_EQ(message, report(L"1", {e308, e308})) << "the sum overflows";
    EXPECT_EQ(message, report(L"9.000.000.000.000", {e308}));
    std::wstring ok = report(L"1000", {e300, L"1"});
    EXPECT_NE(std::wstring::npos, ok.find(L"\u2192  1.000,00 \u20ac   (100,00%)")) << "large but finite shares still split";
}

// Random totals and weights: the amounts add up, each is within a cent of its
// share, and the leftover cents go to the largest fractions, upper rows first.
TEST(SplitCents, PropertiesOverManyRandomSplits)
{
    std::mt19937_64 rng(20261207);
    std::uniform_int_distribution<int> rowCount(2, 6), kind(0, 4);
    for (int iteration = 0; iteration < 50000; ++iteration) {
        long long K;
        switch (kind(rng)) {
        case 0: K = static_cast<long long>(rng() % 1000); break;
        case 1: K = static_cast<long long>(rng() % 100000000); break;
        default: K = static_cast<long long>(rng() % 900000000000001ULL); break;
        }
        std::vector<double> w;
        int rows = rowCount(rng);
        int style = static_cast<int>(rng() % 4);
        for (int i = 0; i < rows; ++i) {
            switch (style) {
            case 0: w.push_back(static_cast<double>(rng() % 100)); break;            // small integers, zeros
            case 1: w.push_back(7); break;                                           // all equal
            case 2: w.push_back(static_cast<double>(rng() % 100000) / 1000); break;  // fractional
            default: w.push_back(i % 2 ? 0.0 : static_cast<double>(rng() % 5 + 1)); break;
            }
        }
        double S = 0;
        for (double x : w) S += x;
        if (S <= 0) continue;
        std::vector<long long> c = splitCents(w, S, K);
        ASSERT_EQ(w.size(), c.size());
        long long sum = 0;
        std::vector<double> fractions;
        for (size_t i = 0; i < w.size(); ++i) {
            double share = (w[i] * static_cast<double>(K)) / S;
            long long base = static_cast<long long>(std::floor(share));
            ASSERT_TRUE(c[i] == base || c[i] == base + 1) << "at most one extra cent";
            ASSERT_LE(std::fabs(static_cast<double>(c[i]) - share), 1.0) << "within a cent";
            fractions.push_back(share - static_cast<double>(base));
            sum += c[i];
        }
        ASSERT_EQ(K, sum) << "the amounts add up to the total";
        for (size_t i = 0; i < w.size(); ++i)
            for (size_t j = 0; j < w.size(); ++j) {
                bool iGot = c[i] > static_cast<long long>(std::floor((w[i] * static_cast<double>(K)) / S));
                bool jGot = c[j] > static_cast<long long>(std::floor((w[j] * static_cast<double>(K)) / S));
                if (jGot && !iGot) {
                    ASSERT_TRUE(fractions[j] > fractions[i] || (fractions[j] == fractions[i] && j < i))
                        << "a cent went to row " << j << " before row " << i;
                }
            }
    }
}

} // namespace
