// The invoice keys need Win32 to read the input line and write the tape.
#include "calc/invoice_win.h"

#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "calc/calculator.h"
#include "calc/calculator_win.h"
#include "calc/invoice.h"
#include "text/numtext.h"

std::wstring invoiceFundLabel(int fund)
{
    static const wchar_t* const captions[invoiceFundCount] = {L"Nessuna", L"Avvocato", L"Cassa 4%", L"Rivalsa INPS 4%"};
    return std::wstring(captions[fund]) + L"  \u25be";
}

void showInvoiceFundMenu()
{
    static const wchar_t* const choices[invoiceFundCount] = {
        L"Nessuna", L"Avvocato: CPA 4% e spese generali 15%", L"Cassa professionale 4%", L"Rivalsa INPS 4%"};
    MainWindowState& s = mainState;
    const int picked =
        pickFromButtonMenu(s.invoiceFundButton, choices, invoiceFundCount, s.pickedInvoiceFund, menuFundFirst);
    if (picked < 0) return;
    s.pickedInvoiceFund = picked;
    SetWindowTextW(s.invoiceFundButton, invoiceFundLabel(picked).c_str());
    InvalidateRect(s.invoiceFundButton, nullptr, FALSE);
}

void applyInvoice(bool fromNet)
{
    const std::optional<double> amount = commandOperand();
    if (!amount) return;
    const InvoiceOutcome out = fromNet ? invoiceFromNet(*amount, settings.invoice, settings.vatRate)
                                       : invoiceFromFee(*amount, settings.invoice, settings.vatRate);
    if (!out.ok) return refuseInput(out.message);
    // Only the net to be paid is a result: the display, the grand total, a line that goes on.
    showResult(out.net);
    countResult();
    appendTapeLines(out.lines);
    SetWindowTextW(mainState.inputEdit, L"");
    SetFocus(mainState.inputEdit);
}
