// The VAT keys need Win32 to read the input line, relabel the rate button
// and show the rate menu.
#include "calc/vat_win.h"

#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "calc/calculator.h"
#include "calc/calculator_win.h"
#include "text/numtext.h"

void applyVat(VatOperation kind)
{
    const std::optional<double> operand = commandOperand();
    if (!operand) return;
    const double rate = settings.vatRate;
    showResult(vatResult(kind, rate, *operand));
    countResult();
    appendTapeLine(vatTapeLine(kind, rate, *operand, settings.decimals));
    SetWindowTextW(mainState.inputEdit, L"");
    SetFocus(mainState.inputEdit);
}

void refreshVatLabel()
{
    SetWindowTextW(mainState.vatRateButton, vatRateLabel(settings.vatRate).c_str());
    InvalidateRect(mainState.vatRateButton, nullptr, FALSE);
}

void showVatRateMenu()
{
    HMENU menu = CreatePopupMenu();
    const wchar_t* const items[4] = {L"4%", L"5%", L"10%", L"22%"};
    // The rate in effect carries a check mark.
    for (int i = 0; i < 4; ++i) {
        const auto checked = static_cast<UINT>(menuVatRates[i] == settings.vatRate ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuW(menu, MF_STRING | checked, static_cast<UINT_PTR>(menuVatRateFirst + i), items[i]);
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, menuVatOptions, L"Personalizza in Opzioni...");

    const int command = trackButtonMenu(mainState.vatRateButton, menu);
    if (command >= menuVatRateFirst && command < menuVatRateFirst + 4) {
        settings.vatRate = menuVatRates[command - menuVatRateFirst];
        saveSettings();
        refreshVatLabel();
        // OPZIONI shows the rate in effect, so that saving the decimals there
        // does not put an older rate back.
        SetWindowTextW(mainState.vatSettingEdit, formatNumber(settings.vatRate, 2).c_str());
    } else if (command == menuVatOptions) {
        switchTab(tabOptions);
    }
}
