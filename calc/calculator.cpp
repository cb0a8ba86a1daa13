#include "calc/calculator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cwchar>

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

double shownValue(const CalculatorState& state)
{
    const ParsedNumber shown = parseNumber(state.displayText);
    return shown.ok ? shown.value : state.displayValue;
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

std::wstring trimmed(const std::wstring& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
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

namespace {

// No screen shows a thousand characters on one line: longer text is never
// measured whole.
constexpr size_t longestShown = 1000;

bool fitsWhole(const std::wstring& text, int room, const std::function<int(const std::wstring&)>& width)
{
    return text.size() <= longestShown && width(text) <= room;
}

// "…" and the end of `text` that fits in `room`, or the whole text when it fits.
std::wstring cutAtLeft(const std::wstring& text, int room, const std::function<int(const std::wstring&)>& width)
{
    if (fitsWhole(text, room, width)) return text;
    const std::wstring ellipsis = L"\u2026";
    // The shortest end that fits is found by halving: a longer end is never narrower.
    size_t fits = text.size(), wider = text.size() > longestShown ? text.size() - longestShown : 0;  // starts of ends
    while (fits - wider > 1) {
        const size_t middle = wider + (fits - wider) / 2;
        (width(ellipsis + text.substr(middle)) <= room ? fits : wider) = middle;
    }
    return ellipsis + text.substr(fits);
}

} // namespace

FittedTapeLine fittedTapeLine(const std::wstring& line, int room, const std::function<int(const std::wstring&)>& width)
{
    if (fitsWhole(line, room, width)) return {line, std::wstring()};
    const size_t equals = line.rfind(L" = ");
    const std::wstring result = equals == std::wstring::npos ? std::wstring() : line.substr(equals);
    if (result.empty() || !fitsWhole(result + L"\u2026", room, width)) return {cutAtLeft(line, room, width), std::wstring()};
    const int resultWidth = width(result);
    return {cutAtLeft(line.substr(0, equals), room - resultWidth, width), result};
}

std::wstring spreadsheetRow(const std::wstring& line)
{
    size_t begin = 0, end = 0;
    if (!resultSpan(line, begin, end)) return line;
    const std::wstring cells = line.substr(0, begin - 3) + L"\t" + line.substr(begin, end - begin);
    // A scorporo's VAT, " (IVA 2,34)", in a third column of its own.
    if (end == line.size() || line.back() != L')') return cells;
    return cells + L"\t" + line.substr(end + std::wcslen(vatPartStart), line.size() - end - std::wcslen(vatPartStart) - 1);
}

namespace {

bool isDash(wchar_t c) { return c == L'-' || c == 0x2012 || c == 0x2013 || c == 0x2014 || c == 0x2212; }

// One pasted cell as a term of the sum: a spreadsheet's zero in accounting
// format ("-", "€ -") is 0, a negative in brackets ("(12,30)") takes a "-"
// (and keeps its brackets when they hold a calculation, "-(1+2)").
std::wstring pastedCell(const std::wstring& cell)
{
    if (cell.empty()) return cell;
    bool onlyDash = false, otherThanDash = false;
    for (wchar_t c : cell) {
        if (isDash(c))
            onlyDash = true;
        else if (c != 0x20AC && !isBlank(c))
            otherThanDash = true;
    }
    if (onlyDash && !otherThanDash) return L"0";
    if (cell.size() < 2 || cell.front() != L'(' || cell.back() != L')') return cell;
    const std::wstring inside = trimmed(cell.substr(1, cell.size() - 2));
    return inside.find_first_of(L"+-*/()%\u00d7\u00f7\u2212") == std::wstring::npos ? L"-" + inside : L"-" + cell;
}

// The cells of a pasted text, one a line, as terms of a sum.
std::vector<std::wstring> pastedCells(const std::wstring& text)
{
    std::vector<std::wstring> cells;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        // A no-break space, as spreadsheets write beside the euro, is a blank too.
        std::replace_if(line.begin(), line.end(), [](wchar_t c) { return c == 0x00A0 || c == 0x202F; }, L' ');
        line = trimmed(line);
        const size_t tab = line.rfind(L'\t');
        const std::wstring cell = pastedCell(tab == std::wstring::npos ? line : trimmed(line.substr(tab + 1)));
        if (!cell.empty()) cells.push_back(cell);
        // CR LF is one line end.
        start = end + (end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n' ? 2 : 1);
    }
    return cells;
}

std::wstring bracketedSum(const std::vector<std::wstring>& cells)
{
    std::wstring sum = L"(";
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0 && cells[i][0] != L'-') sum += L'+';
        sum += cells[i];
    }
    return sum + L")";
}

// A cell written as a bare percentage ("10%", "-12,5 %") is, in a sum, a
// share of the sum before it.
bool isShareOfTheSum(const std::wstring& cell)
{
    if (cell.back() != L'%') return false;
    int digits = 0, separators = 0;
    for (size_t i = cell[0] == L'-' ? 1 : 0; i + 1 < cell.size(); ++i) {
        if (isAsciiDigit(cell[i]))
            ++digits;
        else if (cell[i] == L',' || cell[i] == L'.')
            ++separators;
        else if (!isBlank(cell[i]))
            return false;
    }
    return digits > 0 && separators <= 1;
}

// The sum of the cells, each read on its own and added with the error of each
// addition carried (Neumaier): 10.000 times 1.234,56 is 12.345.600 to the last
// digit.
std::optional<double> columnTotal(const std::vector<std::wstring>& cells)
{
    double total = 0, carried = 0;
    for (const std::wstring& cell : cells) {
        ParsedNumber term = parseNumber(cell);
        if (!term.ok) return std::nullopt;
        if (isShareOfTheSum(cell)) term.value *= total + carried;
        const double next = total + term.value;
        carried += std::fabs(total) >= std::fabs(term.value) ? (total - next) + term.value : (term.value - next) + total;
        total = next;
    }
    total += carried;
    if (!std::isfinite(total)) return std::nullopt;
    return total;
}

} // namespace

std::optional<std::wstring> pastedColumn(const std::wstring& text)
{
    const std::vector<std::wstring> cells = pastedCells(text);
    if (cells.size() < 2) return std::nullopt;
    return bracketedSum(cells);
}

PastedInput pastedInput(const std::wstring& clipboard)
{
    PastedInput out;
    const std::vector<std::wstring> cells = pastedCells(clipboard);
    if (cells.size() < 2) return out;
    out.kind = PastedInput::inserted;
    out.text = bracketedSum(cells);
    if (out.text.size() <= longestPastedSum) return out;
    const std::optional<double> total = columnTotal(cells);
    if (!total) {
        out.kind = PastedInput::refused;
        out.text.clear();
        return out;
    }
    // Its 15 significant digits, as every amount is shown.
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, *total, std::chars_format::general, 15).ptr;
    out.text = L"(" + std::wstring(digits, end) + L")";
    std::replace(out.text.begin(), out.text.end(), L'.', L',');
    return out;
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
