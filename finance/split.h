// A total split in proportion to weights, exact to the cent by the
// largest-remainder rule.
#pragma once

#include <string>
#include <vector>

struct SplitInput {
    std::wstring totalText;
    std::vector<std::wstring> weightTexts;  // the visible rows, in order
    int decimals = 2;                       // of the weights as the report writes them
};

struct SplitOutcome {
    bool ok = false;
    std::wstring reportText;  // or the message
};

// The largest total that is split, in euros.
constexpr double maxSplitTotal = 9e12;

SplitOutcome computeSplit(const SplitInput& in);

// An amount in whole cents, rounded as it is shown (1,005 is 101 cents);
// exact for 0 <= amount <= maxSplitTotal.
long long amountCents(double amount);

// The amounts in cents for `weights` (non-negative, positive sum) and a
// total of `totalCents`; empty when a share leaves the double range.
std::vector<long long> splitCents(const std::vector<double>& weights, double weightSum,
                                  long long totalCents);
