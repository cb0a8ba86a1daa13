#include "finance/official_rates.h"

#include "finance/added_rows.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// A rate in force from a day on, percent a year. Next year's rate, or next
// half-year's, is one more line at the end of its table.
struct RateChange {
    CivilDate from;
    double rate;
    const wchar_t* law = nullptr;  // the act that set it, where the row names one
};

// Legal interest rate, art. 1284 c.c.: fixed for each year by a decree of
// the Ministry of Economy, usually in mid-December. Each rate holds until
// the next line; the last one to the end of its year.
const RateChange legalRates[] = {
    {{1942, 4, 21}, 5.00, L"Codice civile"},   // one page dates it 19/04/1942
    {{1990, 12, 16}, 10.00, L"L. 353/1990"},
    {{1997, 1, 1}, 5.00, L"L. 662/1996"},
    {{1999, 1, 1}, 2.50},    // DM annuale (astat.provinz.bz.it, misterfisco.it)
    {{2001, 1, 1}, 3.50},    // DM annuale (astat.provinz.bz.it, misterfisco.it)
    {{2002, 1, 1}, 3.00},    // DM annuale (astat.provinz.bz.it, misterfisco.it)
    {{2004, 1, 1}, 2.50},    // DM annuale (astat.provinz.bz.it, misterfisco.it)
    {{2008, 1, 1}, 3.00, L"DM 12/12/2007"},
    {{2010, 1, 1}, 1.00},    // DM annuale (astat.provinz.bz.it, studioalboraliguerra.it)
    {{2011, 1, 1}, 1.50},    // DM annuale (astat.provinz.bz.it, studioalboraliguerra.it)
    {{2012, 1, 1}, 2.50},    // DM annuale (astat.provinz.bz.it, studioalboraliguerra.it)
    {{2014, 1, 1}, 1.00},    // DM annuale (astat.provinz.bz.it, mo.cna.it)
    {{2015, 1, 1}, 0.50},    // DM annuale (astat.provinz.bz.it, mo.cna.it)
    {{2016, 1, 1}, 0.20},    // DM annuale (astat.provinz.bz.it, mo.cna.it)
    {{2017, 1, 1}, 0.10},    // DM annuale (astat.provinz.bz.it, mo.cna.it)
    {{2018, 1, 1}, 0.30},    // DM annuale (astat.provinz.bz.it, mo.cna.it)
    {{2019, 1, 1}, 0.80},    // DM annuale (astat.provinz.bz.it, mo.cna.it)
    {{2020, 1, 1}, 0.05},    // DM annuale (astat.provinz.bz.it, mo.cna.it)
    {{2021, 1, 1}, 0.01},    // DM annuale (astat.provinz.bz.it, mo.cna.it)
    {{2022, 1, 1}, 1.25},    // DM annuale (astat.provinz.bz.it, mo.cna.it)
    {{2023, 1, 1}, 5.00, L"DM 13/12/2022"},
    {{2024, 1, 1}, 2.50, L"DM 29/11/2023"},    // GU n. 288 dell'11/12/2023
    {{2025, 1, 1}, 2.00, L"DM 10/12/2024"},
    {{2026, 1, 1}, 1.60, L"DM 10/12/2025"},    // GU n. 289 del 13/12/2025
};

// Reference rate for late payments, D.Lgs. 231/2002, art. 5: the rate of each
// half-year as the Ministry publishes it in the Gazzetta Ufficiale (before
// October 2008 the marginal rate, not the ECB's fixed one). The creditor adds
// 8 points, or 7 for contracts concluded up to 31/12/2012. The last line
// holds to the end of its half-year.
const RateChange referenceRates[] = {
    {{2002, 7, 1}, 3.35},  // Comunicato MEF (un-industria.it, notiziedellascuola.it)
    {{2003, 1, 1}, 2.85},  // Comunicato MEF, GU n. 33 del 10/02/2003
    {{2003, 7, 1}, 2.10},  // Comunicato MEF (un-industria.it)
    {{2004, 1, 1}, 2.02},  // Comunicato MEF (un-industria.it)
    {{2004, 7, 1}, 2.01},  // Comunicato MEF (un-industria.it)
    {{2005, 1, 1}, 2.09},  // Comunicato MEF (un-industria.it)
    {{2005, 7, 1}, 2.05},  // Comunicato MEF (un-industria.it)
    {{2006, 1, 1}, 2.25},  // Comunicato MEF (un-industria.it)
    {{2006, 7, 1}, 2.83},  // Comunicato MEF (un-industria.it)
    {{2007, 1, 1}, 3.58},  // Comunicato MEF (un-industria.it)
    {{2007, 7, 1}, 4.07},  // Comunicato MEF (un-industria.it)
    {{2008, 1, 1}, 4.20},  // Comunicato MEF (un-industria.it)
    {{2008, 7, 1}, 4.10},  // Comunicato MEF (un-industria.it)
    {{2009, 1, 1}, 2.50},  // Comunicato MEF (un-industria.it)
    {{2009, 7, 1}, 1.00},  // Comunicato MEF (un-industria.it)
    {{2010, 1, 1}, 1.00},  // Comunicato MEF (un-industria.it)
    {{2010, 7, 1}, 1.00},  // Comunicato MEF (un-industria.it)
    {{2011, 1, 1}, 1.00},  // Comunicato MEF (un-industria.it)
    {{2011, 7, 1}, 1.25},  // Comunicato MEF (un-industria.it)
    {{2012, 1, 1}, 1.00},  // Comunicato MEF (un-industria.it)
    {{2012, 7, 1}, 1.00},  // Comunicato MEF (un-industria.it)
    {{2013, 1, 1}, 0.75},  // Comunicato MEF (un-industria.it)
    {{2013, 7, 1}, 0.50},  // Comunicato MEF (studiolegalenotari.it, cnaparma.it)
    {{2014, 1, 1}, 0.25},  // Comunicato MEF (studiolegalenotari.it, cnaparma.it)
    {{2014, 7, 1}, 0.15},  // Comunicato MEF (studiolegalenotari.it, cnaparma.it)
    {{2015, 1, 1}, 0.05},  // Comunicato MEF (studiolegalenotari.it, cnaparma.it)
    {{2015, 7, 1}, 0.05},  // Comunicato MEF, GU
    {{2016, 1, 1}, 0.05},  // Comunicato MEF (studiolegalenotari.it, cnaparma.it)
    {{2016, 7, 1}, 0.00},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2017, 1, 1}, 0.00},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2017, 7, 1}, 0.00},  // ECB main refinancing rate 0,00 from 16/03/2016 to 26/07/2022
    {{2018, 1, 1}, 0.00},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2018, 7, 1}, 0.00},  // Comunicato MEF, GU n. 158 del 10/07/2018
    {{2019, 1, 1}, 0.00},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2019, 7, 1}, 0.00},  // ECB main refinancing rate 0,00 from 16/03/2016 to 26/07/2022
    {{2020, 1, 1}, 0.00},  // ECB main refinancing rate 0,00 from 16/03/2016 to 26/07/2022
    {{2020, 7, 1}, 0.00},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2021, 1, 1}, 0.00},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2021, 7, 1}, 0.00},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2022, 1, 1}, 0.00},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2022, 7, 1}, 0.00},  // Comunicato MEF, GU n. 197 del 24/08/2022
    {{2023, 1, 1}, 2.50},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2023, 7, 1}, 4.00},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2024, 1, 1}, 4.50},  // Comunicato MEF (studiolegalenotari.it, miolegale.it)
    {{2024, 7, 1}, 4.25},  // Comunicato MEF, GU
    {{2025, 1, 1}, 3.15},  // Comunicato MEF (studiotisi.it, dsgaonline.it)
    {{2025, 7, 1}, 2.15},  // Comunicato MEF (fenailp.it)
    {{2026, 1, 1}, 2.15},  // Comunicato MEF, GU n. 15 del 20/01/2026 (news.avvocatoandreani.it)
    {{2026, 7, 1}, 2.40},  // ECB main refinancing rate in force on 1 July: 2,15 -> 2,40 on 11/06/2026 (ECB press release)
};

// A table as the calculations read it: the built-in rows, then the rows the
// office added past them.
struct Row {
    DayNumber from;
    double rate;
    bool added;
    const wchar_t* law;
};

std::vector<Row> tableOf(RateSource source, const AddedRows& added)
{
    const bool reference = source == RateSource::reference;
    std::vector<Row> rows;
    auto builtIn = [&rows](const auto& table) {
        for (const RateChange& r : table) rows.push_back({dateToDayNumber(r.from), r.rate, false, r.law});
    };
    if (reference)
        builtIn(referenceRates);
    else
        builtIn(legalRates);
    for (const AddedRow& r : reference ? added.reference : added.legal)
        rows.push_back({dateToDayNumber(r.from), r.value, true, nullptr});
    return rows;
}

DayNumber dayOf(const CivilDate& d) { return dateToDayNumber(d); }

// Where the stretch of the day ends: at the next change of the table, or at
// the year's end (past the legal table) or the half-year's (the reference
// rate, whose every half-year is a rate of its own).
DayNumber stretchEnd(const std::vector<Row>& rows, RateSource source, DayNumber day)
{
    const CivilDate d = dayNumberToDate(day);
    if (source == RateSource::reference)
        return dayOf(halfYear(d) == 1 ? CivilDate{d.year, 7, 1} : CivilDate{d.year + 1, 1, 1}) - 1;
    const auto next = std::upper_bound(rows.begin(), rows.end(), day, [](DayNumber n, const Row& r) { return n < r.from; });
    if (next != rows.end()) return next->from - 1;
    return dayOf({d.year + 1, 1, 1}) - 1;
}

// The row in force on a day, or the table's last one past its end.
const Row& rowOn(const std::vector<Row>& rows, DayNumber day)
{
    const auto after = std::upper_bound(rows.begin(), rows.end(), day, [](DayNumber n, const Row& r) { return n < r.from; });
    return after == rows.begin() ? rows.front() : *(after - 1);
}

DayNumber until(const std::vector<Row>& rows, RateSource source) { return stretchEnd(rows, source, rows.back().from); }

} // namespace

const CivilDate lateProvisionsFrom{2002, 8, 8};  // D.Lgs. 231/2002, art. 11

DayNumber officialRatesFrom(RateSource source, const AddedRows& added) { return tableOf(source, added).front().from; }

DayNumber officialRatesUntil(RateSource source, const AddedRows& added)
{
    const std::vector<Row> rows = tableOf(source, added);
    return until(rows, source);
}

std::vector<RatePiece> ratePieces(RateSource source, DayNumber start, DayNumber end, const AddedRows& added)
{
    const std::vector<Row> rows = tableOf(source, added);
    const DayNumber last = until(rows, source);
    std::vector<RatePiece> pieces;
    if (start >= end) {
        const Row& row = rowOn(rows, end);
        pieces.push_back({start, end, row.rate, end <= last, row.added});
        return pieces;
    }
    for (DayNumber from = start; from < end;) {
        const DayNumber first = from + 1;  // the piece's first counted day
        const DayNumber to = std::min(end, stretchEnd(rows, source, first));
        const Row& row = rowOn(rows, first);
        pieces.push_back({from, to, row.rate, first <= last, row.added && first <= last});
        from = to;
    }
    return pieces;
}

std::vector<TableRow> officialTable(RateSource source, const AddedRows& added)
{
    std::vector<TableRow> out;
    for (const Row& r : tableOf(source, added)) out.push_back({dayNumberToDate(r.from), r.rate, r.law, r.added});
    return out;
}
