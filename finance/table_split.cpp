#include "finance/table_split.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>

#include "finance/split.h"
#include "text/lines.h"
#include "text/numtext.h"

namespace {

// A weight as its significant digits, digits × 10^-places: the decimal
// digits it is written with, never a binary fraction.
struct Weight {
    std::uint64_t digits = 0;  // at most 15, without zeros at their end
    int places = 0;            // negative for whole tens, hundreds…
};

struct TableRow {
    std::wstring name;
    std::vector<std::wstring> cells;  // the weights as written, trimmed
    std::vector<Weight> weights;
};

struct Table {
    std::wstring nameHeading = L"Unit\u00e0";
    std::vector<std::wstring> columnNames;  // from the heading; empty without one
    std::vector<TableRow> rows;
};

// A weight as written: an empty cell or a dash alone is 0; else a
// non-negative amount in any form the fields read.
std::optional<Weight> readWeight(const std::wstring& cell)
{
    if (cell.empty()) return Weight{};
    const ParsedNumber n = parseNumber(isPlainNumber(cell) ? cell : accountingAmount(cell).value_or(cell));
    if (!n.ok || n.value < 0) return std::nullopt;
    if (n.value == 0) return Weight{};
    const SignificantDigits f = significantDigits(n.value);
    Weight w;
    int count = 15;
    while (count > 1 && f.digits[count - 1] == '0') --count;
    for (int i = 0; i < count; ++i) w.digits = w.digits * 10 + static_cast<std::uint64_t>(f.digits[i] - '0');
    w.places = count - 1 - f.exponent;
    return w;
}

bool holdsDigit(const std::wstring& text) { return std::any_of(text.begin(), text.end(), isAsciiDigit); }

std::vector<std::wstring> cellsOf(const std::wstring& line)
{
    std::vector<std::wstring> cells;
    for (size_t at = 0;;) {
        const size_t tab = line.find(L'\t', at);
        cells.push_back(trimmedText(line.substr(at, tab == std::wstring::npos ? std::wstring::npos : tab - at)));
        if (tab == std::wstring::npos) return cells;
        at = tab + 1;
    }
}

// The words of a line without tabs, each with where it starts.
std::vector<std::pair<size_t, std::wstring>> wordsOf(const std::wstring& line)
{
    std::vector<std::pair<size_t, std::wstring>> words;
    for (size_t at = 0; at < line.size();) {
        while (at < line.size() && isLineBlank(line[at])) ++at;
        size_t end = at;
        while (end < line.size() && !isLineBlank(line[end])) ++end;
        if (end > at) words.emplace_back(at, line.substr(at, end - at));
        at = end;
    }
    return words;
}

std::wstring rowLabel(size_t line) { return L"Riga " + std::to_wstring(line); }

// One row: a line with tabs is cut at them, its first cell the name (under a
// heading always; else when it does not read as a weight); a line without
// is a name and the longest run of words at its end that read as weights.
// What is wrong with it, or nothing.
std::wstring readRow(const TextLine& line, bool underHeading, TableRow& row)
{
    std::vector<std::wstring> cells;
    if (line.text.find(L'\t') != std::wstring::npos) {
        cells = cellsOf(line.text);
        if (underHeading || cells[0].empty() || !readWeight(cells[0])) {
            row.name = cells[0];
            cells.erase(cells.begin());
        }
    } else {
        const auto words = wordsOf(line.text);
        size_t first = words.size();
        while (first > 0 && readWeight(words[first - 1].second)) --first;
        if (first == words.size()) {
            const std::wstring& last = words.back().second;
            return rowLabel(line.row) + (holdsDigit(last) ? L": peso non valido (" + quotedText(last) + L")."
                                                           : std::wstring(L": manca il peso."));
        }
        if (first > 0) row.name = trimmedText(line.text.substr(0, words[first].first));
        for (size_t i = first; i < words.size(); ++i) cells.push_back(words[i].second);
    }
    if (row.name.empty()) row.name = rowLabel(line.row);
    for (const std::wstring& cell : cells) {
        const auto weight = readWeight(cell);
        if (!weight) return rowLabel(line.row) + L": peso non valido (" + quotedText(cell) + L").";
        row.weights.push_back(*weight);
    }
    row.cells = std::move(cells);
    return std::wstring();
}

// The rows and the heading of Righe; what is wrong with them, or nothing.
std::wstring readTable(const std::wstring& text, Table& table)
{
    std::vector<TextLine> lines = tableLines(text);
    if (!lines.empty() && lines[0].text.find(L'\t') != std::wstring::npos) {
        std::vector<std::wstring> cells = cellsOf(lines[0].text);
        if (std::none_of(cells.begin() + 1, cells.end(), holdsDigit)) {
            if (!cells[0].empty()) table.nameHeading = cells[0];
            table.columnNames.assign(cells.begin() + 1, cells.end());
            lines.erase(lines.begin());
        }
    }
    if (lines.empty()) return L"Scrivi almeno una riga: nome e peso.";
    const wchar_t* const tooBig = L"Al massimo 2.000 righe e 10 colonne.";
    if (lines.size() > static_cast<size_t>(maxTableRows) || table.columnNames.size() > maxTableColumns) return tooBig;
    const bool underHeading = !table.columnNames.empty();
    for (const TextLine& line : lines) {
        TableRow row;
        const std::wstring problem = readRow(line, underHeading, row);
        if (!problem.empty()) return problem;
        const size_t columns = underHeading       ? table.columnNames.size()
                               : table.rows.empty() ? row.weights.size()
                                                    : table.rows[0].weights.size();
        if (columns > maxTableColumns) return tooBig;
        if (row.weights.size() != columns)
            return rowLabel(line.row) + L": pesi " + std::to_wstring(row.weights.size()) + L", colonne " +
                   std::to_wstring(columns) + L".";
        table.rows.push_back(std::move(row));
    }
    return std::wstring();
}

// The amounts of Importi in cents; what is wrong with them, or nothing.
std::wstring readAmounts(const std::wstring& text, size_t columns, std::vector<long long>& cents)
{
    std::vector<std::wstring> pieces;
    for (size_t at = 0;;) {
        const size_t semicolon = text.find(L';', at);
        pieces.push_back(trimmedText(text.substr(at, semicolon == std::wstring::npos ? std::wstring::npos : semicolon - at)));
        if (semicolon == std::wstring::npos) break;
        at = semicolon + 1;
    }
    while (!pieces.empty() && pieces.back().empty()) pieces.pop_back();  // "1.000; 301;"
    for (const std::wstring& piece : pieces) {
        const ParsedNumber n = parseNumber(accountingAmount(piece).value_or(piece));
        if (!n.ok || n.value < 0) return L"Importo non valido (" + quotedText(piece) + L").";
        if (n.value > maxSplitTotal) return L"Importo troppo elevato.";
        cents.push_back(amountCents(n.value));
    }
    if (pieces.size() == columns) return std::wstring();
    return L"Importi: " + std::to_wstring(pieces.size()) + (pieces.size() == 1 ? L" importo per " : L" importi per ") +
           std::to_wstring(columns) + (columns == 1 ? L" colonna." : L" colonne.");
}

// A weight as a whole number of units of 10^-places (at least its own);
// nothing past what 64 bits hold.
std::optional<std::uint64_t> scaledWeight(const Weight& w, int places)
{
    std::uint64_t units = w.digits;
    for (int i = w.places; i < places; ++i) {
        if (units > UINT64_MAX / 10) return std::nullopt;
        units *= 10;
    }
    return units;
}

// floor(a × b / d) and its remainder, exactly, for a × b < d × 2^64.
std::uint64_t multiplyDivide(std::uint64_t a, std::uint64_t b, std::uint64_t d, std::uint64_t& remainder)
{
    const std::uint64_t mask = 0xFFFFFFFFu;
    const std::uint64_t ll = (a & mask) * (b & mask), lh = (a & mask) * (b >> 32), hl = (a >> 32) * (b & mask);
    const std::uint64_t mid = (ll >> 32) + (lh & mask) + (hl & mask);
    const std::uint64_t low = (mid << 32) | (ll & mask);
    std::uint64_t r = (a >> 32) * (b >> 32) + (lh >> 32) + (hl >> 32) + (mid >> 32), q = 0;
    for (int bit = 63; bit >= 0; --bit) {
        const bool carry = (r >> 63) != 0;
        r = (r << 1) | ((low >> bit) & 1);
        q <<= 1;
        if (carry || r >= d) {
            r -= d;
            q |= 1;
        }
    }
    remainder = r;
    return q;
}

struct Column {
    std::wstring name;
    int places = 0;            // the most any of its weights has
    std::uint64_t sum = 0;     // of the weights, in units of 10^-places
    long long amount = 0;      // cents
    std::vector<long long> shares;  // cents, a row each
};

// The column's weights split its amount: each row's exact share rounded down
// to the cent, then the cents left over one each to the largest remainders,
// the upper row first on equal ones. What is wrong, or nothing.
std::wstring splitColumn(const Table& table, size_t c, Column& column)
{
    const std::wstring label = L"Colonna " + std::to_wstring(c + 1);
    for (const TableRow& row : table.rows) column.places = std::max(column.places, row.weights[c].places);
    std::vector<std::uint64_t> units;
    for (const TableRow& row : table.rows) {
        const auto u = scaledWeight(row.weights[c], column.places);
        if (!u || *u > UINT64_MAX - column.sum) return label + L": troppe cifre nei pesi.";
        units.push_back(*u);
        column.sum += *u;
    }
    if (column.sum == 0) return label + L": la somma dei pesi \u00e8 zero.";
    std::vector<std::uint64_t> remainders(units.size());
    long long left = column.amount;
    for (size_t r = 0; r < units.size(); ++r) {
        column.shares.push_back(static_cast<long long>(
            multiplyDivide(static_cast<std::uint64_t>(column.amount), units[r], column.sum, remainders[r])));
        left -= column.shares.back();
    }
    std::vector<size_t> order(units.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return remainders[a] > remainders[b]; });
    for (size_t i = 0; i < order.size() && left > 0; ++i, --left) ++column.shares[order[i]];
    return std::wstring();
}

std::wstring cents(long long value) { return formatScaled(static_cast<unsigned long long>(value), 2); }

// "Generale: 12.000,00 € su 999,999 (la tabella non somma a 1.000)": millesimi
// within 1 of 1.000 that do not close are pointed out.
std::wstring columnLine(const Column& column)
{
    std::wstring line = column.name + L": " + cents(column.amount) + L" \u20ac su " + formatScaled(column.sum, column.places);
    if (column.places <= 15) {
        std::uint64_t unit = 1;
        for (int i = 0; i < column.places; ++i) unit *= 10;
        const std::uint64_t thousand = 1000 * unit;
        const std::uint64_t off = column.sum > thousand ? column.sum - thousand : thousand - column.sum;
        if (off != 0 && off <= unit) line += L" (la tabella non somma a 1.000)";
    }
    return line;
}

// A weight in the prospect: with its own places, "—" for an empty cell or a dash.
std::wstring shownWeight(const std::wstring& cell, const Weight& weight)
{
    if (cell.empty() || (!holdsDigit(cell) && accountingAmount(cell))) return L"\u2014";
    const int places = std::max(weight.places, 0);
    return formatScaled(*scaledWeight(weight, places), places);  // fits: its column's did
}

TableSplitOutcome outcomeOf(const Table& table, const std::vector<Column>& columns)
{
    TableSplitOutcome out{true, L"RIPARTO\r\n", table.nameHeading};
    const size_t rowLength = 24 + 30 * columns.size();
    out.text.reserve(rowLength * (table.rows.size() + columns.size() + 4));
    out.copyText.reserve(rowLength * (table.rows.size() + 3));
    for (const Column& column : columns) {
        out.text += columnLine(column) + L"\r\n";
        out.copyText += L"\t" + column.name + L"\t" + column.name + L" \u20ac";
    }
    out.text += L"\r\n";
    out.copyText += L"\tTotale \u20ac\r\n";
    long long grand = 0;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const TableRow& row = table.rows[r];
        out.text += row.name;
        out.copyText += row.name;
        long long total = 0;
        for (size_t c = 0; c < columns.size(); ++c) {
            const long long share = columns[c].shares[r];
            total += share;
            const std::wstring shown = cents(share);
            out.text.append(L"  ").append(shownWeight(row.cells[c], row.weights[c])).append(L" \u2192 ").append(shown);
            out.copyText.append(L"\t").append(row.cells[c]).append(L"\t").append(shown);
        }
        const std::wstring shown = cents(total);
        out.text.append(L"  totale ").append(shown).append(L"\r\n");
        out.copyText.append(L"\t").append(shown).append(L"\r\n");
        grand += total;
    }
    out.text += L"TOTALE";
    out.copyText += L"Totale";
    for (const Column& column : columns) {
        out.text += L"  " + cents(column.amount);
        out.copyText += L"\t" + formatScaled(column.sum, column.places) + L"\t" + cents(column.amount);
    }
    out.text += L"  totale " + cents(grand);
    out.copyText += L"\t" + cents(grand) + L"\r\n";
    return out;
}

} // namespace

TableSplitOutcome computeTableSplit(const TableSplitInput& in)
{
    Table table;
    std::wstring problem = readTable(in.rowsText, table);
    if (!problem.empty()) return {false, problem, L""};
    const size_t count = table.rows[0].weights.size();
    std::vector<long long> amounts;
    problem = readAmounts(in.amountsText, count, amounts);
    if (!problem.empty()) return {false, problem, L""};
    std::vector<Column> columns(count);
    for (size_t c = 0; c < count; ++c) {
        Column& column = columns[c];
        column.name = c < table.columnNames.size() && !table.columnNames[c].empty() ? table.columnNames[c]
                                                                                     : L"Colonna " + std::to_wstring(c + 1);
        column.amount = amounts[c];
        problem = splitColumn(table, c, column);
        if (!problem.empty()) return {false, problem, L""};
    }
    return outcomeOf(table, columns);
}

std::wstring tableRowsText(const std::vector<std::wstring>& weightTexts)
{
    std::wstring text;
    for (size_t i = 0; i < weightTexts.size(); ++i)
        text += L"Quota " + std::to_wstring(i + 1) + L"\t" + trimmedText(weightTexts[i]) + L"\r\n";
    return text;
}
