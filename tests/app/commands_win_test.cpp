// The keyboard of the whole window and where the focus goes, in the real
// window: keys go through the message loop's own step, as typed keys do.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/commands_win.h"
#include "tests/app/gui_fixture.h"

namespace {

// One key-down as the loop receives it, sent to the focused control.
void key(WPARAM vk, bool ctrl = false, bool shift = false, LPARAM lParam = 1)
{
    setModifiers(ctrl, shift);
    MSG msg{};
    msg.hwnd = GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = vk;
    msg.lParam = lParam;
    processMessage(msg);
    setModifiers(false, false);
}

DWORD selection(HWND edit) { return static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0)); }
DWORD wholeText(HWND edit) { return static_cast<DWORD>(MAKELONG(0, GetWindowTextLengthW(edit))); }

using Keyboard = MainWindow;

TEST_F(Keyboard, EnteringAFieldSelectsItsTextButNotTheInputLine)
{
    MainWindowState& s = mainState;
    SetWindowTextW(s.inputEdit, L"12+3");
    SendMessageW(s.inputEdit, EM_SETSEL, 2, 2);
    key(VK_TAB);
    key(VK_TAB, false, true);
    EXPECT_EQ(s.inputEdit, GetFocus());
    EXPECT_EQ(MAKELONG(2, 2), selection(s.inputEdit)) << "an expression being built keeps its caret";

    switchTab(tabSplit);
    EXPECT_EQ(wholeText(s.splitTotalEdit), selection(s.splitTotalEdit)) << "shown by a tab switch";
    key(VK_TAB);
    EXPECT_EQ(s.quotaEdits[0], GetFocus());
    EXPECT_EQ(wholeText(s.quotaEdits[0]), selection(s.quotaEdits[0])) << "entered by Tab";
    key(VK_TAB, false, true);
    EXPECT_EQ(wholeText(s.splitTotalEdit), selection(s.splitTotalEdit)) << "entered by Shift+Tab";
}

TEST_F(Keyboard, CtrlASelectsTheWholeTextOfAnyField)
{
    MainWindowState& s = mainState;
    SetWindowTextW(s.splitResultEdit, L"1) Peso 1,00\r\nTOTALE: 1,00 \u20ac");
    const struct {
        int tab;
        HWND field;
    } fields[] = {{tabCalc, s.inputEdit}, {tabDate, s.dateDaysEdit}, {tabSplit, s.splitResultEdit}};
    for (const auto& f : fields) {
        switchTab(f.tab);
        SetFocus(f.field);
        if (f.field == s.inputEdit) SetWindowTextW(s.inputEdit, L"12+3");
        SendMessageW(f.field, EM_SETSEL, 1, 1);
        key('A', true);
        pumpMessages();
        EXPECT_EQ(wholeText(f.field), selection(f.field)) << "tab " << f.tab;
    }
    EXPECT_EQ(L"12+3", controlText(s.inputEdit)) << "no control character typed";
}

TEST_F(Keyboard, CtrlTabAndCtrlPageKeysGoRoundTheTabs)
{
    struct Step {
        WPARAM vk;
        bool shift;
        int tab;
    } steps[] = {{VK_TAB, true, tabOptions}, {VK_TAB, false, tabCalc}, {VK_NEXT, false, tabDate},
                 {VK_PRIOR, false, tabCalc},  {VK_PRIOR, false, tabOptions}, {VK_TAB, false, tabCalc}};
    for (const Step& step : steps) {
        key(step.vk, true, step.shift);
        EXPECT_EQ(step.tab, mainState.currentTab);
    }
    EXPECT_EQ(mainState.inputEdit, GetFocus());
}

TEST_F(Keyboard, KeypadDecimalTypesACommaOrInADateFieldASlash)
{
    MainWindowState& s = mainState;
    SetWindowTextW(s.inputEdit, L"45");
    SendMessageW(s.inputEdit, EM_SETSEL, 2, 2);
    key(VK_DECIMAL);
    EXPECT_EQ(L"45,", controlText(s.inputEdit));
    switchTab(tabDate);
    SetWindowTextW(s.dateFromEdit, L"10");
    SendMessageW(s.dateFromEdit, EM_SETSEL, 2, 2);
    key(VK_DECIMAL);
    EXPECT_EQ(L"10/", controlText(s.dateFromEdit));
    SetFocus(s.dateDaysEdit);
    SetWindowTextW(s.dateDaysEdit, L"1");
    SendMessageW(s.dateDaysEdit, EM_SETSEL, 1, 1);
    key(VK_DECIMAL);
    EXPECT_EQ(L"1,", controlText(s.dateDaysEdit));
}

TEST_F(Keyboard, EnterInAFieldRunsItsTabsCommandOncePerPress)
{
    MainWindowState& s = mainState;
    struct Case {
        int tab;
        HWND field, result;
        const wchar_t* begins;
    } cases[] = {{tabDate, s.dateDaysEdit, s.dateResult, L"Giorni: "},
                 {tabInterest, s.surchargeEdit, s.interestResult, L"Interessi: "},
                 {tabSplit, s.quotaEdits[2], s.splitResultEdit, L"1) Peso "},
                 {tabOptions, s.decimalsSettingEdit, s.settingsStatus, L"Impostazioni salvate."}};
    for (const Case& c : cases) {
        switchTab(c.tab);
        SetFocus(c.field);
        SetWindowTextW(c.result, L"");
        key(VK_RETURN, false, false, 1 | (1 << 30));
        EXPECT_EQ(L"", controlText(c.result)) << "a held Enter repeats nothing";
        key(VK_RETURN);
        EXPECT_EQ(0u, controlText(c.result).find(c.begins)) << "tab " << c.tab;
    }
    EXPECT_EQ(0, beepCount);
}

TEST_F(Keyboard, AHeldKeyOnAButtonDoesNotRepeatIntoTheInputLine)
{
    MainWindowState& s = mainState;
    const LPARAM repeat = 1 | (1 << 30);
    for (WPARAM vk : {WPARAM{VK_SPACE}, WPARAM{VK_RETURN}}) {
        SetWindowTextW(s.inputEdit, L"5");  // an amount for the VAT key to take
        SetFocus(GetDlgItem(s.mainWindow, idAddVat));
        key(vk);
        ASSERT_EQ(s.inputEdit, GetFocus()) << "the command moved the focus";
        SetWindowTextW(s.inputEdit, L"12+");
        SendMessageW(s.inputEdit, EM_SETSEL, 3, 3);
        key(vk, false, false, repeat);
        key(vk, false, false, repeat);
        pumpMessages();
        EXPECT_EQ(L"12+", controlText(s.inputEdit)) << "key " << vk;
    }
    EXPECT_EQ(0, beepCount);
    key(VK_SPACE);
    key(VK_SPACE, false, false, repeat);
    pumpMessages();
    EXPECT_EQ(L"12+  ", controlText(s.inputEdit)) << "a Space held in the input line itself repeats";
}

TEST_F(Keyboard, OnCalcTheInputLineHasTheFocusAfterEveryCommand)
{
    MainWindowState& s = mainState;
    SetWindowTextW(s.inputEdit, L"7");
    for (int id : {idCopy, idKeypadToggle, idKeypadToggle, idTabCalc}) {
        SetFocus(GetDlgItem(s.mainWindow, id));
        onCommand(id, 0, nullptr);
        EXPECT_EQ(s.inputEdit, GetFocus()) << "command " << id;
    }
    SetFocus(s.topmostCheck);
    SendMessageW(s.topmostCheck, BM_CLICK, 0, 0);
    EXPECT_EQ(s.inputEdit, GetFocus()) << "after the checkbox";
    SendMessageW(s.inputEdit, EM_SETSEL, 1, 1);  // where the typing stopped
    SetFocus(s.tapeList);
    SendMessageW(s.tapeList, WM_CHAR, L'8', 1);
    EXPECT_EQ(s.inputEdit, GetFocus()) << "typing on the tape goes on in the input line";
    EXPECT_EQ(L"78", controlText(s.inputEdit));
    SendMessageW(s.topmostCheck, BM_CLICK, 0, 0);

    switchTab(tabSplit);
    HWND addRow = GetDlgItem(s.mainWindow, idAddQuota);
    SetFocus(addRow);
    onCommand(idAddQuota, 0, nullptr);
    EXPECT_EQ(addRow, GetFocus()) << "elsewhere a button keeps the focus";
}

TEST_F(Keyboard, TheFocusComesBackWithTheActivation)
{
    MainWindowState& s = mainState;
    HWND other = CreateWindowExW(0, L"STATIC", L"altro", WS_POPUP | WS_VISIBLE, 600, 600, 100, 50,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, other);
    auto awayAndBack = [&] {
        SetActiveWindow(other);
        SetFocus(other);
        SetActiveWindow(s.mainWindow);
        pumpMessages();
    };
    switchTab(tabDate);
    SetFocus(s.dateDaysEdit);
    awayAndBack();
    EXPECT_EQ(s.dateDaysEdit, GetFocus()) << "the control that had it";
    switchTab(tabCalc);
    SetFocus(GetDlgItem(s.mainWindow, idPrint));
    awayAndBack();
    EXPECT_EQ(s.inputEdit, GetFocus()) << "on CALC, the input line";
    DestroyWindow(other);
}

TEST_F(Keyboard, AfterMinimiseAndRestoreTheFieldHasTheFocusNeverTheHeader)
{
    MainWindowState& s = mainState;
    HWND minimise = GetDlgItem(s.mainWindow, idMinimise);
    auto minimiseAndRestore = [&] {
        SetFocus(minimise);  // as the click on "—" does
        onCommand(idMinimise, BN_CLICKED, minimise);
        ASSERT_TRUE(IsIconic(s.mainWindow));
        SendMessageW(s.mainWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
        SetActiveWindow(s.mainWindow);
        pumpMessages();
    };
    switchTab(tabDate);
    SetFocus(GetDlgItem(s.mainWindow, idVerifyDays));
    SetActiveWindow(nullptr);  // a message box, say, took the activation
    SetActiveWindow(s.mainWindow);
    SetFocus(s.dateDaysEdit);
    minimiseAndRestore();
    EXPECT_EQ(s.dateDaysEdit, GetFocus()) << "the field that had the focus before";
    switchTab(tabOptions);
    SetFocus(GetDlgItem(s.mainWindow, idSaveSettings));
    minimiseAndRestore();
    EXPECT_EQ(s.vatSettingEdit, GetFocus()) << "no field of the tab had it: the first field";
}

//--- Keyboard: the loop's own Tab navigation

TEST_F(Keyboard, TabFromTheInputGoesToTheTapeThenCopyAndWrapsAround)
{
    HWND copy = GetDlgItem(mainState.mainWindow, idCopy);
    for (const wchar_t* line : {L"1 = 1,00", L"2 = 2,00", L"3 = 3,00"}) appendTapeLine(line);
    SendMessageW(mainState.tapeList, LB_SETSEL, TRUE, 0);
    ASSERT_EQ(mainState.inputEdit, GetFocus());
    key(VK_TAB);
    EXPECT_EQ(mainState.tapeList, GetFocus()) << "the tape right after the input line";
    EXPECT_EQ(1, SendMessageW(mainState.tapeList, LB_GETSELCOUNT, 0, 0)) << "its newest line alone";
    EXPECT_EQ(2, SendMessageW(mainState.tapeList, LB_GETCARETINDEX, 0, 0));
    EXPECT_GT(SendMessageW(mainState.tapeList, LB_GETSEL, 2, 0), 0);
    key(VK_TAB);
    EXPECT_EQ(copy, GetFocus());
    key(VK_TAB, false, true);
    key(VK_TAB, false, true);
    EXPECT_EQ(mainState.inputEdit, GetFocus());

    SetFocus(mainState.topmostCheck);
    key(VK_TAB);
    EXPECT_EQ(GetDlgItem(mainState.mainWindow, idTabCalc), GetFocus()) << "wraps to the first stop, past the header's \u2014 and \u00d7";
    key(VK_TAB, false, true);
    EXPECT_EQ(mainState.topmostCheck, GetFocus());
}

// F7, F8 and F9 press the VAT keys wherever the focus is on CALC; a digit
// typed on a button goes on in the input line.
TEST_F(Keyboard, VatKeysAndTypingOnAButton)
{
    MainWindowState& s = mainState;
    HWND copy = GetDlgItem(s.mainWindow, idCopy);
    const struct {
        WPARAM vk;
        const wchar_t* line;
    } cases[] = {{VK_F7, L"+IVA 22,00% su 100,00 = 122,00"}, {VK_F8, L"Scorporo 22,00% su 100,00 = 81,97 (IVA 18,03)"},
                 {VK_F9, L"Solo IVA 22,00% su 100,00 = 22,00"}};
    for (const auto& c : cases) {
        SetWindowTextW(s.inputEdit, L"100");
        SetFocus(copy);
        key(c.vk);
        wchar_t line[80] = {};
        SendMessageW(s.tapeList, LB_GETTEXT, static_cast<WPARAM>(SendMessageW(s.tapeList, LB_GETCOUNT, 0, 0) - 1),
                     reinterpret_cast<LPARAM>(line));
        EXPECT_EQ(std::wstring(c.line), line);
    }
    SetFocus(copy);
    SendMessageW(copy, WM_CHAR, L'7', 1);
    SendMessageW(GetFocus(), WM_CHAR, L'+', 1);
    EXPECT_EQ(s.inputEdit, GetFocus());
    EXPECT_EQ(L"7+", controlText(s.inputEdit));
    switchTab(tabDate);
    const LRESULT lines = SendMessageW(s.tapeList, LB_GETCOUNT, 0, 0);
    key(VK_F7);
    EXPECT_EQ(lines, SendMessageW(s.tapeList, LB_GETCOUNT, 0, 0)) << "not on another tab";
}

// F6 writes the invoice of the fee, Shift+F6 the one of the net to be paid; the net is the result.
TEST_F(Keyboard, InvoiceKeys)
{
    MainWindowState& s = mainState;
    settings.invoice = InvoiceProfile{InvoiceFund::lawyer, true, false};
    SetWindowTextW(s.inputEdit, L"1000");
    key(VK_F6);
    EXPECT_EQ(L"1.229,12", controlText(s.display));
    EXPECT_EQ(9, SendMessageW(s.tapeList, LB_GETCOUNT, 0, 0)) << "the heading and eight lines";
    SetWindowTextW(s.inputEdit, L"");
    key(VK_F6, false, true);  // from the net shown
    EXPECT_EQ(L"1.229,12", controlText(s.display));
    EXPECT_EQ(L"", controlText(s.inputEdit));
}

TEST_F(Keyboard, HiddenTabStopsAreSkipped)
{
    switchTab(tabSplit);
    SetFocus(mainState.quotaEdits[2]);
    key(VK_TAB);
    EXPECT_EQ(GetDlgItem(mainState.mainWindow, idAddQuota), GetFocus()) << "rows 4 to 6 are hidden";
}

} // namespace
