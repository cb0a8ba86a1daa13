// The interest calculator needs Win32 to read the INTERESSI tab and write its texts.
#include "finance/interest_win.h"

#include <windows.h>

#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "calc/calculator_win.h"
#include "finance/added_rows.h"
#include "finance/added_rows_win.h"
#include "finance/interest.h"
#include "finance/tables_report.h"
#include "dates/day_window_win.h"

namespace {

// The rate as typed, kept while a table gives the rates.
std::wstring typedRate;

} // namespace

void calculateInterest()
{
    MainWindowState& s = mainState;
    InterestInput in;
    in.capitalText = controlText(s.capitalEdit);
    in.rateText = controlText(s.rateEdit);
    in.surchargeText = controlText(s.surchargeEdit);
    in.daysText = controlText(s.interestDaysEdit);
    in.fromText = controlText(s.interestFromEdit);
    in.toText = controlText(s.interestToEdit);
    in.surchargeApplied = isChecked(s.surchargeCheck);
    in.daysMode = isChecked(s.enterDaysCheck);
    in.source = settings.rateSource;
    in.revaluation = isChecked(s.revaluationCheck);
    in.decimals = settings.decimals;
    in.addedRows = addedRows;

    InterestOutcome out = computeInterest(in);
    const std::wstring result = out.note.empty() ? out.resultLine : out.resultLine + L"\r\n" + out.note;
    SetWindowTextW(s.interestResult, result.c_str());
    s.interestResultIsFigure = out.ok;
    // After a message the formula is empty: never the lines of an earlier calculation.
    SetWindowTextW(s.formulaEdit, out.formulaText.c_str());
    fitWindowToTab();
    if (!out.ok) return;
    // The calculator continues from the interest, and shows what it continues from.
    showResult(out.interest);
}

std::wstring rateSourceLabel()
{
    static const wchar_t* const labels[rateSourceCount] = {L"Inserito  \u25be", L"Legale  \u25be",
                                                           L"Rif. 231/02  \u25be"};
    return labels[static_cast<int>(settings.rateSource)];
}

void showRateSourceInRateField()
{
    HWND field = mainState.rateEdit;
    const bool fromTable = settings.rateSource != RateSource::entered;
    if (fromTable == !IsWindowEnabled(field)) return;
    if (fromTable) typedRate = controlText(field);
    SetWindowTextW(field, fromTable ? L"da tabella" : typedRate.c_str());
    EnableWindow(field, !fromTable);
}

namespace {

void takeRateSource(RateSource source)
{
    settings.rateSource = source;
    saveRateSource();
    SetWindowTextW(mainState.rateSourceButton, rateSourceLabel().c_str());
    showRateSourceInRateField();
}

} // namespace

void showRateSourceMenu()
{
    static const wchar_t* const choices[rateSourceCount] = {L"Tasso inserito", L"Tasso legale (art. 1284 c.c.)",
                                                            L"Tasso di riferimento (D.Lgs. 231/2002)"};
    HMENU menu = choiceMenu(choices, rateSourceCount, static_cast<int>(settings.rateSource), menuSourceFirst);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, menuAddValue, L"Aggiungi valore\u2026");
    const bool anyAdded = !addedRows.legal.empty() || !addedRows.reference.empty() || !addedRows.foi.empty();
    AppendMenuW(menu, MF_STRING | (anyAdded ? 0u : static_cast<UINT>(MF_GRAYED)), menuRemoveAddedValues,
                L"Togli valori aggiunti");
    AppendMenuW(menu, MF_STRING, menuShowTables, L"Mostra tabelle");
    const int command = trackButtonMenu(mainState.rateSourceButton, menu);
    if (command == menuShowTables) {
        showDayVerificationWindow(tablesReport(addedRows), tablesWindowTitle);
        return;
    }
    if (command == menuAddValue || command == menuRemoveAddedValues) {
        const bool changed = command == menuAddValue ? showAddValueDialog() : removeAddedRows();
        if (changed && mainState.interestResultIsFigure) calculateInterest();
        return;
    }
    const int picked = command - menuSourceFirst;
    if (picked < 0 || picked >= rateSourceCount) return;
    takeRateSource(static_cast<RateSource>(picked));
    if (mainState.interestResultIsFigure) calculateInterest();
}

void takeRateSetUp(RateSource source, const std::wstring& typed, const std::optional<std::wstring>& surcharge)
{
    const MainWindowState& s = mainState;
    if (source == RateSource::entered) {
        typedRate = typed;
        if (settings.rateSource == RateSource::entered) SetWindowTextW(s.rateEdit, typed.c_str());
    }
    takeRateSource(source);
    SendMessageW(s.surchargeCheck, BM_SETCHECK, surcharge ? BST_CHECKED : BST_UNCHECKED, 0);
    if (surcharge) SetWindowTextW(s.surchargeEdit, surcharge->c_str());
}
