#include "calc/calculator.h"

#include "calc/numtext.h"

CalculatorState calculator;

std::wstring expandContinuation(const std::wstring& text, double displayValue)
{
    size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return text;
    switch (text[first]) {
    case L'*': case L'+': case L'-': case L'/':
    case 0x00D7: case 0x00F7: case 0x2212: {
        std::wstring rest = text.substr(first);
        if (rest[0] == 0x2212) rest[0] = L'-';
        return formatPlainNumber(displayValue) + rest;
    }
    default:
        return text;
    }
}

Evaluation evaluateLine(const std::wstring& input, double displayValue)
{
    Evaluation e;
    if (input.empty()) return e;
    e.evaluatedText = expandContinuation(input, displayValue);
    ParsedNumber parsed = parseNumber(e.evaluatedText);
    if (!parsed.ok) {
        e.kind = Evaluation::rejected;
        return e;
    }
    e.kind = Evaluation::accepted;
    e.value = parsed.value;
    e.displayText = formatNumber(parsed.value, -1);
    e.tapeLine = e.evaluatedText + L" = " + e.displayText;
    return e;
}

bool tapeLineResult(const std::wstring& line, std::wstring& result)
{
    size_t at = line.rfind(L" = ");
    if (at == std::wstring::npos) return false;
    result = line.substr(at + 3);
    return true;
}

std::wstring pickedUpInput(const std::wstring& result)
{
    if (!result.empty() && result[0] == L'-') return L"(" + result + L")";
    return result;
}
