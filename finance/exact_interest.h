// Interest worked out on decimals, not on binary fractions: a piece of a
// split rounded once, half up, on its exact value.
#pragma once

#include <cstdint>
#include <string>

// A double's decimal, kept: the capital stays the same over a long split, and
// its rates repeat.
struct ExactDecimal {
    int power = 0;  // before the digits, which set it
    std::string digits;
    explicit ExactDecimal(double value);
};

// Capital × rate / 100 × days / 365 on the decimals the capital and the rate
// stand for, rounded once, half up, to `decimals` places: the same figure at
// any number of decimals, with nothing lost to binary fractions. Both must be
// finite and not negative.
double exactPieceInterest(const ExactDecimal& capital, const ExactDecimal& rate, std::int64_t days, int decimals);
