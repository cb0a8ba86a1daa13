#include "calc/calculator.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "calc/invoice.h"
#include "text/numtext.h"
#include "text/lines.h"

CalculatorState calculator;

std::wstring tapeInput(const std::wstring& text)
{
    // A tab or a line end pasted from a spreadsheet would break the kept tape's lines.
    std::wstring line = text;
    std::replace_if(line.begin(), line.end(), isControlCharacter, L' ');
    size_t begin = 0, end = line.size();
    while (begin < end && isBlank(line[begin])) ++begin;
    while (end > begin && isBlank(line[end - 1])) --end;
    return line.substr(begin, end - begin);
}

std::wstring expandContinuation(const std::wstring& text, double displayValue, int decimals)
{
    size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return text;
    switch (text[first]) {
    case L'*': case L'+': case L'-': case L'/':
    case 0x00D7: case 0x00F7: case 0x2212: {
        std::wstring rest = text.substr(first);
        if (rest[0] == 0x2212) rest[0] = L'-';
        return formatPlainNumber(displayValue, decimals) + rest;
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

namespace {

// The keypad's "=" written at either end of a line ("100+5 =", "=100+5")
// asks for the result as Enter does: it reads as a blank, so that every
// other character keeps its place.
std::wstring withoutEquals(std::wstring line)
{
    size_t begin = 0, end = line.size();
    while (begin < end && isBlank(line[begin])) ++begin;
    if (begin < end && line[begin] == L'=') line[begin++] = L' ';
    while (end > begin && isBlank(line[end - 1])) --end;
    if (end > begin && line[end - 1] == L'=') line[end - 1] = L' ';
    return line;
}

// A typed line's note, on its tape line after the result.
const wchar_t* const noteStart = L"  # ";

// What follows a "#" is a note, not part of the expression.
std::wstring withoutNote(const std::wstring& line, std::wstring* note = nullptr)
{
    const size_t at = line.find(L'#');
    if (at == std::wstring::npos) return line;
    if (note) *note = tapeInput(line.substr(at + 1));
    return line.substr(0, at);
}

bool isOperator(wchar_t c)
{
    return c == L'+' || c == L'-' || c == L'*' || c == L'/' || c == 0x00D7 || c == 0x00F7 || c == 0x2212;
}

} // namespace

double addedAsShown(double sum, double shown)
{
    const double total = sum + shown;
    return std::isfinite(total) ? roundedValue(total, 20) : total;
}

Evaluation evaluateLine(const std::wstring& typed, double displayValue, int decimals)
{
    Evaluation e;
    if (typed.empty()) return e;
    std::wstring note;
    const std::wstring input = withoutEquals(withoutNote(typed, &note));
    e.evaluatedText = expandContinuation(input, displayValue, decimals);
    ParsedNumber parsed = parseNumber(e.evaluatedText);
    if (!parsed.ok) {
        e.kind = Evaluation::rejected;
        return e;
    }
    e.kind = Evaluation::accepted;
    e.value = parsed.value;
    e.displayText = formatNumber(parsed.value, decimals);
    e.tapeLine = tapeInput(e.evaluatedText) + L" = " + e.displayText + (note.empty() ? L"" : noteStart + note);
    return e;
}

Refusal refusalOf(const std::wstring& typed, double displayValue, int decimals)
{
    const std::wstring input = withoutEquals(withoutNote(typed));
    const std::wstring evaluated = expandContinuation(input, displayValue, decimals);
    const ParseFailure why = parseFailure(evaluated);
    Refusal out;
    // The continued line is the input with the last result put before its first operator.
    const long long added = static_cast<long long>(evaluated.size()) - static_cast<long long>(input.size());
    size_t at = static_cast<size_t>(std::max(0LL, static_cast<long long>(why.position) - added));
    switch (why.problem) {
    case ParseProblem::divisionByZero: out.message = L"Divisione per zero."; break;
    case ParseProblem::unbalancedBrackets: out.message = L"Parentesi non bilanciate."; break;
    case ParseProblem::outOfRange: out.message = L"Importo fuori intervallo."; break;
    default: {
        // A line that ends too soon: the operator left without its operand.
        if (at >= input.size())
            while (at > 0 && (at >= input.size() || isBlank(input[at]))) --at;
        if (why.position >= evaluated.size() && at < input.size() && isOperator(input[at])) {
            out.message = L"Manca un numero dopo \u00ab" + input.substr(at, 1) + L"\u00bb.";
            at = input.size();
            break;
        }
        std::wstring rest = input.substr(std::min(at, input.size()), 20);
        while (!rest.empty() && isBlank(rest.back())) rest.pop_back();
        out.message = rest.empty() ? L"Nessun importo: scrivi un numero o calcola prima."
                                   : L"Non leggo da qui: \u00ab" + rest + L"\u00bb";
    }
    }
    out.caret = std::min(at, input.size());
    return out;
}

namespace {

const wchar_t* const vatPartStart = L" (IVA ";

// Where the result of a tape line begins and ends.
// Where the result of a tape line begins and ends, before its note.
bool resultSpan(const std::wstring& line, size_t& begin, size_t& end)
{
    const size_t note = std::min(line.find(noteStart), line.size());
    const size_t at = line.rfind(L" = ", note);
    if (at == std::wstring::npos || at + 3 > note) return false;
    begin = at + 3;
    end = std::min(line.find(vatPartStart, begin), note);
    return true;
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

std::optional<double> lastTapeResult(const std::vector<std::wstring>& lines)
{
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        std::wstring result;
        if (!tapeLineResult(*line, result) || line->rfind(L"Subtotale ", 0) == 0 || isInvoiceItemLine(*line)) continue;
        const ParsedNumber value = parseNumber(result);
        if (value.ok) return value.value;
    }
    return std::nullopt;
}

std::wstring spreadsheetRow(const std::wstring& line)
{
    size_t begin = 0, end = 0;
    if (!resultSpan(line, begin, end)) return line;
    const std::wstring cells = line.substr(0, begin - 3) + L"\t" + line.substr(begin, end - begin);
    // A note in a column of its own.
    if (line.compare(end, std::wcslen(noteStart), noteStart) == 0) return cells + L"\t" + line.substr(end + std::wcslen(noteStart));
    // A scorporo's VAT, " (IVA 2,34)", in a third column of its own.
    if (end == line.size() || line.back() != L')') return cells;
    return cells + L"\t" + line.substr(end + std::wcslen(vatPartStart), line.size() - end - std::wcslen(vatPartStart) - 1);
}

namespace {

// One pasted cell as a term of the sum: an amount in accounting form as the
// number it shows; a calculation in brackets negative ("(1+2)" is "-(1+2)").
std::wstring pastedCell(const std::wstring& cell)
{
    if (cell.empty()) return cell;
    if (const auto amount = accountingAmount(cell)) return *amount;
    if (cell.size() < 2 || cell.front() != L'(' || cell.back() != L')') return cell;
    return L"-" + cell;
}

// The cells of pasted lines, one a line, as terms of a sum; nothing when a
// cell holds a control character, which no amount holds and no one sees.
std::optional<std::vector<std::wstring>> pastedCells(const std::vector<TextLine>& lines)
{
    std::vector<std::wstring> cells;
    for (const TextLine& line : lines) {
        const std::wstring last = lastCell(line.text);
        if (holdsControlCharacter(last)) return std::nullopt;
        const std::wstring cell = pastedCell(last);
        if (!cell.empty()) cells.push_back(cell);
    }
    return cells;
}

// Every cell counts as its own value, as a spreadsheet holds it: one that is
// not a plain number is bracketed on its own, so that "100" and "2-10%" are
// 100 + 1,80, and a cell "10%" is 0,10, not a share of the sum before it.
std::wstring bracketedSum(const std::vector<std::wstring>& cells)
{
    std::wstring sum = L"(";
    for (size_t i = 0; i < cells.size(); ++i) {
        const std::wstring& cell = cells[i];
        const bool plain = isPlainNumber(cell, cell[0] == L'-' ? 1 : 0);
        if (i > 0 && (!plain || cell[0] != L'-')) sum += L'+';
        sum += plain ? cell : L"(" + cell + L")";
    }
    return sum + L")";
}

// The sum of the cells, each read on its own and added with the error of each
// addition carried (Neumaier): 10.000 times 1.234,56 is 12.345.600 to the last
// digit.
std::optional<double> columnTotal(const std::vector<std::wstring>& cells)
{
    double total = 0, carried = 0;
    for (const std::wstring& cell : cells) {
        const ParsedNumber term = parseNumber(cell);
        if (!term.ok) return std::nullopt;
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
    const auto cells = pastedCells(textLines(text));
    if (!cells || cells->size() < 2) return std::nullopt;
    return bracketedSum(*cells);
}

PastedInput pastedInput(const std::wstring& clipboard, bool intoEmptyLine)
{
    PastedInput out;
    const std::vector<TextLine> lines = textLines(clipboard);
    if (lines.size() == 1) {
        // One cell, as a spreadsheet copies it: the number it shows.
        const std::wstring& line = lines[0].text;
        const std::optional<std::wstring> amount = accountingAmount(line);
        const bool loneDash = amount && *amount == L"0" && line.find_first_of(L"0123456789") == std::wstring::npos;
        if (line.size() > longestPastedSum) {
            out.kind = PastedInput::refused;
        } else if (amount && *amount != line && (!loneDash || intoEmptyLine)) {
            out.kind = PastedInput::inserted;
            out.text = *amount;
        }
        return out;
    }
    const auto read = pastedCells(lines);
    if (!read) return PastedInput{PastedInput::refused, std::wstring()};
    const std::vector<std::wstring>& cells = *read;
    if (cells.size() < 2) return out;
    const std::optional<double> total = columnTotal(cells);
    out.kind = PastedInput::inserted;
    out.text = bracketedSum(cells);
    if (out.text.size() <= longestPastedSum) {
        // A cell that does not read on its own ("1)") is never read through its
        // neighbours' brackets ("(2"): such a sum is refused, not summed.
        if (!total && parseNumber(out.text).ok) out = PastedInput{PastedInput::refused, std::wstring()};
        return out;
    }
    out.kind = total ? PastedInput::inserted : PastedInput::refused;
    out.text = total ? L"(" + formatSignificant(*total) + L")" : std::wstring();
    return out;
}

namespace {

// The places an amount is written with: "1,005" has 3, a calculation none.
int writtenPlaces(const std::wstring& term)
{
    const size_t comma = term.find(L',');
    if (comma == std::wstring::npos || !isPlainNumber(term, term[0] == L'-' ? 1 : 0)) return 0;
    return static_cast<int>(term.size() - comma - 1);
}

} // namespace

std::optional<PastedListing> pastedListing(const std::wstring& clipboard, int decimals, bool headingAllowed)
{
    struct Cell {
        std::wstring text;  // as pasted, trimmed
        size_t row;         // in the pasted text, every line counted, from 1
        bool control;       // it held a control character: never an amount
        std::wstring names;  // the row's other cells, "Rossi srl · fatt. 12"
    };
    std::vector<Cell> cells;
    for (const TextLine& line : textLines(clipboard)) {
        std::wstring last = lastCell(line.text);
        const bool control = holdsControlCharacter(last);
        // A control character is never listed: the message shows where it stands.
        if (control) std::replace_if(last.begin(), last.end(), isControlCharacter, 0xFFFD);
        std::wstring cell = control ? last : tapeInput(last);
        std::wstring names;
        for (size_t from = 0, tab; (tab = line.text.find(L'\t', from)) != std::wstring::npos; from = tab + 1) {
            const std::wstring name = tapeInput(line.text.substr(from, tab - from));
            if (!name.empty()) names += (names.empty() ? L"" : L" \u00b7 ") + name;
        }
        if (!cell.empty()) cells.push_back({std::move(cell), line.row, control, std::move(names)});
    }
    if (cells.size() < 2) return std::nullopt;
    PastedListing out;
    std::wstring heading;
    std::vector<double> values;
    values.reserve(cells.size());
    std::vector<std::wstring> terms;
    for (size_t i = 0; i < cells.size(); ++i) {
        const std::wstring term = pastedCell(cells[i].text);
        const ParsedNumber value = cells[i].control ? ParsedNumber{} : parseNumber(term);
        if (!value.ok && i == 0 && headingAllowed && !cells[i].control) {  // the column's heading names its total
            heading = cells[i].text;
            continue;
        }
        if (!value.ok) {
            out.message = L"Riga " + formatNumber(static_cast<double>(cells[i].row), 0) + L": " +
                          quotedText(cells[i].text) + L" non \u00e8 un importo.";
            return out;
        }
        terms.push_back(term);
        values.push_back(value.value);
    }
    const std::optional<double> total = columnTotal(terms);
    if (!total) {
        out.message = L"Importo fuori intervallo.";
        return out;
    }
    const size_t first = heading.empty() ? 0 : 1;
    if (terms.size() <= listedCellsMax)
        for (size_t i = 0; i < terms.size(); ++i)
            out.lines.push_back((cells[first + i].names.empty() ? L"" : cells[first + i].names + L"  ") +
                                cells[first + i].text + L" = " +
                                formatNumber(values[i], std::max(decimals, writtenPlaces(terms[i]))));
    else
        out.message = L"Colonna di " + formatNumber(static_cast<double>(terms.size()), 0) +
                      L" righe: elencato solo il totale.";
    const std::wstring count = formatNumber(static_cast<double>(terms.size()), 0);
    out.lines.push_back(L"Totale " + (heading.empty() ? L"" : heading + L" ") + L"n. " + count + L" = " +
                        formatNumber(*total, decimals));
    out.total = *total;
    out.ok = true;
    return out;
}

namespace {

// "GT n. 12 = 3.456,78" and its kin: the grand total with its count.
std::wstring grandTotalWith(const wchar_t* label, const CalculatorState& state, int decimals)
{
    return label + formatNumber(static_cast<double>(state.grandCount), 0) + L" = " +
           formatNumber(state.grandTotal, decimals);
}

} // namespace

std::wstring grandTotalLine(const CalculatorState& state, int decimals)
{
    return grandTotalWith(L"GT n. ", state, decimals);
}

std::wstring subtotalLine(const CalculatorState& state, int decimals)
{
    return grandTotalWith(L"Subtotale n. ", state, decimals);
}

std::wstring memoryLine(int sign, double value, int decimals)
{
    return (sign > 0 ? L"M+ " : L"M\u2212 ") + formatNumber(value, decimals);
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
