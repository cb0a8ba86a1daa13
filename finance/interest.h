// Simple interest on a 365-day year, with the optional surcharge for
// commercial credits, at a typed rate or at the official rates of the days
// counted.
#pragma once

#include <string>
#include <vector>

#include "finance/official_rates.h"

struct InterestInput {
    std::wstring capitalText, rateText, surchargeText, daysText, fromText, toText;
    bool surchargeApplied = false;
    bool daysMode = false;  // "Inserisco i giorni": days typed instead of two dates
    RateSource source = RateSource::entered;  // a table source does not read the rate
    bool revaluation = false;  // "Rivalutazione ISTAT": interest on the capital as the FOI index revalues it
    int decimals = 2;          // of the amounts shown, each rounded as shown
    AddedRows addedRows{};     // the office's rows past the built-in tables
};

// With a table source the period is split where the rate changes; each
// piece's interest is rounded as it is shown, and the interest is the sum of
// the rounded pieces, so that the formula's lines add up.
struct InterestOutcome {
    bool ok = false;
    std::wstring resultLine;   // or the message
    std::wstring note;         // a second line for the result, or nothing
    std::wstring formulaText;  // lines end in CR LF
    double interest = 0.0;
};

InterestOutcome computeInterest(const InterestInput& in);

// Shared with the claim ledger.
// A rate or points as a formula writes them: two places, or the rate's own
// when it has more ("2,125"), so that the formula recomputes.
std::wstring percentText(double rate);
// The pieces split again at every 31 December, as a revaluation needs them.
std::vector<RatePiece> splitAtYearEnds(const std::vector<RatePiece>& pieces);
// "Tassi 2027–2028 non in tabella: usato 1,60% (ultimo noto).", or nothing
// when every piece's rate is known.
std::wstring unknownRatesNote(RateSource source, const std::vector<RatePiece>& pieces);
// A set-up the law would not use: the reference rate without the points
// D.Lgs. 231/2002 adds, or the legal rate with them; else nothing.
std::wstring rateSetUpWarning(RateSource source, bool surchargeApplied, double M);
// What ends a formula line that rests on a row the office added.
extern const wchar_t* const addedRateMark;   // " (tasso aggiunto)"
extern const wchar_t* const addedIndexMark;  // " (indice aggiunto)"

// What stands between the interest and the total on the result line, where
// the window breaks the line when it is too long for one.
extern const wchar_t* const interestResultSeparator;  // four blanks, "|", four blanks
extern const wchar_t* const interestTotalLabel;       // "Capitale + interessi: "
extern const wchar_t* const interestRevaluedTotalLabel;  // "Rivalutato + interessi: "
