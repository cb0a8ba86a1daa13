// The claim ledger: the sums of one claim as they fall due and the payments
// made on account, with simple interest at the rate set on INTERESSI, the
// lawsuit's rate (art. 1284 c. 4 c.c.) and, optionally, the FOI revaluation;
// the amounts due at a date and the prospect a law office files.
#pragma once

#include <string>

#include "finance/added_rows.h"
#include "finance/official_rates.h"

struct LedgerInput {
    std::wstring caseText;       // "Pratica": written under the title when not empty
    std::wstring movementsText;  // one movement a line: date, amount, description
    std::wstring toText;         // "Al"
    std::wstring lawsuitText;    // "Domanda giudiziale", empty for none
    bool revaluation = false;
    bool compensation = false;  // 40 € for each sum (art. 6 D.Lgs. 231/2002), a cost on its date
    // Damages (with revaluation): payments go to the revalued capital before the interest.
    bool paymentsToCapital = false;
    // The rate as INTERESSI sets it.
    RateSource source = RateSource::entered;
    std::wstring rateText, surchargeText;
    bool surchargeApplied = false;
    int decimals = 2;
    AddedRows addedRows{};
};

struct LedgerOutcome {
    bool ok = false;
    std::wstring text;  // the prospect, lines joined by CR LF, or the message
    double capital = 0, costs = 0, interest = 0, total = 0, excess = 0;
};

constexpr int maxLedgerMovements = 1000;

LedgerOutcome computeLedger(const LedgerInput& in);

// One line of the movements: a date, an amount and a description; what is
// wrong with it when it does not read so ("data non valida («31/02/2023»).",
// "importo non valido («1.0O0»)."), else nothing. A line with tabs or ";" is split at them;
// otherwise the first word is the date, the amount the longest run of the
// next words that reads as one, the rest the description.
struct Movement {
    CivilDate date;
    double amount = 0;
    std::wstring description;
};
std::wstring readMovement(const std::wstring& line, Movement& out);
