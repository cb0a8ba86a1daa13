// Italian number text: comma as decimal separator, point as thousands separator.
#pragma once

#include <string>

// Reads a whole text as an arithmetic expression (+ - × ÷ * /, parentheses,
// percentages, "€" ignored); a number may be written in the E form, "1,5E+23".
// ok is true only when the entire text is one well-formed expression with a
// finite value; value is meaningful only then.
struct ParsedNumber {
    bool ok = false;
    double value = 0.0;
};
ParsedNumber parseNumber(const std::wstring& text);
// The same without the E form, for counts of days.
ParsedNumber parseNumberWithoutExponent(const std::wstring& text);

// Why a text does not read as a number, and where: the first character that
// could not be read (the text's length when it ends too soon).
// A value beyond what a double holds (1e400, 1e300*1e300) is out of range.
enum class ParseProblem { none, divisionByZero, unbalancedBrackets, unreadable, outOfRange };
struct ParseFailure {
    ParseProblem problem = ParseProblem::none;
    size_t position = 0;
};
ParseFailure parseFailure(const std::wstring& text);

// 1.234.567,89-style text with exactly `decimals` digits after the comma
// (the decimal-places setting is the caller's to pass). "Errore" when not finite.
// Amounts are rounded the accountant's way: halves away from zero, on the 15
// significant digits the value stands for (2,255 is 2,26 though the double is
// 2,25499...); where those digits end before the last place shown, zeros
// follow them (98.765.432.109.876,50), as spreadsheets show them. From 10^21
// on, the E form with those digits: "1,23456789012346E+23". A value that
// rounds to zero has no sign.
std::wstring formatNumber(double value, int decimals);

// The same rounding as plain C-locale text: "-1234.57", no grouping, "." as
// the point (none when `decimals` is 0). `value` must be finite.
std::string roundedDecimal(double value, int decimals);

// a - b worked out exactly on the two amounts as they are shown with
// `decimals` places, and written as an amount: shown parts that add up to a
// shown whole. Both must be finite.
std::wstring shownDifference(double a, double b, int decimals);

// The amount as it is shown with `decimals` places, back as the nearest
// double: what adds up when rounded amounts are summed. `value` must be finite.
double roundedValue(double value, int decimals);

// A whole count of units of 10^-places written as an amount, exactly:
// 1000000 with 3 places is "1.000,000".
std::wstring formatScaled(unsigned long long units, int places);

// The amount as formatNumber writes it, without thousands points: "1234,57",
// "1E+21". How a result used again is written.
std::wstring formatPlainNumber(double value, int decimals);

// A finite nonzero magnitude as its 15 significant digits, halves away from
// zero on its exact binary value: d,dddddddddddddd × 10^exponent. The digits
// past the fifteenth are binary noise: every amount written, and every exact
// calculation on one, starts from these.
struct SignificantDigits {
    char digits[15];
    int exponent = 0;
};
SignificantDigits significantDigits(double magnitude);

// The places after the comma that the 15 significant digits of `value` take
// (0,625: 3), at most 20.
int ownDecimals(double value);
// The value with all its 15 significant digits and no thousands points:
// "12345600", "0,625", "2E+23".
std::wstring formatSignificant(double value);

// The white space that separates tokens in number and date text. A fixed set,
// so that every platform reads the same text the same way.
bool isBlank(wchar_t c);

// 0 to 9, and no other digits of any script.
bool isAsciiDigit(wchar_t c);
