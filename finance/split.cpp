#include "finance/split.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "text/numtext.h"

namespace {

struct RemainderEntry {
    double fraction;  // the part of a cent cut off by rounding down, [0, 1)
    int row;
};

SplitOutcome failure(const wchar_t* message) { return SplitOutcome{false, message}; }

} // namespace

long long amountCents(double total)
{
    std::string digits = roundedDecimal(total, 2);
    digits.erase(digits.size() - 3, 1);
    long long cents = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), cents);
    return cents;
}

std::vector<long long> splitCents(const std::vector<double>& weights, double weightSum,
                                  long long totalCents)
{
    std::vector<long long> cents;
    std::vector<RemainderEntry> remainders;
    long long handedOut = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
        const double share = (weights[i] * static_cast<double>(totalCents)) / weightSum;
        // Never convert a share that is not a finite number of cents.
        if (!std::isfinite(share)) return {};
        const double whole = std::floor(share);
        cents.push_back(static_cast<long long>(whole));
        remainders.push_back({share - whole, static_cast<int>(i)});
        handedOut += cents.back();
    }
    const long long leftover = totalCents - handedOut;
    // Equal fractions keep their row order: the upper row gets the cent first.
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const RemainderEntry& a, const RemainderEntry& b) {
                         return a.fraction > b.fraction;
                     });
    for (long long j = 0; j < leftover && j < static_cast<long long>(remainders.size()); ++j)
        ++cents[static_cast<size_t>(remainders[static_cast<size_t>(j)].row)];
    return cents;
}

SplitOutcome computeSplit(const SplitInput& in)
{
    ParsedNumber total = parseNumber(in.totalText);
    if (!total.ok || total.value < 0) return failure(L"Totale non valido.");

    std::vector<double> weights;
    double sum = 0;
    for (const std::wstring& text : in.weightTexts) {
        ParsedNumber w = parseNumber(text);
        if (!w.ok || w.value < 0) return failure(L"Inserire pesi non negativi in ogni riga.");
        weights.push_back(w.value);
        sum += w.value;
    }
    if (weights.empty() || sum <= 0) return failure(L"La somma dei pesi deve essere positiva.");
    if (total.value > maxSplitTotal) return failure(L"Importo troppo elevato.");

    const long long K = amountCents(total.value);
    std::vector<long long> cents;
    if (std::isfinite(sum)) cents = splitCents(weights, sum, K);
    if (cents.empty()) return failure(L"Pesi troppo elevati: ridurre i valori delle quote.");

    std::wstring report;
    for (size_t i = 0; i < weights.size(); ++i) {
        report += std::to_wstring(i + 1) + L") Peso " + formatNumber(weights[i], in.decimals) +
                  L"  \u2192  " + formatNumber(static_cast<double>(cents[i]) / 100, 2) +
                  L" \u20ac   (" + formatNumber((weights[i] / sum) * 100, 2) + L"%)\r\n";
    }
    report += L"TOTALE: " + formatNumber(static_cast<double>(K) / 100, 2) + L" \u20ac";
    return SplitOutcome{true, report};
}
