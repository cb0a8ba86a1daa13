// The professional's invoice: the lines that follow from a fee under the
// office's profile (fund, withholding, flat-rate regime), or the fee found
// from the net to be paid. Every line is rounded half up to the cent.
#pragma once

#include <string>
#include <vector>

enum class InvoiceFund { none = 0, lawyer = 1, professional = 2, inps = 3 };
constexpr int invoiceFundCount = 4;

struct InvoiceProfile {
    InvoiceFund fund = InvoiceFund::none;
    bool withholding = true;  // the client withholds 20 % (a company, a professional, a public body)
    bool flatRate = false;    // "Regime forfettario": no VAT, no withholding, the stamp over 77,47 €
};

struct InvoiceOutcome {
    bool ok = false;
    std::wstring message;             // why not ok
    std::vector<std::wstring> lines;  // the tape's lines, "Netto a pagare = …" among the last
    double fee = 0, total = 0, net = 0;
};

// A tape line an invoice writes before its net to be paid, or after it: an
// item, not a result.
bool isInvoiceItemLine(const std::wstring& line);

// F6: the invoice of a fee, at the VAT rate given in percent.
InvoiceOutcome invoiceFromFee(double fee, const InvoiceProfile& profile, double vatRate);
// Shift+F6: the fee to the cent whose invoice gives the net typed, or the
// nearest net (the lower on a tie), then "Differenza sul netto = …".
InvoiceOutcome invoiceFromNet(double net, const InvoiceProfile& profile, double vatRate);
