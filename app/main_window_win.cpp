// The main window needs Win32 for its controls, painting and colours.
#include "app/main_window_win.h"

#include <algorithm>
#include <string>

#include "app/accessible_win.h"
#include "app/bottom_drag_win.h"
#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/dpi_win.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "app/startup_trace_win.h"
#include "app/tab_layouts_win.h"
#include "app/window_position.h"
#include "calc/calculator.h"
#include "calc/calculator_win.h"
#include "calc/tape_store_win.h"
#include "calc/vat_win.h"
#include "dates/date_fields_win.h"

const wchar_t* const mainClassName = L"FerlanZentoloV063";
const wchar_t* const mainWindowTitle = L"Zentolo by Ferlan | Vessilo 1.0 RC1";

MainWindowState mainState;

namespace {

const COLORREF windowColour = RGB(33, 43, 53);
const COLORREF fieldColour = RGB(53, 68, 80);
const COLORREF brightText = RGB(248, 250, 251);
const COLORREF labelText = RGB(190, 212, 225);

constexpr int headerHeight = 34;  // the strip that drags the window, at 96 DPI

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
    s.bodyFont = createUiFont(15, 400, s.dpi);
    s.headingFont = createUiFont(16, 600, s.dpi);
    s.displayFont = createUiFont(displayFontHeight, 700, s.dpi);
    s.smallFont = createUiFont(13, 400, s.dpi);
}

// Every control of the main window (the flat buttons too) that uses one of
// the old fonts gets its new counterpart; the report windows keep fonts of
// their own scale.
BOOL CALLBACK swapFontOfChild(HWND control, LPARAM swaps)
{
    auto* pairs = reinterpret_cast<const std::pair<HFONT, HFONT>*>(swaps);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    for (int i = 0; i < 4; ++i)
        if (font && font == pairs[i].first) setFont(control, pairs[i].second);
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
    EnumChildWindows(s.mainWindow, swapFontOfChild, reinterpret_cast<LPARAM>(swaps));
    InvalidateRect(s.mainWindow, nullptr, TRUE);
    for (auto& swap : swaps) DeleteObject(swap.first);
}

// The window moved to a display of another scale: new fonts, every control
// at its place for the new scale, the position the system suggests and the
// size of the scaled layout (the suggested size may be a pixel off, and a
// later tab switch would then move the edge). The tab, the texts, the focus
// and the tape stay as they are.
void onDpiChanged(HWND window, int dpi, const RECT& suggested)
{
    MainWindowState& s = mainState;
    s.dpi = dpi;
    setTopLevelDpi(window, dpi);
    replaceFonts();
    forgetFittedDisplayFonts();  // made for the old scale
    for (const ControlPlace& p : s.controlPlaces)
        placeScaled(p.control, p.x, p.y, p.width, p.height, dpi);
    s.calcGrowPlaced = 0;  // every control as designed, at the new scale
    s.calcGrowDpi = dpi;
    s.windowHeight = scaled(placeTabControls(s.currentTab));
    fitDisplay();  // the display's own font was swapped; a smaller one is made anew
    const RECT laidOut{suggested.left, suggested.top, suggested.left + scaled(mainWindowWidth),
                       suggested.top + s.windowHeight};
    takeSuggestedRect(window, laidOut);
}

BOOL CALLBACK collectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcWork;
        reinterpret_cast<std::vector<ScreenBox>*>(areas)->push_back({r.left, r.top, r.right, r.bottom});
    }
    return TRUE;
}

// Where the window was closed, if its header is then wholly on one monitor's
// work area; else the primary monitor's top-left corner of the work area.
void placeAtOpening(HWND window)
{
    std::vector<ScreenBox> workAreas;
    EnumDisplayMonitors(nullptr, nullptr, collectWorkArea, reinterpret_cast<LPARAM>(&workAreas));
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    const RECT& p = primary.rcWork;
    const ScreenPoint at = openingPosition(settings.windowPosition, scaled(mainWindowWidth), scaled(headerHeight),
                                           workAreas, {p.left, p.top, p.right, p.bottom});
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void saveNormalPosition(HWND window)
{
    if (const auto place = normalPlace(window)) saveWindowPosition(place->left, place->top);
}

void onCreate(HWND window)
{
    MainWindowState& s = mainState;
    s.mainWindow = window;
    s.dpi = windowDpi(window);
    setTopLevelDpi(window, s.dpi);
    s.windowBrush = CreateSolidBrush(windowColour);
    s.fieldBrush = CreateSolidBrush(fieldColour);
    createFonts();
    startupStamp("brushes and fonts");
    loadSettings();
    placeAtOpening(window);
    startupStamp("settings loaded");

    // The header and CALC now; the keypad and the other tabs when first
    // shown, or earlier while the program waits for input.
    createHeader();
    buildGroup(tabCalc);
    restoreKeptTape();
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

void onDestroy(HWND window)
{
    MainWindowState& s = mainState;
    keepTapeAtClose();
    saveNormalPosition(window);
    forgetFittedDisplayFonts();
    deleteObject(s.windowBrush);
    deleteObject(s.fieldBrush);
    deleteObject(s.bodyFont);
    deleteObject(s.headingFont);
    deleteObject(s.displayFont);
    deleteObject(s.smallFont);
    stopWatchingApartment();
    PostQuitMessage(0);
}

// The header strip left of the minimise button drags the frameless window;
// on CALC its last pixels size it, taller or shorter.
LRESULT onNcHitTest(HWND window, WPARAM wParam, LPARAM lParam)
{
    LRESULT hit = DefWindowProcW(window, WM_NCHITTEST, wParam, lParam);
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT outer;
    GetWindowRect(window, &outer);
    if ((hit == HTCLIENT || hit == HTBORDER) && mainState.currentTab == tabCalc && pt.y >= outer.bottom - scaled(5))
        return HTBOTTOM;
    if (hit != HTCLIENT) return hit;
    ScreenToClient(window, &pt);
    return (pt.y <= scaled(headerHeight) && pt.x <= scaled(392)) ? HTCAPTION : hit;
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

// Where the focus goes when a tab is shown.
HWND firstFieldOf(int tab)
{
    const MainWindowState& s = mainState;
    const HWND first[5] = {s.inputEdit, s.dateFromEdit, s.capitalEdit, s.splitTotalEdit, s.vatSettingEdit};
    return tab >= 0 && tab < 5 ? first[tab] : nullptr;
}

// The header's "—" and "×" never get the focus back: after a minimise the
// typing goes on in a field, and Enter or Space cannot minimise again.
bool isHeaderButton(HWND control)
{
    const int id = GetDlgCtrlID(control);
    return GetParent(control) == mainState.mainWindow && (id == idMinimise || id == idClose);
}

bool canTakeFocusBack(HWND control)
{
    return control && IsChild(mainState.mainWindow, control) && IsWindowVisible(control) &&
           IsWindowEnabled(control) && !isHeaderButton(control);
}

// Where the focus goes when the window is active again: a tab chosen while
// it was hidden, on CALC the input line, where the typing is, else the
// control that had it, the field that had it last, or the tab's first field.
HWND focusToRestore()
{
    const MainWindowState& s = mainState;
    if (s.pendingFocus) return s.pendingFocus;
    if (s.currentTab == tabCalc) return s.inputEdit;
    for (HWND control : {s.lastFocus, s.lastField})
        if (canTakeFocusBack(control)) return control;
    return firstFieldOf(s.currentTab);
}

// The dialog-box convention: the focus is remembered when the window loses
// the activation and given back when it gets it again.
bool onActivate(HWND window, WPARAM wParam, LPARAM lParam)
{
    MainWindowState& s = mainState;
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) s.lastFocus = focus;
        return false;
    }
    if (HIWORD(wParam)) return false;  // activated while minimised
    HWND target = focusToRestore();
    s.pendingFocus = nullptr;
    s.restoreFocus = false;
    if (!target) return false;
    DefWindowProcW(window, WM_ACTIVATE, wParam, lParam);
    SetFocus(target);
    return true;
}

// A window restored while it stays active gets the focus itself, with no
// new activation: it hands it on.
bool onSetFocus(HWND window)
{
    MainWindowState& s = mainState;
    if (!s.restoreFocus || IsIconic(window)) return false;
    s.restoreFocus = false;
    if (HWND target = focusToRestore()) SetFocus(target);
    return true;
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
    if (control == s.memoryMark) return calculator.memory != 0;
    for (int k = s.visibleQuotaRows; k < 6; ++k)
        if (control == s.quotaLabels[k] || control == s.quotaEdits[k]) return false;
    return true;
}

// Everything below the tab strip drawn again, with the window's border
// around it and the controls' frames.
void redrawBody()
{
    RECT body;
    GetClientRect(mainState.mainWindow, &body);
    InflateRect(&body, scaled(8), scaled(8));
    body.top = scaled(74);
    RedrawWindow(mainState.mainWindow, &body, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
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
        accent = selected;
        // Told after the change, so that a screen reader reads the new state.
        if (restyled[i]) notifyButtonEvent(s.tabButtons[i], EVENT_OBJECT_STATECHANGE);
        InvalidateRect(s.tabButtons[i], nullptr, TRUE);
    }
    showTabControls(n, s.currentTab);
    // The focus moves only to a tab that was not shown already.
    const bool changed = s.currentTab != n;
    s.currentTab = n;

    s.windowHeight = scaled(placeTabControls(n));
    // Resized with drawing on, so that the window keeps what it shows above.
    if (drawn) SendMessageW(s.mainWindow, WM_SETREDRAW, TRUE, 0);
    SetWindowPos(s.mainWindow, nullptr, 0, 0, scaled(mainWindowWidth), s.windowHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (drawn) {
        // Drawn again: the two restyled tab buttons, and the body. The header stays.
        redrawBody();
        for (int i = 0; i < 5; ++i)
            if (restyled[i]) RedrawWindow(s.tabButtons[i], nullptr, nullptr, RDW_INVALIDATE);
        if (changed) enterControl(firstFieldOf(n));
    } else {
        // Focusing a child of the hidden window would activate it before it
        // is shown; the focus goes there when the window is first activated.
        InvalidateRect(s.mainWindow, nullptr, TRUE);
        s.pendingFocus = firstFieldOf(n);
    }
}

void fitWindowToTab()
{
    MainWindowState& s = mainState;
    if (s.currentTab < 0) return;
    const int height = scaled(placeTabControls(s.currentTab));
    if (height == s.windowHeight) return;
    s.windowHeight = height;
    SetWindowPos(s.mainWindow, nullptr, 0, 0, scaled(mainWindowWidth), height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Controls moved down past the old bottom edge, where nothing was drawn yet.
    redrawBody();
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate(window);
        return 0;
    case WM_ERASEBKGND:
        eraseWithWindowColour(window, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(window, &ps);
        paintMainWindow(hdc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        eraseWithWindowColour(window, reinterpret_cast<HDC>(wParam));
        paintMainWindow(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        return onControlColour(message, reinterpret_cast<HDC>(wParam),
                               reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        if (wParam != idTape) break;
        drawTapeLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        break;
    case WM_ACTIVATE:
        if (onActivate(window, wParam, lParam)) return 0;
        break;
    case WM_SETFOCUS:
        if (onSetFocus(window)) return 0;
        break;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) mainState.restoreFocus = true;
        break;
    case WM_NCHITTEST:
        return onNcHitTest(window, wParam, lParam);
    case WM_NCLBUTTONDOWN:
        if (wParam != HTBOTTOM) break;
        startBottomDrag(window);
        return 0;
    case WM_MOUSEMOVE:
        followBottomDrag();
        return 0;
    case WM_LBUTTONUP:
        releaseBottomDrag();
        return 0;
    case WM_CAPTURECHANGED:
        endBottomDrag();
        return 0;
    case WM_EXITSIZEMOVE:  // kept at once: a program that is killed still reopens there
        saveNormalPosition(window);
        break;
    case WM_DPICHANGED:
        onDpiChanged(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ENDSESSION:  // Windows is closing: no WM_DESTROY will come
        if (wParam) keepTapeAtClose();
        return 0;
    case WM_DESTROY:
        onDestroy(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
