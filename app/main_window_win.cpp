// The main window needs Win32 for its controls, painting and colours.
#include "app/main_window_win.h"

#include <algorithm>
#include <string>

#include "app/accessible_win.h"
#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/dpi_win.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "app/startup_trace_win.h"
#include "calc/calculator_win.h"
#include "calc/vat_win.h"
#include "dates/date_fields_win.h"
#include "calc/numtext.h"

const wchar_t* const mainClassName = L"FerlanZentoloV063";
const wchar_t* const mainWindowTitle = L"Zentolo by Ferlan | Vessilo 1.0 RC1";

MainWindowState mainState;

int placeTabControls(int n);

namespace {

const COLORREF windowColour = RGB(33, 43, 53);
const COLORREF fieldColour = RGB(53, 68, 80);
const COLORREF brightText = RGB(248, 250, 251);
const COLORREF labelText = RGB(190, 212, 225);

HFONT createUiFont(int height, int weight)
{
    return CreateFontW(-scaled(-height), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI");
}

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
        createButton(mainState.mainWindow, text, x, y, width, height, id, accent, !creatingHidden);
    if (button && list) list->push_back(button);
    if (button) mainState.controlPlaces.push_back({button, x, y, width, height});
    takeCreationPlace(button);
    return button;
}

HWND added(HWND control, std::vector<HWND>& list)
{
    list.push_back(control);
    return control;
}

//--- The controls, tab by tab, in Tab-key order

void createHeader()
{
    MainWindowState& s = mainState;
    s.headerTitle = createChild(L"STATIC", L"ZENTOLO   by Ferlan", 41, 10, 334, 24, 0, 0);
    setFont(s.headerTitle, s.headingFont);
    createFlatButton(L"\u2014", 404, 5, 34, 27, idMinimise, nullptr, 0);
    createFlatButton(L"\u00d7", 442, 5, 34, 27, idClose, nullptr, 0);
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
    s.vatRateButton = createFlatButton(L"IVA 22%  \u25be", 14, 82, 111, 31, idVatRate, &list, 0);
    createFlatButton(L"+ IVA", 130, 82, 106, 31, idAddVat, &list, 1);
    createFlatButton(L"- IVA", 241, 82, 105, 31, idRemoveVat, &list, 0);
    createFlatButton(L"Solo IVA", 351, 82, 125, 31, idVatOnly, &list, 0);
    s.tapeList = added(createChild(L"LISTBOX", L"", 14, 121, 462, 98, idTape,
                                   WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT),
                       list);
    s.display = added(createChild(L"STATIC", L"0,00", 14, 222, 462, 42, idDisplay, SS_RIGHT), list);
    setFont(s.display, s.displayFont);
    s.inputEdit = added(createChild(L"EDIT", L"", 14, 269, 462, 29, idInput,
                                    WS_TABSTOP | ES_AUTOHSCROLL),
                        list);
    installInputEditProc(s.inputEdit);
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
    static const wchar_t* const captions[16] = {L"7", L"8", L"9", L"/", L"4", L"5", L"6", L"*",
                                                L"1", L"2", L"3", L"-", L"0", L",", L"\u232b", L"+"};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            int k = 4 * row + column;
            createFlatButton(captions[k], 14 + 117 * column, 350 + 37 * row, 110, 32,
                             idKeypadFirst + k, &mainState.keypadControls, 0);
        }
}

void createDateTab()
{
    MainWindowState& s = mainState;
    std::vector<HWND>& list = s.tabControls[tabDate];
    createLabel(L"Date rapide: 131066 = 13/10/1966  \u2022  oppure calendario", 16, 91, 455, 22, list);
    createLabel(L"Dal", 16, 129, 53, 23, list);
    s.dateFromEdit = createField(L"21/11/2026", 69, 124, 110, 28, list);
    installDateFieldProc(s.dateFromEdit);
    createFlatButton(L"\u25a6", 180, 124, 24, 28, idCalendarDateFrom, &list, 0);
    createLabel(L"Al", 210, 129, 29, 23, list);
    s.dateToEdit = createField(L"31/12/2026", 241, 124, 110, 28, list);
    installDateFieldProc(s.dateToEdit);
    createFlatButton(L"\u25a6", 352, 124, 24, 28, idCalendarDateTo, &list, 0);
    s.addDaysCheck = createCheckbox(L"Aggiungi giorni anzich\u00e9 differenza", 16, 161, 345, 24, list);
    s.includeStartCheck = createCheckbox(L"Includi data iniziale", 16, 194, 230, 25, list);
    createLabel(L"Giorni", 16, 235, 65, 22, list);
    s.dateDaysEdit = createField(L"60", 83, 229, 85, 28, list);
    s.endOfMonthCheck = createCheckbox(L"Fine mese", 190, 231, 148, 25, list);
    createFlatButton(L"CALCOLA DATE", 16, 272, 145, 31, idCalculateDates, &list, 1);
    createFlatButton(L"VERIFICA GIORNI", 169, 272, 161, 31, idVerifyDays, &list, 0);
    s.dateResult = createLabel(L"Risultato: \u2014", 16, 314, 454, 35, list);
    setFont(s.dateResult, s.headingFont);
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
    createLabel(L"Dal", 16, 230, 56, 22, list);
    s.interestFromEdit = createField(L"01/07/2026", 71, 225, 110, 30, list);
    installDateFieldProc(s.interestFromEdit);
    createFlatButton(L"\u25a6", 182, 225, 24, 30, idCalendarInterestFrom, &list, 0);
    createLabel(L"Al", 219, 230, 32, 22, list);
    s.interestToEdit = createField(L"31/08/2026", 252, 225, 110, 30, list);
    installDateFieldProc(s.interestToEdit);
    createFlatButton(L"\u25a6", 363, 225, 24, 30, idCalendarInterestTo, &list, 0);
    s.enterDaysCheck = createCheckbox(L"Inserisco i giorni", 16, 267, 181, 24, list);
    s.interestDaysEdit = createField(L"60", 206, 262, 77, 30, list);
    nameControl(s.interestDaysEdit, L"Giorni");
    createFlatButton(L"CALCOLA INTERESSI", 16, 305, 192, 33, idCalculateInterest, &list, 1);
    s.interestResult = createLabel(L"Risultato: \u2014", 16, 349, 457, 28, list);
    setFont(s.interestResult, s.headingFont);
    s.formulaButton =
        createFlatButton(L"MOSTRA FORMULA \u25be", 255, 305, 206, 33, idFormulaToggle, &list, 0);
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
    createFlatButton(L"SALVA IMPOSTAZIONI", 16, 239, 210, 34, idSaveSettings, &list, 1);
    s.settingsStatus = createLabel(L"IVA selezionabile anche dal menu Calc.", 16, 296, 457, 29, list);
    SetWindowTextW(s.vatSettingEdit, formatNumber(settings.vatRate, 2).c_str());
    SetWindowTextW(s.decimalsSettingEdit, std::to_wstring(settings.decimals).c_str());
}

//--- Building the tabs

// The keypad is built like a tab, between CALC and DATE.
constexpr int groupKeypad = 5;
constexpr int groupOrder[6] = {tabCalc, groupKeypad, tabDate, tabInterest, tabSplit, tabOptions};

const std::vector<HWND>& groupControls(int group)
{
    return group == groupKeypad ? mainState.keypadControls : mainState.tabControls[group];
}

int orderOf(int group) { return static_cast<int>(std::find(groupOrder, groupOrder + 6, group) - groupOrder); }

// Where a group's controls go in the creation order: after the last control
// of the nearest earlier group that exists, or at the end when no later one does.
HWND creationPlaceOf(int group)
{
    const MainWindowState& s = mainState;
    bool laterBuilt = false;
    for (int k = orderOf(group) + 1; k < 6; ++k) laterBuilt = laterBuilt || s.groupBuilt[groupOrder[k]];
    if (!laterBuilt) return nullptr;
    for (int k = orderOf(group) - 1; k >= 0; --k)
        if (s.groupBuilt[groupOrder[k]] && !groupControls(groupOrder[k]).empty())
            return groupControls(groupOrder[k]).back();
    return s.tabButtons[4];
}

void buildGroup(int group)
{
    MainWindowState& s = mainState;
    if (group < 0 || group > 5 || s.groupBuilt[group] || !s.mainWindow) return;
    insertAfter = creationPlaceOf(group);
    creatingHidden = group != tabCalc;  // CALC is the tab shown at start
    s.groupBuilt[group] = true;
    switch (group) {
    case tabCalc: createCalcTab(); break;
    case tabDate: createDateTab(); break;
    case tabInterest: createInterestTab(); break;
    case tabSplit: createSplitTab(); break;
    case tabOptions: createOptionsTab(); break;
    default: createKeypad(); break;
    }
    insertAfter = nullptr;
    creatingHidden = false;
}

//--- Message handlers

void createFonts()
{
    MainWindowState& s = mainState;
    s.bodyFont = createUiFont(-15, 400);
    s.headingFont = createUiFont(-16, 600);
    s.displayFont = createUiFont(-34, 700);
    s.smallFont = createUiFont(-13, 400);
    buttonFont = s.bodyFont;
}

// Every window of the thread (the main window's controls, the report
// windows) that uses one of the old fonts gets its new counterpart.
BOOL CALLBACK swapFontOfChild(HWND control, LPARAM swaps)
{
    auto* pairs = reinterpret_cast<const std::pair<HFONT, HFONT>*>(swaps);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    for (int i = 0; i < 4; ++i)
        if (font && font == pairs[i].first) setFont(control, pairs[i].second);
    return TRUE;
}

BOOL CALLBACK swapFontsOfWindow(HWND window, LPARAM swaps)
{
    EnumChildWindows(window, swapFontOfChild, swaps);
    InvalidateRect(window, nullptr, TRUE);
    return TRUE;
}

void replaceFonts()
{
    MainWindowState& s = mainState;
    std::pair<HFONT, HFONT> swaps[4] = {{s.bodyFont, nullptr}, {s.headingFont, nullptr},
                                        {s.displayFont, nullptr}, {s.smallFont, nullptr}};
    createFonts();
    swaps[0].second = s.bodyFont;
    swaps[1].second = s.headingFont;
    swaps[2].second = s.displayFont;
    swaps[3].second = s.smallFont;
    EnumThreadWindows(GetCurrentThreadId(), swapFontsOfWindow, reinterpret_cast<LPARAM>(swaps));
    for (auto& swap : swaps) DeleteObject(swap.first);
}

// The window moved to a display of another scale: new fonts, the suggested
// rectangle, every control at its place for the new scale. The tab, the
// texts, the focus and the tape stay as they are.
void onDpiChanged(HWND window, int dpi, const RECT& suggested)
{
    MainWindowState& s = mainState;
    s.dpi = dpi;
    replaceFonts();
    for (const ControlPlace& p : s.controlPlaces)
        placeScaled(p.control, p.x, p.y, p.width, p.height, dpi);
    placeTabControls(s.currentTab);
    s.windowHeight = suggested.bottom - suggested.top;
    takeSuggestedRect(window, suggested);
}

void onCreate(HWND window)
{
    MainWindowState& s = mainState;
    s.mainWindow = window;
    s.dpi = windowDpi(window);
    s.windowBrush = CreateSolidBrush(windowColour);
    s.fieldBrush = CreateSolidBrush(fieldColour);
    createFonts();
    startupStamp("brushes and fonts");
    loadSettings();
    startupStamp("settings loaded");

    // The header and CALC now; the keypad and the other tabs when first
    // shown, or earlier while the program waits for input.
    createHeader();
    buildGroup(tabCalc);
    refreshVatLabel();
    startupStamp("header and CALC built");
    switchTab(tabCalc);
    startupStamp("CALC shown");
}

template <typename Handle> void deleteObject(Handle& object)
{
    DeleteObject(object);
    object = nullptr;
}

void onDestroy()
{
    MainWindowState& s = mainState;
    deleteObject(s.windowBrush);
    deleteObject(s.fieldBrush);
    deleteObject(s.bodyFont);
    deleteObject(s.headingFont);
    deleteObject(s.displayFont);
    deleteObject(s.smallFont);
    buttonFont = nullptr;
    PostQuitMessage(0);
}

// The header strip left of the minimise button drags the frameless window.
LRESULT onNcHitTest(HWND window, WPARAM wParam, LPARAM lParam)
{
    LRESULT hit = DefWindowProcW(window, WM_NCHITTEST, wParam, lParam);
    if (hit != HTCLIENT) return hit;
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(window, &pt);
    return (pt.y <= scaled(34) && pt.x <= scaled(392)) ? HTCAPTION : hit;
}

LRESULT onControlColour(UINT message, HDC hdc, HWND control)
{
    MainWindowState& s = mainState;
    if (message == WM_CTLCOLORSTATIC) {
        SetBkColor(hdc, windowColour);
        SetTextColor(hdc, control == s.display ? brightText : labelText);
        return reinterpret_cast<LRESULT>(s.windowBrush);
    }
    SetBkColor(hdc, fieldColour);
    SetTextColor(hdc, brightText);
    return reinterpret_cast<LRESULT>(s.fieldBrush);
}

void onEraseBackground(HWND window, HDC hdc)
{
    RECT rc;
    GetClientRect(window, &rc);
    FillRect(hdc, &rc, mainState.windowBrush);
}

void showAll(const std::vector<HWND>& controls, bool show)
{
    for (HWND c : controls) ShowWindow(c, show ? SW_SHOW : SW_HIDE);
}

} // namespace

std::wstring controlText(HWND control)
{
    int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(control, &text[0], length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

bool listBoxLine(HWND list, int index, std::wstring& line)
{
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return false;
    line.assign(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line[0]));
    line.resize(static_cast<size_t>(length));
    return true;
}

bool isTabButton(HWND button)
{
    return button && std::find(std::begin(mainState.tabButtons), std::end(mainState.tabButtons),
                                button) != std::end(mainState.tabButtons);
}

bool isChecked(HWND check) { return SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void paintMainWindow(HDC hdc)
{
    RECT logo{scaled(15), scaled(11), scaled(34), scaled(29)};
    TRIVERTEX vertices[2] = {};
    vertices[0].x = logo.left;
    vertices[0].y = logo.top;
    vertices[0].Red = 208 << 8;
    vertices[0].Green = 230 << 8;
    vertices[0].Blue = 246 << 8;
    vertices[1].x = logo.right;
    vertices[1].y = logo.bottom;
    vertices[1].Red = 101 << 8;
    vertices[1].Green = 134 << 8;
    vertices[1].Blue = 164 << 8;
    GRADIENT_RECT mesh{0, 1};
    GdiGradientFill(hdc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_V);  // what msimg32 forwards to

    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(15, 29, 40));
    HGDIOBJ oldFont = SelectObject(hdc, mainState.smallFont);
    DrawTextW(hdc, L"\u25a6", -1, &logo, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(hdc, oldFont);
}

// The tab's own placements and its outer height at 96 DPI.
int placeTabControls(int n)
{
    MainWindowState& s = mainState;
    switch (n) {
    case tabCalc:
        return s.keypadVisible ? 555 : 390;
    case tabDate:
        return 405;
    case tabInterest:
        placeScaled(s.disclaimerLabel, 16, s.formulaVisible ? 450 : 385, 454, 35, s.dpi);
        return s.formulaVisible ? 530 : 465;
    case tabSplit: {
        int extra = 34 * (s.visibleQuotaRows - 1);
        placeScaled(s.splitResultEdit, 16, std::max(303, 226 + extra), 458, 83, s.dpi);
        return std::max(455, 364 + extra);
    }
    default:
        return 365;
    }
}

bool buildNextTab()
{
    for (int group : groupOrder)
        if (!mainState.groupBuilt[group]) {
            buildGroup(group);
            return true;
        }
    return false;
}

namespace {

// What a shown tab shows of its own list: hidden weight rows and a hidden
// formula stay hidden.
bool shownWithItsTab(HWND control)
{
    const MainWindowState& s = mainState;
    if (control == s.formulaEdit) return s.formulaVisible;
    for (int k = s.visibleQuotaRows; k < 6; ++k)
        if (control == s.quotaLabels[k] || control == s.quotaEdits[k]) return false;
    return true;
}

void showTabControls(int n, int previous)
{
    MainWindowState& s = mainState;
    if (previous != n && previous >= 0 && previous < 5) showAll(s.tabControls[previous], false);
    for (HWND c : s.tabControls[n]) ShowWindow(c, shownWithItsTab(c) ? SW_SHOW : SW_HIDE);
    if (s.groupBuilt[groupKeypad]) showAll(s.keypadControls, n == tabCalc && s.keypadVisible);
}

} // namespace

void switchTab(int n)
{
    MainWindowState& s = mainState;
    if (n < 0 || n > 4) return;
    closeCalendarPopup();
    buildGroup(n);
    if (n == tabCalc && s.keypadVisible) buildGroup(groupKeypad);

    // Nothing is drawn while the tab changes; it is drawn once, whole, after.
    const bool drawn = IsWindowVisible(s.mainWindow) != FALSE;
    if (drawn) SendMessageW(s.mainWindow, WM_SETREDRAW, FALSE, 0);
    bool restyled[5] = {};
    for (int i = 0; i < 5; ++i) {
        int& accent = buttonAccent[s.tabButtons[i]];
        const int selected = i == n ? 1 : 0;
        restyled[i] = accent != selected;
        if (restyled[i]) notifyButtonEvent(s.tabButtons[i], EVENT_OBJECT_STATECHANGE);
        accent = selected;
        InvalidateRect(s.tabButtons[i], nullptr, TRUE);
    }
    showTabControls(n, s.currentTab);
    s.currentTab = n;

    const HWND focus[5] = {s.inputEdit, s.dateFromEdit, s.capitalEdit, s.splitTotalEdit,
                           s.vatSettingEdit};
    s.windowHeight = scaled(placeTabControls(n));
    // Resized with drawing on, so that the window keeps what it shows above.
    if (drawn) SendMessageW(s.mainWindow, WM_SETREDRAW, TRUE, 0);
    SetWindowPos(s.mainWindow, nullptr, 0, 0, scaled(mainWindowWidth), s.windowHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (drawn) {
        // Drawn again: the two restyled tab buttons, and everything below the
        // tab strip with the window's border around it. The header stays.
        RECT body;
        GetClientRect(s.mainWindow, &body);
        InflateRect(&body, scaled(8), scaled(8));
        body.top = scaled(74);
        RedrawWindow(s.mainWindow, &body, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
        for (int i = 0; i < 5; ++i)
            if (restyled[i]) RedrawWindow(s.tabButtons[i], nullptr, nullptr, RDW_INVALIDATE);
        SetFocus(focus[n]);
    } else {
        // Focusing a child of the hidden window would activate it before it
        // is shown; the focus goes there when the window is first activated.
        InvalidateRect(s.mainWindow, nullptr, TRUE);
        s.pendingFocus = focus[n];
    }
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate(window);
        return 0;
    case WM_ERASEBKGND:
        onEraseBackground(window, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(window, &ps);
        paintMainWindow(hdc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        onEraseBackground(window, reinterpret_cast<HDC>(wParam));
        paintMainWindow(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        return onControlColour(message, reinterpret_cast<HDC>(wParam),
                               reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        if (onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && mainState.pendingFocus) {
            DefWindowProcW(window, message, wParam, lParam);
            SetFocus(mainState.pendingFocus);
            mainState.pendingFocus = nullptr;
            return 0;
        }
        break;
    case WM_NCHITTEST:
        return onNcHitTest(window, wParam, lParam);
    case WM_DPICHANGED:
        onDpiChanged(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
