#include "finance/exact_interest.h"

#include <charconv>
#include <climits>
#include <optional>

#include "text/digit_strings.h"
#include "text/numtext.h"

namespace {

// The decimal a double stands for, as its 15 significant digits: digits and
// the power of ten they are scaled by. `value` must be finite and not negative.
Digits decimalOf(double value, int& exponent)
{
    exponent = 0;
    if (value == 0) return "0";
    const SignificantDigits s = significantDigits(value);
    Digits digits(s.digits, s.digits + 15);
    exponent = s.exponent - 14;
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    return digits;
}

// a × b, or nothing when it does not fit in 64 bits.
std::optional<std::uint64_t> product64(std::uint64_t a, std::uint64_t b)
{
    if (b != 0 && a > UINT64_MAX / b) return std::nullopt;
    return a * b;
}

} // namespace

ExactDecimal::ExactDecimal(double value) : digits(decimalOf(value, power)) {}

double exactPieceInterest(const ExactDecimal& capital, const ExactDecimal& rate, std::int64_t days, int decimals)
{
    const int capitalPower = capital.power, ratePower = rate.power;
    const Digits &capitalDigits = capital.digits, &rateDigits = rate.digits;
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    Digits product;
    // Most pieces fit in 64 bits: long multiplication only for the others.
    std::optional<std::uint64_t> small = product64(std::stoull(capitalDigits), std::stoull(rateDigits));
    if (small) small = product64(*small, static_cast<std::uint64_t>(days));
    if (small) small = product64(*small, scale);
    if (small)
        product = std::to_string(*small);
    else
        product = timesDigits(timesDigits(capitalDigits, rateDigits),
                              std::to_string(days) + Digits(static_cast<size_t>(decimals), '0'));
    // value × 10^decimals = product × 10^shift / 36500
    const int shift = capitalPower + ratePower;
    Digits scaled = product;
    if (shift > 0) scaled += Digits(static_cast<size_t>(shift), '0');
    if (shift < 0) scaled = -shift >= static_cast<int>(scaled.size()) ? "0" : scaled.substr(0, scaled.size() - static_cast<size_t>(-shift));
    // Half up: dropping the digits below 10^-shift cannot carry past a multiple of 36500.
    Digits units = dividedBy(addDigits(scaled, "18250"), 36500);
    if (units.size() <= static_cast<size_t>(decimals)) units.insert(0, static_cast<size_t>(decimals) + 1 - units.size(), '0');
    units.insert(units.size() - static_cast<size_t>(decimals), 1, '.');
    double value = 0;  // the nearest double to the rounded decimal
    std::from_chars(units.data(), units.data() + units.size(), value);
    return value;
}

