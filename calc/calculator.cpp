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

namespace {

const wchar_t* const vatPartStart = L" (IVA ";

// Where the result of a tape line begins and ends.
bool resultSpan(const std::wstring& line, size_t& begin, size_t& end)
{
    const size_t at = line.rfind(L" = ");
    if (at == std::wstring::npos) return false;
    begin = at + 3;
    end = line.find(vatPartStart, begin);
    if (end == std::wstring::npos) end = line.size();
    return true;
}

bool isBlankOrTab(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring trimmed(const std::wstring& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && isBlankOrTab(text[begin])) ++begin;
    while (end > begin && isBlankOrTab(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

} // namespace

bool tapeLineResult(const std::wstring& line, std::wstring& result)
{
    size_t begin = 0, end = 0;
    if (!resultSpan(line, begin, end)) return false;
    result = line.substr(begin, end - begin);
    return true;
}

std::wstring spreadsheetRow(const std::wstring& line)
{
    size_t begin = 0, end = 0;
    if (!resultSpan(line, begin, end)) return line;
    return line.substr(0, begin - 3) + line.substr(end) + L"\t" + line.substr(begin, end - begin);
}

std::optional<std::wstring> pastedColumn(const std::wstring& text)
{
    std::vector<std::wstring> cells;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = trimmed(text.substr(start, end - start));
        const size_t tab = line.rfind(L'\t');
        if (tab != std::wstring::npos) line = trimmed(line.substr(tab + 1));
        if (!line.empty()) cells.push_back(line);
        // CR LF is one line end.
        start = end + (end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n' ? 2 : 1);
    }
    if (cells.size() < 2) return std::nullopt;
    std::wstring sum = cells[0];
    for (size_t i = 1; i < cells.size(); ++i) sum += L"+" + cells[i];
    return sum;
}

void InputHistory::add(const std::wstring& expression)
{
    entries_.push_back(expression);
    shown_ = entries_.size();
    draft_.clear();
}

std::optional<std::wstring> InputHistory::older(const std::wstring& current)
{
    if (shown_ == 0) return std::nullopt;
    if (shown_ == entries_.size()) draft_ = current;
    return entries_[--shown_];
}

std::optional<std::wstring> InputHistory::newer()
{
    if (shown_ >= entries_.size()) return std::nullopt;
    ++shown_;
    return shown_ == entries_.size() ? draft_ : entries_[shown_];
}

std::wstring pickedUpInput(const std::wstring& result, const std::wstring& beforeCaret)
{
    const wchar_t last = beforeCaret.empty() ? L'\0' : beforeCaret.back();
    const bool afterNumber = isAsciiDigit(last) || last == L',' || last == L'%' || last == L')';
    const std::wstring value = !result.empty() && result[0] == L'-' ? L"(" + result + L")" : result;
    return afterNumber ? L"+" + value : value;
}
