// The window of an act's terms needs Win32 for its class, its controls, their
// layout as it is sized, the clipboard, printing, the calendar file and the
// kept place.
#include "dates/act_terms_win.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/accessible_win.h"
#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/dpi_win.h"
#include "app/main_window_win.h"
#include "app/program_windows_win.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "calc/calculator_win.h"
#include "calc/printing_win.h"
#include "dates/act_terms.h"
#include "dates/calendar_export_win.h"
#include "dates/date_fields_win.h"
#include "text/lines.h"

const wchar_t* const actTermsWindowClassName = L"ZentoloTerminiV08";

namespace {

enum ActTermsControl {
    idAct = 801,
    idActDate = 802,
    idServed = 803,
    idActOption = 804,
    idActCase = 805,
    idCalculateTerms = 806,
    idTermsList = 807,
    idCopyTerms = 808,
    idTermsCalendar = 809,
    idPrintTerms = 810,
    idCloseTerms = 811,
    idDecreeDays = 812,
    idCalendarActDate = 813,
    idCalendarServed = 814,
};

HWND termsWindow = nullptr;

struct ActTermsWindow {
    ToolWindow tool;
    Act act = Act::firstHearing;
    ActTermsOutcome outcome;  // the last list, or its message
    HWND dateLabel = nullptr, servedLabel = nullptr, daysLabel = nullptr, caseLabel = nullptr, actLabel = nullptr;
};

ActTermsWindow* stateOf(HWND window)
{
    return reinterpret_cast<ActTermsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The smallest client area at 96 DPI, and the one it opens with.
constexpr int minClientWidth = 500, minClientHeight = 400;
constexpr int openClientWidth = 720, openClientHeight = 480;

const MenuButtonSetting actSetting{L"Atto", L""};

HWND control(HWND window, int id) { return GetDlgItem(window, id); }

std::wstring actCaption(Act act) { return std::wstring(actChoice(act)) + L"  \u25be"; }

void layOut(HWND window)
{
    ActTermsWindow* w = stateOf(window);
    if (!w) return;
    RECT rc;
    GetClientRect(window, &rc);
    const int dpi = w->tool.dpi;
    const int width = MulDiv(rc.right, designDpi, dpi), height = MulDiv(rc.bottom, designDpi, dpi);
    auto place = [&](HWND c, int x, int y, int cx, int cy) { placeScaled(c, x, y, cx, cy, dpi); };
    int label = 60;  // the first column's labels, whatever the font
    for (HWND l : {w->actLabel, w->dateLabel, w->daysLabel, w->caseLabel}) label = std::max(label, labelWidth(l, dpi));
    const int field = 12 + label + 4, inner = width - 12 - field;
    place(w->actLabel, 12, 15, label, 22);
    place(control(window, idAct), field, 10, inner, 30);
    place(w->dateLabel, 12, 53, label, 22);
    place(control(window, idActDate), field, 48, 110, 30);
    place(control(window, idCalendarActDate), field + 111, 48, 24, 30);
    const int servedAt = field + 150, servedLabel = labelWidth(w->servedLabel, dpi);
    place(w->servedLabel, servedAt, 53, servedLabel, 22);
    place(control(window, idServed), servedAt + servedLabel + 4, 48, 110, 30);
    place(control(window, idCalendarServed), servedAt + servedLabel + 115, 48, 24, 30);
    place(control(window, idActOption), 12, 90, inner + field - 12, 24);
    place(w->daysLabel, 12, 91, label, 22);
    place(control(window, idDecreeDays), field, 86, 80, 30);
    place(w->caseLabel, 12, 129, label, 22);
    place(control(window, idActCase), field, 124, inner - 140, 30);
    place(control(window, idCalculateTerms), width - 12 - 130, 123, 130, 32);
    placeProspectAndButtons(window, w->tool, 166, width, height);
}

// The controls the act reads are shown; the others hidden, and left out of the tab order.
void showActControls(HWND window, Act act)
{
    ActTermsWindow* w = stateOf(window);
    SetWindowTextW(control(window, idAct), actCaption(act).c_str());
    const wchar_t* option = actOption(act);
    if (option) SetWindowTextW(control(window, idActOption), option);
    const std::pair<HWND, bool> shown[] = {
        {control(window, idActOption), option != nullptr},   {w->servedLabel, actTakesService(act)},
        {control(window, idServed), actTakesService(act)},    {control(window, idCalendarServed), actTakesService(act)},
        {w->daysLabel, actTakesDays(act)},                    {control(window, idDecreeDays), actTakesDays(act)},
    };
    for (const auto& [c, show] : shown) ShowWindow(c, show ? SW_SHOW : SW_HIDE);
}

void onCreate(HWND window)
{
    auto* w = new ActTermsWindow;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    w->tool = ToolWindow{windowDpi(window), nullptr, idActDate, idTermsList, minClientWidth, minClientHeight, layOut,
                         saveActTermsPlace, 0, L"", 0, std::nullopt,
                         {L"COPIA", L"CALENDARIO\u2026", L"STAMPA", L"CHIUDI"}};
    takeToolWindowScale(window, w->tool.font, w->tool.dpi);
    // In tab order: the labels stand before the controls they name.
    w->actLabel = createChildIn(window, L"STATIC", L"Atto", -1, 0);
    HWND act = createButton(window, actCaption(w->act).c_str(), 0, 0, 300, 30, idAct, 0, w->tool.font);
    markMenuButton(act, actSetting);
    w->dateLabel = createChildIn(window, L"STATIC", L"Data", -1, 0);
    HWND date = createChildIn(window, L"EDIT", L"", idActDate, WS_TABSTOP | ES_AUTOHSCROLL);
    nameControl(date, L"Data");
    HWND dateButton = createButton(window, L"\u25a6", 0, 0, 24, 30, idCalendarActDate, 0, w->tool.font);
    w->servedLabel = createChildIn(window, L"STATIC", L"Notificata il", -1, 0);
    HWND served = createChildIn(window, L"EDIT", L"", idServed, WS_TABSTOP | ES_AUTOHSCROLL);
    nameControl(served, L"Notificata il");
    HWND servedButton = createButton(window, L"\u25a6", 0, 0, 24, 30, idCalendarServed, 0, w->tool.font);
    for (HWND b : {dateButton, servedButton}) SetWindowLongW(b, GWL_STYLE, GetWindowLongW(b, GWL_STYLE) & ~WS_TABSTOP);
    installDateFieldProc(date, idCalculateTerms, dateButton);
    installDateFieldProc(served, idCalculateTerms, servedButton);
    createChildIn(window, L"BUTTON", L"", idActOption, WS_TABSTOP | BS_AUTOCHECKBOX);
    w->daysLabel = createChildIn(window, L"STATIC", L"Giorni", -1, 0);
    HWND days = createChildIn(window, L"EDIT", L"40", idDecreeDays, WS_TABSTOP | ES_AUTOHSCROLL);
    SendMessageW(days, EM_SETLIMITTEXT, 20, 0);
    nameControl(days, L"Giorni");
    w->caseLabel = createChildIn(window, L"STATIC", L"Pratica", -1, 0);
    HWND caseField = createChildIn(window, L"EDIT", L"", idActCase, WS_TABSTOP | ES_AUTOHSCROLL);
    SendMessageW(caseField, EM_SETLIMITTEXT, 200, 0);
    nameControl(caseField, L"Pratica");
    createButton(window, L"CALCOLA", 0, 0, 130, 32, idCalculateTerms, 1, w->tool.font);
    finishToolWindow(window, w->tool);
    nameControl(control(window, idTermsList), L"Termini");
    showActControls(window, w->act);
}

ActTermsInput inputOf(HWND window, Act act)
{
    ActTermsInput in;
    in.act = act;
    in.dateText = controlText(control(window, idActDate));
    in.servedText = controlText(control(window, idServed));
    in.daysText = controlText(control(window, idDecreeDays));
    in.caseText = controlText(control(window, idActCase));
    in.option = actOption(act) && isChecked(control(window, idActOption));
    in.rule = settings.deadlineRule;
    in.patron = settings.patronDay;
    in.today = todayDate();
    return in;
}

// Computes the list from the fields and shows it, or the message in its place.
const ActTermsOutcome& calculateTerms(HWND window)
{
    ActTermsWindow* w = stateOf(window);
    normaliseDateField(control(window, idActDate));
    normaliseDateField(control(window, idServed));
    w->outcome = computeActTerms(inputOf(window, w->act));
    HWND list = control(window, idTermsList);
    SetWindowTextW(list, w->outcome.text.c_str());
    InvalidateRect(list, nullptr, TRUE);  // Wine leaves a line half painted after a menu
    return w->outcome;
}

void chooseAct(HWND window)
{
    ActTermsWindow* w = stateOf(window);
    const wchar_t* choices[actCount];
    for (int i = 0; i < actCount; ++i) choices[i] = actChoice(static_cast<Act>(i));
    const int picked = pickFromButtonMenu(control(window, idAct), choices, actCount, static_cast<int>(w->act),
                                          menuActFirst);
    if (picked < 0) return;
    w->act = static_cast<Act>(picked);
    showActControls(window, w->act);
    if (w->outcome.ok) calculateTerms(window);
}

// "Pratica: …" heads every printed page after the first.
void printTerms(HWND window)
{
    const ActTermsOutcome& out = calculateTerms(window);
    if (!out.ok) return;
    const std::wstring caseText = trimmedText(controlText(control(window, idActCase)));
    printPlainText(out.copyText, L"Zentolo - Termini di un atto", window,
                   caseText.empty() ? L"" : L"Pratica: " + caseText);
}

void saveToCalendar(HWND window)
{
    const ActTermsOutcome& out = calculateTerms(window);
    if (!out.ok) return;
    exportToCalendar(actTermsEvents(out, controlText(control(window, idActCase))),
                     calendarFileName(dayNumberToDate(out.actDay), L"termini"), window);
}

bool onCommand(HWND window, int id)
{
    ActTermsWindow* w = stateOf(window);
    switch (id) {
    case idAct:
        chooseAct(window);
        return true;
    case idCalculateTerms:
        calculateTerms(window);
        return true;
    case idCopyTerms: {
        const ActTermsOutcome& out = calculateTerms(window);
        copyTextToClipboard(out.ok ? out.copyText : out.text);
        return true;
    }
    case idTermsCalendar:
        saveToCalendar(window);
        return true;
    case idPrintTerms:
        printTerms(window);
        return true;
    case idCloseTerms:
        DestroyWindow(window);
        return true;
    case idCalendarActDate:
    case idCalendarServed:
        openCalendarPopup(control(window, id == idCalendarActDate ? idActDate : idServed), control(window, id));
        return true;
    case idActOption:
        if (w->outcome.ok) calculateTerms(window);
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK actTermsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ActTermsWindow* w = stateOf(window);
    LRESULT result = 0;
    if (w && onToolWindowMessage(window, w->tool, message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_CREATE:
        onCreate(window);
        return 0;
    case WM_COMMAND:
        if (w && onCommand(window, LOWORD(wParam))) return 0;
        break;
    case copyWholeProspect:
        if (w) copyTextToClipboard(w->outcome.ok ? w->outcome.copyText : w->outcome.text);
        return 0;
    case WM_DESTROY:
        if (termsWindow == window) termsWindow = nullptr;
        break;
    case WM_NCDESTROY:
        delete w;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void openActTermsWindow()
{
    if (termsWindow) return bringToolWindowForward(termsWindow);
    termsWindow = createToolWindow(actTermsWindowClassName, actTermsProc, L"Termini di un atto", settings.actTermsPlace,
                                   openClientWidth, openClientHeight);
    if (!termsWindow) return;
    ShowWindow(termsWindow, SW_SHOW);
    UpdateWindow(termsWindow);
    SetFocus(control(termsWindow, idActDate));
}

bool onActTermsWindowKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !msg.hwnd || !termsWindow) return false;
    if (msg.hwnd != termsWindow && !IsChild(termsWindow, msg.hwnd)) return false;
    const HWND window = termsWindow;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    const int id = GetDlgCtrlID(msg.hwnd);
    switch (msg.wParam) {
    case VK_TAB:
        if (ctrl) return false;
        if (HWND next = GetNextDlgTabItem(window, GetFocus(), shift)) {
            SetFocus(next);
            if (GetDlgCtrlID(next) != idTermsList) SendMessageW(next, EM_SETSEL, 0, -1);
        }
        return true;
    case VK_RETURN:
        // A button presses itself; a date field sends CALCOLA itself.
        if (id != idActCase && id != idDecreeDays && id != idActOption && id != idTermsList) return false;
        if (!(msg.lParam & (1 << 30))) calculateTerms(window);
        return true;
    case VK_DECIMAL:
        if (!isDateField(msg.hwnd)) break;
        SendMessageW(msg.hwnd, WM_CHAR, L'/', msg.lParam);
        return true;
    }
    const ActTermsWindow* w = stateOf(window);
    return w && onToolWindowKey(window, w->tool, msg, {});
}

bool saveActTermsCalendar(const std::wstring& path, std::wstring& error)
{
    if (!termsWindow) return false;
    const ActTermsOutcome& out = calculateTerms(termsWindow);
    if (!out.ok) {
        error = out.text;
        return false;
    }
    return writeCalendar(actTermsEvents(out, controlText(control(termsWindow, idActCase))), path, error);
}
