// The tabs' layouts need Win32 to create and place their controls.
#include "app/tab_layouts_win.h"

#include <algorithm>
#include <string>

#include "app/accessible_win.h"
#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/dpi_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "calc/calculator_win.h"
#include "calc/invoice_win.h"
#include "text/numtext.h"
#include "dates/date_calculator_win.h"
#include "dates/date_fields_win.h"
#include "dates/calendar_export_win.h"
#include "dates/date_calculator.h"
#include "finance/interest.h"
#include "finance/interest_win.h"

void setFont(HWND control, HFONT font)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

//--- Control-creation helpers

// A tab built after start-up is built hidden (switchTab shows it), and its
// controls take their place in the creation order of the whole window:
// after `insertAfter` when a later tab exists already, else at the end.
bool creatingHidden = false;
HWND insertAfter = nullptr;

namespace {

void takeCreationPlace(HWND control)
{
    if (!control || !insertAfter) return;
    SetWindowPos(control, insertAfter, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    insertAfter = control;
}

HWND createChild(const wchar_t* className, const wchar_t* text, int x, int y, int width,
                 int height, int id, DWORD style, HWND parent = nullptr)
{
    style |= WS_CHILD | (creatingHidden ? 0 : WS_VISIBLE);
    if (lstrcmpiW(className, L"BUTTON") == 0 && (style & 3) != 0) style |= WS_TABSTOP;
    DWORD exStyle = lstrcmpiW(className, L"EDIT") == 0 ? WS_EX_CLIENTEDGE : 0;
    HWND control = CreateWindowExW(exStyle, className, text, style, scaled(x), scaled(y),
                                   scaled(width), scaled(height),
                                   parent ? parent : mainState.mainWindow,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    setFont(control, mainState.bodyFont);
    if (control && !parent) mainState.controlPlaces.push_back({control, x, y, width, height});
    takeCreationPlace(control);
    return control;
}

HWND createLabel(const wchar_t* text, int x, int y, int width, int height, std::vector<HWND>& list)
{
    HWND label = createChild(L"STATIC", text, x, y, width, height, 0, 0);
    list.push_back(label);
    return label;
}

HWND createField(const wchar_t* text, int x, int y, int width, int height, std::vector<HWND>& list)
{
    HWND field = createChild(L"EDIT", text, x, y, width, height, 0, WS_TABSTOP | ES_AUTOHSCROLL);
    list.push_back(field);
    return field;
}

HWND createCheckbox(const wchar_t* text, int x, int y, int width, int height,
                    std::vector<HWND>& list)
{
    HWND check = createChild(L"BUTTON", text, x, y, width, height, 0, BS_AUTOCHECKBOX);
    list.push_back(check);
    return check;
}

HWND createFlatButton(const wchar_t* text, int x, int y, int width, int height, int id,
                      std::vector<HWND>* list, int accent)
{
    HWND button =
        createButton(mainState.mainWindow, text, x, y, width, height, id, accent, mainState.bodyFont,
                     !creatingHidden);
    if (button && list) list->push_back(button);
    if (button) mainState.controlPlaces.push_back({button, x, y, width, height});
    takeCreationPlace(button);
    return button;
}

// A "▦" button is clicked, not tabbed to: "Dal", Tab, "Al" is one key (F4 or
// Alt+Down in the field opens the calendar from the keyboard).
void leaveTabOrder(HWND button)
{
    SetWindowLongW(button, GWL_STYLE, GetWindowLongW(button, GWL_STYLE) & ~WS_TABSTOP);
}

HWND added(HWND control, std::vector<HWND>& list)
{
    list.push_back(control);
    return control;
}

WNDPROC resultFieldBaseProc = nullptr;

// "Copia" copies the selected part of a result, or all of it when nothing is selected.
void showResultMenu(HWND field, LPARAM at)
{
    const POINT p = contextMenuPoint(field, at);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, menuCopyResult, L"Copia");
    // A deadline on DATE goes to the office calendar too.
    const bool deadline = field == mainState.dateResult && !lastDateRange.prospect.empty();
    if (deadline) AppendMenuW(menu, MF_STRING, menuExportCalendar, L"Esporta in calendario\u2026");
    const int command = trackMenuAt(menu, p, mainState.mainWindow);
    if (deadline && command == menuExportCalendar) {
        exportDeadlineToCalendar({lastDateRange.due, lastDateRange.summary, lastDateRange.prospect}, mainState.mainWindow);
        return;
    }
    if (command != menuCopyResult) return;
    DWORD from = 0, to = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    if (from == to)
        copyTextToClipboard(controlText(field));
    else
        SendMessageW(field, WM_COPY, 0, 0);
}

LRESULT CALLBACK resultFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTEXTMENU) {
        showResultMenu(field, lParam);
        return 0;
    }
    const LRESULT result = CallWindowProcW(resultFieldBaseProc, field, message, wParam, lParam);
    // The text starts where a label's would, also after a font change.
    if (message == WM_SETFONT) SendMessageW(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    return result;
}

// A result that looks like a label (no border, not a Tab stop, the label's
// colours as a read-only field asks for them) but can be selected and copied,
// and that screen readers read as its text.
HWND createResultField(const wchar_t* text, int x, int y, int width, int height, std::vector<HWND>& list)
{
    HWND field = createChild(L"EDIT", text, x, y, width, height, 0, ES_MULTILINE | ES_READONLY);
    SetWindowLongW(field, GWL_EXSTYLE, 0);
    SetWindowPos(field, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    readAsText(field);
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(resultFieldProc)));
    if (!resultFieldBaseProc) resultFieldBaseProc = previous;
    setFont(field, mainState.headingFont);
    return added(field, list);
}

} // namespace

//--- The controls, tab by tab, in Tab-key order

void createHeader()
{
    MainWindowState& s = mainState;
    s.headerTitle = createChild(L"STATIC", L"ZENTOLO   by Ferlan", 41, 10, 334, 24, 0, 0);
    setFont(s.headerTitle, s.headingFont);
    // Clicked, like a title bar's buttons, not tabbed to.
    leaveTabOrder(createFlatButton(L"\u2014", 404, 5, 34, 27, idMinimise, nullptr, 0));
    leaveTabOrder(createFlatButton(L"\u00d7", 442, 5, 34, 27, idClose, nullptr, 0));
    s.tabButtons[0] = createFlatButton(L"CALC", 12, 40, 83, 32, idTabCalc, nullptr, 0);
    s.tabButtons[1] = createFlatButton(L"DATE", 99, 40, 82, 32, idTabDate, nullptr, 0);
    s.tabButtons[2] = createFlatButton(L"INTERESSI", 185, 40, 94, 32, idTabInterest, nullptr, 0);
    s.tabButtons[3] = createFlatButton(L"PROPORZIONI", 283, 40, 106, 32, idTabSplit, nullptr, 0);
    s.tabButtons[4] = createFlatButton(L"OPZIONI", 393, 40, 84, 32, idTabOptions, nullptr, 0);
}

void createCalcTab()
{
    MainWindowState& s = mainState;
    std::vector<HWND>& list = s.tabControls[tabCalc];
    s.calcGrowPlaced = 0;  // every control as designed
    s.calcGrowDpi = s.dpi;
    s.vatRateButton = createFlatButton(L"IVA 22%  \u25be", 14, 82, 111, 31, idVatRate, &list, 0);
    static const MenuButtonSetting vatRate{L"Aliquota IVA", L"IVA "};
    markMenuButton(s.vatRateButton, vatRate);
    createFlatButton(L"+ IVA", 130, 82, 106, 31, idAddVat, &list, 1);
    createFlatButton(L"- IVA", 241, 82, 105, 31, idRemoveVat, &list, 0);
    createFlatButton(L"Solo IVA", 351, 82, 125, 31, idVatOnly, &list, 0);
    // "M" while the memory holds a value, at the display line's left: made
    // first, it lies above the display, which leaves it out of its painting.
    s.memoryMark = added(createChild(L"STATIC", L"M", 16, 224, 18, 18, 0, 0), list);
    setFont(s.memoryMark, s.smallFont);
    showMemoryMark();
    s.display = added(createChild(L"STATIC", L"0,00", 14, 222, 462, 42, idDisplay, SS_RIGHT | WS_CLIPSIBLINGS), list);
    setFont(s.display, s.displayFont);
    s.inputEdit = added(createChild(L"EDIT", L"", 14, 269, 462, 29, idInput,
                                    WS_TABSTOP | ES_AUTOHSCROLL),
                        list);
    installInputEditProc(s.inputEdit);
    // Created after the input line: the next stop of the Tab key.
    s.tapeList = added(createChild(L"LISTBOX", L"", 14, 121, 462, 98, idTape,
                                   WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL |
                                       LBS_OWNERDRAWFIXED | LBS_HASSTRINGS),
                       list);
    installTapeProc(s.tapeList);
    // The controls that no label right before them names for a screen reader.
    nameControl(s.tapeList, L"Nastro");
    nameControl(s.display, L"Risultato");
    nameControl(s.inputEdit, L"Calcolo");
    createFlatButton(L"COPIA", 14, 306, 71, 30, idCopy, &list, 0);
    createFlatButton(L"STAMPA", 89, 306, 80, 30, idPrint, &list, 0);
    createFlatButton(L"PULISCI", 173, 306, 80, 30, idClear, &list, 0);
    createFlatButton(L"TASTI \u25be", 257, 306, 78, 30, idKeypadToggle, &list, 0);
    s.topmostCheck = added(createChild(L"BUTTON", L"In primo piano", 340, 310, 138, 23, idTopmost,
                                       BS_AUTOCHECKBOX),
                           list);
}

void createKeypad()
{
    static const wchar_t* const captions[keypadKeys] = {L"7", L"8", L"9", L"/", L"4", L"5", L"6", L"*",
                                                        L"1", L"2", L"3", L"-", L"0", L",", L"\u232b", L"+",
                                                        L"(", L")", L"%", L"=", L"M+", L"M\u2212", L"MR", L"GT",
                                                        L"FATTURA", L"DA NETTO", L"ST"};
    for (int k = 0; k < keypadKeys; ++k)
        createFlatButton(captions[k], 14 + 117 * (k % 4), 350 + 37 * (k / 4), 110, 32, idKeypadFirst + k,
                         &mainState.keypadControls, 0);
}

void createDateTab()
{
    MainWindowState& s = mainState;
    std::vector<HWND>& list = s.tabControls[tabDate];
    createLabel(L"Date rapide: 131066 = 13/10/1966  \u2022  oppure calendario", 16, 91, 455, 22, list);
    createLabel(L"Dal", 16, 129, 53, 23, list);
    s.dateFromEdit = createField(L"21/11/2026", 69, 124, 110, 28, list);
    installDateFieldProc(s.dateFromEdit);
    leaveTabOrder(createFlatButton(L"\u25a6", 180, 124, 24, 28, idCalendarDateFrom, &list, 0));
    createLabel(L"Al", 210, 129, 29, 23, list);
    s.dateToEdit = createField(L"31/12/2026", 241, 124, 110, 28, list);
    installDateFieldProc(s.dateToEdit);
    leaveTabOrder(createFlatButton(L"\u25a6", 352, 124, 24, 28, idCalendarDateTo, &list, 0));
    s.addDaysCheck = createCheckbox(L"Aggiungi giorni anzich\u00e9 differenza", 16, 161, 345, 24, list);
    s.includeStartCheck = createCheckbox(L"Includi data iniziale", 16, 194, 230, 25, list);
    createLabel(L"Giorni", 16, 235, 65, 22, list);
    s.dateDaysEdit = createField(L"60", 83, 229, 150, 28, list);  // "-100 giorni liberi" whole
    s.endOfMonthCheck = createCheckbox(L"Fine mese", 243, 231, 98, 25, list);
    s.deadlineRuleButton =
        createFlatButton(deadlineRuleLabel().c_str(), 346, 229, 124, 28, idDeadlineRule, &list, 0);
    static const MenuButtonSetting deadlineRule{L"Regola dei termini", L""};
    markMenuButton(s.deadlineRuleButton, deadlineRule);
    createFlatButton(L"CALCOLA DATE", 16, 272, 145, 31, idCalculateDates, &list, 1);
    createFlatButton(L"VERIFICA GIORNI", 169, 272, 161, 31, idVerifyDays, &list, 0);
    createFlatButton(L"TERMINI\u2026", 338, 272, 132, 31, idActTerms, &list, 0);
    s.dateResult = createResultField(L"Risultato: \u2014", 16, 314, 454, 35, list);
}

void createInterestTab()
{
    MainWindowState& s = mainState;
    std::vector<HWND>& list = s.tabControls[tabInterest];
    createLabel(L"INTERESSI  \u2022  date: 131066 = 13/10/1966  \u2022  base 365 gg", 16, 87, 460, 22,
                list);
    createLabel(L"Capitale (\u20ac)", 16, 119, 104, 22, list);
    s.capitalEdit = createField(L"10000", 121, 114, 126, 30, list);
    createLabel(L"Tasso base %", 260, 119, 110, 22, list);
    s.rateEdit = createField(L"2,40", 372, 114, 100, 30, list);
    s.surchargeCheck =
        createCheckbox(L"Applica maggiorazione crediti commerciali", 16, 154, 335, 24, list);
    createLabel(L"Maggiorazione (punti %)", 16, 189, 225, 22, list);
    s.surchargeEdit = createField(L"8,00", 243, 183, 100, 30, list);
    s.rateSourceButton = createFlatButton(rateSourceLabel().c_str(), 352, 183, 120, 30, idRateSource, &list, 0);
    static const MenuButtonSetting rateSource{L"Fonte del tasso", L""};
    markMenuButton(s.rateSourceButton, rateSource);
    showRateSourceInRateField();
    createLabel(L"Dal", 16, 230, 56, 22, list);
    s.interestFromEdit = createField(L"01/07/2026", 71, 225, 110, 30, list);
    installDateFieldProc(s.interestFromEdit);
    leaveTabOrder(createFlatButton(L"\u25a6", 182, 225, 24, 30, idCalendarInterestFrom, &list, 0));
    createLabel(L"Al", 219, 230, 32, 22, list);
    s.interestToEdit = createField(L"31/08/2026", 252, 225, 110, 30, list);
    installDateFieldProc(s.interestToEdit);
    leaveTabOrder(createFlatButton(L"\u25a6", 363, 225, 24, 30, idCalendarInterestTo, &list, 0));
    s.enterDaysCheck = createCheckbox(L"Inserisco i giorni", 16, 267, 181, 24, list);
    s.interestDaysEdit = createField(L"60", 206, 262, 77, 30, list);
    nameControl(s.interestDaysEdit, L"Giorni");
    s.revaluationCheck = added(createChild(L"BUTTON", L"Rivalutazione ISTAT", 300, 267, 170, 24, idRevaluation, BS_AUTOCHECKBOX), list);
    createFlatButton(L"CALCOLA INTERESSI", 16, 305, 170, 33, idCalculateInterest, &list, 1);
    s.interestResult = createResultField(L"Risultato: \u2014", 16, 349, 457, 28, list);
    createFlatButton(L"CONTEGGIO\u2026", 194, 305, 112, 33, idLedger, &list, 0);
    s.formulaButton =
        createFlatButton(L"MOSTRA FORMULA \u25be", 314, 305, 159, 33, idFormulaToggle, &list, 0);
    s.formulaEdit = added(createChild(L"EDIT", L"Formula dettagliata dopo il calcolo.", 16, 380, 456,
                                      62, 0, WS_VSCROLL | ES_READONLY | ES_MULTILINE),
                          list);
    ShowWindow(s.formulaEdit, SW_HIDE);
    nameControl(s.formulaEdit, L"Formula dettagliata");
    s.disclaimerLabel = createLabel(
        L"Stima indicativa: verificare tassi, decorrenza e disciplina applicabile.", 16, 393, 454,
        24, list);
}

void createSplitTab()
{
    MainWindowState& s = mainState;
    std::vector<HWND>& list = s.tabControls[tabSplit];
    createLabel(L"RIPARTIZIONE   \u2022   importi e percentuali automatici", 16, 88, 455, 23, list);
    createLabel(L"Importo totale (\u20ac)", 16, 123, 150, 22, list);
    s.splitTotalEdit = createField(L"1000", 164, 117, 145, 30, list);
    createLabel(L"Quote / pesi  (esempio: 40, 30, 30)", 16, 160, 440, 24, list);
    for (int i = 0; i < 6; ++i) {
        std::wstring caption = L"Quota " + std::to_wstring(i + 1);
        s.quotaLabels[i] = createLabel(caption.c_str(), 16, 191 + 34 * i, 95, 24, list);
        const wchar_t* weight = i == 0 ? L"40" : i <= 2 ? L"30" : L"0";
        s.quotaEdits[i] = createField(weight, 111, 184 + 34 * i, 120, 30, list);
    }
    createFlatButton(L"+ QUOTA", 253, 187, 101, 30, idAddQuota, &list, 0);
    createFlatButton(L"- QUOTA", 359, 187, 101, 30, idRemoveQuota, &list, 0);
    createFlatButton(L"RIPARTISCI", 253, 225, 207, 33, idSplit, &list, 1);
    createFlatButton(L"TABELLA\u2026", 253, 266, 207, 30, idSplitTable, &list, 0);
    s.splitResultEdit = added(createChild(L"EDIT", L"", 16, 305, 458, 80, 0,
                                          WS_VSCROLL | ES_READONLY | ES_MULTILINE),
                              list);
    setFont(s.splitResultEdit, s.smallFont);
    nameControl(s.splitResultEdit, L"Ripartizione");
}

void createOptionsTab()
{
    MainWindowState& s = mainState;
    std::vector<HWND>& list = s.tabControls[tabOptions];
    createLabel(L"Impostazioni locali  \u2022  solo italiano", 16, 94, 445, 25, list);
    createLabel(L"Aliquota IVA personalizzata (%)", 16, 139, 267, 22, list);
    s.vatSettingEdit = createField(L"22", 298, 133, 164, 31, list);
    createLabel(L"Cifre decimali (0\u20136)", 16, 186, 250, 24, list);
    s.decimalsSettingEdit = createField(L"2", 298, 179, 164, 31, list);
    createLabel(L"Festa patronale (gg/mm)", 16, 231, 270, 22, list);
    s.patronDayEdit = added(createChild(L"EDIT", L"", 298, 225, 164, 31, idPatronDay, WS_TABSTOP | ES_AUTOHSCROLL), list);
    s.keepTapeCheck = added(createChild(L"BUTTON", L"Conserva il nastro alla chiusura", 16, 268, 440, 24, idKeepTape,
                                        BS_AUTOCHECKBOX),
                            list);
    SendMessageW(s.keepTapeCheck, BM_SETCHECK, settings.keepTape ? BST_CHECKED : BST_UNCHECKED, 0);
    // F6's profile.
    createLabel(L"Cassa previdenziale", 16, 311, 270, 22, list);
    s.pickedInvoiceFund = static_cast<int>(settings.invoice.fund);
    s.invoiceFundButton = createFlatButton(invoiceFundLabel(s.pickedInvoiceFund).c_str(), 298, 305, 164, 31,
                                           idInvoiceFund, &list, 0);
    static const MenuButtonSetting invoiceFund{L"Cassa previdenziale", L""};
    markMenuButton(s.invoiceFundButton, invoiceFund);
    s.withholdingCheck = added(createChild(L"BUTTON", L"Ritenuta d'acconto 20%", 16, 344, 220, 24, idWithholding,
                                           BS_AUTOCHECKBOX),
                               list);
    s.flatRateCheck =
        added(createChild(L"BUTTON", L"Regime forfettario", 240, 344, 220, 24, idFlatRate, BS_AUTOCHECKBOX), list);
    SendMessageW(s.withholdingCheck, BM_SETCHECK, settings.invoice.withholding ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(s.flatRateCheck, BM_SETCHECK, settings.invoice.flatRate ? BST_CHECKED : BST_UNCHECKED, 0);
    createFlatButton(L"SALVA IMPOSTAZIONI", 16, 381, 210, 34, idSaveSettings, &list, 1);
    s.settingsStatus = createLabel(L"IVA selezionabile anche dal menu Calc.", 16, 438, 457, 29, list);
    SetWindowTextW(s.vatSettingEdit, formatNumber(settings.vatRate, 2).c_str());
    SetWindowTextW(s.decimalsSettingEdit, std::to_wstring(settings.decimals).c_str());
    SetWindowTextW(s.patronDayEdit, patronDayText(settings.patronDay).c_str());
}

//--- Results shown in full

namespace {

// Pixels at the window's scale back to 96-DPI pixels, rounded up.
int unscaled(int pixels) { return (pixels * designDpi + mainState.dpi - 1) / mainState.dpi; }

// The size a text takes in a control's font; `format` adds DT_SINGLELINE or
// DT_WORDBREAK at a given width.
SIZE textExtent(HWND control, const std::wstring& text, int width, UINT format)
{
    HDC dc = GetDC(control);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | format);
    SelectObject(dc, oldFont);
    ReleaseDC(control, dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// How much taller than designed a label must be to show its whole text,
// wrapped at its width, in 96-DPI pixels.
int labelGrowth(HWND label, int width, int height)
{
    const int needed = unscaled(textExtent(label, controlText(label), scaled(width), DT_WORDBREAK).cy);
    return std::max(0, needed - height);
}

// The interest result goes on one line when it fits, else on two at its
// separator: "Interessi: … €" over "Capitale + interessi: … €". A note (a
// rate past the table, a period over several half-years) keeps its own line
// after them.
const wchar_t* const resultLineBreak = L"\r\n";

void fitInterestResult(int width)
{
    HWND label = mainState.interestResult;
    const std::wstring text = controlText(label);
    size_t total = text.find(interestTotalLabel);
    if (total == std::wstring::npos) total = text.find(interestRevaluedTotalLabel);
    if (total == std::wstring::npos) return;
    const size_t noteAt = text.find(resultLineBreak, total);
    std::wstring oneLine = text.substr(0, noteAt);
    const size_t wrapped = oneLine.find(resultLineBreak);
    if (wrapped != std::wstring::npos) oneLine.replace(wrapped, 2, interestResultSeparator);
    const size_t separator = oneLine.find(interestResultSeparator);
    if (separator == std::wstring::npos) return;
    std::wstring fitted = oneLine;
    if (textExtent(label, oneLine, 0, DT_SINGLELINE).cx > scaled(width))
        fitted.replace(separator, wcslen(interestResultSeparator), resultLineBreak);
    if (noteAt != std::wstring::npos) fitted += text.substr(noteAt);
    if (fitted != text) SetWindowTextW(label, fitted.c_str());
}

// How much taller than designed a read-only multi-line field must be to show
// every line without scrolling, in 96-DPI pixels.
int fieldGrowth(HWND field, int height)
{
    RECT format;
    SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int text = textExtent(field, controlText(field), format.right - format.left,
                                DT_WORDBREAK | DT_EDITCONTROL).cy;
    RECT outer;
    GetWindowRect(field, &outer);
    const int frame = (outer.bottom - outer.top) - (format.bottom - format.top);
    return std::max(0, unscaled(text + frame) - height);
}

} // namespace

namespace {

bool isCalcControl(HWND control)
{
    const MainWindowState& s = mainState;
    const auto& calc = s.tabControls[tabCalc];
    return std::find(calc.begin(), calc.end(), control) != calc.end() ||
           std::find(s.keypadControls.begin(), s.keypadControls.end(), control) != s.keypadControls.end();
}

} // namespace

int calcHeight()
{
    const MainWindowState& s = mainState;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    int tallest = settings.calcHeight;
    if (s.mainWindow && GetMonitorInfoW(MonitorFromWindow(s.mainWindow, MONITOR_DEFAULTTONEAREST), &monitor))
        tallest = MulDiv(monitor.rcWork.bottom - monitor.rcWork.top, designDpi, s.dpi) - (s.keypadVisible ? keypadHeight : 0);
    return std::max(shortestCalcHeight, std::min(settings.calcHeight, tallest));
}

// The tab's own placements and its outer height at 96 DPI. A result that
// needs more lines than its place holds pushes what is below it down and
// makes the window taller; otherwise everything stands where it was designed.
int placeTabControls(int n)
{
    MainWindowState& s = mainState;
    switch (n) {
    case tabCalc: {
        // A taller CALC gives the room to the tape; what is below it keeps
        // its place relative to the bottom edge.
        const int height = calcHeight(), grow = height - shortestCalcHeight;
        if (grow != s.calcGrowPlaced || s.dpi != s.calcGrowDpi) {
            for (const ControlPlace& p : s.controlPlaces)
                if (p.y >= 222 && isCalcControl(p.control))
                    placeScaled(p.control, p.x, p.y + grow, p.width, p.height, s.dpi);
            placeScaled(s.tapeList, 14, 121, 462, 98 + grow, s.dpi);
            s.calcGrowPlaced = grow;
            s.calcGrowDpi = s.dpi;
        }
        return height + (s.keypadVisible ? keypadHeight : 0);
    }
    case tabDate: {
        const int grow = labelGrowth(s.dateResult, 454, 35);
        placeScaled(s.dateResult, 16, 314, 454, 35 + grow, s.dpi);
        return 405 + grow;
    }
    case tabInterest: {
        fitInterestResult(457);
        const int grow = labelGrowth(s.interestResult, 457, 28);
        placeScaled(s.interestResult, 16, 349, 457, 28 + grow, s.dpi);
        placeScaled(s.formulaEdit, 16, 380 + grow, 456, 62, s.dpi);
        placeScaled(s.disclaimerLabel, 16, (s.formulaVisible ? 450 : 385) + grow, 454, 35, s.dpi);
        return (s.formulaVisible ? 530 : 465) + grow;
    }
    case tabSplit: {
        int extra = 34 * (s.visibleQuotaRows - 1);
        const int top = std::max(303, 226 + extra);
        placeScaled(s.splitResultEdit, 16, top, 458, 83, s.dpi);
        const int grow = fieldGrowth(s.splitResultEdit, 83);
        if (grow) placeScaled(s.splitResultEdit, 16, top, 458, 83 + grow, s.dpi);
        return std::max(455, 364 + extra) + grow;
    }
    default: {
        const int grow = labelGrowth(s.settingsStatus, 457, 29);
        placeScaled(s.settingsStatus, 16, 438, 457, 29 + grow, s.dpi);
        return 507 + grow;
    }
    }
}
