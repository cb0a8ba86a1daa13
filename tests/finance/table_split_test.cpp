#include "finance/table_split.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "text/numtext.h"

namespace {

const wchar_t* const example = L"Unit\u00e0\tGenerale\tScale\r\nRossi\t333,334\t500\r\nBianchi\t333,333\t500\r\n"
                               L"Verdi\t333,333\t\u2014\r\n";

struct TableCase {
    const wchar_t* rows;
    const wchar_t* amounts;
    std::vector<std::wstring> lines;  // of the prospect, each found whole; or the message alone
};

class TableSplits : public ::testing::TestWithParam<TableCase> {};

TEST_P(TableSplits, ProspectLinesOrMessage)
{
    const TableCase& c = GetParam();
    const TableSplitOutcome out = computeTableSplit({c.rows, c.amounts});
    if (!out.ok) {
        EXPECT_EQ(c.lines, std::vector<std::wstring>{out.text});
        return;
    }
    for (const std::wstring& line : c.lines)
        EXPECT_NE(std::wstring::npos, (L"\r\n" + out.text + L"\r\n").find(L"\r\n" + line + L"\r\n"))
            << "missing \"" << std::string(line.begin(), line.end()) << "\" in\n"
            << std::string(out.text.begin(), out.text.end());
}

INSTANTIATE_TEST_SUITE_P(
    Table, TableSplits,
    ::testing::Values(
        TableCase{example, L"1.000; 301",
                  {L"RIPARTO", L"Generale: 1.000,00 \u20ac su 1.000,000", L"Scale: 301,00 \u20ac su 1.000",
                   L"Rossi  333,334 \u2192 333,34  500 \u2192 150,50  totale 483,84",
                   L"Bianchi  333,333 \u2192 333,33  500 \u2192 150,50  totale 483,83",
                   L"Verdi  333,333 \u2192 333,33  \u2014 \u2192 0,00  totale 333,33",
                   L"TOTALE  1.000,00  301,00  totale 1.301,00"}},
        // Names of several words, weights only, blank lines, a lone CR; equal remainders: the upper row first.
        TableCase{L"Rossi Mario 1\r\n\r\n1\rBianchi  Anna\u00a01\n", L"\u20ac 100",
                  {L"Colonna 1: 100,00 \u20ac su 3", L"Rossi Mario  1 \u2192 33,34  totale 33,34",
                   L"Riga 3  1 \u2192 33,33  totale 33,33", L"Bianchi  Anna  1 \u2192 33,33  totale 33,33"}},
        // A numbered unit under a heading; the largest remainder wins over the upper row.
        TableCase{L"Unit\u00e0\tA\n1\t1\n2\t2\n", L"0,10",
                  {L"1  1 \u2192 0,03  totale 0,03", L"2  2 \u2192 0,07  totale 0,07"}},
        // Empty cells at either end of a spreadsheet's row are weights of 0 and names of their own.
        TableCase{L"U\tA\tB\nRossi\t1\t\n\t1\t1 \n\t \n", L"10; 10",
                  {L"Rossi  1 \u2192 5,00  \u2014 \u2192 0,00  totale 5,00", L"Riga 3  1 \u2192 5,00  1 \u2192 10,00  totale 15,00"}},
        TableCase{L"Rossi\t999,999\n", L"12.000",
                  {L"Colonna 1: 12.000,00 \u20ac su 999,999 (la tabella non somma a 1.000)"}},
        TableCase{L"Rossi\t999\n", L"12.000", {L"Colonna 1: 12.000,00 \u20ac su 999 (la tabella non somma a 1.000)"}},
        TableCase{L"Rossi\t998,5\n", L"12.000", {L"Colonna 1: 12.000,00 \u20ac su 998,5"}},
        TableCase{L"A 1 2\nB 1 \u2014\n", L"1.000; 0", {L"B  1 \u2192 500,00  \u2014 \u2192 0,00  totale 500,00"}},
        TableCase{L"A 1\nB 1/3\n", L"1", {L"B  0,333333333333333 \u2192 0,25  totale 0,25"}},
        TableCase{L"Rossi\t12,a", L"1", {L"Riga 1: peso non valido (\u00ab12,a\u00bb)."}},
        TableCase{L"A 1 2 3\n\nRossi 12,a", L"1", {L"Riga 3: peso non valido (\u00ab12,a\u00bb)."}},
        TableCase{L"A 1\nRossi Mario", L"1", {L"Riga 2: manca il peso."}},
        TableCase{L"A 1\nB -1", L"1", {L"Riga 2: peso non valido (\u00ab-1\u00bb)."}},
        TableCase{L"A 1 2 3\nB 1 2\n", L"1", {L"Riga 2: pesi 2, colonne 3."}},
        TableCase{L"U\tX\tY\tZ\nB\t1\t2\n", L"1", {L"Riga 2: pesi 2, colonne 3."}},
        TableCase{L"A 1 2 3\n", L"1; 2", {L"Importi: 2 importi per 3 colonne."}},
        TableCase{L"A 1 2\n", L"1", {L"Importi: 1 importo per 2 colonne."}},
        TableCase{L"A 1 2\n", L"1; 1.2x3", {L"Importo non valido (\u00ab1.2x3\u00bb)."}},
        TableCase{L"A 1 2\n", L"1; -3", {L"Importo non valido (\u00ab-3\u00bb)."}},
        TableCase{L"A 1 \u2014\nB 1 0\n", L"1; 2", {L"Colonna 2: la somma dei pesi \u00e8 zero."}},
        TableCase{L"A 1e19\nB 1e19\n", L"1", {L"Colonna 1: troppe cifre nei pesi."}},
        TableCase{L" \r\n\t\r\n", L"1", {L"Scrivi almeno una riga: nome e peso."}},
        TableCase{L"Unit\u00e0\tA\n", L"1", {L"Scrivi almeno una riga: nome e peso."}},
        TableCase{L"A 1 2 3 4 5 6 7 8 9 10 11\n", L"1", {L"Al massimo 2.000 righe e 10 colonne."}}));

TEST(TableSplit, CopiesTheTableForASpreadsheet)
{
    const TableSplitOutcome out = computeTableSplit({example, L"1.000; 301"});
    EXPECT_EQ(L"Unit\u00e0\tGenerale\tGenerale \u20ac\tScale\tScale \u20ac\tTotale \u20ac\r\n"
              L"Rossi\t333,334\t333,34\t500\t150,50\t483,84\r\n"
              L"Bianchi\t333,333\t333,33\t500\t150,50\t483,83\r\n"
              L"Verdi\t333,333\t333,33\t\u2014\t0,00\t333,33\r\n"
              L"Totale\t1.000,000\t1.000,00\t1.000\t301,00\t1.301,00\r\n",
              out.copyText);
    std::wstring rows;
    for (int i = 0; i <= maxTableRows; ++i) rows += L"1\r\n";
    EXPECT_EQ(L"Al massimo 2.000 righe e 10 colonne.", computeTableSplit({rows, L"1"}).text);
}

// Random tables: each column's shares add up to its amount, and no share is a
// cent or more away from its exact value (worked out on the weights' digits).
TEST(TableSplit, EveryColumnAddsUpAndEveryShareIsWithinACent)
{
    std::mt19937_64 rng(20261209);
    for (int iteration = 0; iteration < 300; ++iteration) {
        const int rowCount = 1 + static_cast<int>(rng() % 60), places = static_cast<int>(rng() % 4);
        std::vector<long long> weights;
        std::wstring rows;
        long long sum = 0;
        for (int r = 0; r < rowCount; ++r) {
            weights.push_back(static_cast<long long>(rng() % 1000000));
            sum += weights.back();
            rows += L"R" + std::to_wstring(r) + L"\t" + formatScaled(static_cast<unsigned long long>(weights.back()), places) + L"\n";
        }
        const long long amount = static_cast<long long>(rng() % 100000000000LL);
        const TableSplitOutcome out = computeTableSplit({rows, formatScaled(static_cast<unsigned long long>(amount), 2)});
        ASSERT_EQ(sum > 0, out.ok) << std::string(out.text.begin(), out.text.end());
        if (!out.ok) continue;
        long long added = 0;
        size_t at = out.copyText.find(L"\r\n") + 2;
        for (int r = 0; r < rowCount; ++r, at = out.copyText.find(L"\r\n", at) + 2) {
            const size_t tab = out.copyText.rfind(L'\t', out.copyText.find(L"\r\n", at));
            const ParsedNumber share = parseNumber(out.copyText.substr(tab + 1, out.copyText.find(L"\r\n", at) - tab - 1));
            const long long cents = std::llround(share.value * 100);
            added += cents;
            // |cents - amount × w / sum| < 1, in whole numbers.
            EXPECT_LT(std::llabs(cents * sum - amount * weights[static_cast<size_t>(r)]), sum);
        }
        EXPECT_EQ(amount, added);
    }
}

} // namespace
