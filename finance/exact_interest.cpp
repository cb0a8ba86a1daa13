#include "finance/exact_interest.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>
#include <vector>

namespace {

// A non-negative whole number as its decimal digits, most significant first.
using Digits = std::string;

Digits times(const Digits& a, const Digits& b)
{
    std::vector<int> sum(a.size() + b.size(), 0);
    for (size_t i = a.size(); i-- > 0;)
        for (size_t j = b.size(); j-- > 0;) sum[i + j + 1] += (a[i] - '0') * (b[j] - '0');
    for (size_t k = sum.size(); k-- > 1;) {
        sum[k - 1] += sum[k] / 10;
        sum[k] %= 10;
    }
    Digits out;
    for (int d : sum)
        if (!out.empty() || d) out += static_cast<char>('0' + d);
    return out.empty() ? "0" : out;
}

// floor((a + add) / divisor) for a small addend and divisor.
Digits plusThenDivided(const Digits& a, unsigned add, unsigned divisor)
{
    Digits sum = a;
    unsigned carry = add;
    for (size_t i = sum.size(); i-- > 0 && carry;) {
        const unsigned d = static_cast<unsigned>(sum[i] - '0') + carry;
        sum[i] = static_cast<char>('0' + d % 10);
        carry = d / 10;
    }
    for (; carry; carry /= 10) sum.insert(sum.begin(), static_cast<char>('0' + carry % 10));
    Digits out;
    unsigned long long rest = 0;
    for (char c : sum) {
        rest = rest * 10 + static_cast<unsigned>(c - '0');
        const auto q = static_cast<unsigned>(rest / divisor);
        rest %= divisor;
        if (!out.empty() || q) out += static_cast<char>('0' + q);
    }
    return out.empty() ? "0" : out;
}

// The decimal a double stands for, as its 15 significant digits: digits and
// the power of ten they are scaled by. `value` must be finite and not negative.
Digits decimalOf(double value, int& exponent)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14).ptr;
    Digits digits;
    const char* e = std::find(text, end, 'e');
    for (const char* c = text; c != e; ++c)
        if (*c >= '0' && *c <= '9') digits += *c;
    int power = 0;
    std::from_chars(*(e + 1) == '+' ? e + 2 : e + 1, end, power);
    exponent = power - 14;
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
        product = times(times(capitalDigits, rateDigits),
                        std::to_string(days) + Digits(static_cast<size_t>(decimals), '0'));
    // value × 10^decimals = product × 10^shift / 36500
    const int shift = capitalPower + ratePower;
    Digits scaled = product;
    if (shift > 0) scaled += Digits(static_cast<size_t>(shift), '0');
    if (shift < 0) scaled = -shift >= static_cast<int>(scaled.size()) ? "0" : scaled.substr(0, scaled.size() - static_cast<size_t>(-shift));
    // Half up: dropping the digits below 10^-shift cannot carry past a multiple of 36500.
    Digits units = plusThenDivided(scaled, 18250, 36500);
    if (units.size() <= static_cast<size_t>(decimals)) units.insert(0, static_cast<size_t>(decimals) + 1 - units.size(), '0');
    units.insert(units.size() - static_cast<size_t>(decimals), 1, '.');
    double value = 0;  // the nearest double to the rounded decimal
    std::from_chars(units.data(), units.data() + units.size(), value);
    return value;
}

