// Command routing needs Win32 to show, move and destroy windows and to edit
// the input line.
#include "app/commands_win.h"

#include "app/main_window_win.h"
#include "app/settings_win.h"
#include "calc/calculator.h"
#include "calc/calculator_win.h"
#include "calc/invoice_win.h"
#include "calc/printing_win.h"
#include "calc/vat_win.h"
#include "dates/date_calculator_win.h"
#include "dates/date_fields_win.h"
#include "dates/day_window_win.h"
#include "finance/interest_win.h"
#include "finance/ledger_win.h"
#include "finance/table_split_win.h"
#include "dates/act_terms_win.h"
#include "finance/split_win.h"

namespace {

bool carryOutCommand(int id, int notification, HWND control);

bool isEdit(HWND control)
{
    wchar_t className[8] = {};
    GetClassNameW(control, className, 8);
    return lstrcmpiW(className, L"Edit") == 0;
}

// A field the user types into: an edit control that is not read-only.
bool isEditableField(HWND control)
{
    return isEdit(control) && !(GetWindowLongW(control, GWL_STYLE) & ES_READONLY);
}

// Double-click (or Enter) on a tape line: its result goes into the input
// line, as a value that Enter and the VAT keys both read as it stands: at the
// caret when the line holds text (so that "a + b" is built from two lines),
// else as the whole line; the caret after it.
void pickUpTapeLine()
{
    MainWindowState& s = mainState;
    const auto index = static_cast<int>(SendMessageW(s.tapeList, LB_GETCARETINDEX, 0, 0));
    if (SendMessageW(s.tapeList, LB_GETSEL, static_cast<WPARAM>(index), 0) <= 0) return;
    std::wstring line, result;
    if (!listBoxLine(s.tapeList, index, line) || !tapeLineResult(line, result)) return;
    insertPickedUp(result);
    SetFocus(s.inputEdit);
}

void clearCalculator()
{
    MainWindowState& s = mainState;
    SetWindowTextW(s.inputEdit, L"");
    clearTapeAndDisplay();
    SetFocus(s.inputEdit);
}

void applyTopmost()
{
    bool on = isChecked(mainState.topmostCheck);
    SetWindowPos(mainState.mainWindow, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

void addQuotaRow()
{
    MainWindowState& s = mainState;
    if (s.visibleQuotaRows >= 6) return;
    ShowWindow(s.quotaLabels[s.visibleQuotaRows], SW_SHOW);
    ShowWindow(s.quotaEdits[s.visibleQuotaRows], SW_SHOW);
    ++s.visibleQuotaRows;
    switchTab(tabSplit);
}

void removeQuotaRow()
{
    MainWindowState& s = mainState;
    if (s.visibleQuotaRows <= 2) return;
    --s.visibleQuotaRows;
    ShowWindow(s.quotaLabels[s.visibleQuotaRows], SW_HIDE);
    ShowWindow(s.quotaEdits[s.visibleQuotaRows], SW_HIDE);
    switchTab(tabSplit);
}

void toggleFormula()
{
    MainWindowState& s = mainState;
    s.formulaVisible = !s.formulaVisible;
    SetWindowTextW(s.formulaButton,
                   s.formulaVisible ? L"NASCONDI FORMULA \u25b4" : L"MOSTRA FORMULA \u25be");
    switchTab(tabInterest);
}

// A keypad key types its caption at the caret; "⌫" deletes the character
// before it, and "=" calculates, as Enter does.
void keypadInput(int key)
{
    static const wchar_t* const texts[keypadKeys] = {L"7", L"8", L"9", L"/", L"4", L"5", L"6", L"*", L"1", L"2",
                                                     L"3", L"-", L"0", L",", nullptr, L"+", L"(", L")", L"%"};
    HWND input = mainState.inputEdit;
    if (idKeypadFirst + key == idKeypadEquals) {
        evaluateInput();
    } else if (key == 14) {
        SendMessageW(input, EM_SETSEL, static_cast<WPARAM>(-1), -1);
        DWORD caret = 0;
        SendMessageW(input, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
        if (caret > 0) {
            SendMessageW(input, EM_SETSEL, caret - 1, caret);
            SendMessageW(input, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
        }
    } else {
        SendMessageW(input, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(texts[key]));
    }
    SetFocus(input);
}

} // namespace

bool onCommand(int id, int notification, HWND control)
{
    if (notification == EN_SETFOCUS && isEditableField(control)) mainState.lastField = control;
    if (!carryOutCommand(id, notification, control)) return false;
    // The window is gone after "×", and minimised after "—".
    if (id != idClose && id != idMinimise && id != idTape) focusInputLineOnCalc();
    return true;
}

void focusInputLineOnCalc()
{
    const MainWindowState& s = mainState;
    if (s.currentTab == tabCalc && IsWindow(s.inputEdit) && GetFocus() != s.inputEdit &&
        GetActiveWindow() == s.mainWindow)
        SetFocus(s.inputEdit);
}

void enterControl(HWND control)
{
    SetFocus(control);
    if (control != mainState.inputEdit && isEditableField(control)) SendMessageW(control, EM_SETSEL, 0, -1);
    // The tape is entered at its newest line, alone.
    const LRESULT lines = control == mainState.tapeList ? SendMessageW(control, LB_GETCOUNT, 0, 0) : 0;
    if (lines > 0) {
        SendMessageW(control, LB_SETSEL, FALSE, -1);
        SendMessageW(control, LB_SETSEL, TRUE, lines - 1);
        SendMessageW(control, LB_SETCARETINDEX, static_cast<WPARAM>(lines - 1), FALSE);
    }
}

namespace {

// The command that Enter runs in a field of a tab; the date fields and the
// input line answer Enter themselves.
int enterCommandOf(HWND field)
{
    const MainWindowState& s = mainState;
    if (!field) return 0;
    if (field == s.dateDaysEdit) return idCalculateDates;
    if (field == s.capitalEdit || field == s.rateEdit || field == s.surchargeEdit ||
        field == s.interestDaysEdit)
        return idCalculateInterest;
    if (field == s.splitTotalEdit) return idSplit;
    for (HWND quota : s.quotaEdits)
        if (field == quota) return idSplit;
    if (field == s.vatSettingEdit || field == s.decimalsSettingEdit) return idSaveSettings;
    return 0;
}

constexpr LPARAM autoRepeatBit = LPARAM{1} << 30;

// A held Space or Enter repeats only in the control that got its first
// key-down: a button's command may have moved the focus to the input line,
// where the repeats would type blanks or evaluate a half-typed line.
bool isHeldKeyElsewhere(const MSG& msg)
{
    static HWND pressedIn[2] = {};
    if (msg.wParam != VK_SPACE && msg.wParam != VK_RETURN) return false;
    HWND& first = pressedIn[msg.wParam == VK_RETURN ? 1 : 0];
    if (!(msg.lParam & autoRepeatBit)) first = msg.hwnd;
    return (msg.lParam & autoRepeatBit) && msg.hwnd != first;
}

void switchTabBy(int step)
{
    const int current = mainState.currentTab < 0 ? 0 : mainState.currentTab;
    switchTab((current + step + 5) % 5);
}

} // namespace

bool onMainWindowKey(const MSG& msg)
{
    const MainWindowState& s = mainState;
    if (msg.message != WM_KEYDOWN || !s.mainWindow || !msg.hwnd) return false;
    if (msg.hwnd != s.mainWindow && !IsChild(s.mainWindow, msg.hwnd)) return false;
    if (isHeldKeyElsewhere(msg)) return true;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg.wParam) {
    case VK_TAB:
        if (ctrl) {
            switchTabBy(shift ? -1 : 1);
            return true;
        }
        if (HWND next = GetNextDlgTabItem(s.mainWindow, GetFocus(), shift)) {
            enterControl(next);
            return true;
        }
        return false;
    case VK_NEXT:
    case VK_PRIOR:
        if (!ctrl) return false;
        switchTabBy(msg.wParam == VK_NEXT ? 1 : -1);
        return true;
    case 'A':  // Ctrl+A selects a field's whole text, read-only ones too
        if (!ctrl || GetKeyState(VK_MENU) < 0 || !isEdit(msg.hwnd)) return false;
        SendMessageW(msg.hwnd, EM_SETSEL, 0, -1);
        return true;
    case VK_DECIMAL:
        if (!isEditableField(msg.hwnd)) return false;
        SendMessageW(msg.hwnd, WM_CHAR, isDateField(msg.hwnd) ? L'/' : L',', msg.lParam);
        return true;
    case VK_F7:  // the VAT keys, wherever the focus is on CALC
    case VK_F8:
    case VK_F9: {
        if (s.currentTab != tabCalc || ctrl || shift || GetKeyState(VK_MENU) < 0) return false;
        static const int vatKeys[3] = {idAddVat, idRemoveVat, idVatOnly};
        if (!(msg.lParam & autoRepeatBit))
            SendMessageW(s.mainWindow, WM_COMMAND, MAKEWPARAM(vatKeys[msg.wParam - VK_F7], 0), 0);
        return true;
    }
    case VK_F6:  // the invoice of the fee, Shift+F6 from the net, wherever the focus is on CALC
        if (s.currentTab != tabCalc || ctrl || GetKeyState(VK_MENU) < 0) return false;
        if (!(msg.lParam & autoRepeatBit))
            SendMessageW(s.mainWindow, WM_COMMAND, MAKEWPARAM(shift ? idInvoiceFromNet : idInvoice, 0), 0);
        return true;
    case 'P':  // the memory and the grand total, wherever the focus is on CALC
    case 'Q':
    case 'R':
    case 'L':
    case 'T':
    case 'G': {
        if (s.currentTab != tabCalc || !ctrl || shift || GetKeyState(VK_MENU) < 0) return false;
        const int command = msg.wParam == 'P'   ? idMemoryAdd
                            : msg.wParam == 'Q' ? idMemorySubtract
                            : msg.wParam == 'R' ? idMemoryRecall
                            : msg.wParam == 'L' ? idMemoryClear
                            : msg.wParam == 'T' ? idSubtotal
                                                : idGrandTotal;
        if (!(msg.lParam & autoRepeatBit)) SendMessageW(s.mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return true;
    }
    case VK_RETURN: {
        const int command = enterCommandOf(msg.hwnd);
        if (!command) return false;
        // A held Enter repeats nothing.
        if (!(msg.lParam & autoRepeatBit))
            SendMessageW(s.mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return true;
    }
    default:
        return false;
    }
}

namespace {

bool carryOutCommand(int id, int notification, HWND control)
{
    MainWindowState& s = mainState;
    switch (id) {
    case idTabCalc:
    case idTabDate:
    case idTabInterest:
    case idTabSplit:
    case idTabOptions:
        switchTab(id - idTabCalc);
        return true;
    case idTape:
        if (notification != LBN_DBLCLK) return false;
        pickUpTapeLine();
        return true;
    case idCopy:
        copyTextToClipboard(calculator.displayText);
        SetFocus(s.inputEdit);
        return true;
    case idPrint:
        printTape();
        return true;
    case idVerifyDays:
        openDayVerification();
        return true;
    case idSplitTable:
        openTableSplitWindow();
        return true;
    case idActTerms:
        openActTermsWindow();
        return true;
    case idLedger:
        openLedgerWindow();
        return true;
    case idClear:
        clearCalculator();
        return true;
    case idKeypadToggle:
        s.keypadVisible = !s.keypadVisible;
        switchTab(tabCalc);
        return true;
    case idTopmost:
        applyTopmost();
        return true;
    case idMinimise:
        s.lastFocus = nullptr;  // a click on "—" took the focus: the last field has it back
        ShowWindow(s.mainWindow, SW_MINIMIZE);
        return true;
    case idClose:
        DestroyWindow(s.mainWindow);
        return true;
    case idVatRate:
        showVatRateMenu();
        return true;
    case idAddVat:
    case idRemoveVat:
    case idVatOnly:
        applyVat(static_cast<VatOperation>(id - idAddVat + 1));
        return true;
    case idCalculateDates:
        calculateDates();
        return true;
    case idDeadlineRule:
        showDeadlineRuleMenu();
        return true;
    case idInvoiceFund:
        showInvoiceFundMenu();
        return true;
    case idCalculateInterest:
        calculateInterest();
        return true;
    case idRateSource:
        showRateSourceMenu();
        return true;
    case idSplit:
        calculateSplit();
        return true;
    case idCalendarDateFrom:
        openCalendarPopup(s.dateFromEdit, control);
        return true;
    case idCalendarDateTo:
        openCalendarPopup(s.dateToEdit, control);
        return true;
    case idCalendarInterestFrom:
        openCalendarPopup(s.interestFromEdit, control);
        return true;
    case idCalendarInterestTo:
        openCalendarPopup(s.interestToEdit, control);
        return true;
    case idSaveSettings:
        saveSettingsCommand();
        return true;
    case idAddQuota:
        addQuotaRow();
        return true;
    case idRemoveQuota:
        removeQuotaRow();
        return true;
    case idFormulaToggle:
        toggleFormula();
        return true;
    case idSubtotal:
        showSubtotal();
        return true;
    case idInvoice:
    case idInvoiceFromNet:
        applyInvoice(id == idInvoiceFromNet);
        return true;
    case idMemoryAdd:
    case idMemorySubtract:
        memoryAdd(id == idMemoryAdd ? 1 : -1);
        return true;
    case idMemoryRecall:
        memoryRecall();
        return true;
    case idMemoryClear:
        memoryClear();
        return true;
    case idGrandTotal:
        showGrandTotal();
        return true;
    default:
        if (id >= idKeypadFirst && id < idKeypadFirst + keypadKeys) {
            keypadInput(id - idKeypadFirst);
            return true;
        }
        return false;
    }
}

} // namespace
