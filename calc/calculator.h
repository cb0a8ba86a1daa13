// The desk calculator's state and the evaluation of its input line.
#pragma once

#include <string>

struct CalculatorState {
    double displayValue = 0.0;          // the last result at full precision
    std::wstring displayText = L"0,00";  // the last result as shown
};

extern CalculatorState calculator;

// A line that begins with an operator continues from the last result:
// "+5" with 10 becomes "10+5".
std::wstring expandContinuation(const std::wstring& text, double displayValue);

struct Evaluation {
    enum Kind { nothing, rejected, accepted } kind = nothing;
    std::wstring evaluatedText;  // the text after continuation
    double value = 0.0;
    std::wstring displayText;    // formatted with the decimal-places setting
    std::wstring tapeLine;       // evaluatedText + " = " + displayText
};

// What Enter does with the input line, given the last result.
Evaluation evaluateLine(const std::wstring& input, double displayValue);

// The text after the last " = " of a tape line, or nothing without one.
bool tapeLineResult(const std::wstring& line, std::wstring& result);

// What a tape pick-up puts into the input line: the result itself, and a
// negative one in brackets, so that Enter reads -5,00 as -5 and not as a
// continuation that subtracts 5 from the last result.
std::wstring pickedUpInput(const std::wstring& result);
