// The report window needs Win32 for its class, painting, dragging, the
// clipboard, printing and the message boxes.
#include "dates/day_window_win.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "app/accessible_win.h"
#include "app/button_win.h"
#include "app/dpi_win.h"
#include "app/main_window_win.h"
#include "calc/calculator_win.h"
#include "calc/printing_win.h"
#include "dates/calendar_export_win.h"
#include "dates/day_report.h"

const wchar_t* const dayWindowClassName = L"ZentoloDayDetailV062";

namespace {

bool dayWindowClassRegistered = false;

enum DayWindowControl {
    idReport = 1,
    idCopyReport = 2,
    idPrintReport = 3,
    idCloseReport = 4,
    idCalendarExport = 5,  // "CALENDARIO…", for a deadline
    idHeaderClose = 6
};

// What a report window owns: its own copy of the report, and the scale and
// fonts of the monitor it is on, which need not be the main window's.
struct DayWindow {
    std::wstring text;
    const DayWindowTitle* title = &dayReportTitle;
    std::optional<DeadlineForCalendar> deadline;  // the deadline the report explains, if it is one
    int dpi = designDpi;
    HFONT bodyFont = nullptr;
    HFONT headingFont = nullptr;
};

DayWindow* stateOf(HWND window)
{
    return reinterpret_cast<DayWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

const std::wstring* textOf(HWND window)
{
    const DayWindow* w = stateOf(window);
    return w ? &w->text : nullptr;
}

int scaledIn(HWND window, int value)
{
    const DayWindow* w = stateOf(window);
    return scaledTo(value, w ? w->dpi : designDpi);
}

// Fonts for the window's scale; the old ones, if any, are deleted after
// every control has the new one.
void takeScale(HWND window, DayWindow& w, int dpi)
{
    const HFONT oldBody = w.bodyFont, oldHeading = w.headingFont;
    w.dpi = dpi;
    setTopLevelDpi(window, dpi);
    w.bodyFont = createUiFont(15, 400, dpi);
    w.headingFont = createUiFont(16, 600, dpi);
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(w.bodyFont), TRUE);
    if (oldBody) DeleteObject(oldBody);
    if (oldHeading) DeleteObject(oldHeading);
}

// The report window's controls at 96 DPI: the report text, then the buttons.
struct DayWindowPart {
    int id;
    const wchar_t* caption;  // buttons only
    int accent;
    int x, y, width, height;
};
const std::vector<DayWindowPart> dayWindowParts = {
    {idReport, nullptr, 0, 12, 48, 490, 345},
    {idCopyReport, L"COPIA REPORT", 0, 12, 405, 139, 31},
    {idPrintReport, L"STAMPA", 1, 159, 405, 105, 31},
    {idCloseReport, L"CHIUDI", 0, 272, 405, 103, 31},
    {idHeaderClose, L"\u00d7", 0, 475, 7, 29, 31}};
// A deadline's window: its calendar export beside COPIA REPORT.
const std::vector<DayWindowPart> deadlineWindowParts = {
    {idReport, nullptr, 0, 12, 48, 490, 345},
    {idCopyReport, L"COPIA REPORT", 0, 12, 405, 139, 31},
    {idCalendarExport, L"CALENDARIO\u2026", 0, 159, 405, 119, 31},
    {idPrintReport, L"STAMPA", 1, 286, 405, 105, 31},
    {idCloseReport, L"CHIUDI", 0, 399, 405, 103, 31},
    {idHeaderClose, L"\u00d7", 0, 475, 7, 29, 31}};

const std::vector<DayWindowPart>& partsOf(const DayWindow& w) { return w.deadline ? deadlineWindowParts : dayWindowParts; }

// What a report window opens with.
struct DayWindowOpening {
    const std::wstring* text;
    const DayWindowTitle* title;
    const DeadlineForCalendar* deadline;
};

constexpr int dayWindowWidth = 520, dayWindowHeight = 455;  // at 96 DPI

// The window's own monitor changed scale: its own fonts and places.
void onDpiChanged(HWND window, int dpi, const RECT& suggested)
{
    DayWindow* w = stateOf(window);
    if (!w) return;
    takeScale(window, *w, dpi);
    for (const DayWindowPart& c : partsOf(*w))
        placeScaled(GetDlgItem(window, c.id), c.x, c.y, c.width, c.height, dpi);
    takeSuggestedRect(window, suggested);
}

// Built at the scale of the monitor the (still hidden) window is on.
void onCreate(HWND window, const CREATESTRUCTW* cs)
{
    const auto* opening = static_cast<const DayWindowOpening*>(cs->lpCreateParams);
    auto* w = new DayWindow{*opening->text, opening->title, std::nullopt};
    if (opening->deadline) w->deadline = *opening->deadline;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    takeScale(window, *w, windowDpi(window));
    const DayWindowPart& r = partsOf(*w)[0];
    HWND report = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", w->text.c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
        scaledTo(r.x, w->dpi), scaledTo(r.y, w->dpi), scaledTo(r.width, w->dpi), scaledTo(r.height, w->dpi),
        window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(r.id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(report, WM_SETFONT, reinterpret_cast<WPARAM>(w->bodyFont), TRUE);
    nameControl(report, w->title->name);
    for (const DayWindowPart& c : partsOf(*w))
        if (c.caption)
            createButton(window, c.caption, c.x, c.y, c.width, c.height, c.id, c.accent, w->bodyFont);
    SetWindowPos(window, nullptr, 0, 0, scaledTo(dayWindowWidth, w->dpi), scaledTo(dayWindowHeight, w->dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void onPaint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT band{0, 0, scaledIn(window, dayWindowWidth), scaledIn(window, 39)};
    HBRUSH brush = CreateSolidBrush(RGB(53, 68, 80));
    FillRect(dc, &band, brush);
    DeleteObject(brush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(248, 250, 251));
    HGDIOBJ oldFont = SelectObject(dc, stateOf(window)->headingFont);
    RECT title{scaledIn(window, 14), scaledIn(window, 8), scaledIn(window, 460), scaledIn(window, 34)};
    DrawTextW(dc, stateOf(window)->title->heading, -1, &title,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, oldFont);
    EndPaint(window, &ps);
}

// The band left of "×" drags the window.
LRESULT onNcHitTest(HWND window, WPARAM wParam, LPARAM lParam)
{
    LRESULT hit = DefWindowProcW(window, WM_NCHITTEST, wParam, lParam);
    if (hit != HTCLIENT) return hit;
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(window, &pt);
    return (pt.y >= 0 && pt.y <= scaledIn(window, 38) && pt.x <= scaledIn(window, 467)) ? HTCAPTION : hit;
}

bool onCommand(HWND window, int id)
{
    const std::wstring* text = textOf(window);
    switch (id) {
    case idCopyReport:
        if (text) copyTextToClipboard(*text);
        return true;
    case idPrintReport:
        if (text) printPlainText(*text, stateOf(window)->title->jobName, window);
        return true;
    case idCalendarExport:
        if (stateOf(window) && stateOf(window)->deadline) exportDeadlineToCalendar(*stateOf(window)->deadline, window);
        return true;
    case idCloseReport:
    case idHeaderClose:
        DestroyWindow(window);
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK dayVerificationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        if (keepFocusAcrossActivation(window, wParam, GetDlgItem(window, idReport))) return 0;
        break;
    case WM_CREATE:
        onCreate(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
        return 0;
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_ERASEBKGND:
        eraseWithWindowColour(window, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_NCHITTEST:
        return onNcHitTest(window, wParam, lParam);
    case WM_DPICHANGED:
        onDpiChanged(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        if (onCommand(window, LOWORD(wParam))) return 0;
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(53, 68, 80));
        SetTextColor(dc, RGB(248, 250, 251));
        return reinterpret_cast<LRESULT>(mainState.fieldBrush);
    }
    case WM_NCDESTROY:
        forgetKeptFocus(window);
        if (DayWindow* w = stateOf(window)) {
            DeleteObject(w->bodyFont);
            DeleteObject(w->headingFont);
            delete w;
        }
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

const DayWindowTitle dayReportTitle{L"Verifica giorni - Zentolo by Ferlan",
                                    L"\u25a6  VERIFICA GIORNI    \u2022    ZENTOLO by Ferlan", L"Verifica giorni",
                                    L"Zentolo - Verifica giorni"};
const DayWindowTitle tablesWindowTitle{L"Tabelle dei tassi e degli indici",
                                       L"\u25a6  TABELLE DEI TASSI E DEGLI INDICI", L"Tabelle dei tassi e degli indici",
                                       L"Zentolo - Tabelle dei tassi e degli indici"};

void showDayVerificationWindow(const std::wstring& text, const DayWindowTitle& title,
                               const DeadlineForCalendar* deadline)
{
    if (!dayWindowClassRegistered) dayWindowClassRegistered = registerProgramWindowClass(dayWindowClassName, dayVerificationProc);
    // At the top-left corner of the work area of the main window's monitor;
    // created hidden, it takes its size from the scale of that monitor.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(mainState.mainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    DayWindowOpening opening{&text, &title, deadline};
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, dayWindowClassName,
                                  title.caption, WS_POPUP | WS_BORDER | WS_SYSMENU,
                                  monitor.rcWork.left, monitor.rcWork.top, dayWindowWidth, dayWindowHeight,
                                  mainState.mainWindow, nullptr, GetModuleHandleW(nullptr),
                                  &opening);
    if (!window) {
        ModalScope modal;
        MessageBoxW(mainState.mainWindow, text.c_str(), title.name, MB_OK);
        return;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

bool onDayWindowKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !msg.hwnd) return false;
    HWND window = GetAncestor(msg.hwnd, GA_ROOT);
    wchar_t className[32] = {};
    if (!window || !GetClassNameW(window, className, 32) || lstrcmpW(className, dayWindowClassName) != 0)
        return false;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    switch (msg.wParam) {
    case VK_TAB:
        if (ctrl) return false;
        if (HWND next = GetNextDlgTabItem(window, GetFocus(), GetKeyState(VK_SHIFT) < 0)) SetFocus(next);
        return true;
    case VK_ESCAPE:
        DestroyWindow(window);
        return true;
    case 'A':
        if (!ctrl) return false;
        SendMessageW(GetDlgItem(window, idReport), EM_SETSEL, 0, -1);
        return true;
    case 'C': {
        if (!ctrl) return false;
        // The selected part of the report, wherever the focus is; all of it
        // when nothing is selected.
        DWORD from = 0, to = 0;
        HWND report = GetDlgItem(window, idReport);
        SendMessageW(report, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        if (from != to)
            SendMessageW(report, WM_COPY, 0, 0);
        else
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(idCopyReport, BN_CLICKED), 0);
        return true;
    }
    default:
        return false;
    }
}

void openDayVerification()
{
    auto tell = [](const wchar_t* text, const wchar_t* caption, UINT type) {
        ModalScope modal;
        MessageBoxW(mainState.mainWindow, text, caption, type);
    };
    const LastDateRange& range = lastDateRange;
    if (!range.prospect.empty()) {
        const DeadlineForCalendar deadline{range.due, range.summary, range.prospect};
        showDayVerificationWindow(range.prospect, dayReportTitle, &deadline);
        return;
    }
    if (!range.valid && !range.uncounted) {
        tell(L"Esegui prima un calcolo tra due date.", L"Verifica conteggio", MB_ICONINFORMATION);
        return;
    }
    const auto total = static_cast<unsigned long long>(range.lastDay - range.firstDay + 1);
    if (range.uncounted || total > static_cast<unsigned long long>(maxReportDays)) {
        tell(L"Intervallo non valido o troppo ampio.", L"Verifica", MB_OK);
        return;
    }
    showDayVerificationWindow(buildDayVerificationReport(range));
}
