// Whole numbers as strings of decimal digits, most significant first: the
// arithmetic on amounts that binary fractions would spoil.
#pragma once

#include <string>

using Digits = std::string;

// x + y.
Digits addDigits(const Digits& x, const Digits& y);
// x - y, for x >= y; as long as x.
Digits subtractDigits(const Digits& x, const Digits& y);
// x < y, leading zeros aside.
bool lessThan(const Digits& x, const Digits& y);
// x × y, without leading zeros.
Digits timesDigits(const Digits& x, const Digits& y);
// floor(x / divisor) for a small divisor, without leading zeros.
Digits dividedBy(const Digits& x, unsigned divisor);
