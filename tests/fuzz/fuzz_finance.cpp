// The interest calculator, the claim ledger and the split: no crash; the
// ledger never leaves a negative capital, interest or excess, and a payment
// of 1 € or more added on Al never raises what is due and lowers it while
// anything is due; the split's amounts add up to its total line, and the
// table split's row totals to its grand total.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "text/numtext.h"
#include "finance/interest.h"
#include "finance/ledger.h"
#include "finance/split.h"
#include "finance/table_split.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

long long cents(const std::wstring& amount)
{
    ParsedNumber p = parseNumber(amount);
    if (!p.ok) std::abort();
    return std::llround(p.value * 100);
}

void checkSplit(const SplitInput& in)
{
    SplitOutcome out = computeSplit(in);
    if (!out.ok) return;
    long long sum = 0;
    const std::wstring& r = out.reportText;
    for (size_t at = r.find(L"\u2192  "); at != std::wstring::npos; at = r.find(L"\u2192  ", at + 1)) {
        size_t end = r.find(L" \u20ac", at);
        sum += cents(r.substr(at + 3, end - at - 3));
    }
    size_t total = r.find(L"TOTALE: ");
    if (total == std::wstring::npos) std::abort();
    size_t end = r.find(L" \u20ac", total);
    if (sum != cents(r.substr(total + 8, end - total - 8))) std::abort();
}

// The last cell of each copied row under the heading: the row totals, then the grand total.
void checkTableSplit(const TableSplitInput& in)
{
    const TableSplitOutcome out = computeTableSplit(in);
    if (!out.ok) return;
    const std::wstring& t = out.copyText;
    std::vector<long long> totals;
    for (size_t end = t.find(L"\r\n", t.find(L"\r\n") + 2); end != std::wstring::npos; end = t.find(L"\r\n", end + 2)) {
        const size_t tab = t.rfind(L'\t', end);
        totals.push_back(cents(t.substr(tab + 1, end - tab - 1)));
    }
    long long sum = 0;
    for (size_t i = 0; i + 1 < totals.size(); ++i) sum += totals[i];
    if (totals.size() < 2 || sum != totals.back()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint8_t flags = fuzzByte(data, size);
    InterestInput interest;
    interest.capitalText = fuzzText(data, size, 60);
    interest.rateText = fuzzText(data, size, 30);
    interest.surchargeText = fuzzText(data, size, 30);
    interest.daysText = fuzzText(data, size, 30);
    interest.fromText = fuzzText(data, size, 20);
    interest.toText = fuzzText(data, size, 20);
    interest.surchargeApplied = flags & 1;
    interest.daysMode = flags & 2;
    interest.source = static_cast<RateSource>((flags >> 5) % rateSourceCount);
    InterestOutcome out = computeInterest(interest);
    if (out.ok && !std::isfinite(out.interest)) std::abort();

    LedgerInput ledger;
    const int movements = 1 + flags % 6;
    for (int i = 0; i < movements; ++i) ledger.movementsText += fuzzText(data, size, 40) + L"\n";
    ledger.toText = fuzzText(data, size, 12);
    ledger.lawsuitText = fuzzText(data, size, 12);
    ledger.rateText = interest.rateText;
    ledger.surchargeText = interest.surchargeText;
    ledger.surchargeApplied = interest.surchargeApplied;
    ledger.source = interest.source;
    ledger.revaluation = flags & 16;
    ledger.compensation = flags & 64;
    ledger.paymentsToCapital = flags & 128;
    const LedgerOutcome claim = computeLedger(ledger);
    if (claim.ok && (claim.capital < 0 || claim.interest < 0 || claim.excess < 0)) std::abort();
    if (claim.ok) {
        ledger.movementsText += ledger.toText + L" -" + std::to_wstring(1 + flags % 97) + L"\n";
        const LedgerOutcome paid = computeLedger(ledger);
        if (paid.ok && (paid.total > claim.total || (claim.total > 0 && paid.total >= claim.total))) std::abort();
    }

    SplitInput split;
    split.totalText = fuzzText(data, size, 60);
    int rows = 2 + (flags >> 2) % 5;
    for (int i = 0; i < rows; ++i) split.weightTexts.push_back(fuzzText(data, size, 60));
    checkSplit(split);

    TableSplitInput table{L"", split.totalText + L";" + fuzzText(data, size, 20)};
    for (int i = 0; i < rows; ++i) table.rowsText += split.weightTexts[static_cast<size_t>(i)] + (i % 2 ? L"\t1\n" : L"\n");
    checkTableSplit(table);
    return 0;
}
