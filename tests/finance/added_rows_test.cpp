#include "finance/added_rows.h"

#include <gtest/gtest.h>

#include <string>

#include "finance/foi_index.h"
#include "finance/interest.h"

namespace {

// The office's rows: checked against their table, kept in order, read back
// with a corrupt value's good prefix, and used by every calculation.
TEST(AddedRows, CheckedKeptReadBackAndUsed)
{
    AddedRows addedRows;
    const struct {
        AddedTable table;
        const wchar_t *from, *value, *message;  // message empty: accepted
    } steps[] = {
        {AddedTable::legal, L"01/01/2028", L"1,5", L"Il valore deve seguire l'ultimo in tabella: dal 01/01/2027."},
        {AddedTable::legal, L"01/01/2027", L"101", L"Tasso non valido (0\u2013100)."},
        {AddedTable::legal, L"1.1.27", L"1,6", L""},
        {AddedTable::legal, L"01/01/2028", L"1,50", L""},
        {AddedTable::reference, L"01/07/2027", L"2", L"Il valore deve seguire l'ultimo in tabella: dal 01/01/2027."},
        {AddedTable::reference, L"01/01/2027", L"abc", L"Tasso non valido (0\u2013100)."},
        {AddedTable::reference, L"01/01/2027", L"2,4", L""},
        {AddedTable::foi, L"10/2026", L"104", L"Il valore deve seguire l'ultimo in tabella: dal 09/2026."},
        {AddedTable::foi, L"09/2026", L"0,5", L"Indice non valido (1\u20131000)."},
        {AddedTable::foi, L"09/2026", L"104,14", L""},
    };
    for (const auto& s : steps) {
        const NewRow row = checkNewRow(s.table, s.from, s.value, addedRows);
        EXPECT_EQ(s.message, row.message) << s.from;
        if (row.ok) rowsOf(addedRows, s.table).push_back(row.row);
    }
    const std::wstring text = addedRowsText(addedRows);
    EXPECT_EQ(L"L 01/01/2027 1,60;L 01/01/2028 1,50;R 01/01/2027 2,40;F 09/2026 104,1", text);

    // Past the built-in tables, no "non in tabella" while the added rows cover the period.
    InterestInput in;
    in.source = RateSource::legal;
    in.capitalText = L"36.500";
    in.fromText = L"31/12/2026";
    in.toText = L"31/12/2027";
    in.addedRows = addedRows;
    InterestOutcome out = computeInterest(in);
    EXPECT_EQ(L"", out.note);
    EXPECT_NE(std::wstring::npos, out.formulaText.find(L"= 584,00 \u20ac (tasso aggiunto)\r\n"));
    in.revaluation = true;
    in.fromText = L"31/08/2026";
    in.toText = L"30/09/2026";
    out = computeInterest(in);
    EXPECT_EQ(0u, out.formulaText.find(L"Rivalutazione: 36.500,00 \u00d7 1,004 (FOI ago 2026 \u2192 set 2026) = "
                                         L"36.646,00 \u20ac (indice aggiunto)\r\n"));

    // Read back; a corrupt entry sets aside the later ones of its table only,
    // kept as they were for the build that can read them; one the built-in
    // table has since caught up with is skipped.
    EXPECT_EQ(text, addedRowsText(readAddedRows(text)));
    EXPECT_EQ(L"L 01/01/2027 1,60;F 09/2026 104,1",
              addedRowsText(readAddedRows(L"F 08/2026 103,7;F 09/2026 104,1;L 01/01/2026 1,60;L 01/01/2027 1,60")));
    EXPECT_EQ(L"L 01/01/2027 1,60;R 01/01/2027 2,40;F 09/2026 104,1;L 01/01/2029 1,50;L 01/01/2028 1,5;X 1;"
              L"F 10/2026 2000",
              addedRowsText(readAddedRows(L"L 01/01/2027 1,60;L 01/01/2029 1,50;L 01/01/2028 1,5;R 01/01/2027 2,40;"
                                          L"F 09/2026 104,1;X 1;F 10/2026 2000")));
    EXPECT_EQ(L"L 01/01/2027;garbage;L 01/01/2027 1,60",
              addedRowsText(readAddedRows(L"L 01/01/2027;;garbage;L 01/01/2027 1,60")));
}

} // namespace
