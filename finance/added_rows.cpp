#include "finance/added_rows.h"

#include <cmath>

#include "text/numtext.h"
#include "finance/foi_index.h"
#include "finance/official_rates.h"

namespace {

const wchar_t tableLetters[3] = {L'L', L'R', L'F'};

bool isRate(AddedTable table) { return table != AddedTable::foi; }

// "01/01/2027", or "09/2026" for the index.
std::wstring fromText(AddedTable table, const CivilDate& from)
{
    const std::wstring date = formatDate(from);
    return isRate(table) ? date : date.substr(3);
}

// The value as it is kept: rates with two decimals, indices with one.
double keptValue(AddedTable table, double value) { return roundedValue(value, isRate(table) ? 2 : 1); }

std::wstring valueText(AddedTable table, double value) { return formatNumber(value, isRate(table) ? 2 : 1); }

// A date as the dialog and the stored entries write it; months for the index.
bool readFrom(AddedTable table, const std::wstring& text, CivilDate& out)
{
    return parseDate(isRate(table) ? text : L"01/" + text, out) && (isRate(table) || text.find(L'/') != std::wstring::npos);
}

// A stored entry for a day before the one its table takes next: the table has
// caught up with it, and it is no longer needed.
bool alreadyInTable(AddedTable table, const std::wstring& from, const AddedRows& added)
{
    CivilDate day;
    return rowsOf(added, table).empty() && readFrom(table, from, day) &&
           dateToDayNumber(day) < dateToDayNumber(nextRowFrom(table, added));
}

} // namespace

std::vector<AddedRow>& rowsOf(AddedRows& rows, AddedTable table)
{
    return table == AddedTable::legal ? rows.legal : table == AddedTable::reference ? rows.reference : rows.foi;
}

const std::vector<AddedRow>& rowsOf(const AddedRows& rows, AddedTable table)
{
    return rowsOf(const_cast<AddedRows&>(rows), table);
}

CivilDate nextRowFrom(AddedTable table, const AddedRows& added)
{
    if (table == AddedTable::foi) {
        const YearMonth last = foiLastMonth(added);
        return last.month == 12 ? CivilDate{last.year + 1, 1, 1} : CivilDate{last.year, last.month + 1, 1};
    }
    const RateSource source = table == AddedTable::legal ? RateSource::legal : RateSource::reference;
    return dayNumberToDate(officialRatesUntil(source, added) + 1);
}

std::wstring nextRowFromText(AddedTable table, const AddedRows& added)
{
    return fromText(table, nextRowFrom(table, added));
}

NewRow checkNewRow(AddedTable table, const std::wstring& from, const std::wstring& value, const AddedRows& added)
{
    NewRow out;
    const CivilDate expected = nextRowFrom(table, added);
    if (!readFrom(table, from, out.row.from) || dateToDayNumber(out.row.from) != dateToDayNumber(expected)) {
        out.message = L"Il valore deve seguire l'ultimo in tabella: dal " + fromText(table, expected) + L".";
        return out;
    }
    const ParsedNumber number = parseNumber(value);
    const double kept = number.ok ? keptValue(table, number.value) : NAN;
    // !(in range) also turns away NaN.
    if (isRate(table) ? !(kept >= 0 && kept <= 100) : !(kept >= 1 && kept <= 1000)) {
        out.message = isRate(table) ? L"Tasso non valido (0\u2013100)." : L"Indice non valido (1\u20131000).";
        return out;
    }
    out.row.value = kept;
    out.ok = true;
    return out;
}

std::wstring addedRowsText(const AddedRows& rows)
{
    std::wstring text;
    for (AddedTable table : {AddedTable::legal, AddedTable::reference, AddedTable::foi})
        for (const AddedRow& row : rowsOf(rows, table))
            text += (text.empty() ? L"" : L";") + std::wstring(1, tableLetters[static_cast<int>(table)]) + L" " +
                    fromText(table, row.from) + L" " + valueText(table, row.value);
    for (const std::wstring& entry : rows.unread) text += (text.empty() ? L"" : L";") + entry;
    return text;
}

AddedRows readAddedRows(const std::wstring& text)
{
    // Each entry is checked against its table as the entries before it leave it.
    AddedRows read;
    bool broken[3] = {};
    for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find(L';', at), text.size());
        const std::wstring entry = text.substr(at, end - at);
        at = end + 1;
        int index = 0;
        while (index < 3 && (entry.empty() || entry[0] != tableLetters[index])) ++index;
        if (index == 3 || broken[index]) {
            if (!entry.empty()) read.unread.push_back(entry);
            continue;
        }
        const auto table = static_cast<AddedTable>(index);
        const size_t first = entry.find(L' '), second = entry.find(L' ', first + 1);
        const bool formed = first == 1 && second != std::wstring::npos;
        const std::wstring from = formed ? entry.substr(2, second - 2) : std::wstring();
        const NewRow row = formed ? checkNewRow(table, from, entry.substr(second + 1), read) : NewRow{};
        if (row.ok && keptValue(table, row.row.value) == row.row.value)
            rowsOf(read, table).push_back(row.row);
        else if (!alreadyInTable(table, from, read)) {
            broken[index] = true;
            read.unread.push_back(entry);
        }
    }
    return read;
}
