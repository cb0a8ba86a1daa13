// The CALC tab driven in the real window: input line, display, tape, VAT
// keys, clipboard, keypad and the shell's commands.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "app/commands_win.h"
#include "calc/vat_win.h"
#include "tests/app/gui_fixture.h"
#include "tests/calc/calc_checks.h"

namespace {

int outerHeight()
{
    RECT r;
    GetWindowRect(mainState.mainWindow, &r);
    return r.bottom - r.top;
}

using Calc = MainWindow;

TEST_F(Calc, EnterEvaluatesAndContinuesFromTheLastResult)
{
    enterLine(L"1.000 + 22%");
    EXPECT_EQ(L"1.220,00", display());
    EXPECT_EQ(L"", input());
    EXPECT_EQ(mainState.inputEdit, GetFocus());
    enterLine(L"/4");
    EXPECT_EQ(L"305,00", display());
    EXPECT_EQ(305.0, calculator.displayValue);
    EXPECT_EQ(L"305,00", calculator.displayText);
    std::vector<std::wstring> want = {L"1.000 + 22% = 1.220,00", L"1220,00/4 = 305,00"};
    EXPECT_EQ(want, tape());
    EXPECT_EQ(0, beepCount) << "an accepted calculation is silent";
}

// A long result takes a smaller font, then two lines; the smaller fonts are
// made once and kept, not made again at every Enter.
TEST_F(Calc, LongResultsReuseTheirFittedFonts)
{
    settings.decimals = 6;
    enterLine(L"-999999999999999*100000");
    EXPECT_EQ(L"-99.999.999.999.999.900.000,000000", display()) << "the longest text below the E form, on one line";
    EXPECT_NE(mainState.displayFont, reinterpret_cast<HFONT>(SendMessageW(mainState.display, WM_GETFONT, 0, 0)));
    const int fonts = fontCount();
    const auto fitted = reinterpret_cast<HFONT>(SendMessageW(mainState.display, WM_GETFONT, 0, 0));
    for (int i = 0; i < 5; ++i) {
        enterLine(L"1");
        enterLine(L"-999999999999999*100000");
        EXPECT_EQ(fitted, reinterpret_cast<HFONT>(SendMessageW(mainState.display, WM_GETFONT, 0, 0))) << "kept";
    }
    EXPECT_EQ(fonts, fontCount());
    enterLine(L"1");
    EXPECT_EQ(mainState.displayFont, reinterpret_cast<HFONT>(SendMessageW(mainState.display, WM_GETFONT, 0, 0)));
}

TEST_F(Calc, UnreadableLineBeepsAndStays)
{
    enterLine(L"2+3");
    enterLine(L"5/0");
    EXPECT_EQ(1, beepCount);
    EXPECT_EQ(L"Divisione per zero.", shownRefusal()) << "the balloon says why";
    MSG key{mainState.inputEdit, WM_KEYDOWN, VK_LEFT, 0, 0, {}};
    processMessage(key);
    EXPECT_EQ(L"", shownRefusal()) << "and goes with the next key";
    EXPECT_EQ(L"5/0", input());
    EXPECT_EQ(L"5,00", display());
    EXPECT_EQ(1u, tape().size());
    enterLine(L"   ");
    EXPECT_EQ(2, beepCount) << "blanks only";
    enterLine(L"");
    EXPECT_EQ(2, beepCount) << "an empty line does nothing";
    EXPECT_EQ(1u, tape().size());
}

TEST_F(Calc, EscapeEmptiesTheLineOnly)
{
    enterLine(L"7");
    SetWindowTextW(mainState.inputEdit, L"123");
    press(mainState.inputEdit, VK_ESCAPE, 0x1B);
    EXPECT_EQ(L"", input());
    EXPECT_EQ(L"7,00", display());
    EXPECT_EQ(1u, tape().size());
    EXPECT_EQ(0, beepCount);
}

// A result used again is the value the display shows, as a printing
// calculator rounds it: every tape line reads true.
TEST_F(Calc, AResultUsedAgainIsTheValueShown)
{
    settings.decimals = 0;
    enterLine(L"10/4");
    EXPECT_EQ(L"3", display());
    enterLine(L"*2");
    EXPECT_EQ(L"6", display());
    settings.decimals = 2;
    enterLine(L"0,625");
    command(idAddVat);
    EXPECT_EQ(L"0,77", display()) << "22 % on the 0,63 shown";
    enterLine(L"13");
    command(idRemoveVat);
    command(idAddVat);
    enterLine(L"0,625");
    enterLine(L"*2");
    const std::vector<std::wstring> want = {L"10/4 = 3", L"3*2 = 6", L"0,625 = 0,63", L"+IVA 22,00% su 0,63 = 0,77",
                                            L"13 = 13,00", L"Scorporo 22,00% su 13,00 = 10,66 (IVA 2,34)",
                                            L"+IVA 22,00% su 10,66 = 13,01", L"0,625 = 0,63", L"0,63*2 = 1,26"};
    EXPECT_EQ(want, tape());
}

TEST_F(Calc, CopyAndCtrlCPutTheDisplayTextOnTheClipboard)
{
    command(idCopy);
    EXPECT_EQ(L"0,00", clipboardText()) << "right after start";
    enterLine(L"1.000 + 22%");
    SetFocus(mainState.inputEdit);
    setKey(VK_CONTROL, true);
    press(mainState.inputEdit, 'C', 3);
    setKey(VK_CONTROL, false);
    EXPECT_EQ(L"1.220,00", clipboardText());
    enterLine(L"1");
    command(idCopy);
    EXPECT_EQ(L"1,00", clipboardText());
    EXPECT_EQ(mainState.inputEdit, GetFocus());
}

TEST_F(Calc, CtrlCInANonEmptyLineCopiesTheSelection)
{
    enterLine(L"8");
    SetWindowTextW(mainState.inputEdit, L"456");
    SendMessageW(mainState.inputEdit, EM_SETSEL, 0, 2);
    setKey(VK_CONTROL, true);
    press(mainState.inputEdit, 'C', 3);
    setKey(VK_CONTROL, false);
    EXPECT_EQ(L"45", clipboardText());
}

void selectTapeLine(int index)
{
    SendMessageW(mainState.tapeList, LB_SETSEL, FALSE, -1);
    SendMessageW(mainState.tapeList, LB_SETSEL, TRUE, index);
    SendMessageW(mainState.tapeList, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

TEST_F(Calc, APickedUpResultGoesInAtTheCaret)
{
    appendTapeLine(L"a = b = 7,00");
    appendTapeLine(L"senza uguale");
    appendTapeLine(L"Scorporo 22,00% su 13,00 = 10,66 (IVA 2,34)");
    selectTapeLine(1);
    command(idTape, LBN_DBLCLK);
    EXPECT_EQ(L"", input()) << "a line without \" = \" is ignored";
    selectTapeLine(0);
    command(idTape, LBN_SELCHANGE);
    EXPECT_EQ(L"", input()) << "only the double-click picks up";
    command(idTape, LBN_DBLCLK);
    EXPECT_EQ(L"7,00", input());
    EXPECT_EQ(mainState.inputEdit, GetFocus());

    SendMessageW(mainState.inputEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"+"));
    SetFocus(mainState.tapeList);
    selectTapeLine(2);
    press(mainState.tapeList, VK_RETURN, L'\r');  // Enter on the tape, as a double-click
    EXPECT_EQ(L"7,00+10,66", input()) << "inserted at the caret, the net alone";
    EXPECT_EQ(MAKELONG(10, 10), SendMessageW(mainState.inputEdit, EM_GETSEL, 0, 0)) << "the caret after it";
    press(mainState.inputEdit, VK_RETURN, L'\r');
    EXPECT_EQ(L"17,66", display());

    enterLine(L"5-10");
    SetWindowTextW(mainState.inputEdit, L"");
    selectTapeLine(4);
    command(idTape, LBN_DBLCLK);
    press(mainState.inputEdit, VK_RETURN, L'\r');
    EXPECT_EQ(L"-5,00", display()) << "a picked negative result is the value, not a continuation";
    EXPECT_EQ(L"(-5,00) = -5,00", tape().back());
}

TEST_F(Calc, ClearShowsTheFixedZeroWhateverTheDecimals)
{
    settings.decimals = 4;
    enterLine(L"3");
    command(idClear);
    EXPECT_EQ(L"0,00", display());
    EXPECT_EQ(L"0,00", calculator.displayText);
    EXPECT_EQ(0.0, calculator.displayValue);
    EXPECT_TRUE(tape().empty());
    enterLine(L"+5");
    EXPECT_EQ(L"5,0000", display());
    EXPECT_EQ(L"0,0000+5 = 5,0000", tape().at(0));
}

TEST_F(Calc, KeypadTypesAtTheCaretAndBackspaceDeletesBeforeIt)
{
    for (int id : {300, 301, 315, 302}) command(id);  // 7 8 + 9
    EXPECT_EQ(L"78+9", input());
    SendMessageW(mainState.inputEdit, EM_SETSEL, 2, 2);
    command(314);
    EXPECT_EQ(L"7+9", input()) << "caret in the middle";
    SendMessageW(mainState.inputEdit, EM_SETSEL, 0, 0);
    command(314);
    EXPECT_EQ(L"7+9", input()) << "caret at the start deletes nothing";
    SendMessageW(mainState.inputEdit, EM_SETSEL, 1, 3);
    command(314);
    EXPECT_EQ(L"7+", input()) << "the selection is cancelled, the caret stays at its end";
    command(313);
    EXPECT_EQ(L"7+,", input());
    EXPECT_EQ(mainState.inputEdit, GetFocus());
    // The fifth row: brackets, percent, and "=" that calculates as Enter does.
    SetWindowTextW(mainState.inputEdit, L"");
    for (int id : {316, 300, 315, 301, 317, 303, 309, 318}) command(id);  // ( 7 + 8 ) / 2 %
    EXPECT_EQ(L"(7+8)/2%", input());
    command(319);
    EXPECT_EQ(L"750,00", display());
    EXPECT_EQ(L"(7+8)/2% = 750,00", tape().back());
    EXPECT_EQ(L"", input());
    command(319);
    EXPECT_EQ(0, beepCount) << "\"=\" on an empty line does nothing, as Enter";
}

TEST_F(Calc, KeypadToggleTwiceReturnsTo390)
{
    command(idKeypadToggle);
    EXPECT_EQ(666, outerHeight());
    command(idKeypadToggle);
    EXPECT_EQ(390, outerHeight());
    EXPECT_EQ(L"TASTI \u25be", controlText(GetDlgItem(mainState.mainWindow, idKeypadToggle)));
}

TEST_F(Calc, TopmostFollowsTheCheckbox)
{
    SendMessageW(mainState.topmostCheck, BM_CLICK, 0, 0);
    EXPECT_TRUE(GetWindowLongW(mainState.mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SendMessageW(mainState.topmostCheck, BM_CLICK, 0, 0);
    EXPECT_FALSE(GetWindowLongW(mainState.mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Calc, QuotaRowsGrowAndShrinkKeepingTheirTexts)
{
    switchTab(tabSplit);
    int heights[3] = {466, 500, 534};
    for (int h : heights) {
        command(idAddQuota);
        EXPECT_EQ(h, outerHeight());
    }
    command(idAddQuota);
    EXPECT_EQ(6, mainState.visibleQuotaRows) << "a fourth press does nothing";
    for (int i = 0; i < 4; ++i) command(idRemoveQuota);
    EXPECT_EQ(2, mainState.visibleQuotaRows);
    EXPECT_EQ(455, outerHeight());
    command(idRemoveQuota);
    EXPECT_EQ(2, mainState.visibleQuotaRows) << "never below two rows";
    EXPECT_FALSE(GetWindowLongW(mainState.quotaEdits[2], GWL_STYLE) & WS_VISIBLE);
    command(idAddQuota);
    EXPECT_EQ(L"30", controlText(mainState.quotaEdits[2])) << "row 3 comes back with its weight";
    EXPECT_EQ(mainState.splitTotalEdit, GetFocus());
}

TEST_F(Calc, FormulaToggleCaptionsAndHeights)
{
    switchTab(tabInterest);
    command(idFormulaToggle);
    EXPECT_EQ(L"NASCONDI FORMULA \u25b4", controlText(mainState.formulaButton));
    EXPECT_EQ(530, outerHeight());
    command(idFormulaToggle);
    EXPECT_EQ(L"MOSTRA FORMULA \u25be", controlText(mainState.formulaButton));
    EXPECT_EQ(465, outerHeight());
}

//--- VAT keys

TEST_F(Calc, VatKeysOnTheLastResult)
{
    enterLine(L"100");
    command(idAddVat);
    EXPECT_EQ(L"122,00", display());
    command(idRemoveVat);
    EXPECT_EQ(L"100,00", display());
    command(idVatOnly);
    EXPECT_EQ(L"22,00", display());
    std::vector<std::wstring> want = {L"100 = 100,00", L"+IVA 22,00% su 100,00 = 122,00",
                                      L"Scorporo 22,00% su 122,00 = 100,00 (IVA 22,00)",
                                      L"Solo IVA 22,00% su 100,00 = 22,00"};
    EXPECT_EQ(want, tape());
}

TEST_F(Calc, VatKeyOnTheInputLine)
{
    SetWindowTextW(mainState.inputEdit, L"100+50");
    command(idAddVat);
    EXPECT_EQ(L"+IVA 22,00% su 150,00 = 183,00", tape().back());
    EXPECT_EQ(L"", input());
    SetWindowTextW(mainState.inputEdit, L"+5");
    command(idVatOnly);
    EXPECT_EQ(L"Solo IVA 22,00% su 5,00 = 1,10", tape().back()) << "+5 is the operand 5";
    for (const wchar_t* bad : {L"abc", L"*5"}) {
        SetWindowTextW(mainState.inputEdit, bad);
        command(idAddVat);
        EXPECT_EQ(bad, input());
    }
    EXPECT_EQ(2, beepCount);
    EXPECT_EQ(2u, tape().size());
}

// The memory and the grand total, from the keys and from the keypad's sixth row.
TEST_F(Calc, MemoryAndGrandTotal)
{
    MainWindowState& s = mainState;
    const auto ctrlKey = [&](WPARAM key) {
        setKey(VK_CONTROL, true);
        MSG msg{s.inputEdit, WM_KEYDOWN, key, 1, 0, {}};
        processMessage(msg);
        setKey(VK_CONTROL, false);
    };
    command(idAddVat);
    EXPECT_EQ(L"Nessun importo: scrivi un numero o calcola prima.", shownRefusal()) << "a VAT key with nothing to take";
    EXPECT_TRUE(tape().empty());
    enterLine(L"10,005");
    ctrlKey('P');  // M+ of 10,01, as shown
    EXPECT_TRUE(IsWindowVisible(s.memoryMark));
    copyTextToClipboard(L"Importo\r\n1,50\r\n(0,50)\r\n");
    SendMessageW(s.inputEdit, WM_PASTE, 0, 0);
    EXPECT_EQ(L"Totale Importo n. 2 = 1,00", tape().back()) << "listed into the empty line";
    SetWindowTextW(s.inputEdit, L"1+");
    SendMessageW(s.inputEdit, EM_SETSEL, 2, 2);
    SendMessageW(s.inputEdit, WM_PASTE, 0, 0);
    EXPECT_EQ(L"1+", input()) << "a heading is a bad cell in a sum";
    EXPECT_EQ(L"Riga 1: \u00abImporto\u00bb non \u00e8 un importo.", shownRefusal());
    SetWindowTextW(s.inputEdit, L"");
    command(idMemorySubtract);
    command(idClear);
    EXPECT_TRUE(IsWindowVisible(s.memoryMark)) << "PULISCI keeps the memory";
    SetWindowTextW(s.inputEdit, L"100");
    SendMessageW(s.inputEdit, EM_SETSEL, 3, 3);
    ctrlKey('R');
    EXPECT_EQ(L"100+9,01", input());
    press(s.inputEdit, VK_RETURN, L'\r');
    command(idAddVat);
    ctrlKey('G');
    EXPECT_EQ(L"GT n. 2 = 242,00", tape().back()) << "109,01 and 132,99 since PULISCI";
    EXPECT_EQ(L"242,00", display());
    command(idGrandTotal);
    EXPECT_EQ(L"GT n. 0 = 0,00", tape().back()) << "a new grand total after each";
    enterLine(L"12,50");
    ctrlKey('T');
    EXPECT_EQ(L"Subtotale n. 1 = 12,50", tape().back()) << "the grand total so far, which goes on";
    ctrlKey('P');
    EXPECT_EQ(L"M+ 12,50", tape().back());
    command(idGrandTotal);
    EXPECT_EQ(L"GT n. 1 = 12,50", tape().back()) << "the subtotal is not counted";
    ctrlKey('L');
    EXPECT_EQ(L"MC", tape().back());
    EXPECT_FALSE(IsWindowVisible(s.memoryMark));
    EXPECT_EQ(2, beepCount);
}

// The tip shows the line under a still pointer after the tape scrolls under it.
TEST_F(Calc, TapeTipFollowsTheScroll)
{
    HWND list = mainState.tapeList;
    for (int i = 0; i < 30; ++i) enterLine(std::to_wstring(i).c_str());
    RECT box;
    GetClientRect(list, &box);
    POINT at{box.right / 2, 3};
    ClientToScreen(list, &at);
    SetCursorPos(at.x, at.y);
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(box.right / 2, 3));
    wchar_t text[80] = L"";
    TOOLINFOW tool{sizeof tool, 0, GetParent(list), reinterpret_cast<UINT_PTR>(list), {}, nullptr, text, 0, nullptr};
    auto tipText = [&] {
        SendMessageW(mainState.tapeTip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text);
    };
    EXPECT_EQ(tape().at(static_cast<size_t>(SendMessageW(list, LB_GETTOPINDEX, 0, 0))), tipText());
    SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    EXPECT_EQ(L"0 = 0,00", tipText()) << "not the line that was there before";
}

TEST_F(Calc, TakingOutTenPercentShowsTheRoundedResultAndKeepsFullPrecision)
{
    settings.vatRate = 10;
    SetWindowTextW(mainState.inputEdit, L"110");
    command(idRemoveVat);
    EXPECT_EQ(L"100,00", display());
    EXPECT_EQ(99.99999999999999, calculator.displayValue);
    enterLine(L"+0");
    EXPECT_EQ(L"100,00+0 = 100,00", tape().back()) << "continued from the value shown";
}

TEST_F(Calc, VatWithRateZeroAndDecimalsZero)
{
    settings.vatRate = 0;
    SetWindowTextW(mainState.inputEdit, L"100");
    command(idAddVat);
    EXPECT_EQ(L"+IVA 0,00% su 100,00 = 100,00", tape().back());
    settings.vatRate = 22;
    settings.decimals = 0;
    SetWindowTextW(mainState.inputEdit, L"10");
    command(idAddVat);
    EXPECT_EQ(L"+IVA 22,00% su 10 = 12", tape().back());
}

//--- Rounding as an accountant rounds

struct RoundingRow {
    const wchar_t* input;
    int key;  // 0: Enter, or a VAT key
    double rate;
    int decimals;
    const wchar_t* shown;
};

TEST_F(Calc, HalfACentGoesUpOnTheDisplay)
{
    const RoundingRow rows[] = {
        {L"0,15", idVatOnly, 10, 2, L"0,02"},
        {L"6,25\u00d710%", 0, 22, 2, L"0,63"},
        {L"10,25", idVatOnly, 22, 2, L"2,26"},
        {L"3.030,75", idAddVat, 10, 2, L"3.333,83"},
        {L"1,005", 0, 22, 2, L"1,01"},
        {L"(-2,255)", 0, 22, 2, L"-2,26"},
        {L"0,015\u22120,01", 0, 22, 2, L"0,01"},
        {L"1.234.567.890.123,125", 0, 22, 2, L"1.234.567.890.123,13"},
        {L"2,5", 0, 22, 0, L"3"},
        {L"1.234,5", 0, 22, 0, L"1.235"},
        {L"(-0,5)", 0, 22, 0, L"-1"},
        {L"10/4", 0, 22, 0, L"3"},
        {L"0,49", 0, 22, 0, L"0"},
    };
    for (const RoundingRow& row : rows) {
        settings.vatRate = row.rate;
        settings.decimals = row.decimals;
        SetWindowTextW(mainState.inputEdit, row.input);
        if (row.key)
            command(row.key);
        else
            press(mainState.inputEdit, VK_RETURN, L'\r');
        EXPECT_EQ(row.shown, display()) << "row " << (&row - rows);
        EXPECT_EQ(L" = " + std::wstring(row.shown), tape().back().substr(tape().back().rfind(L" = ")));
    }
    command(idCopy);
    EXPECT_EQ(L"0", clipboardText()) << "copy takes the rounded text";
}

//--- Settings

TEST_F(Calc, SaveAcceptsValidSettingsAndRejectsOthers)
{
    HWND rate = mainState.vatSettingEdit, places = mainState.decimalsSettingEdit;
    EXPECT_EQ(L"22,00", controlText(rate));
    EXPECT_EQ(L"2", controlText(places));
    SetWindowTextW(rate, L"8,5");
    SetWindowTextW(places, L"3");
    command(idSaveSettings);
    EXPECT_EQ(L"Impostazioni salvate.", controlText(mainState.settingsStatus));
    EXPECT_EQ(8.5, settings.vatRate);
    EXPECT_EQ(3, settings.decimals);
    EXPECT_EQ(L"IVA 8,50%  \u25be", controlText(mainState.vatRateButton));
    EXPECT_EQ(L"8,50", controlText(rate)) << "the rate field shows the rate in effect";
    EXPECT_EQ(L"3", controlText(places));

    for (auto bad : {std::pair<const wchar_t*, const wchar_t*>{L"100,01", L"2"}, {L"22", L"2,5"},
                     {L"-1", L"2"}, {L"22", L"7"}, {L"x", L"2"}}) {
        SetWindowTextW(rate, bad.first);
        SetWindowTextW(places, bad.second);
        command(idSaveSettings);
        EXPECT_EQ(L"Valori non validi: IVA 0\u2013100, decimali 0\u20136.",
                  controlText(mainState.settingsStatus));
    }
    EXPECT_EQ(8.5, settings.vatRate) << "a rejection changes nothing";
    EXPECT_EQ(3, settings.decimals);
    EXPECT_EQ(L"x", controlText(rate)) << "after a rejection the typed text stays";

    SetWindowTextW(rate, L"8,555");
    SetWindowTextW(places, L"2");
    command(idSaveSettings);
    EXPECT_EQ(L"8,56", controlText(rate));
    SetWindowTextW(mainState.inputEdit, L"100");
    command(idAddVat);
    EXPECT_EQ(L"+IVA 8,56% su 100,00 = 108,56", tape().back()) << "the rate in effect is the rate shown";
    EXPECT_EQ(L"IVA 8,56%  \u25be", controlText(mainState.vatRateButton));
}

TEST_F(Calc, SavedSettingsAreThereAfterARestart)
{
    SetWindowTextW(mainState.vatSettingEdit, L"10");
    SetWindowTextW(mainState.decimalsSettingEdit, L"3");
    command(idSaveSettings);
    closeMainWindow();
    settings = Settings{};
    mainState = MainWindowState{};
    ASSERT_NE(nullptr, openMainWindow());
    EXPECT_EQ(L"10,00", controlText(mainState.vatSettingEdit));
    EXPECT_EQ(L"3", controlText(mainState.decimalsSettingEdit));
    EXPECT_EQ(L"IVA 10,00%  \u25be", controlText(mainState.vatRateButton));
    SetWindowTextW(mainState.inputEdit, L"100");
    command(idAddVat);
    EXPECT_EQ(L"+IVA 10,00% su 100,000 = 110,000", tape().back());
}

//--- What the registry may hold at start

struct StoredCase {
    const char* what;
    DWORD type;
    std::vector<BYTE> data;
    const wchar_t* value;
    double rate;
    int decimals;
};

std::vector<BYTE> utf16(const std::wstring& text, bool terminator = true)
{
    std::vector<BYTE> b;
    for (wchar_t c : text) {
        b.push_back(static_cast<BYTE>(c & 0xFF));
        b.push_back(static_cast<BYTE>(c >> 8));
    }
    if (terminator) b.insert(b.end(), {0, 0});
    return b;
}

std::vector<BYTE> dword(DWORD v) { return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)}; }

TEST(StoredSettings, BadContentsKeepTheDefaults)
{
    const StoredCase cases[] = {
        {"rate 8,5", REG_SZ, utf16(L"8,5"), L"Aliquota", 8.5, 2},
        {"rate as a DWORD", REG_DWORD, dword(10), L"Aliquota", 22, 2},
        {"empty rate", REG_SZ, utf16(L""), L"Aliquota", 22, 2},
        {"rate abc", REG_SZ, utf16(L"abc"), L"Aliquota", 22, 2},
        {"rate 150", REG_SZ, utf16(L"150"), L"Aliquota", 22, 2},
        {"rate -1", REG_SZ, utf16(L"-1"), L"Aliquota", 22, 2},
        {"rate of 160 bytes without NUL", REG_SZ, utf16(L"1" + std::wstring(79, L'0'), false),
         L"Aliquota", 22, 2},
        {"rate longer than 80 units", REG_SZ, utf16(L"1" + std::wstring(100, L' ')), L"Aliquota", 22, 2},
        {"decimals 5", REG_DWORD, dword(5), L"Decimali", 22, 5},
        {"decimals as text", REG_SZ, utf16(L"3"), L"Decimali", 22, 2},
        {"decimals 7", REG_DWORD, dword(7), L"Decimali", 22, 2},
        {"decimals 0xFFFFFFFF", REG_DWORD, dword(0xFFFFFFFF), L"Decimali", 22, 2},
        {"decimals as a QWORD", REG_QWORD, {3, 0, 0, 0, 0, 0, 0, 0}, L"Decimali", 22, 2},
        {"decimals as 8 binary bytes", REG_BINARY, {3, 0, 0, 0, 0, 0, 0, 0}, L"Decimali", 22, 2},
    };
    for (const StoredCase& c : cases) {
        SCOPED_TRACE(c.what);
        resetProcessState();
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, settingsKeyPath, 0, nullptr, 0,
                                                 KEY_SET_VALUE, nullptr, &key, nullptr));
        RegSetValueExW(key, c.value, 0, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
        RegCloseKey(key);
        ASSERT_NE(nullptr, openMainWindow());
        EXPECT_EQ(c.rate, settings.vatRate);
        EXPECT_EQ(c.decimals, settings.decimals);
        closeMainWindow();
    }
    resetProcessState();
    ASSERT_NE(nullptr, openMainWindow()) << "no key at all";
    EXPECT_EQ(22.0, settings.vatRate);
    EXPECT_EQ(2, settings.decimals);
    closeMainWindow();
}

//--- The VAT-rate menu, driven with keys while it is open

int menuKeysStep = 0;
std::vector<WORD> menuKeys;

void CALLBACK typeIntoMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (menuKeysStep >= static_cast<int>(menuKeys.size())) {
        KillTimer(nullptr, timer);
        return;
    }
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = menuKeys[static_cast<size_t>(menuKeysStep++)];
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

void runMenu(std::vector<WORD> keys)
{
    menuKeys = std::move(keys);
    menuKeysStep = 0;
    SetForegroundWindow(mainState.mainWindow);
    SetTimer(nullptr, 0, 150, typeIntoMenu);
    command(idVatRate);
}

TEST_F(Calc, VatRateMenuPicksDismissesAndOpensTheOptions)
{
    enterLine(L"50");
    runMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});  // the third entry, 10%
    EXPECT_EQ(10.0, settings.vatRate);
    EXPECT_EQ(L"IVA 10,00%  \u25be", controlText(mainState.vatRateButton));
    EXPECT_EQ(L"10,00", controlText(mainState.vatSettingEdit)) << "OPZIONI shows the picked rate";
    SetWindowTextW(mainState.decimalsSettingEdit, L"3");
    command(idSaveSettings);
    EXPECT_EQ(10.0, settings.vatRate) << "saving the decimals keeps the picked rate";
    EXPECT_EQ(3, settings.decimals);
    EXPECT_EQ(L"50,000", display()) << "the last result shown again at the decimals saved";
    enterLine(L"2,5");
    SetWindowTextW(mainState.decimalsSettingEdit, L"0");
    command(idSaveSettings);
    EXPECT_EQ(L"3", display());
    enterLine(L"+1");
    EXPECT_EQ(L"3+1 = 4", tape().back()) << "a continuation uses the value shown";
    settings.decimals = 2;
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_QUERY_VALUE, &key));
    wchar_t stored[16] = {};
    DWORD size = sizeof stored;
    RegQueryValueExW(key, L"Aliquota", nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size);
    RegCloseKey(key);
    EXPECT_EQ(std::wstring(L"10,00"), stored) << "saved at once";

    runMenu({VK_ESCAPE, VK_ESCAPE});
    EXPECT_EQ(10.0, settings.vatRate) << "dismissed: nothing changes";
    EXPECT_EQ(390, outerHeight());

    runMenu({VK_UP, VK_RETURN});  // the last entry
    EXPECT_EQ(507, outerHeight()) << "the OPZIONI tab";
    EXPECT_EQ(mainState.vatSettingEdit, GetFocus());
}

} // namespace
