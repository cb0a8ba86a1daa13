#include "text/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

#include "text/digit_strings.h"

// Conversions go through <charconv>, which the standard library implements
// itself: the same text gives the same double, and the same double the same
// digits, whatever C runtime the program is linked with.

bool isAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool isBlank(wchar_t c)
{
    // The six ASCII blanks plus the Unicode spaces that break a line or a word;
    // the no-break spaces (U+00A0, U+2007, U+202F) are not blanks.
    switch (c) {
    case L' ': case L'\t': case L'\n': case L'\v': case L'\f': case L'\r':
    case 0x0085: case 0x1680: case 0x2028: case 0x2029: case 0x205F: case 0x3000:
        return true;
    default:
        return (c >= 0x2000 && c <= 0x200A && c != 0x2007);
    }
}

namespace {

// Parentheses and unary minus signs nest by recursion; a text nested deeper
// than this is unreadable rather than a stack overflow.
constexpr int maxNesting = 200;

constexpr wchar_t euroSign = 0x20AC;
constexpr wchar_t minusSign = 0x2212;
constexpr wchar_t timesSign = 0x00D7;
constexpr wchar_t divideSign = 0x00F7;

struct NumberReader {
    std::wstring text;
    size_t pos = 0;
    bool ok = true;
    int depth = 0;
    bool exponents = true;
    // The first failure: why, and where in `text`.
    ParseProblem problem = ParseProblem::none;
    size_t failedAt = 0;
};

void skipBlanks(NumberReader& r)
{
    while (r.pos < r.text.size() && isBlank(r.text[r.pos])) ++r.pos;
}

bool atEnd(const NumberReader& r) { return r.pos >= r.text.size(); }

double fail(NumberReader& r, ParseProblem problem = ParseProblem::unreadable, size_t at = std::wstring::npos)
{
    if (r.ok) {
        r.problem = problem;
        r.failedAt = at == std::wstring::npos ? r.pos : at;
    }
    r.ok = false;
    return 0.0;
}

double readSum(NumberReader& r);

// A "." followed by exactly three digits and then a delimiter (the end, a
// separator, a blank, ")" or any operator, "%" included) groups thousands;
// any other "." is a decimal point.
bool isThousandsPoint(const NumberReader& r)
{
    const std::wstring& t = r.text;
    size_t i = r.pos + 1;
    for (int k = 0; k < 3; ++k, ++i)
        if (i >= t.size() || !isAsciiDigit(t[i])) return false;
    if (i == t.size()) return true;
    wchar_t c = t[i];
    switch (c) {
    case L',': case L'.': case L')': case L'*': case L'+': case L'-': case L'/': case L'%':
    case timesSign: case divideSign: case minusSign:
        return true;
    default:
        return isBlank(c);
    }
}

double readLiteral(NumberReader& r)
{
    const size_t start = r.pos;
    std::string digits;
    int digitCount = 0;
    bool separatorSeen = false;
    bool nonZeroDigit = false;
    while (!atEnd(r)) {
        wchar_t c = r.text[r.pos];
        if (isAsciiDigit(c)) {
            digits += static_cast<char>(c);
            ++digitCount;
            nonZeroDigit = nonZeroDigit || c != L'0';
        } else if (c == L',' && !separatorSeen) {
            digits += '.';
            separatorSeen = true;
        } else if (c == L'.' && !separatorSeen) {
            if (!isThousandsPoint(r)) {
                digits += '.';
                separatorSeen = true;
            }
        } else {
            break;
        }
        ++r.pos;
    }
    if (digitCount == 0) return fail(r);
    // The E form of large amounts, "1,5E+23" or "2e-3", where it is allowed.
    if (r.exponents && r.pos + 1 < r.text.size() && (r.text[r.pos] == L'E' || r.text[r.pos] == L'e')) {
        size_t at = r.pos + 1;
        const bool signed_ = r.text[at] == L'+' || r.text[at] == L'-';
        if (signed_) ++at;
        if (at < r.text.size() && isAsciiDigit(r.text[at])) {
            digits += 'e';
            if (signed_) digits += static_cast<char>(r.text[at - 1]);
            for (; at < r.text.size() && isAsciiDigit(r.text[at]); ++at) digits += static_cast<char>(r.text[at]);
            r.pos = at;
        }
    }

    double value = 0.0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range) return fail(r, ParseProblem::outOfRange, start);
    if (ec != std::errc() || end != digits.data() + digits.size()) return fail(r, ParseProblem::unreadable, start);
    // Overflow is reported by the conversion; a nonzero literal that lands
    // below the smallest normal double (or on zero) is an underflow.
    if (!std::isfinite(value)) return fail(r, ParseProblem::outOfRange, start);
    if (nonZeroDigit && std::fabs(value) < std::numeric_limits<double>::min())
        return fail(r, ParseProblem::outOfRange, start);

    // One "%" at most: "10%%" is a slip, not a ten-thousandth.
    skipBlanks(r);
    if (!atEnd(r) && r.text[r.pos] == L'%') {
        ++r.pos;
        value /= 100.0;
        skipBlanks(r);
    }
    return value;
}

double readFactor(NumberReader& r)
{
    skipBlanks(r);
    if (atEnd(r)) return fail(r);
    while (r.text[r.pos] == L'+') {
        ++r.pos;
        skipBlanks(r);
        if (atEnd(r)) return fail(r);
    }
    wchar_t c = r.text[r.pos];
    if (c != L'-' && c != L'(') return readLiteral(r);

    if (++r.depth > maxNesting) return fail(r);
    ++r.pos;
    double value;
    if (c == L'-') {
        value = -readFactor(r);
    } else {
        value = readSum(r);
        skipBlanks(r);
        if (!atEnd(r) && r.text[r.pos] == L')')
            ++r.pos;
        else if (atEnd(r))
            fail(r, ParseProblem::unbalancedBrackets);
        else
            fail(r);
    }
    --r.depth;
    return value;
}

double readProduct(NumberReader& r)
{
    double value = readFactor(r);
    while (r.ok) {
        skipBlanks(r);
        if (atEnd(r)) break;
        wchar_t c = r.text[r.pos];
        if (c == L'*' || c == timesSign) {
            ++r.pos;
            value *= readFactor(r);
        } else if (c == L'/' || c == divideSign) {
            ++r.pos;
            double divisor = readFactor(r);
            if (divisor == 0.0) return fail(r, ParseProblem::divisionByZero);
            value /= divisor;
        } else {
            break;
        }
    }
    return value;
}

// An operand written as a bare percentage ("10%", "12,5 %") is a share of
// the running value of its sum.
bool isBarePercentage(const std::wstring& t, size_t begin, size_t end)
{
    while (begin < end && isBlank(t[begin])) ++begin;
    while (end > begin && isBlank(t[end - 1])) --end;
    if (begin == end || t[end - 1] != L'%') return false;
    --end;
    while (end > begin && isBlank(t[end - 1])) --end;
    if (begin == end) return false;
    int digits = 0, separators = 0;
    for (size_t i = begin; i < end; ++i) {
        wchar_t c = t[i];
        if (isAsciiDigit(c))
            ++digits;
        else if (c == L',' || c == L'.')
            ++separators;
        else if (!isBlank(c))
            return false;
    }
    return digits > 0 && separators <= 1;
}

double readSum(NumberReader& r)
{
    double value = readProduct(r);
    while (r.ok) {
        skipBlanks(r);
        if (atEnd(r)) break;
        wchar_t c = r.text[r.pos];
        bool adding;
        if (c == L'+')
            adding = true;
        else if (c == L'-' || c == minusSign)
            adding = false;
        else
            break;
        ++r.pos;
        size_t start = r.pos;
        double operand = readProduct(r);
        if (isBarePercentage(r.text, start, r.pos)) operand *= value;
        value = adding ? value + operand : value - operand;
    }
    return value;
}

// Counts above this are never asked for by the program; they are clamped.
constexpr int maxDecimals = 20;

// Decimal digits of a magnitude, `fraction` of them after the point.
struct DecimalDigits {
    char digits[400];  // 309 integer digits, or 324 zeros and 15 digits, and 20 decimals
    int count = 0;
    int fraction = 0;
};

// Rounds to `decimals` places, halves away from zero, and pads with zeros.
void roundHalfUp(DecimalDigits& n, int decimals)
{
    if (n.fraction > decimals) {
        n.count -= n.fraction - decimals;
        const bool up = n.digits[n.count] >= '5';
        n.fraction = decimals;
        if (up) {
            int i = n.count - 1;
            for (; i >= 0 && n.digits[i] == '9'; --i) n.digits[i] = '0';
            if (i >= 0) {
                ++n.digits[i];
            } else {
                std::memmove(n.digits + 1, n.digits, static_cast<size_t>(n.count));
                n.digits[0] = '1';
                ++n.count;
            }
        }
    }
    while (n.fraction < decimals) {
        n.digits[n.count++] = '0';
        ++n.fraction;
    }
}

} // namespace

SignificantDigits significantDigits(double magnitude)
{
    SignificantDigits out;
    char sci[800];  // d.ddd…e+ddd: a double's exact expansion has at most 767 digits
    // Correctly rounded to 16 digits; only a 16th digit of 5 can hide a tie
    // that to_chars would give to the even digit, and then the exact digits decide.
    auto end = std::to_chars(sci, sci + sizeof sci, magnitude, std::chars_format::scientific, 15).ptr;
    if (sci[16] == '5') end = std::to_chars(sci, sci + sizeof sci, magnitude, std::chars_format::scientific, 766).ptr;
    const char* e = std::find(sci, end, 'e');
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, out.exponent);
    DecimalDigits n;  // d,ddddddddddddddd: 16 digits, rounded to 15 as amounts are
    n.digits[0] = sci[0];
    std::memcpy(n.digits + 1, sci + 2, 15);
    n.count = 16;
    n.fraction = 15;
    roundHalfUp(n, 14);
    if (n.count - n.fraction > 1) ++out.exponent;  // 9,99... went up to 10
    std::memcpy(out.digits, n.digits, 15);
    // The largest doubles round up past the double range (1,79769313486232
    // × 10^308): one less in the last place keeps the text readable back.
    if (out.exponent == 308 && std::memcmp(out.digits, "179769313486232", 15) == 0) out.digits[14] = '1';
    return out;
}

namespace {

// |value|, finite and nonzero, as the decimal number that is rounded for
// display: its 15 significant digits, followed by zeros where they end before
// the units (999.999.999.999.999.000), as spreadsheets show them. Rounded
// again to the places shown, 2,255 (stored as 2,25499...) is 2,26.
void digitsToRound(double value, DecimalDigits& out)
{
    const SignificantDigits f = significantDigits(std::fabs(value));
    // Zeros in front keep one integer digit.
    for (int i = f.exponent; i < 0; ++i) out.digits[out.count++] = '0';
    std::memcpy(out.digits + out.count, f.digits, 15);
    out.count += 15;
    out.fraction = 14 - f.exponent;
    for (; out.fraction < 0; ++out.fraction) out.digits[out.count++] = '0';
}


ParsedNumber readNumber(const std::wstring& text, bool exponents, ParseFailure* why = nullptr)
{
    NumberReader r;
    r.exponents = exponents;
    r.text.reserve(text.size());
    for (wchar_t c : text)
        if (c != euroSign) r.text += c;

    double value = readSum(r);
    skipBlanks(r);
    if (r.ok && !atEnd(r)) fail(r, r.text[r.pos] == L')' ? ParseProblem::unbalancedBrackets : ParseProblem::unreadable);
    if (r.ok && !std::isfinite(value)) fail(r, ParseProblem::outOfRange, 0);
    ParsedNumber result;
    result.value = value;
    result.ok = r.ok;
    if (why && !r.ok) {
        why->problem = r.problem;
        // Back in the text as given, the euro signs counted again.
        size_t at = 0;
        for (size_t kept = 0; at < text.size() && (kept < r.failedAt || text[at] == euroSign); ++at)
            if (text[at] != euroSign) ++kept;
        why->position = at;
    }
    return result;
}

} // namespace

ParsedNumber parseNumber(const std::wstring& text) { return readNumber(text, true); }

ParsedNumber parseNumberWithoutExponent(const std::wstring& text) { return readNumber(text, false); }

ParseFailure parseFailure(const std::wstring& text)
{
    ParseFailure why;
    readNumber(text, true, &why);
    return why;
}

namespace {

// A finite value rounded for display: the digits from `first` on, the last
// `fraction` of them decimals, and whether a "-" stands in front.
struct RoundedAmount {
    DecimalDigits n;
    int first = 0;
    bool negative = false;
};

void roundAmount(double value, int decimals, RoundedAmount& out)
{
    int d = decimals < 0 ? 0 : decimals;
    if (d > maxDecimals) d = maxDecimals;

    DecimalDigits& n = out.n;
    if (value == 0) {
        n.digits[n.count++] = '0';
    } else {
        digitsToRound(value, n);
    }
    roundHalfUp(n, d);

    const int integerDigits = n.count - n.fraction;
    while (out.first < integerDigits - 1 && n.digits[out.first] == '0') ++out.first;
    // A value that rounds to zero is written without a sign.
    bool zero = true;
    for (int i = out.first; i < n.count && zero; ++i) zero = n.digits[i] == '0';
    out.negative = value < 0 && !zero;
}

} // namespace

double roundedValue(double value, int decimals)
{
    const std::string shown = roundedDecimal(value, decimals);
    double rounded = 0.0;
    std::from_chars(shown.data(), shown.data() + shown.size(), rounded);
    return rounded;
}

std::string roundedDecimal(double value, int decimals)
{
    RoundedAmount r;
    roundAmount(value, decimals, r);
    const int point = r.n.count - r.n.fraction;
    std::string out = r.negative ? "-" : "";
    out.append(r.n.digits + r.first, r.n.digits + point);
    if (r.n.fraction > 0) {
        out += '.';
        out.append(r.n.digits + point, r.n.digits + r.n.count);
    }
    return out;
}

namespace {

// Digits as an Italian amount: a point before every group of three integer
// digits, a comma before the `fraction` last ones.
std::wstring italianAmount(const char* digits, int count, int fraction, bool negative)
{
    wchar_t text[600];  // 401 digits, 133 points, sign and comma
    int length = 0;
    if (negative) text[length++] = L'-';
    const int point = count - fraction;
    for (int i = 0; i < point; ++i) {
        if (i > 0 && (point - i) % 3 == 0) text[length++] = L'.';
        text[length++] = static_cast<wchar_t>(digits[i]);
    }
    if (fraction > 0) {
        text[length++] = L',';
        for (int i = point; i < count; ++i) text[length++] = static_cast<wchar_t>(digits[i]);
    }
    return std::wstring(text, static_cast<size_t>(length));
}

// The digits of a plain decimal ("-1234.57") without sign and point.
std::string plainDigits(const std::string& plain, bool& negative, int& fraction)
{
    negative = !plain.empty() && plain[0] == '-';
    const size_t point = plain.find('.');
    fraction = point == std::string::npos ? 0 : static_cast<int>(plain.size() - point - 1);
    std::string digits;
    for (char c : plain)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

} // namespace

std::wstring shownDifference(double a, double b, int decimals)
{
    bool negativeA = false, negativeB = false;
    int fraction = 0, fractionB = 0;
    const std::string x = plainDigits(roundedDecimal(a, decimals), negativeA, fraction);
    const std::string y = plainDigits(roundedDecimal(b, decimals), negativeB, fractionB);
    // a - b is a + (-b): magnitudes added for opposite signs, else subtracted.
    std::string digits;
    bool negative = negativeA;
    if (negativeA != negativeB) {
        digits = addDigits(x, y);
    } else if (lessThan(x, y)) {
        digits = subtractDigits(y, x);
        negative = !negativeA;
    } else {
        digits = subtractDigits(x, y);
    }
    const size_t first = std::min(digits.find_first_not_of('0'), digits.size() - static_cast<size_t>(fraction) - 1);
    digits.erase(0, first);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    if (digits.size() - static_cast<size_t>(fraction) > 21) {
        std::string plain = (negative ? "-" : "") + digits;
        if (fraction > 0) plain.insert(plain.size() - static_cast<size_t>(fraction), ".");
        double difference = 0.0;
        std::from_chars(plain.data(), plain.data() + plain.size(), difference);
        return formatNumber(difference, decimals);
    }
    return italianAmount(digits.data(), static_cast<int>(digits.size()), fraction, negative && !zero);
}

namespace {

// From 10^21 on an amount is written as spreadsheets write it: its 15
// significant digits without the zeros at their end, "1,5E+23".
std::wstring exponentForm(const char* digits, int exponent, bool negative)
{
    int count = 15;
    while (count > 1 && digits[count - 1] == '0') --count;
    std::wstring text = negative ? L"-" : L"";
    text += static_cast<wchar_t>(digits[0]);
    if (count > 1) text += L',';
    for (int i = 1; i < count; ++i) text += static_cast<wchar_t>(digits[i]);
    return text + L"E+" + std::to_wstring(exponent);
}

} // namespace

std::wstring formatNumber(double value, int decimals)
{
    if (!std::isfinite(value)) return L"Errore";
    RoundedAmount r;
    roundAmount(value, decimals, r);
    // 22 integer digits or more: 10^21 and up, its 15 digits followed by zeros.
    const int integerDigits = r.n.count - r.n.fraction - r.first;
    if (integerDigits > 21) return exponentForm(r.n.digits + r.first, integerDigits - 1, r.negative);
    return italianAmount(r.n.digits + r.first, r.n.count - r.first, r.n.fraction, r.negative);
}

std::wstring formatScaled(unsigned long long units, int places)
{
    std::string digits = std::to_string(units);
    if (digits.size() <= static_cast<size_t>(places)) digits.insert(0, static_cast<size_t>(places) + 1 - digits.size(), '0');
    return italianAmount(digits.data(), static_cast<int>(digits.size()), places, false);
}

std::wstring formatPlainNumber(double value, int decimals)
{
    std::wstring text = formatNumber(value, decimals);
    text.erase(std::remove(text.begin(), text.end(), L'.'), text.end());
    return text;
}

int ownDecimals(double value)
{
    if (value == 0 || !std::isfinite(value)) return 0;
    const SignificantDigits f = significantDigits(std::fabs(value));
    int count = 15;
    while (count > 1 && f.digits[count - 1] == '0') --count;
    return std::clamp(count - 1 - f.exponent, 0, maxDecimals);
}

std::wstring formatSignificant(double value) { return formatPlainNumber(value, ownDecimals(value)); }
