// INTERESSI and PROPORZIONI in the real window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/commands_win.h"
#include "app/program_windows_win.h"
#include "finance/ledger_win.h"
#include "finance/table_split_win.h"
#include "tests/app/gui_fixture.h"

namespace {

class Finance : public MainWindow {
protected:
    void command(int id) { SendMessageW(mainState.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

TEST_F(Finance, InterestWritesResultFormulaAndTheCalculatorsLastResult)
{
    command(idTabInterest);
    command(idCalculateInterest);
    EXPECT_EQ(L"Interessi: 40,11 \u20ac    |    Capitale + interessi: 10.040,11 \u20ac",
              controlText(mainState.interestResult));
    EXPECT_EQ(L"10.000,00 \u00d7 (2,40%) \u00d7 61 / 365 = 40,11 \u20ac", controlText(mainState.formulaEdit));
    EXPECT_DOUBLE_EQ(10000 * 2.4 / 100 * 61 / 365, calculator.displayValue);
    EXPECT_EQ(L"40,11", calculator.displayText);
    EXPECT_EQ(L"40,11", controlText(mainState.display)) << "the display shows the amount it continues from";

    SendMessageW(mainState.surchargeCheck, BM_CLICK, 0, 0);
    SetWindowTextW(mainState.interestFromEdit, L"010626");
    SendMessageW(mainState.interestFromEdit, WM_KEYDOWN, VK_RETURN, 1);  // Enter calculates too
    EXPECT_EQ(L"01/06/2026", controlText(mainState.interestFromEdit));
    std::wstring formula = controlText(mainState.formulaEdit);
    EXPECT_NE(std::wstring::npos, formula.find(L"\r\nATTENZIONE: periodo su pi\u00f9 semestri."));

    command(idTabCalc);
    SetWindowTextW(mainState.inputEdit, L"+1");
    SendMessageW(mainState.inputEdit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(L"260,29", controlText(mainState.display)) << "the calculator continues from the interest";
    wchar_t line[64] = {};
    SendMessageW(mainState.tapeList, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::wstring(L"259,29+1 = 260,29"), line) << "the interest as shown";
}

TEST_F(Finance, FailedInterestEmptiesTheFormulaAndKeepsTheCalculator)
{
    command(idTabInterest);
    command(idCalculateInterest);
    std::wstring formula = controlText(mainState.formulaEdit);
    double last = calculator.displayValue;
    SetWindowTextW(mainState.capitalEdit, L"abc");
    command(idCalculateInterest);
    EXPECT_EQ(L"Capitale non valido.", controlText(mainState.interestResult));
    EXPECT_FALSE(formula.empty());
    EXPECT_EQ(L"", controlText(mainState.formulaEdit)) << "no earlier calculation's lines to copy";
    EXPECT_EQ(last, calculator.displayValue);
}

TEST_F(Finance, LedgerComputesInItsOwnWindowAndCopiesTheProspect)
{
    command(idTabInterest);
    SetWindowTextW(mainState.rateEdit, L"5");
    SetWindowTextW(mainState.interestFromEdit, L"010125");
    command(idLedger);
    HWND ledger = FindWindowW(ledgerWindowClassName, nullptr);
    ASSERT_TRUE(ledger);
    EXPECT_EQ(L"Conteggio del credito", controlText(ledger));
    HWND movements = GetDlgItem(ledger, 601), to = GetDlgItem(ledger, 602), prospect = GetDlgItem(ledger, 606);
    EXPECT_EQ(L"01/01/2025  10.000,00", controlText(movements)) << "the claim INTERESSI holds";
    SetWindowTextW(movements, (controlText(movements) + L"\r\n01/07/2025 -3.000").c_str());
    SetWindowTextW(to, L"311225");
    SetWindowTextW(GetDlgItem(ledger, 610), L"Rossi / Bianchi srl");
    PostMessageW(to, WM_KEYDOWN, VK_RETURN, 1);  // Enter in Al computes
    pumpMessages();
    const std::wstring text = controlText(prospect);
    EXPECT_EQ(0u, text.find(L"CONTEGGIO DEL CREDITO al 31/12/2025\r\nPratica: Rossi / Bianchi srl\r\n"));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(ledger, 614))) << "damages paid on account want revaluation";
    EXPECT_EQ(GetDlgItem(ledger, 611), GetNextDlgTabItem(ledger, GetDlgItem(ledger, 608), FALSE)) << "STAMPA, then SALVA…";
    SendMessageW(GetDlgItem(ledger, 604), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(ledger, 614)));
    SendMessageW(GetDlgItem(ledger, 604), BM_CLICK, 0, 0);
    EXPECT_NE(std::wstring::npos, text.find(L"\r\nTOTALE DOVUTO al 31/12/2025: 7.429,65 \u20ac")) << text;
    SendMessageW(ledger, WM_COMMAND, MAKEWPARAM(607, BN_CLICKED), 0);
    EXPECT_EQ(text, clipboardText());
    EXPECT_EQ(L"Risultato: \u2014", controlText(mainState.interestResult)) << "INTERESSI is left as it was";
    // The claim kept in a file and opened again: every field, INTERESSI's rate, the prospect.
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"zentolo-conteggio.txt", bad = std::wstring(folder) + L"zentolo-altro.txt";
    SendMessageW(GetDlgItem(ledger, 613), BM_CLICK, 0, 0);  // the 40 € of the late-payment law
    SendMessageW(ledger, WM_COMMAND, MAKEWPARAM(605, BN_CLICKED), 0);
    EXPECT_NE(std::wstring::npos, controlText(prospect).find(L"\r\nTOTALE DOVUTO al 31/12/2025: 7.470,65 \u20ac"));
    SendMessageW(GetDlgItem(ledger, 613), BM_CLICK, 0, 0);
    SendMessageW(ledger, WM_COMMAND, MAKEWPARAM(605, BN_CLICKED), 0);
    saveLedgerFile(file);
    SetWindowTextW(movements, L"01/01/2025 1");
    SetWindowTextW(mainState.rateEdit, L"9");
    openLedgerFile(file);
    EXPECT_EQ(L"01/01/2025  10.000,00\r\n01/07/2025 -3.000", controlText(movements));
    EXPECT_EQ(L"5,00", controlText(mainState.rateEdit)) << "the rate as the file writes it";
    EXPECT_EQ(text, controlText(prospect));
    saveLedgerFile(bad);  // a file that is no claim file is refused and changes nothing
    HANDLE h = CreateFileW(bad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD written = 0;
    WriteFile(h, "Pratica: x\r\n", 12, &written, nullptr);
    CloseHandle(h);
    openLedgerFile(bad);
    EXPECT_EQ(L"Il file non \u00e8 un conteggio di Zentolo.", controlText(prospect));
    EXPECT_EQ(L"Rossi / Bianchi srl", controlText(GetDlgItem(ledger, 610)));
    DeleteFileW(file.c_str());
    DeleteFileW(bad.c_str());

    // A message is what COPIA copies, broken into lines that fit the field.
    HWND lawsuit = GetDlgItem(ledger, 603);
    SetWindowTextW(lawsuit, L"10/12/2014");
    SetWindowPos(ledger, nullptr, 0, 0, 520, 600, SWP_NOMOVE | SWP_NOZORDER);  // about the narrowest
    SendMessageW(ledger, WM_COMMAND, MAKEWPARAM(605, BN_CLICKED), 0);
    std::wstring message = controlText(prospect);
    EXPECT_NE(std::wstring::npos, message.find(L"\r\n")) << "wrapped to the field: " << message;
    SendMessageW(ledger, WM_COMMAND, MAKEWPARAM(607, BN_CLICKED), 0);
    EXPECT_EQ(message, clipboardText()) << "never the claim before";
    for (size_t at; (at = message.find(L"\r\n")) != std::wstring::npos;) message.replace(at, 2, L" ");
    EXPECT_EQ(L"La domanda giudiziale con il tasso dell'art. 1284 c. 4 c.c. vale dal 11/12/2014.", message);
    SetWindowTextW(lawsuit, L"");
    // A paste that does not enter whole is never computed until Movimenti is edited.
    SetWindowTextW(movements, L"01/01/2025 1.0");  // what entered of "01/01/2025 1.000"
    SendMessageW(ledger, WM_COMMAND, MAKEWPARAM(601, EN_MAXTEXT), reinterpret_cast<LPARAM>(movements));
    pumpMessages();
    SendMessageW(ledger, WM_COMMAND, MAKEWPARAM(605, BN_CLICKED), 0);
    EXPECT_EQ(0u, controlText(prospect).find(L"Movimenti tiene al massimo 400.000 caratteri")) << controlText(prospect);
    SetWindowTextW(movements, L"01/01/2025 10.000");
    SendMessageW(ledger, WM_COMMAND, MAKEWPARAM(605, BN_CLICKED), 0);
    EXPECT_NE(std::wstring::npos, controlText(prospect).find(L"TOTALE DOVUTO")) << "edited, it computes";

    command(idLedger);
    EXPECT_EQ(ledger, FindWindowW(ledgerWindowClassName, nullptr)) << "the open window comes to the front";
    EXPECT_EQ(nullptr, FindWindowExW(nullptr, ledger, ledgerWindowClassName, nullptr)) << "and no second one";
    PostMessageW(movements, WM_KEYDOWN, VK_ESCAPE, 1);
    pumpMessages();
    EXPECT_FALSE(IsWindow(ledger)) << "Escape closes it";
}

TEST_F(Finance, TableSplitTakesTheTabsSplitAndCopiesTheTable)
{
    command(idTabSplit);
    command(idSplitTable);
    HWND table = FindWindowW(tableSplitWindowClassName, nullptr);
    ASSERT_TRUE(table);
    EXPECT_EQ(L"Riparto per tabella", controlText(table));
    HWND rows = GetDlgItem(table, 701), amounts = GetDlgItem(table, 702), prospect = GetDlgItem(table, 704);
    EXPECT_EQ(L"Quota 1\t40\r\nQuota 2\t30\r\nQuota 3\t30\r\n", controlText(rows));
    EXPECT_EQ(L"1000", controlText(amounts));
    SetWindowTextW(rows, L"Unit\u00e0\tGenerale\tScale\r\nRossi\t333,334\t500\r\nBianchi\t333,333\t500\r\n"
                         L"Verdi\t333,333\t\u2014");
    SetWindowTextW(amounts, L"1.000; 301");
    PostMessageW(amounts, WM_KEYDOWN, VK_RETURN, 1);  // Enter in Importi splits
    pumpMessages();
    const std::wstring text = controlText(prospect);
    EXPECT_NE(std::wstring::npos, text.find(L"\r\nTOTALE  1.000,00  301,00  totale 1.301,00")) << text;
    SendMessageW(table, WM_COMMAND, MAKEWPARAM(705, BN_CLICKED), 0);
    EXPECT_EQ(0u, clipboardText().find(L"Unit\u00e0\tGenerale\tGenerale \u20ac\tScale\tScale \u20ac\tTotale \u20ac\r\n"
                                       L"Rossi\t333,334\t333,34\t500\t150,50\t483,84\r\n"));
    copyProspectSelection(prospect);  // Ctrl+C with nothing selected
    EXPECT_EQ(text, clipboardText());
    SendMessageW(table, WM_COMMAND, MAKEWPARAM(701, EN_MAXTEXT), reinterpret_cast<LPARAM>(rows));
    pumpMessages();
    SendMessageW(table, WM_COMMAND, MAKEWPARAM(703, BN_CLICKED), 0);
    EXPECT_EQ(L"Righe tiene al massimo 1.000.000 caratteri: il testo in pi\u00f9 non \u00e8 entrato.", controlText(prospect))
        << "a cut paste is never split";
    SetWindowTextW(rows, L"");
    command(idSplitTable);
    EXPECT_EQ(nullptr, FindWindowExW(nullptr, table, tableSplitWindowClassName, nullptr)) << "no second window";
    EXPECT_EQ(L"Quota 1\t40\r\nQuota 2\t30\r\nQuota 3\t30\r\n", controlText(rows)) << "an empty Righe takes them";
    PostMessageW(rows, WM_KEYDOWN, VK_ESCAPE, 1);
    pumpMessages();
    EXPECT_FALSE(IsWindow(table)) << "Escape closes it";
}

TEST_F(Finance, SplitReportFollowsTheVisibleRows)
{
    command(idTabSplit);
    command(idSplit);
    EXPECT_EQ(L"1) Peso 40,00  \u2192  400,00 \u20ac   (40,00%)\r\n"
              L"2) Peso 30,00  \u2192  300,00 \u20ac   (30,00%)\r\n"
              L"3) Peso 30,00  \u2192  300,00 \u20ac   (30,00%)\r\n"
              L"TOTALE: 1.000,00 \u20ac",
              controlText(mainState.splitResultEdit));

    command(idAddQuota);
    SetWindowTextW(mainState.quotaEdits[3], L"100");
    command(idSplit);
    std::wstring four = controlText(mainState.splitResultEdit);
    EXPECT_NE(std::wstring::npos, four.find(L"4) Peso 100,00  \u2192  500,00 \u20ac   (50,00%)"));

    SetWindowTextW(mainState.quotaEdits[3], L"not a weight");
    command(idRemoveQuota);
    command(idRemoveQuota);
    command(idSplit);
    EXPECT_EQ(L"1) Peso 40,00  \u2192  571,43 \u20ac   (57,14%)\r\n"
              L"2) Peso 30,00  \u2192  428,57 \u20ac   (42,86%)\r\n"
              L"TOTALE: 1.000,00 \u20ac",
              controlText(mainState.splitResultEdit))
        << "hidden rows take no part, whatever they hold";
}

} // namespace
