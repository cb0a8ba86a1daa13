// A table split: named rows with a weight in each column, and one amount per
// column split in proportion to that column's weights, exact to the cent.
#pragma once

#include <string>
#include <vector>

struct TableSplitInput {
    std::wstring rowsText;     // "Righe": one row a line, a name and its weights
    std::wstring amountsText;  // "Importi": one amount per column, separated by ";"
};

struct TableSplitOutcome {
    bool ok = false;
    std::wstring text;       // the prospect, lines joined by CR LF, or the message
    std::wstring copyText;   // the table for a spreadsheet: tab-separated cells, CR LF rows
};

constexpr int maxTableRows = 2000, maxTableColumns = 10;

TableSplitOutcome computeTableSplit(const TableSplitInput& in);

// "Quota 1⇥40", one a line: the rows of a split of unnamed weights.
std::wstring tableRowsText(const std::vector<std::wstring>& weightTexts);
