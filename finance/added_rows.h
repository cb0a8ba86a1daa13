// Rates and indices the office adds after the built-in tables end: next
// year's legal rate, next half-year's reference rate, next month's FOI index.
// They extend the tables in this one place, which every calculation reads,
// and are kept as the registry value "TassiAggiunti".
#pragma once

#include <string>
#include <vector>

#include "text/date_text.h"

enum class AddedTable { legal = 0, reference = 1, foi = 2 };

struct AddedRow {
    CivilDate from;  // the first day (the month's first for the index)
    double value = 0;  // a rate in percent, or an index
};

// The added rows, each table in date order; the calculations are handed the
// office's rows.
struct AddedRows {
    std::vector<AddedRow> legal, reference, foi;
    // Stored entries this build cannot read (another build's, or out of
    // order), kept as they were and written back after the rows.
    std::vector<std::wstring> unread;
};

std::vector<AddedRow>& rowsOf(AddedRows& rows, AddedTable table);
const std::vector<AddedRow>& rowsOf(const AddedRows& rows, AddedTable table);

// "L 01/01/2027 1,60;R 01/07/2027 2,40;F 09/2026 104,1": by table (L, R, F),
// then by date, joined by ";" with nothing else; the unread entries last.
std::wstring addedRowsText(const AddedRows& rows);

// The stored text read back: an entry the built-in table already covers (a
// row shipped since it was added) is skipped; one that does not follow its
// table is set aside as unread with the later entries of the same table, as
// is one of a table this build does not know; the other tables keep theirs.
AddedRows readAddedRows(const std::wstring& text);

// A new row checked against its table as it stands (built-in and added
// rows): a legal rate from 01/01 of the year after the last row, a reference
// rate for the half-year after the last, an index for the month after the
// last; rates 0 to 100, indices 1 to 1000, typed the Italian way. `message`
// says what does not fit.
struct NewRow {
    bool ok = false;
    AddedRow row;
    std::wstring message;
};
NewRow checkNewRow(AddedTable table, const std::wstring& fromText, const std::wstring& valueText,
                   const AddedRows& added);

// The first day a new row of the table must start on, after its last row,
// built-in or added.
CivilDate nextRowFrom(AddedTable table, const AddedRows& added);
// The same as the dialog writes it: "01/01/2027", or "09/2026" for the index.
std::wstring nextRowFromText(AddedTable table, const AddedRows& added);
