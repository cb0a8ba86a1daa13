// The desk calculator's state and the evaluation of its input line.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct CalculatorState {
    double displayValue = 0.0;          // the last result at full precision
    std::wstring displayText = L"0,00";  // the last result as shown
    double memory = 0.0;                 // M+ and M− add up here; PULISCI keeps it
    double grandTotal = 0.0;             // the results shown since the last GT, as shown
    long long grandCount = 0;            // how many
};

extern CalculatorState calculator;

// The last result as the display shows it, rounded to the decimals set: the
// value a result used again stands for, so that the tape reads true.
double shownValue(const CalculatorState& state);

// A running sum of results as shown (the memory, the grand total): each sum
// kept at its 15 significant digits, so that 0,10 + 0,20 - 0,30 is 0 and
// not a residue of binary fractions.
double addedAsShown(double sum, double shown);

// A line that begins with an operator continues from the last result:
// "+5" with 10 becomes "10+5", the value written as shown with `decimals`
// places, without thousands points.
std::wstring expandContinuation(const std::wstring& text, double displayValue, int decimals);

// An input as a tape line shows it: trimmed at both ends, every tab or other
// control character inside written as a space.
std::wstring tapeInput(const std::wstring& text);

struct Evaluation {
    enum Kind { nothing, rejected, accepted } kind = nothing;
    std::wstring evaluatedText;  // the text after continuation
    double value = 0.0;
    std::wstring displayText;    // formatted with the decimal places asked for
    std::wstring tapeLine;       // evaluatedText as tapeInput shows it + " = " + displayText
};

// What Enter does with the input line, given the last result and the
// decimal places of amounts.
Evaluation evaluateLine(const std::wstring& input, double displayValue, int decimals);

// The result of a tape line: the text after its last " = ", without the VAT
// part of a scorporo (" (IVA 2,34)"); false for a line without " = ".
bool tapeLineResult(const std::wstring& line, std::wstring& result);

// The value of the newest tape line that is a result, as it is shown: what
// the display shows again when a kept tape comes back. A listed cell, an
// invoice's items, a subtotal and the memory's lines are no result.
std::optional<double> lastTapeResult(const std::vector<std::wstring>& lines);

// A tape line as spreadsheet cells, "expression\tresult": the result a number
// alone; a scorporo gives its VAT a third cell, "Scorporo 22,00% su
// 13,00\t10,66\t2,34".
std::wstring spreadsheetRow(const std::wstring& line);

// A tape line in `room` pixels, as `width` measures text: the whole line when
// it fits; else its result in full at the right (" = 1.234,00", a scorporo's
// VAT with it) and the expression's end after a "…" at the left; a result too
// wide for that is itself cut at the left. No screen shows more than the last
// thousand characters of a line.
struct FittedTapeLine {
    std::wstring left;
    std::wstring right;  // drawn against the right edge; empty when the line fits
};
FittedTapeLine fittedTapeLine(const std::wstring& line, int room, const std::function<int(const std::wstring&)>& width);

// Why Enter refuses a line, as the balloon under the input line says it, and
// where the caret goes: "Divisione per zero.", "Parentesi non bilanciate.",
// or "Non leggo da qui: «abc»" with up to 20 characters from the first that
// could not be read (the dangling operator when the line ends too soon),
// the caret there. `input` is the line as typed, continued from the last
// result as evaluateLine continues it.
struct Refusal {
    std::wstring message;
    size_t caret = 0;  // in `input`
};
Refusal refusalOf(const std::wstring& input, double displayValue, int decimals);

// Text pasted into the input line: a column of several lines (a spreadsheet's
// cells, a list of amounts) becomes their sum in brackets, "(12,50+7-3,20)",
// with blanks (no-break spaces too) trimmed, the last cell of a line that
// holds several, and empty lines left out. Each cell counts as its own value:
// an amount in accounting form as the number it shows ("(12,30) €" is -12,30,
// "€ -" is 0), a calculation in brackets negative ("(1+2)" is "-(1+2)"), and
// a cell that is not a plain number bracketed on its own ("(100+(2-10%))").
// Nothing when the text holds a single line.
std::optional<std::wstring> pastedColumn(const std::wstring& text);

// What a paste into the input line does with the clipboard's text: a column
// goes in as its bracketed sum while that stays short enough to edit
// (longestPastedSum characters); a longer one goes in as its total, summed
// now the same way, in brackets with its 15 significant digits, "(12345600)",
// or is refused with the beep when a cell is not a number. A single line that
// is an amount in accounting form goes in as the number it shows ("(12,30)" as
// "-12,30", a lone dash as "0" into an empty line); a single line longer than
// longestPastedSum is refused; any other is pasted as it is.
constexpr size_t longestPastedSum = 10000;
struct PastedInput {
    enum Kind { asItIs, inserted, refused } kind = asItIs;
    std::wstring text;  // what is inserted at the caret
};
PastedInput pastedInput(const std::wstring& clipboard, bool intoEmptyLine);

// A column pasted into an empty input line, listed on the tape as a
// printing calculator lists it: a line per cell, "1.234,56 = 1.234,56",
// after the row's other cells ("Rossi srl · fatt. 12  1.220,00 = 1.220,00"),
// "(12,30) = -12,30", then "Totale n. 500 = …", or "Totale Importo n. 500 =
// …" when the first cell is a heading. Blank cells are skipped and not
// counted. Past listedCellsMax cells only the total line, with a note.
// Nothing when the text is not a column (fewer than two non-blank lines).
// Without `heading` (a column summed into a line that is not empty) a first
// cell that is no amount is a bad cell like any other.
constexpr size_t listedCellsMax = 10000;
struct PastedListing {
    bool ok = false;
    std::vector<std::wstring> lines;  // the tape's lines, the total last
    double total = 0;
    std::wstring message;  // why not ok ("Riga 37: «abc» non è un importo."), or the note on a long column
};
std::optional<PastedListing> pastedListing(const std::wstring& clipboard, int decimals, bool heading = true);

// "GT n. 12 = 3.456,78": the grand total's tape line.
std::wstring grandTotalLine(const CalculatorState& state, int decimals);
// "Subtotale n. 3 = 1.334,56": the grand total so far, which goes on.
std::wstring subtotalLine(const CalculatorState& state, int decimals);
// "M+ 1.234,56", "M− 100,00": the value the memory took (`sign` 1) or gave (-1).
std::wstring memoryLine(int sign, double value, int decimals);

// The expressions entered since start, for Up and Down in the input line, as
// a command line recalls them: newest first, and below the newest the text
// that was being typed.
class InputHistory {
public:
    void add(const std::wstring& expression);
    // The entry before (Up) or after (Down) the one shown, given the text the
    // line holds now; nothing when there is none.
    std::optional<std::wstring> older(const std::wstring& current);
    std::optional<std::wstring> newer();

private:
    std::vector<std::wstring> entries_;
    size_t shown_ = 0;  // entries_.size() while the draft is shown
    std::wstring draft_;
};

// What a tape pick-up puts into the input line at the caret: the result
// itself, and a negative one in brackets, so that Enter reads -5,00 as -5 and
// not as a continuation that subtracts 5 from the last result; after a number
// (the text before the caret ending in a digit, ",", "%" or ")") a "+" first,
// so that "100" and a pick-up of 5,00 give "100+5,00".
std::wstring pickedUpInput(const std::wstring& result, const std::wstring& beforeCaret = std::wstring());
