// The official interest rates as data: the legal rate (art. 1284 c.c.) and
// the reference rate for late payments in commercial transactions
// (D.Lgs. 231/2002, art. 5), and the split of a period where they change.
#pragma once

#include <vector>

#include "text/date_text.h"
#include "finance/added_rows.h"

// Where the interest rate comes from; stored as the registry value "Tassi"
// in this order.
enum class RateSource { entered = 0, legal = 1, reference = 2 };
constexpr int rateSourceCount = 3;

// D.Lgs. 231/2002 applies to contracts concluded from this day (art. 11):
// no late-payment interest at its rate runs before it.
extern const CivilDate lateProvisionsFrom;

// The first day a table has a rate for, and the last day it is known to hold,
// the office's added rows included.
DayNumber officialRatesFrom(RateSource source, const AddedRows& added);
DayNumber officialRatesUntil(RateSource source, const AddedRows& added);

// One stretch of a period at one rate: the days after `from` up to and
// including `to`, as the two date fields count them.
struct RatePiece {
    DayNumber from = 0;
    DayNumber to = 0;
    double rate = 0;     // percent a year, before any surcharge
    bool known = true;   // false past the table, where its last rate stands in
    bool added = false;  // the rate is a row the office added
};

// The period from `start` (not counted) to `end` (counted), cut where the
// legal rate changes, or at every half-year for the reference rate (the
// Ministry publishes one rate a half-year); past the table, at every year or
// half-year. Equal dates give one piece of no days. The period must not begin
// before the table.
std::vector<RatePiece> ratePieces(RateSource source, DayNumber start, DayNumber end, const AddedRows& added);

// A table's rows as they stand, the office's added rows last, for showing.
struct TableRow {
    CivilDate from;
    double rate = 0;
    const wchar_t* law = nullptr;  // "DM 10/12/2025", where the row names the act
    bool added = false;
};
std::vector<TableRow> officialTable(RateSource source, const AddedRows& added);
