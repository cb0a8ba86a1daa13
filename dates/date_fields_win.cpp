// The date fields and the calendar pop-up need Win32 for subclassing, the
// month-calendar control and the work area.
#include "dates/date_fields_win.h"

#include <commctrl.h>

#include <string>

#include "app/app_win.h"
#include "app/commands_win.h"
#include "app/dpi_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "dates/calendar.h"
#include "dates/popup_placement.h"

namespace {

const wchar_t* const calendarClassName = L"ZentoloCalendarV06";
constexpr int calendarId = 1;

WNDPROC dateFieldBaseProc = nullptr;
WNDPROC monthCalendarBaseProc = nullptr;
HWND calendarTarget = nullptr;
bool calendarClassRegistered = false;

// One pop-up for the life of the main window, hidden between openings: the
// month calendar makes a bold face of every font it is given and, under
// Wine, never frees it, so it is given the program's font once (and again
// only after a change of scale).
HWND keptPopup = nullptr;
HFONT keptPopupFont = nullptr;

// A date field of another window than the main one names the command its
// Enter sends and the "▦" button beside it.
const wchar_t* const enterCommandProperty = L"ZT_ENTER";
const wchar_t* const calendarButtonProperty = L"ZT_CALENDAR";

int enterCommandOf(HWND field)
{
    if (HANDLE command = GetPropW(field, enterCommandProperty))
        return static_cast<int>(reinterpret_cast<INT_PTR>(command));
    const MainWindowState& s = mainState;
    return (field == s.interestFromEdit || field == s.interestToEdit) ? idCalculateInterest
                                                                      : idCalculateDates;
}

// The "▦" button beside a date field.
HWND calendarButtonOf(HWND field)
{
    if (HANDLE button = GetPropW(field, calendarButtonProperty)) return static_cast<HWND>(button);
    const MainWindowState& s = mainState;
    const int id = field == s.dateFromEdit       ? idCalendarDateFrom
                   : field == s.dateToEdit       ? idCalendarDateTo
                   : field == s.interestFromEdit ? idCalendarInterestFrom
                                                 : idCalendarInterestTo;
    return GetDlgItem(s.mainWindow, id);
}

// Ctrl with the key that types ";" on the keyboard layout in use (Ctrl+; on a
// US layout, Ctrl+Shift+, on an Italian one): the spreadsheet key for today.
bool isTodayKey(WPARAM key)
{
    const SHORT semicolon = VkKeyScanW(L';');
    if (semicolon == -1 || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
    const bool shift = (HIBYTE(semicolon) & 1) != 0;
    return key == LOBYTE(semicolon) && shift == (GetKeyState(VK_SHIFT) < 0);
}

void todayIntoField(HWND field)
{
    const std::wstring today = formatDate(todayDate());
    SetWindowTextW(field, today.c_str());
    const auto end = static_cast<WPARAM>(today.size());
    SendMessageW(field, EM_SETSEL, end, static_cast<LPARAM>(end));
}

// The chord's own character, if it makes one, comes before any other key:
// it is not typed. A "," or ";" typed after the chord has a key of its own.
bool todayCharPending = false;

bool isTodayChordCharacter(WPARAM character)
{
    const bool pending = todayCharPending;
    todayCharPending = false;
    return pending && (character < L' ' || character == L';' || character == L',');
}

LRESULT CALLBACK dateFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS: {
        LRESULT result = CallWindowProcW(dateFieldBaseProc, field, message, wParam, lParam);
        SendMessageW(field, EM_SETSEL, 0, -1);
        return result;
    }
    case WM_KILLFOCUS:
        normaliseDateField(field);
        break;
    case WM_KEYDOWN:
        todayCharPending = false;
        if (wParam == VK_RETURN) {
            // A held Enter repeats nothing.
            if (lParam & (1 << 30)) return 0;
            normaliseDateField(field);
            SendMessageW(GetParent(field), WM_COMMAND, MAKEWPARAM(enterCommandOf(field), 0), 0);
            return 0;
        }
        if (isTodayKey(wParam)) {
            todayIntoField(field);
            todayCharPending = true;
            return 0;
        }
        if (wParam == VK_F4) {  // as a date picker opens its calendar
            openCalendarPopup(field, calendarButtonOf(field));
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN) {  // Alt+Down
            openCalendarPopup(field, calendarButtonOf(field));
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemovePropW(field, enterCommandProperty);
        RemovePropW(field, calendarButtonProperty);
        break;
    case WM_CHAR:
        // Enter was handled as a key; the standard field would beep at its character.
        if (wParam == L'\r' || isTodayChordCharacter(wParam)) return 0;
        break;
    }
    return CallWindowProcW(dateFieldBaseProc, field, message, wParam, lParam);
}

// Posted by the pop-up to itself once a day is picked.
constexpr UINT calendarPickedMessage = WM_APP + 2;

// A picked day is written into the field at once; the pop-up closes later,
// when the month calendar's own handling of the pick has returned (it may
// still use its state after notifying), and the field then gets the focus.
void onCalendarSelect(HWND popup)
{
    SYSTEMTIME picked{};
    HWND calendar = GetDlgItem(popup, calendarId);
    if (SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked)) && calendarTarget) {
        CivilDate d{picked.wYear, picked.wMonth, picked.wDay};
        SetWindowTextW(calendarTarget, formatDate(d).c_str());
    }
    PostMessageW(popup, calendarPickedMessage, 0, 0);
}

void onCalendarPicked(HWND popup)
{
    if (popup != mainState.calendarPopup) return;
    closeCalendarPopup();
    if (calendarTarget) SetFocus(calendarTarget);
}

// Escape closes the pop-up and hands the focus back to its field.
void dismissCalendarPopup()
{
    closeCalendarPopup();
    if (calendarTarget) SetFocus(calendarTarget);
}

// The national holidays of `count` months from the first one shown, in bold.
void holidayStates(const SYSTEMTIME& first, int count, MONTHDAYSTATE* states)
{
    int year = first.wYear, month = first.wMonth;
    for (int i = 0; i < count; ++i) {
        states[i] = holidayDaysOfMonth(year, month, settings.patronDay);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

// Asked for by the calendar when it shows other months; set at opening.
void markHolidays(NMDAYSTATE& shown) { holidayStates(shown.stStart, shown.cDayState, shown.prgDayState); }

void markShownHolidays(HWND calendar)
{
    SYSTEMTIME range[2] = {};
    const auto count = static_cast<int>(
        SendMessageW(calendar, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(range)));
    MONTHDAYSTATE states[12] = {};
    if (count < 1 || count > 12) return;
    holidayStates(range[0], count, states);
    SendMessageW(calendar, MCM_SETDAYSTATE, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(states));
}

// The arrow keys move the chosen day by one day or one week.
void moveCalendarDay(HWND calendar, int days)
{
    SYSTEMTIME st{};
    if (!SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st))) return;
    CivilDate d = dayNumberToDate(dateToDayNumber(CivilDate{st.wYear, st.wMonth, st.wDay}) + days);
    if (d.year < 1601 || d.year > 9999) return;
    st = SYSTEMTIME{};
    st.wYear = static_cast<WORD>(d.year);
    st.wMonth = static_cast<WORD>(d.month);
    st.wDay = static_cast<WORD>(d.day);
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
}

// The pop-up is keyboard-driven here, whatever the month calendar does with
// keys itself: the arrows move the day, Enter picks it, Escape closes.
LRESULT CALLBACK monthCalendarProc(HWND calendar, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN) {
        switch (wParam) {
        case VK_ESCAPE: dismissCalendarPopup(); return 0;
        case VK_RETURN: onCalendarSelect(GetParent(calendar)); return 0;
        case VK_LEFT: moveCalendarDay(calendar, -1); return 0;
        case VK_RIGHT: moveCalendarDay(calendar, 1); return 0;
        case VK_UP: moveCalendarDay(calendar, -7); return 0;
        case VK_DOWN: moveCalendarDay(calendar, 7); return 0;
        }
    }
    return CallWindowProcW(monthCalendarBaseProc, calendar, message, wParam, lParam);
}

LRESULT CALLBACK calendarPopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        if (popup == mainState.calendarPopup) mainState.calendarPopup = nullptr;
        if (popup == keptPopup) keptPopup = nullptr;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (popup == mainState.calendarPopup) closeCalendarPopup();
            return 0;
        }
        break;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == MCN_SELECT) {
            onCalendarSelect(popup);
            return 0;
        }
        if (reinterpret_cast<NMHDR*>(lParam)->code == MCN_GETDAYSTATE) {
            markHolidays(*reinterpret_cast<NMDAYSTATE*>(lParam));
            return 0;
        }
        break;
    case calendarPickedMessage:
        onCalendarPicked(popup);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            if (popup == mainState.calendarPopup) dismissCalendarPopup();
            return 0;
        }
        break;
    }
    return DefWindowProcW(popup, message, wParam, lParam);
}

void registerCalendarClass()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = calendarPopupProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = calendarClassName;
    calendarClassRegistered = RegisterClassW(&wc) != 0;
}

} // namespace

bool isDateField(HWND control)
{
    const MainWindowState& s = mainState;
    return control && (GetPropW(control, enterCommandProperty) || control == s.dateFromEdit || control == s.dateToEdit ||
                       control == s.interestFromEdit || control == s.interestToEdit);
}

void installDateFieldProc(HWND field)
{
    SendMessageW(field, EM_LIMITTEXT, 10, 0);
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dateFieldProc)));
    if (!dateFieldBaseProc) dateFieldBaseProc = previous;
}

void installDateFieldProc(HWND field, int enterCommand, HWND calendarButton)
{
    installDateFieldProc(field);
    SetPropW(field, enterCommandProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(enterCommand)));
    SetPropW(field, calendarButtonProperty, calendarButton);
}

void closeCalendarPopup()
{
    // Cleared first: the pop-up loses activation while it is being hidden.
    HWND popup = mainState.calendarPopup;
    mainState.calendarPopup = nullptr;
    if (popup) ShowWindow(popup, SW_HIDE);
}

void normaliseDateField(HWND field)
{
    if (!field) return;
    std::wstring text = controlText(field);
    std::optional<std::wstring> normalised = normaliseDateText(text);
    if (normalised && *normalised != text) SetWindowTextW(field, normalised->c_str());
}

namespace {

// The kept pop-up with its month calendar, made when first needed.
HWND calendarPopupWindow()
{
    MainWindowState& s = mainState;
    if (keptPopup && GetWindow(keptPopup, GW_OWNER) == s.mainWindow) return keptPopup;
    if (keptPopup) DestroyWindow(keptPopup);
    if (!calendarClassRegistered) registerCalendarClass();
    initCommonControls();  // the month calendar's class
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, calendarClassName, L"", WS_POPUP | WS_BORDER, 0, 0,
                                 scaled(255), scaled(220), s.mainWindow, nullptr, instance, nullptr);
    if (!popup) return nullptr;
    HWND calendar = CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_CHILD | WS_VISIBLE | MCS_NOTODAY | MCS_DAYSTATE,
                                    0, 0, scaled(250), scaled(200), popup,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(calendarId)), instance, nullptr);
    if (!calendar) {
        DestroyWindow(popup);
        return nullptr;
    }
    SendMessageW(calendar, MCM_SETFIRSTDAYOFWEEK, 0, 0);  // weeks start on Monday
    monthCalendarBaseProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(calendar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(monthCalendarProc)));
    keptPopup = popup;
    keptPopupFont = nullptr;
    return popup;
}

SYSTEMTIME systemDate(const CivilDate& d)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.year);
    st.wMonth = static_cast<WORD>(d.month);
    st.wDay = static_cast<WORD>(d.day);
    return st;
}

} // namespace

void openCalendarPopup(HWND targetField, HWND anchorButton)
{
    MainWindowState& s = mainState;
    if (!targetField || !anchorButton) return;
    closeCalendarPopup();
    HWND popup = calendarPopupWindow();
    if (!popup) return;
    s.calendarPopup = popup;
    HWND calendar = GetDlgItem(popup, calendarId);
    calendarTarget = targetField;
    // The program's own small font, at the window's scale, with a bold face
    // that sets the holidays apart.
    if (keptPopupFont != s.smallFont) {
        SendMessageW(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(s.smallFont), FALSE);
        keptPopupFont = s.smallFont;
    }
    RECT min{};
    SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&min));
    // The calendar's own size, framed by a margin of one 96-DPI pixel.
    const int margin = scaled(1);
    const int w = min.right - min.left + 2 * margin, h = min.bottom - min.top + 2 * margin;
    SetWindowPos(calendar, nullptr, margin, margin, w, h, SWP_NOZORDER);

    // The field's date, else today's, as a new calendar would show.
    CivilDate current;
    SYSTEMTIME st{};
    if (parseDate(controlText(targetField), current))
        st = systemDate(current);
    else
        GetLocalTime(&st);
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    markShownHolidays(calendar);

    // Inside the work area of the monitor the field is on.
    RECT b;
    GetWindowRect(anchorButton, &b);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(targetField, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int outerW = w + 2 * margin, outerH = h + 2 * margin;
    const ScreenPoint at = popupPosition({b.left, b.top, b.right, b.bottom}, outerW, outerH, scaled(2),
                                         {work.left, work.top, work.right, work.bottom});
    SetWindowPos(popup, HWND_TOPMOST, at.x, at.y, outerW, outerH, SWP_SHOWWINDOW);
    SetForegroundWindow(popup);
    SetFocus(calendar);
}
