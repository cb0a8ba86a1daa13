// Simple interest on a 365-day year, with the optional surcharge for
// commercial credits.
#pragma once

#include <string>

struct InterestInput {
    std::wstring capitalText, rateText, surchargeText, daysText, fromText, toText;
    bool surchargeApplied = false;
    bool daysMode = false;  // "Inserisco i giorni": days typed instead of two dates
};

struct InterestOutcome {
    bool ok = false;
    std::wstring resultLine;   // or the message
    std::wstring formulaText;  // lines end in CR LF
    double interest = 0.0;
};

InterestOutcome computeInterest(const InterestInput& in);

// What stands between the interest and the total on the result line, where
// the window breaks the line when it is too long for one.
extern const wchar_t* const interestResultSeparator;  // four blanks, "|", four blanks
