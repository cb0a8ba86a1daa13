#include "finance/claim_file.h"

#include <algorithm>
#include <vector>

#include "text/date_text.h"
#include "text/lines.h"
#include "text/numtext.h"
#include "text/utf8.h"

const char* const claimFileFirstLine = "ZENTOLO CONTEGGIO 1";

namespace {

const wchar_t* const yes = L"s\u00ec";

// One line of text as the file holds it: line ends inside it become blanks.
std::wstring oneLine(std::wstring text)
{
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n') c = L' ';
    return text;
}

// Points as the prospect writes a rate: two places, or its own when it has more ("5,00", "2,125").
std::wstring pointsText(const std::wstring& typed)
{
    const ParsedNumber n = parseNumber(typed);
    return n.ok ? formatNumber(n.value, std::max(2, ownDecimals(n.value))) : trimmedText(oneLine(typed));
}

std::wstring rateValue(const ClaimFile& f)
{
    switch (f.source) {
    case RateSource::legal: return L"legale";
    case RateSource::reference: return L"riferimento";
    default: return L"inserito " + pointsText(f.rateText);
    }
}

// The lines of a text as it was written, blank ones too: CR LF, LF or CR alone end one.
std::vector<std::wstring> rawLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + (end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n' ? 2 : 1);
    }
    return lines;
}

std::optional<bool> yesOrNo(std::wstring value)
{
    for (wchar_t& c : value) c = c == 0x00CC ? 0x00EC : (c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c);
    if (value.empty() || value == L"no") return false;
    if (value == yes || value == L"si") return true;
    return std::nullopt;
}

std::wstring lineMessage(size_t row, const std::wstring& what)
{
    return L"Riga " + std::to_wstring(row) + L" del file: " + what + L".";
}

// One "key: value" line into the file; what is wrong with its value, or nothing.
std::wstring readSetting(const std::wstring& key, const std::wstring& value, size_t row, ClaimFile& f)
{
    auto date = [&](std::wstring& field, const wchar_t* what) {
        CivilDate d;
        if (!value.empty() && !readTypedDate(value, d)) return lineMessage(row, what);
        field = value.empty() ? value : formatDate(d);
        return std::wstring();
    };
    auto flag = [&](bool& field, const std::wstring& name) {
        const auto answer = yesOrNo(value);
        if (!answer) return lineMessage(row, name + L" non valida (s\u00ec o no)");
        field = *answer;
        return std::wstring();
    };
    if (key == L"Pratica") f.caseText = value;
    if (key == L"Al") return date(f.toText, L"data Al non valida");
    if (key == L"Domanda giudiziale") return date(f.lawsuitText, L"data della domanda giudiziale non valida");
    if (key == L"Rivalutazione") return flag(f.revaluation, key);
    if (key == L"Indennizzo 40 \u20ac") return flag(f.compensation, L"Indennizzo 40 \u20ac");
    if (key == L"Acconti al capitale") return flag(f.paymentsToCapital, L"Acconti al capitale");
    if (key == L"Tasso" && !value.empty()) {
        const std::wstring typed = L"inserito ";
        if (value == L"legale") {
            f.source = RateSource::legal;
        } else if (value == L"riferimento") {
            f.source = RateSource::reference;
        } else if (value.compare(0, typed.size(), typed) == 0 && parseNumber(value.substr(typed.size())).ok) {
            f.source = RateSource::entered;
            f.rateText = trimmedText(value.substr(typed.size()));
        } else {
            return lineMessage(row, L"tasso non valido");
        }
    }
    if (key == L"Maggiorazione" && !value.empty()) {
        if (!parseNumber(value).ok) return lineMessage(row, L"maggiorazione non valida");
        f.surchargeText = value;
    }
    return std::wstring();
}

} // namespace

std::string claimFileText(const ClaimFile& f)
{
    std::wstring text = L"Pratica: " + oneLine(f.caseText) + L"\r\nAl: " + oneLine(f.toText) +
                        L"\r\nDomanda giudiziale: " + oneLine(f.lawsuitText) +
                        L"\r\nRivalutazione: " + (f.revaluation ? yes : L"no") +
                        L"\r\nIndennizzo 40 \u20ac: " + (f.compensation ? yes : L"no") +
                        L"\r\nAcconti al capitale: " + (f.paymentsToCapital ? yes : L"no") +
                        L"\r\nTasso: " + rateValue(f) + L"\r\n";
    if (f.surchargeText) text += L"Maggiorazione: " + pointsText(*f.surchargeText) + L"\r\n";
    text += L"Movimenti:\r\n";
    for (const std::wstring& line : rawLines(f.movementsText)) text += line + L"\r\n";
    return std::string(claimFileFirstLine) + "\r\n" + toUtf8(text);
}

ClaimFileReading readClaimFile(const std::string& bytes)
{
    ClaimFileReading out;
    size_t at = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::wstring text;
    for (char32_t c; at < bytes.size();) {
        if (!readUtf8(bytes, at, c)) {
            c = 0xFFFD;
            ++at;
        }
        appendUtf16(text, c);
    }
    const std::vector<std::wstring> lines = rawLines(text);
    if (lines.empty() || trimmedText(lines[0]) != L"ZENTOLO CONTEGGIO 1") {
        out.message = L"Il file non \u00e8 un conteggio di Zentolo.";
        return out;
    }
    size_t row = 1;
    for (; row < lines.size(); ++row) {
        const std::wstring& line = lines[row];
        const size_t colon = line.find(L':');
        if (colon == std::wstring::npos) continue;
        const std::wstring key = trimmedText(line.substr(0, colon)), value = trimmedText(line.substr(colon + 1));
        if (key == L"Movimenti") break;
        out.message = readSetting(key, value, row + 1, out.file);
        if (!out.message.empty()) return out;
    }
    for (size_t i = row + 1; i < lines.size(); ++i)
        out.file.movementsText += (i > row + 1 ? L"\r\n" : L"") + lines[i];
    out.ok = true;
    return out;
}
