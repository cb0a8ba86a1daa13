#include "calc/invoice.h"

#include <cmath>
#include <cstdint>

#include "text/numtext.h"

namespace {

using Cents = std::int64_t;

// Below this many cents every product below stays inside 64 bits.
constexpr Cents largestCents = 100000000000000;  // 1.000.000.000.000,00 €

constexpr Cents stampDuty = 200;          // art. 13 Tariffa DPR 642/1972: 2,00 €
constexpr Cents stampThreshold = 7747;    // on invoices without VAT over 77,47 €
constexpr int generalExpensesPercent = 15;  // DM 55/2014 art. 2: lawyers' spese generali
constexpr int fundPercent = 4;              // the fund's contribution or the INPS rivalsa
constexpr int withholdingPercent = 20;      // art. 25 DPR 600/1973

// a × percent / 100 (percent in hundredths when `scale` is 10000), half up.
Cents share(Cents a, std::int64_t percent, std::int64_t scale = 100) { return (a * percent + scale / 2) / scale; }

struct Invoice {
    Cents fee = 0, generalExpenses = 0, fund = 0, vatBase = 0, vat = 0, stamp = 0, total = 0;
    Cents withholdingBase = 0, withholding = 0, net = 0;
};

Invoice invoiceOf(Cents fee, const InvoiceProfile& p, std::int64_t vatHundredths)
{
    Invoice i;
    i.fee = fee;
    i.generalExpenses = p.fund == InvoiceFund::lawyer ? share(fee, generalExpensesPercent) : 0;
    i.fund = p.fund == InvoiceFund::none ? 0 : share(fee + i.generalExpenses, fundPercent);
    i.vatBase = fee + i.generalExpenses + i.fund;
    i.vat = p.flatRate ? 0 : share(i.vatBase, vatHundredths, 10000);
    i.stamp = p.flatRate && i.vatBase > stampThreshold ? stampDuty : 0;
    i.total = i.vatBase + i.vat + i.stamp;
    if (p.withholding && !p.flatRate) {
        // The fund's contribution is outside the withholding's base; the INPS rivalsa is part of the fee.
        i.withholdingBase = fee + i.generalExpenses + (p.fund == InvoiceFund::inps ? i.fund : 0);
        i.withholding = share(i.withholdingBase, withholdingPercent);
    }
    i.net = i.total - i.withholding;
    return i;
}

std::wstring euros(Cents c) { return formatNumber(static_cast<double>(c) / 100, 2); }

const wchar_t* fundLabel(InvoiceFund fund)
{
    switch (fund) {
    case InvoiceFund::lawyer: return L"CPA 4%";
    case InvoiceFund::professional: return L"Cassa 4%";
    case InvoiceFund::inps: return L"Rivalsa INPS 4%";
    default: return L"";
    }
}

// "avvocato, IVA 22,00%, ritenuta 20%", "forfettario, rivalsa INPS 4%".
std::wstring profileText(const InvoiceProfile& p, double vatRate)
{
    static const wchar_t* const names[invoiceFundCount] = {L"", L"avvocato", L"cassa 4%", L"rivalsa INPS 4%"};
    const std::wstring fund = names[static_cast<int>(p.fund)];
    if (p.flatRate) return L"forfettario" + (fund.empty() ? L"" : L", " + fund);
    return (fund.empty() ? L"" : fund + L", ") + L"IVA " + formatNumber(vatRate, 2) + L"%" +
           (p.withholding ? L", ritenuta 20%" : L"");
}

std::vector<std::wstring> itemLines(const Invoice& i, const InvoiceProfile& p, double vatRate)
{
    std::vector<std::wstring> lines{L"Compenso = " + euros(i.fee)};
    if (p.fund == InvoiceFund::lawyer) lines.push_back(L"Spese generali 15% = " + euros(i.generalExpenses));
    if (p.fund != InvoiceFund::none) lines.push_back(std::wstring(fundLabel(p.fund)) + L" = " + euros(i.fund));
    if (!p.flatRate) {
        lines.push_back(L"Imponibile IVA = " + euros(i.vatBase));
        lines.push_back(L"IVA " + formatNumber(vatRate, 2) + L"% = " + euros(i.vat));
    }
    if (i.stamp) lines.push_back(L"Bollo = " + euros(i.stamp));
    lines.push_back(L"Totale fattura = " + euros(i.total));
    if (i.withholdingBase)
        lines.push_back(L"Ritenuta 20% su " + euros(i.withholdingBase) + L" = " + euros(-i.withholding));
    lines.push_back(L"Netto a pagare = " + euros(i.net));
    return lines;
}

// The amount to the cent, or the message that refuses it.
bool readCents(double value, Cents& out, std::wstring& message)
{
    if (!std::isfinite(value) || std::fabs(value) >= static_cast<double>(largestCents) / 100) {
        message = L"Importo fuori intervallo.";
        return false;
    }
    out = std::llround(roundedValue(value, 2) * 100);
    if (out > 0) return true;
    message = out == 0 ? L"Compenso zero." : L"Compenso negativo.";
    return false;
}

InvoiceOutcome outcomeOf(const Invoice& i, std::vector<std::wstring> lines)
{
    InvoiceOutcome out;
    out.ok = true;
    out.lines = std::move(lines);
    out.fee = static_cast<double>(i.fee) / 100;
    out.total = static_cast<double>(i.total) / 100;
    out.net = static_cast<double>(i.net) / 100;
    return out;
}

} // namespace

bool isInvoiceItemLine(const std::wstring& line)
{
    // How itemLines and the difference begin each line.
    static const wchar_t* const starts[] = {L"Compenso = ", L"Spese generali 15% = ", L"CPA 4% = ", L"Cassa 4% = ",
                                            L"Rivalsa INPS 4% = ", L"Imponibile IVA = ", L"IVA ", L"Bollo = ",
                                            L"Totale fattura = ", L"Ritenuta 20% su ", L"Differenza sul netto = "};
    for (const wchar_t* start : starts)
        if (line.rfind(start, 0) == 0) return true;
    return false;
}

InvoiceOutcome invoiceFromFee(double fee, const InvoiceProfile& profile, double vatRate)
{
    InvoiceOutcome refused;
    Cents cents = 0;
    if (!readCents(fee, cents, refused.message)) return refused;
    const Invoice i = invoiceOf(cents, profile, std::llround(vatRate * 100));
    std::vector<std::wstring> lines{L"Fattura: " + profileText(profile, vatRate)};
    for (std::wstring& line : itemLines(i, profile, vatRate)) lines.push_back(std::move(line));
    return outcomeOf(i, std::move(lines));
}

InvoiceOutcome invoiceFromNet(double net, const InvoiceProfile& profile, double vatRate)
{
    InvoiceOutcome refused;
    Cents wanted = 0;
    if (!readCents(net, wanted, refused.message)) return refused;
    const std::int64_t vat = std::llround(vatRate * 100);
    // The net never falls as the fee grows: the smallest fee whose net
    // reaches the one wanted, or the one before it when that is nearer.
    Cents low = 1, high = 2 * wanted + 1000;
    while (low < high) {
        const Cents middle = low + (high - low) / 2;
        if (invoiceOf(middle, profile, vat).net >= wanted)
            high = middle;
        else
            low = middle + 1;
    }
    Invoice i = invoiceOf(low, profile, vat);
    if (low > 1) {
        const Invoice before = invoiceOf(low - 1, profile, vat);
        if (wanted - before.net <= i.net - wanted) i = before;
    }
    std::vector<std::wstring> lines{L"Fattura da netto " + euros(wanted) + L": " + profileText(profile, vatRate)};
    for (std::wstring& line : itemLines(i, profile, vatRate)) lines.push_back(std::move(line));
    if (i.net != wanted) lines.push_back(L"Differenza sul netto = " + euros(i.net - wanted));
    return outcomeOf(i, std::move(lines));
}
