// The ISTAT FOI index as data, and the coefficient that revalues an amount
// from one month to another (istat.it: "Indice dei prezzi per le
// rivalutazioni monetarie").
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/date_text.h"
#include "finance/added_rows.h"

// A calendar month.
struct YearMonth {
    int year = 0;
    int month = 1;  // 1 to 12
};
bool operator<(YearMonth a, YearMonth b);
// The month a day lies in.
YearMonth monthOf(DayNumber day);
bool operator==(YearMonth a, YearMonth b);
// The month a day's interest is revalued to: the December of the day's year,
// or in the last year the month of `until`.
YearMonth revaluationMonth(DayNumber day, DayNumber until);

// The first and the last month the table has an index for, the office's
// added months included.
YearMonth foiFirstMonth();
YearMonth foiLastMonth(const AddedRows& added);

// The index of a month in hundredths, in the base in force that month.
std::optional<long long> foiIndex(YearMonth m, const AddedRows& added);

// The coefficient from one month to a later one: the ratio of the two
// indices times the linkage coefficient of every base begun after the first
// month and not after the last, and times 1,0009 from a month with tobacco to
// one without, in one pass; then rounded half up to 3 decimals. A month past
// the table uses the table's last month (`from` and `to` say which months
// were used). Not ok when the first month is before the table.
struct FoiCoefficient {
    bool ok = false;
    YearMonth from, to;
    double ratio = 0;        // unrounded
    double coefficient = 0;  // to 3 decimals
    bool usesAdded = false;  // an index the office added
};

// A month past the built-in table, whose index the office added.
bool isAddedMonth(YearMonth m);
FoiCoefficient foiCoefficient(YearMonth from, YearMonth to, const AddedRows& added);

// What an amount is revalued by: the coefficient, never below 1, since a sum
// owed never falls below its nominal amount when prices fall (art. 1277 c.c.).
double revaluationFactor(const FoiCoefficient& k);

// Every month's index from the first on, the office's added months last, for showing.
struct FoiMonth {
    YearMonth month;
    int base = 0;  // the base year, = 100
    long long hundredths = 0;
    bool added = false;
};
std::vector<FoiMonth> foiMonths(const AddedRows& added);

// "dic 2021".
std::wstring monthAbbreviation(YearMonth m);
