// Italian number text: comma as decimal separator, point as thousands separator.
#pragma once

#include <string>

// Reads a whole text as an arithmetic expression (+ - × ÷ * /, parentheses,
// percentages, "€" ignored). ok is true only when the entire text is one
// well-formed expression with a finite value; value is meaningful only then.
struct ParsedNumber {
    bool ok = false;
    double value = 0.0;
};
ParsedNumber parseNumber(const std::wstring& text);

// 1.234.567,89-style text with exactly `decimals` digits after the comma; a
// negative count means the decimal-places setting. "Errore" when not finite.
std::wstring formatNumber(double value, int decimals);

// 15 significant digits, decimal comma, no grouping (1234,5; 1e+15; 1,5e-05).
std::wstring formatPlainNumber(double value);

// The white space that separates tokens in number and date text. A fixed set,
// so that every platform reads the same text the same way.
bool isBlank(wchar_t c);
