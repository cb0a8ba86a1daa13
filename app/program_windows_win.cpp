// What the program's own windows share with the main window (its class
// registration, its kept focus, its normal place and its background), and
// what the tool windows share among themselves.
#include "app/program_windows_win.h"

#include <algorithm>
#include <vector>

#include "app/accessible_win.h"
#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/dpi_win.h"
#include "app/main_window_win.h"
#include "text/numtext.h"

std::optional<ScreenBox> normalPlace(HWND window)
{
    // The placement gives it in workspace coordinates (the work area's corner
    // at 0, 0), turned back into pixels of the virtual screen here.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return std::nullopt;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const RECT& normal = placement.rcNormalPosition;
    if (!GetMonitorInfoW(MonitorFromRect(&normal, MONITOR_DEFAULTTOPRIMARY), &monitor)) return std::nullopt;
    const LONG dx = monitor.rcWork.left - monitor.rcMonitor.left, dy = monitor.rcWork.top - monitor.rcMonitor.top;
    return ScreenBox{normal.left + dx, normal.top + dy, normal.right + dx, normal.bottom + dy};
}

bool registerProgramWindowClass(const wchar_t* name, WNDPROC procedure)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(101), IMAGE_ICON, 32, 32, 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(101), IMAGE_ICON, 16, 16, 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = mainState.windowBrush;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

namespace {
const wchar_t* const focusProperty = L"ZT_FOCUS";
}

bool keepFocusAcrossActivation(HWND window, WPARAM wParam, HWND first)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) SetPropW(window, focusProperty, focus);
        return false;
    }
    auto focus = static_cast<HWND>(GetPropW(window, focusProperty));
    SetFocus(focus && IsChild(window, focus) ? focus : first);
    return true;
}

void forgetKeptFocus(HWND window) { RemovePropW(window, focusProperty); }

void eraseWithWindowColour(HWND window, HDC hdc)
{
    RECT rc;
    GetClientRect(window, &rc);
    FillRect(hdc, &rc, mainState.windowBrush);
}

HWND createChildIn(HWND window, const wchar_t* cls, const wchar_t* text, int id, DWORD style, DWORD exStyle)
{
    return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void takeToolWindowScale(HWND window, HFONT& font, int dpi)
{
    const HFONT old = font;
    setTopLevelDpi(window, dpi);
    font = createUiFont(15, 400, dpi);
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (old) DeleteObject(old);
}

LRESULT toolWindowColour(UINT message, HDC dc, HWND control, int prospectId)
{
    if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(control) != prospectId) {
        SetBkColor(dc, RGB(33, 43, 53));
        SetTextColor(dc, RGB(190, 212, 225));
        return reinterpret_cast<LRESULT>(mainState.windowBrush);
    }
    SetBkColor(dc, RGB(53, 68, 80));
    SetTextColor(dc, RGB(248, 250, 251));
    return reinterpret_cast<LRESULT>(mainState.fieldBrush);
}

void keepLeastClientSize(HWND window, MINMAXINFO& info, int width, int height, int dpi)
{
    RECT r{0, 0, scaledTo(width, dpi), scaledTo(height, dpi)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    info.ptMinTrackSize = {r.right - r.left, r.bottom - r.top};
}

RECT toolWindowOpeningRect(const std::optional<ScreenBox>& kept, int clientWidth, int clientHeight, int dpi)
{
    const DWORD style = WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX;
    RECT size{0, 0, scaledTo(clientWidth, dpi), scaledTo(clientHeight, dpi)};
    AdjustWindowRectEx(&size, style, FALSE, 0);
    int width = size.right - size.left, height = size.bottom - size.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (kept) {
        const RECT top{kept->left, kept->top, kept->right, kept->top + scaledTo(30, dpi)};
        GetMonitorInfoW(MonitorFromRect(&top, MONITOR_DEFAULTTONULL), &monitor);
        const RECT& work = monitor.rcWork;
        if (monitor.cbSize && top.left >= work.left && top.top >= work.top && top.right <= work.right &&
            top.bottom <= work.bottom)
            return {kept->left, kept->top, kept->right, kept->bottom};
    }
    RECT main;
    GetWindowRect(mainState.mainWindow, &main);
    GetMonitorInfoW(MonitorFromWindow(mainState.mainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    // Never taller or wider than the screen: at a large scale the buttons stay in view.
    width = std::min(width, static_cast<int>(work.right - work.left));
    height = std::min(height, static_cast<int>(work.bottom - work.top));
    int x = main.right + scaledTo(8, dpi), y = main.top;
    if (x + width > work.right) x = std::max(static_cast<int>(work.left), static_cast<int>(work.right - width));
    if (y + height > work.bottom) y = std::max(static_cast<int>(work.top), static_cast<int>(work.bottom - height));
    return {x, y, x + width, y + height};
}

void bringToolWindowForward(HWND window)
{
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    SetActiveWindow(window);
}

std::wstring shownProspect(const std::wstring& text, size_t shownLines, size_t shownCharacters)
{
    std::vector<size_t> starts{0};
    for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2))
        starts.push_back(at + 2);
    const size_t count = starts.size();
    auto end = [&](size_t line) { return line + 1 < count ? starts[line + 1] : text.size(); };
    size_t head = 0, tail = 0;  // the lines shown at each end, each within half of both limits
    while (head < count && head < shownLines / 2 && end(head) <= shownCharacters / 2) ++head;
    while (tail < count - head && tail < shownLines / 2 && text.size() - starts[count - 1 - tail] <= shownCharacters / 2)
        ++tail;
    if (head + tail >= count) return text;
    return text.substr(0, starts[head]) + L"\u2026 " + formatNumber(static_cast<double>(count - head - tail), 0) +
           L" righe omesse: COPIA e STAMPA danno il prospetto intero \u2026\r\n" + text.substr(starts[count - tail]);
}

void copyProspectSelection(HWND prospect)
{
    DWORD from = 0, to = 0;
    SendMessageW(prospect, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    if (from != to)
        SendMessageW(prospect, WM_COPY, 0, 0);
    else
        SendMessageW(GetParent(prospect), copyWholeProspect, 0, 0);
}

namespace {

const wchar_t* const baseProcProperty = L"ZT_BASEPROC";

LRESULT CALLBACK prospectProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto base = reinterpret_cast<WNDPROC>(GetPropW(field, baseProcProperty));
    if (message == WM_NCDESTROY) RemovePropW(field, baseProcProperty);
    if (message != WM_CONTEXTMENU) return CallWindowProcW(base, field, message, wParam, lParam);
    const POINT p = contextMenuPoint(field, lParam);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, menuCopyResult, L"Copia");
    if (trackMenuAt(menu, p, GetParent(field)) == menuCopyResult) copyProspectSelection(field);
    return 0;
}

} // namespace

void installProspectMenu(HWND prospect)
{
    SetPropW(prospect, baseProcProperty,
             reinterpret_cast<HANDLE>(SetWindowLongPtrW(prospect, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prospectProc))));
}

namespace {
constexpr UINT cutPasteSettled = WM_APP + 1;  // posted after a paste that did not enter whole
}

std::wstring cutPasteMessage(const ToolWindow& tool)
{
    return std::wstring(tool.pasteFieldName) + L" tiene al massimo " + formatNumber(tool.pasteLimit, 0) +
           L" caratteri: il testo in pi\u00f9 non \u00e8 entrato.";
}

bool holdsCutPaste(ToolWindow& tool, const std::wstring& text)
{
    if (tool.cutText && *tool.cutText == text) return true;
    tool.cutText.reset();
    return false;
}

bool onToolWindowMessage(HWND window, ToolWindow& tool, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_COMMAND:
        // What entered is read once the paste is over; the window shows the message.
        if (LOWORD(wParam) == tool.pasteField && HIWORD(wParam) == EN_MAXTEXT) PostMessageW(window, cutPasteSettled, 0, 0);
        return false;
    case cutPasteSettled:
        tool.cutText = controlText(GetDlgItem(window, tool.pasteField));
        return true;
    case WM_ACTIVATE:
        return keepFocusAcrossActivation(window, wParam, GetDlgItem(window, tool.firstField));
    case WM_SIZE:
        tool.layOut(window);
        return true;
    case WM_GETMINMAXINFO:
        keepLeastClientSize(window, *reinterpret_cast<MINMAXINFO*>(lParam), tool.leastWidth, tool.leastHeight, tool.dpi);
        return true;
    case WM_EXITSIZEMOVE:  // kept for the next opening
    case WM_DESTROY:
        if (const auto place = normalPlace(window)) tool.savePlace(*place);
        return false;
    case WM_DPICHANGED:
        takeToolWindowScale(window, tool.font, tool.dpi = LOWORD(wParam));
        takeSuggestedRect(window, *reinterpret_cast<const RECT*>(lParam));
        tool.layOut(window);
        return true;
    case WM_ERASEBKGND:
        eraseWithWindowColour(window, reinterpret_cast<HDC>(wParam));
        result = 1;
        return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        result = toolWindowColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), tool.prospect);
        return true;
    case WM_NCDESTROY:
        forgetKeptFocus(window);
        DeleteObject(tool.font);
        tool.font = nullptr;
        return false;
    default:
        return false;
    }
}

bool onToolWindowKey(HWND window, const ToolWindow& tool, const MSG& msg, std::initializer_list<int> commaFields)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const int id = GetDlgCtrlID(msg.hwnd);
    switch (msg.wParam) {
    case VK_ESCAPE:
        DestroyWindow(window);
        return true;
    case VK_DECIMAL:
        if (std::find(commaFields.begin(), commaFields.end(), id) == commaFields.end()) return false;
        SendMessageW(msg.hwnd, WM_CHAR, L',', msg.lParam);
        return true;
    case 'A':
        if (!ctrl || GetKeyState(VK_MENU) < 0) return false;
        SendMessageW(msg.hwnd, EM_SETSEL, 0, -1);
        return true;
    case 'C':
        if (!ctrl || id != tool.prospect) return false;
        copyProspectSelection(msg.hwnd);
        return true;
    default:
        return false;
    }
}

HWND createToolWindow(const wchar_t* cls, WNDPROC procedure, const wchar_t* title,
                      const std::optional<ScreenBox>& kept, int clientWidth, int clientHeight)
{
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), cls, &known) && !registerProgramWindowClass(cls, procedure))
        return nullptr;
    const RECT r = toolWindowOpeningRect(kept, clientWidth, clientHeight, mainState.dpi);
    return CreateWindowExW(0, cls, title, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, mainState.mainWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
}

int labelWidth(HWND label, int dpi)
{
    const std::wstring text = controlText(label);
    HDC dc = GetDC(label);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return MulDiv(size.cx, designDpi, dpi) + 4;
}

void finishToolWindow(HWND window, const ToolWindow& tool)
{
    HWND prospect = createChildIn(window, L"EDIT", L"", tool.prospect,
                                  WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                      ES_AUTOHSCROLL | ES_READONLY);
    SendMessageW(prospect, EM_SETLIMITTEXT, 0, 0);
    installProspectMenu(prospect);
    nameControl(prospect, L"Prospetto");
    for (size_t i = 0; i < tool.buttons.size(); ++i)
        createButton(window, tool.buttons[i], 0, 0, 110, 31, tool.prospect + 1 + static_cast<int>(i), 0, tool.font);
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(tool.font), TRUE);
    tool.layOut(window);
}

void placeProspectAndButtons(HWND window, const ToolWindow& tool, int top, int width, int height)
{
    const int buttons = height - 43;
    placeScaled(GetDlgItem(window, tool.prospect), 12, top, width - 24, buttons - 10 - top, tool.dpi);
    for (int i = 0; i < static_cast<int>(tool.buttons.size()); ++i) placeScaled(GetDlgItem(window, tool.prospect + 1 + i), 12 + 118 * i, buttons, 110, 31, tool.dpi);
    InvalidateRect(window, nullptr, TRUE);
}
