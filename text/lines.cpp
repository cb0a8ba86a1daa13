#include "text/lines.h"

#include <algorithm>

#include "text/numtext.h"

bool isLineBlank(wchar_t c) { return isBlank(c) || c == 0x00A0 || c == 0x202F; }

std::wstring trimmedText(const std::wstring& text)
{
    size_t from = 0, to = text.size();
    while (from < to && isLineBlank(text[from])) ++from;
    while (to > from && isLineBlank(text[to - 1])) --to;
    return text.substr(from, to - from);
}

bool isControlCharacter(wchar_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

bool holdsControlCharacter(const std::wstring& text)
{
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c != L'\t' && isControlCharacter(c); });
}

namespace {

std::vector<TextLine> linesOf(const std::wstring& text, bool keepTabs)
{
    std::vector<TextLine> lines;
    size_t row = 1;
    for (size_t start = 0; start <= text.size(); ++row) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        for (wchar_t& c : line)
            if (c == 0x00A0 || c == 0x202F) c = L' ';
        auto trimmed = [keepTabs](wchar_t c) { return isLineBlank(c) && !(keepTabs && c == L'\t'); };
        size_t first = 0, last = line.size();
        while (first < last && trimmed(line[first])) ++first;
        while (last > first && trimmed(line[last - 1])) --last;
        if (!trimmedText(line).empty()) lines.push_back({line.substr(first, last - first), row});
        start = end + (end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n' ? 2 : 1);
    }
    return lines;
}

} // namespace

std::vector<TextLine> textLines(const std::wstring& text) { return linesOf(text, false); }

std::vector<TextLine> tableLines(const std::wstring& text) { return linesOf(text, true); }

std::wstring lastCell(const std::wstring& line)
{
    const size_t tab = line.rfind(L'\t');
    return tab == std::wstring::npos ? line : trimmedText(line.substr(tab + 1));
}

bool isDash(wchar_t c) { return c == L'-' || c == 0x2012 || c == 0x2013 || c == 0x2014 || c == 0x2212; }

bool isPlainNumber(const std::wstring& text, size_t from)
{
    bool digit = false;
    for (size_t i = from; i < text.size(); ++i) {
        if (isAsciiDigit(text[i]))
            digit = true;
        else if (text[i] != L',' && text[i] != L'.')
            return false;
    }
    return digit;
}

namespace {

bool isNumberCharacter(wchar_t c) { return isAsciiDigit(c) || c == L',' || c == L'.'; }

} // namespace

std::optional<std::wstring> accountingAmount(const std::wstring& text)
{
    std::wstring bare;  // without the euro sign and blanks, wherever they stand
    bool apart = false;  // a blank or "€" since the last character kept
    for (wchar_t c : text) {
        if (c == 0x20AC || isLineBlank(c)) {
            apart = !bare.empty();
            continue;
        }
        // "1 000" or the cells of a row, "1⇥2", are not one number.
        if (apart && isNumberCharacter(c) && isNumberCharacter(bare.back())) return std::nullopt;
        apart = false;
        bare += isDash(c) ? L'-' : c;
    }
    if (bare.empty()) return std::nullopt;
    if (bare.find_first_not_of(L'-') == std::wstring::npos) return std::wstring(L"0");
    // A trailing minus, as bank and accounting exports write a debit: "12,30-".
    const bool trailingMinus = bare.size() > 1 && bare.back() == L'-' && isPlainNumber(bare.substr(0, bare.size() - 1));
    if (trailingMinus) bare = L"-" + bare.substr(0, bare.size() - 1);
    const bool bracketed = bare.size() > 2 && bare.front() == L'(' && bare.back() == L')';
    if (bracketed) bare = bare.substr(1, bare.size() - 2);
    const bool minus = bare[0] == L'-';
    if (!isPlainNumber(bare, minus ? 1 : 0) || (bracketed && minus) || !parseNumber(bare).ok) return std::nullopt;
    return bracketed ? L"-" + bare : bare;
}

std::wstring quotedText(const std::wstring& text)
{
    return L"\u00ab" + (text.size() > 20 ? text.substr(0, 20) + L"\u2026" : text) + L"\u00bb";
}
