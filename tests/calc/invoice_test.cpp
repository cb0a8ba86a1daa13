#include "calc/invoice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

namespace {

std::wstring joined(const InvoiceOutcome& out)
{
    if (!out.ok) return out.message;
    std::wstring text;
    for (const std::wstring& line : out.lines) text += (text.empty() ? L"" : L" | ") + line;
    return text;
}

const InvoiceProfile lawyer{InvoiceFund::lawyer, true, false}, inps{InvoiceFund::inps, true, false},
    fund{InvoiceFund::professional, true, false}, inpsFlat{InvoiceFund::inps, true, true};

TEST(Invoice, TheLawyersInvoiceForwardAndFromTheNet)
{
    const std::wstring items = L"Compenso = 1.000,00 | Spese generali 15% = 150,00 | CPA 4% = 46,00 | "
                               L"Imponibile IVA = 1.196,00 | IVA 22,00% = 263,12 | Totale fattura = 1.459,12 | "
                               L"Ritenuta 20% su 1.150,00 = -230,00 | Netto a pagare = 1.229,12";
    EXPECT_EQ(L"Fattura: avvocato, IVA 22,00%, ritenuta 20% | " + items, joined(invoiceFromFee(1000, lawyer, 22)));
    EXPECT_EQ(L"Fattura da netto 1.229,12: avvocato, IVA 22,00%, ritenuta 20% | " + items,
              joined(invoiceFromNet(1229.12, lawyer, 22)));
    EXPECT_EQ(L"Fattura: forfettario, rivalsa INPS 4% | Compenso = 100,00 | Rivalsa INPS 4% = 4,00 | Bollo = 2,00 | "
              L"Totale fattura = 106,00 | Netto a pagare = 106,00",
              joined(invoiceFromFee(100, inpsFlat, 22)));
}

TEST(Invoice, TheOfficeExamples)
{
    const struct {
        InvoiceProfile profile;
        bool fromNet;
        double input;
        const wchar_t* tail;  // the lines from "Totale fattura" on
        double fee;
    } cases[] = {
        {inps, false, 100, L"Totale fattura = 126,88 | Ritenuta 20% su 104,00 = -20,80 | Netto a pagare = 106,08", 100},
        {fund, false, 100, L"Totale fattura = 126,88 | Ritenuta 20% su 100,00 = -20,00 | Netto a pagare = 106,88", 100},
        {{InvoiceFund::lawyer, false, false}, false, 2000, L"Totale fattura = 2.918,24 | Netto a pagare = 2.918,24", 2000},
        {{InvoiceFund::none, false, false}, false, 100, L"Totale fattura = 122,00 | Netto a pagare = 122,00", 100},
        {{InvoiceFund::none, true, false}, true, 2800,
         L"Totale fattura = 3.349,02 | Ritenuta 20% su 2.745,10 = -549,02 | Netto a pagare = 2.800,00", 2745.10},
        {inpsFlat, false, 70, L"Totale fattura = 72,80 | Netto a pagare = 72,80", 70},
        {inpsFlat, false, 75, L"Bollo = 2,00 | Totale fattura = 80,00 | Netto a pagare = 80,00", 75},
        {inpsFlat, true, 78.50,
         L"Bollo = 2,00 | Totale fattura = 79,48 | Netto a pagare = 79,48 | Differenza sul netto = 0,98", 74.50},
        {lawyer, false, 0, L"Compenso zero.", 0},
        {lawyer, true, -5, L"Compenso negativo.", 0},
    };
    for (const auto& c : cases) {
        const InvoiceOutcome out = c.fromNet ? invoiceFromNet(c.input, c.profile, 22) : invoiceFromFee(c.input, c.profile, 22);
        const std::wstring text = joined(out), tail = c.tail;
        EXPECT_EQ(tail, text.substr(text.size() - std::min(text.size(), tail.size()))) << c.input;
        EXPECT_EQ(c.fee, out.fee) << c.input;
    }
}

// The fee found from a net gives that net again, or the nearest one.
TEST(Invoice, TheFeeFoundFromTheNetGivesItBack)
{
    std::mt19937 rng(43);
    for (int i = 0; i < 2000; ++i) {
        const InvoiceProfile p{static_cast<InvoiceFund>(rng() % invoiceFundCount), rng() % 2 == 0, rng() % 4 == 0};
        const double net = static_cast<double>(1 + rng() % 1000000) / 100;
        const InvoiceOutcome found = invoiceFromNet(net, p, 22);
        ASSERT_EQ(invoiceFromFee(found.fee, p, 22).net, found.net);
        for (const double other : {found.fee - 0.01, found.fee + 0.01})
            EXPECT_TRUE(other <= 0 || std::fabs(invoiceFromFee(other, p, 22).net - net) + 1e-9 >= std::fabs(found.net - net));
    }
}

} // namespace
