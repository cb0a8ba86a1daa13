// The claim ledger's movements as it reads them: each line a date, an amount
// and a description, in date order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "finance/ledger.h"

struct LedgerEntry {
    Movement movement;
    DayNumber day = 0;
    size_t line = 0;  // in the field, from 1
};

// A cost of the case: a sum whose description starts with the word "spese".
bool isCost(const Movement& m);

// The movements in date order, sums and costs before payments on the same
// date, then as written; or the message for the first line that cannot be taken.
std::optional<std::wstring> readEntries(const LedgerInput& in, DayNumber until, std::vector<LedgerEntry>& entries);
