// The calculator needs Win32 to read the input line, write the display and
// the tape, sound the beep and use the clipboard.
#include "calc/calculator_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/dpi_win.h"
#include "app/accessible_win.h"
#include "app/app_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "calc/calculator.h"
#include "text/numtext.h"

namespace {

// What PULISCI emptied, until the next calculation.
struct ClearedCalculator {
    std::vector<std::wstring> tape;
    CalculatorState calculator;
};
std::optional<ClearedCalculator> cleared;
bool undoCharPending = false;  // the Ctrl+Z that undid PULISCI has its character to come

WNDPROC inputEditBaseProc = nullptr;
WNDPROC tapeBaseProc = nullptr;
InputHistory history;  // the expressions entered since start

// Up and Down bring back earlier expressions, the caret at their end.
void recall(HWND edit, const std::optional<std::wstring>& entry)
{
    if (!entry) return;
    SetWindowTextW(edit, entry->c_str());
    const auto end = static_cast<WPARAM>(entry->size());
    SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
}

LRESULT onInputKeyDown(HWND edit, WPARAM key, LPARAM lParam)
{
    switch (key) {
    case VK_RETURN:
        evaluateInput();
        return 0;
    case VK_ESCAPE:
        SetWindowTextW(edit, L"");
        return 0;
    case VK_INSERT:  // Shift+Ins pastes as Ctrl+V does, a column summed
        if (GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
            SendMessageW(edit, WM_PASTE, 0, 0);
            return 0;
        }
        break;
    case VK_UP:
        recall(edit, history.older(controlText(edit)));
        return 0;
    case VK_DOWN:
        recall(edit, history.newer());
        return 0;
    case 'Z':
        if (GetKeyState(VK_CONTROL) < 0 && GetWindowTextLengthW(edit) == 0 && undoClear()) {
            undoCharPending = true;
            return 0;
        }
        break;
    case 'C':
        if (GetKeyState(VK_CONTROL) < 0 && GetWindowTextLengthW(edit) == 0) {
            copyTextToClipboard(calculator.displayText);
            return 0;
        }
        break;
    }
    return CallWindowProcW(inputEditBaseProc, edit, WM_KEYDOWN, key, lParam);
}

std::wstring clipboardText()
{
    std::wstring text;
    if (!OpenClipboard(mainState.mainWindow)) return text;
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT))
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(block))) {
            // No further than the block, even when another program left out the final zero.
            const size_t units = GlobalSize(block) / sizeof(wchar_t);
            text.assign(p, std::find(p, p + units, L'\0'));
            GlobalUnlock(block);
        }
    CloseClipboard();
    return text;
}

// A column pasted into an empty line is listed on the tape cell by cell,
// its total shown; a cell that is no amount lists nothing and says why.
void listPastedColumn(HWND edit, const PastedListing& listing)
{
    if (!listing.ok) return refuseInput(listing.message);
    SetWindowTextW(edit, L"");
    showResult(listing.total);
    countResult();
    appendTapeLines(listing.lines);
    if (!listing.message.empty()) tellInput(listing.message);
}

// A pasted column (Ctrl+V, Shift+Ins or the field's menu) is listed, or,
// into a line that is not empty, becomes the sum of its cells, a cell in
// accounting form the number it shows; anything else pastes as it is.
bool onPaste(HWND edit)
{
    DWORD from = 0, to = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    const bool replacesAll = from == 0 && to == static_cast<DWORD>(GetWindowTextLengthW(edit));
    const std::wstring clipboard = clipboardText();
    // A column with a cell that is no amount enters nowhere: the balloon names its row.
    const auto listing = pastedListing(clipboard, settings.decimals, replacesAll);
    if (listing && (replacesAll || !listing->ok)) {
        listPastedColumn(edit, *listing);
        return true;
    }
    const PastedInput pasted = pastedInput(clipboard, replacesAll);
    if (pasted.kind == PastedInput::asItIs) return false;
    if (pasted.kind == PastedInput::refused)
        refuseInput(L"Testo troppo lungo (oltre 10.000 caratteri).");
    else
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.text.c_str()));
    return true;
}

LRESULT CALLBACK inputEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        return onInputKeyDown(edit, wParam, lParam);
    case WM_CHAR:
        // The characters of Enter and Escape were handled as keys; the
        // standard field would answer them with a beep of its own.
        if (wParam == L'\r' || wParam == 0x1B) return 0;
        if (wParam == 0x1A && undoCharPending) {  // Ctrl+Z's own, not the field's undo
            undoCharPending = false;
            return 0;
        }
        break;
    case WM_PASTE:
        if (onPaste(edit)) return 0;
        break;
    }
    return CallWindowProcW(inputEditBaseProc, edit, message, wParam, lParam);
}

//--- The tape

// The selected lines, the whole tape, or the whole tape as two spreadsheet
// columns (expression, tab, result), one line ended by CR LF each but a
// single selected line, which is copied as it stands.
void copyFromTape(int what)
{
    const std::vector<std::wstring> lines = tapeLines(what == menuCopyTapeLines);
    if (lines.empty()) return;
    if (what == menuCopyTapeLines && lines.size() == 1) return copyTextToClipboard(lines[0]);
    std::wstring text;
    for (const std::wstring& line : lines) text += (what == menuCopyTapeForSpreadsheet ? spreadsheetRow(line) : line) + L"\r\n";
    copyTextToClipboard(text);
}

// Offered where the right button was pressed, or under the caret line when
// the menu key asked for it.
void showTapeMenu(HWND tape, LPARAM at)
{
    POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {
        RECT line{};
        SendMessageW(tape, LB_GETITEMRECT, static_cast<WPARAM>(SendMessageW(tape, LB_GETCARETINDEX, 0, 0)),
                     reinterpret_cast<LPARAM>(&line));
        p = {line.left, line.bottom};
        ClientToScreen(tape, &p);
    }
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, menuCopyTapeLines, L"Copia riga");
    AppendMenuW(menu, MF_STRING, menuCopyTape, L"Copia nastro");
    AppendMenuW(menu, MF_STRING, menuCopyTapeForSpreadsheet, L"Copia per foglio di calcolo");
    const int command = trackMenuAt(menu, p, mainState.mainWindow);
    if (command >= menuCopyTapeLines && command <= menuCopyTapeForSpreadsheet) copyFromTape(command);
}

// A right-click on a line that is not selected selects it alone, as the
// menu's "Copia riga" then copies it.
void selectLineUnder(HWND tape, LPARAM at)
{
    const auto hit = static_cast<DWORD>(SendMessageW(tape, LB_ITEMFROMPOINT, 0, at));
    const auto index = static_cast<int>(LOWORD(hit));
    if (HIWORD(hit) || SendMessageW(tape, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0) return;
    SendMessageW(tape, LB_SETSEL, FALSE, -1);
    SendMessageW(tape, LB_SETSEL, TRUE, index);
    SendMessageW(tape, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

// The lines are drawn by the program, which measures them: as tall as the
// font, as a standard list makes them.
bool tapeFitted = false;  // the lines' height measured on the tape's font

void fitTapeLinesToFont(HWND tape)
{
    tapeFitted = true;
    HDC dc = GetDC(tape);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(tape, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(tape, dc);
    SendMessageW(tape, LB_SETITEMHEIGHT, 0, MAKELPARAM(metrics.tmHeight, 0));
}

// The tip's one tool: the whole tape, its text set line by line.
TOOLINFOW tapeTool(HWND tape, const wchar_t* text)
{
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(tape);
    tool.uId = reinterpret_cast<UINT_PTR>(tape);
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

// Pointing at a line shows the whole of it: the tip follows the line under
// the mouse. Lines past a screenful of text are shown up to there.
void pointAtTapeLine(HWND tape, LPARAM at)
{
    MainWindowState& s = mainState;
    if (!s.tapeTip) {
        initCommonControls();
        s.tapeTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, tape, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        if (!s.tapeTip) return;
        TOOLINFOW tool = tapeTool(tape, L"");
        SendMessageW(s.tapeTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(s.tapeTip, TTM_SETMAXTIPWIDTH, 0, scaledTo(600, s.dpi));
        s.tapeTipLine = -1;
        // The tip watches the mouse from now on; this first move it is told of.
        MSG move{tape, WM_MOUSEMOVE, 0, at, 0, {}};
        SendMessageW(s.tapeTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
    }
    const auto hit = static_cast<DWORD>(SendMessageW(tape, LB_ITEMFROMPOINT, 0, at));
    const int index = HIWORD(hit) ? -1 : static_cast<int>(LOWORD(hit));
    if (index == s.tapeTipLine) return;
    s.tapeTipLine = index;
    std::wstring line;
    if (index < 0 || !listBoxLine(tape, index, line)) line.clear();
    constexpr size_t longestTip = 2000;
    if (line.size() > longestTip) line = line.substr(0, longestTip) + L"\u2026";
    SendMessageW(s.tapeTip, TTM_POP, 0, 0);
    TOOLINFOW tool = tapeTool(tape, line.c_str());
    SendMessageW(s.tapeTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The tape scrolled under a still pointer: the tip shows the line now there.
void followScrolledTape(HWND tape)
{
    if (!mainState.tapeTip) return;
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(tape, &at);
    mainState.tapeTipLine = -2;  // whatever it showed, it is shown again
    pointAtTapeLine(tape, MAKELPARAM(at.x, at.y));
}

LRESULT CALLBACK tapeProc(HWND tape, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    switch (message) {
    case WM_SETFONT: {
        const LRESULT result = CallWindowProcW(tapeBaseProc, tape, message, wParam, lParam);
        fitTapeLinesToFont(tape);
        return result;
    }
    case LB_GETITEMHEIGHT:
    case WM_SETFOCUS:  // its focus rectangle is a line's height
        if (!tapeFitted) fitTapeLinesToFont(tape);
        break;
    case WM_MOUSEMOVE:
        pointAtTapeLine(tape, lParam);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {  // as a double-click
            SendMessageW(GetParent(tape), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(tape), LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(tape));
            return 0;
        }
        if (ctrl && wParam == 'C') {
            copyFromTape(menuCopyTapeLines);
            return 0;
        }
        if (ctrl && wParam == 'A') {
            SendMessageW(tape, LB_SETSEL, TRUE, -1);
            return 0;
        }
        break;
    case WM_CHAR:
        // Digits and operators typed on the tape go on in the input line.
        if (wParam >= L' ' && !ctrl) {
            SetFocus(mainState.inputEdit);
            SendMessageW(mainState.inputEdit, WM_CHAR, wParam, lParam);
            return 0;
        }
        break;
    case WM_RBUTTONDOWN:
        selectLineUnder(tape, lParam);
        break;
    case WM_CONTEXTMENU:
        showTapeMenu(tape, lParam);
        return 0;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case LB_SETTOPINDEX:
    case LB_RESETCONTENT: {
        const LRESULT result = CallWindowProcW(tapeBaseProc, tape, message, wParam, lParam);
        followScrolledTape(tape);
        return result;
    }
    }
    if (message != WM_KEYDOWN) return CallWindowProcW(tapeBaseProc, tape, message, wParam, lParam);
    // The arrows and the page keys scroll too.
    const LRESULT top = CallWindowProcW(tapeBaseProc, tape, LB_GETTOPINDEX, 0, 0);
    const LRESULT result = CallWindowProcW(tapeBaseProc, tape, message, wParam, lParam);
    if (CallWindowProcW(tapeBaseProc, tape, LB_GETTOPINDEX, 0, 0) != top) followScrolledTape(tape);
    return result;
}

} // namespace


std::vector<std::wstring> tapeLines(bool selectedOnly)
{
    HWND tape = mainState.tapeList;
    std::vector<std::wstring> lines;
    const auto count = static_cast<int>(SendMessageW(tape, LB_GETCOUNT, 0, 0));
    std::wstring line;
    for (int i = 0; i < count; ++i)
        if ((!selectedOnly || SendMessageW(tape, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) &&
            listBoxLine(tape, i, line))
            lines.push_back(line);
    return lines;
}

void drawTapeLine(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1) || item.itemAction == ODA_FOCUS) {
        if (item.itemState & ODS_FOCUS || item.itemAction == ODA_FOCUS) DrawFocusRect(dc, &r);
        return;
    }
    std::wstring line;
    listBoxLine(item.hwndItem, static_cast<int>(item.itemID), line);
    // The list's own colours, or the selection's.
    SendMessageW(GetParent(item.hwndItem), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(item.hwndItem));
    if (item.itemState & ODS_SELECTED) {
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    const auto width = [dc](const std::wstring& text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    const FittedTapeLine fitted = fittedTapeLine(line, r.right - r.left - 1, width);
    // Where a standard list draws its text; the result, if apart, against the right edge.
    ExtTextOutW(dc, r.left + 1, r.top, ETO_OPAQUE | ETO_CLIPPED, &r, fitted.left.c_str(),
                static_cast<UINT>(fitted.left.size()), nullptr);
    ExtTextOutW(dc, r.right - width(fitted.right), r.top, ETO_CLIPPED, &r, fitted.right.c_str(),
                static_cast<UINT>(fitted.right.size()), nullptr);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

void installTapeProc(HWND tape)
{
    tapeBaseProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tape, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(tapeProc)));
    // The font came with the list, before its procedure: its lines are
    // fitted to it with the first line, not at start, where an empty tape
    // would load the font for nothing.
    tapeFitted = false;
    cleared.reset();  // a new tape has no PULISCI to undo
}

void installInputEditProc(HWND edit)
{
    // Any length: a long pasted column is summed whole, never cut.
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
    inputEditBaseProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(inputEditProc)));
}

//--- The display

// The display's text in the largest font, from its own down to half its
// size, that shows it whole; two lines at half size, broken after a
// thousands point, when even that is too wide.
void showDisplayText(const std::wstring& text)
{
    MainWindowState& s = mainState;
    // Empty until measured: a scale change may come before the display exists.
    RECT box{};
    if (!s.display || !GetClientRect(s.display, &box)) return;
    HDC dc = GetDC(s.display);
    auto width = [&](HFONT font, const std::wstring& t) {
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &size);
        SelectObject(dc, old);
        return size.cx;
    };
    HFONT font = s.displayFont;
    std::wstring shown = text;
    for (int height = displayFontHeight; width(font, text) > box.right && height > displayFontHeight / 2;) {
        HFONT& smaller = s.fittedDisplayFonts[--height];
        if (!smaller) smaller = createUiFont(height, 700, s.dpi);
        font = smaller;
    }
    if (width(font, text) > box.right) {
        const size_t middle = text.find(L'.', text.size() / 2 - std::min(text.size() / 2, size_t{2}));
        if (middle != std::wstring::npos) shown = text.substr(0, middle + 1) + L"\r\n" + text.substr(middle + 1);
    }
    ReleaseDC(s.display, dc);
    SendMessageW(s.display, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowTextW(s.display, shown.c_str());

}

void forgetFittedDisplayFonts()
{
    MainWindowState& s = mainState;
    if (s.display) SendMessageW(s.display, WM_SETFONT, reinterpret_cast<WPARAM>(s.displayFont), FALSE);
    for (auto& fitted : s.fittedDisplayFonts) DeleteObject(fitted.second);
    s.fittedDisplayFonts.clear();
}

void showResult(double value)
{
    cleared.reset();  // a new calculation: PULISCI can no longer be undone
    calculator.displayValue = value;
    calculator.displayText = formatNumber(value, settings.decimals);
    showDisplayText(calculator.displayText);
}

void showLastResultAgain()
{
    calculator.displayText = formatNumber(calculator.displayValue, settings.decimals);
    showDisplayText(calculator.displayText);
}

void fitDisplay()
{
    std::wstring text = controlText(mainState.display);
    const size_t wrapped = text.find(L"\r\n");
    if (wrapped != std::wstring::npos) text.erase(wrapped, 2);
    showDisplayText(text);
}

void appendTapeLine(const std::wstring& text)
{
    HWND tape = mainState.tapeList;
    if (!tapeFitted) fitTapeLinesToFont(tape);
    SendMessageW(tape, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    LRESULT count = SendMessageW(tape, LB_GETCOUNT, 0, 0);
    if (count > 0) SendMessageW(tape, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
}

void appendTapeLines(const std::vector<std::wstring>& lines)
{
    if (lines.empty()) return;
    HWND tape = mainState.tapeList;
    if (!tapeFitted) fitTapeLinesToFont(tape);
    SendMessageW(tape, WM_SETREDRAW, FALSE, 0);
    for (const std::wstring& line : lines) SendMessageW(tape, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageW(tape, WM_SETREDRAW, TRUE, 0);
    SendMessageW(tape, LB_SETTOPINDEX, static_cast<WPARAM>(SendMessageW(tape, LB_GETCOUNT, 0, 0) - 1), 0);
    InvalidateRect(tape, nullptr, TRUE);
}

void clearTapeAndDisplay()
{
    std::vector<std::wstring> lines = tapeLines(false);
    // A second PULISCI on an empty tape keeps what the first one can bring back.
    if (!lines.empty() || calculator.displayText != L"0,00") cleared = ClearedCalculator{std::move(lines), calculator};
    const double memory = calculator.memory;  // the memory outlives PULISCI, the grand total does not
    calculator = CalculatorState();
    calculator.memory = memory;
    showDisplayText(calculator.displayText);
    SendMessageW(mainState.tapeList, LB_RESETCONTENT, 0, 0);
}

bool undoClear()
{
    if (!cleared) return false;
    const double memory = calculator.memory;
    calculator = cleared->calculator;
    calculator.memory = memory;
    showDisplayText(calculator.displayText);
    appendTapeLines(cleared->tape);
    cleared.reset();
    return true;
}

std::optional<double> commandOperand()
{
    HWND input = mainState.inputEdit;
    const std::wstring text = controlText(input);
    const double shown = shownValue(calculator);
    const bool blank = text.find_first_not_of(L" \t") == std::wstring::npos;
    if (blank && shown == 0) {  // nothing typed and nothing calculated: no amount to take
        refuseInput(refusalOf(text, shown, settings.decimals).message);
        return std::nullopt;
    }
    if (blank) return shown;
    const ParsedNumber parsed = parseNumber(text);
    if (parsed.ok) return parsed.value;
    const Refusal why = refusalOf(text, shown, settings.decimals);
    SendMessageW(input, EM_SETSEL, why.caret, static_cast<LPARAM>(why.caret));
    refuseInput(why.message);
    return std::nullopt;
}

void evaluateInput()
{
    HWND input = mainState.inputEdit;
    Evaluation e = evaluateLine(controlText(input), shownValue(calculator), settings.decimals);
    if (e.kind == Evaluation::nothing) return;
    if (e.kind == Evaluation::rejected) {
        const Refusal why = refusalOf(controlText(input), shownValue(calculator), settings.decimals);
        SendMessageW(input, EM_SETSEL, why.caret, static_cast<LPARAM>(why.caret));
        refuseInput(why.message);
        return;
    }
    history.add(controlText(input));
    showResult(e.value);
    countResult();
    appendTapeLine(e.tapeLine);
    SetWindowTextW(input, L"");
    SetFocus(input);
}

void copyTextToClipboard(const std::wstring& text)
{
    if (!OpenClipboard(mainState.mainWindow)) return;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(block)) {
            std::memcpy(target, text.c_str(), bytes);
            GlobalUnlock(block);
            if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}

void insertPickedUp(const std::wstring& result)
{
    HWND input = mainState.inputEdit;
    DWORD caret = 0;
    SendMessageW(input, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    const std::wstring text = pickedUpInput(result, controlText(input).substr(0, caret));
    SendMessageW(input, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}
