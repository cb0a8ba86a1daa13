#include "finance/ledger_entries.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "text/date_text.h"
#include "text/lines.h"
#include "text/numtext.h"

namespace {

//--- Reading the movements

// An amount as the fields read it, an expression included, or in a
// spreadsheet's accounting form: "(3.000,00)" is a payment.
std::optional<double> readAmount(const std::wstring& text)
{
    const std::wstring t = trimmedText(text);
    if (t.empty()) return std::nullopt;
    const std::optional<std::wstring> accounting = accountingAmount(t);
    const ParsedNumber n = parseNumber(accounting ? *accounting : t);
    if (!n.ok) return std::nullopt;
    return n.value;
}

std::vector<std::wstring> splitAt(const std::wstring& line, bool (*isSeparator)(wchar_t))
{
    std::vector<std::wstring> parts;
    std::wstring part;
    for (wchar_t c : line) {
        if (isSeparator(c)) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

// "€ 1.000,00" is two words; no amount is written in more than this many.
constexpr size_t longestAmountWords = 6;

} // namespace

std::wstring readMovement(const std::wstring& line, Movement& out)
{
    Movement m;
    std::wstring dateCell, amountCell;  // as written, for the message
    std::optional<double> amount;
    if (line.find_first_of(L"\t;") != std::wstring::npos) {
        const std::vector<std::wstring> cells = splitAt(line, [](wchar_t c) { return c == L'\t' || c == L';'; });
        dateCell = trimmedText(cells[0]);
        if (cells.size() > 1) amount = readAmount(amountCell = trimmedText(cells[1]));
        for (size_t i = 2; i < cells.size(); ++i) {
            const std::wstring cell = trimmedText(cells[i]);
            if (cell.empty()) continue;
            m.description += (m.description.empty() ? L"" : L" ") + cell;
        }
    } else {
        std::vector<std::wstring> words;
        for (const std::wstring& w : splitAt(line, isLineBlank))
            if (!w.empty()) words.push_back(w);
        dateCell = words.empty() ? std::wstring() : words[0];
        if (words.size() > 1) amountCell = words[1];
        size_t end = std::min(words.size(), 1 + longestAmountWords);
        for (; end > 1; --end) {
            std::wstring run;
            for (size_t i = 1; i < end; ++i) run += (i > 1 ? L" " : L"") + words[i];
            if ((amount = readAmount(run))) break;
        }
        for (size_t i = end; i < words.size(); ++i) m.description += (i > end ? L" " : L"") + words[i];
    }
    if (!readTypedDate(dateCell, m.date)) return L"data non valida (" + quotedText(dateCell) + L").";
    if (amountCell.empty()) return L"manca l'importo.";
    if (!amount) return L"importo non valido (" + quotedText(amountCell) + L").";
    m.amount = *amount;
    out = m;
    return std::wstring();
}

namespace {

std::wstring lineMessage(size_t line, const std::wstring& what)
{
    return L"Riga " + formatNumber(static_cast<double>(line), 0) + L": " + what;
}

// A spreadsheet's header row ("Data⇥Importo⇥Descrizione"): no digit at all.
bool isHeading(const std::wstring& line) { return line.find_first_of(L"0123456789") == std::wstring::npos; }

} // namespace

bool isCost(const Movement& m)
{
    if (m.amount <= 0) return false;
    std::wstring word = m.description.substr(0, m.description.find_first_of(L" \t:,.;"));
    for (wchar_t& c : word) c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    return word == L"spese";
}

std::optional<std::wstring> readEntries(const LedgerInput& in, DayNumber until, std::vector<LedgerEntry>& entries)
{
    const std::vector<TextLine> lines = textLines(in.movementsText);
    for (const TextLine& line : lines) {
        if (&line == &lines.front() && isHeading(line.text)) continue;
        if (entries.size() == static_cast<size_t>(maxLedgerMovements))
            return L"Troppi movimenti: al massimo " + formatNumber(maxLedgerMovements, 0) + L".";
        LedgerEntry e;
        e.line = line.row;
        const std::wstring problem = readMovement(line.text, e.movement);
        if (!problem.empty()) return lineMessage(line.row, problem);
        if (roundedValue(e.movement.amount, in.decimals) == 0) return lineMessage(line.row, L"importo zero.");
        e.day = dateToDayNumber(e.movement.date);
        if (e.day > until) return lineMessage(line.row, L"movimento dopo la data Al.");
        entries.push_back(std::move(e));
    }
    if (entries.empty()) return std::wstring(L"Scrivi almeno un movimento: data e importo.");
    std::stable_sort(entries.begin(), entries.end(), [](const LedgerEntry& a, const LedgerEntry& b) {
        if (a.day != b.day) return a.day < b.day;
        return a.movement.amount >= 0 && b.movement.amount < 0;
    });
    std::optional<DayNumber> firstSum;
    for (const LedgerEntry& e : entries)
        if (e.movement.amount >= 0) {
            firstSum = e.day;
            break;
        }
    const LedgerEntry* early = nullptr;
    for (const LedgerEntry& e : entries)
        if (e.movement.amount < 0 && (!firstSum || e.day < *firstSum) && (!early || e.line < early->line)) early = &e;
    if (early) return lineMessage(early->line, L"pagamento prima del primo credito.");
    return std::nullopt;
}
