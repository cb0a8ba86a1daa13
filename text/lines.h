// Pasted and typed text cut into lines and cells, and amounts written the
// way spreadsheets and bank statements write them: one reading for every tool.
#pragma once

#include <optional>
#include <string>
#include <vector>

// A blank inside a line: the number reader's blanks, and the no-break spaces
// that spreadsheets write beside the euro.
bool isLineBlank(wchar_t c);

// The text without the blanks at its ends.
std::wstring trimmedText(const std::wstring& text);

// A C0 or C1 control character: no amount, date or tape line holds one.
bool isControlCharacter(wchar_t c);
// Whether a text holds one other than the tab, which separates cells.
bool holdsControlCharacter(const std::wstring& text);

// The non-blank lines of a text, trimmed at both ends and their no-break
// spaces written as spaces, each with its number
// in the text: CR LF, LF or CR alone end a line, and every line is counted
// from 1, blank ones too.
struct TextLine {
    std::wstring text;
    size_t row = 0;
};
std::vector<TextLine> textLines(const std::wstring& text);
// The same with the tabs at either end kept: a spreadsheet's row whose first
// or last cells are empty. A line of tabs and blanks alone is blank.
std::vector<TextLine> tableLines(const std::wstring& text);

// The cell of a spreadsheet's line: the last one of a line that holds several.
std::wstring lastCell(const std::wstring& line);

// A dash as the minus sign: "-", the figure, en and em dashes, the minus.
bool isDash(wchar_t c);

// Digits with a comma or thousands points from `from` on, and nothing else.
bool isPlainNumber(const std::wstring& text, size_t from = 0);

// An amount as a spreadsheet or a bank statement shows it, as the number it
// stands for: "(12,30) €", "€ (12,30)" and "12,30-" are "-12,30", "-€ 10,00"
// is "-10,00", "€ 1.000,00" is "1.000,00", a dash alone ("€ -") is "0".
// Nothing for a text that is no such amount.
std::optional<std::wstring> accountingAmount(const std::wstring& text);

// "«abc»": a cell or a word as a message quotes it, at most 20 characters of
// it and "…" after them.
std::wstring quotedText(const std::wstring& text);
