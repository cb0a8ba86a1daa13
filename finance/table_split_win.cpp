// The table split's window needs Win32 for its class, its controls, their
// layout as it is sized, the clipboard, printing and the kept place.
#include "finance/table_split_win.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/accessible_win.h"
#include "app/button_win.h"
#include "app/dpi_win.h"
#include "app/main_window_win.h"
#include "app/program_windows_win.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "calc/calculator_win.h"
#include "calc/printing_win.h"
#include "finance/split.h"
#include "finance/table_split.h"

const wchar_t* const tableSplitWindowClassName = L"ZentoloRipartoV08";

namespace {

enum TableSplitControl {
    idRows = 701,
    idAmounts = 702,
    idSplitTable = 703,
    idTableProspect = 704,
    idCopyTable = 705,
    idPrintTable = 706,
    idCloseTable = 707,
};

HWND tableWindow = nullptr;

struct TableSplitWindow {
    ToolWindow tool;
    TableSplitOutcome outcome;  // the last split, or its message
    HWND rowsLabel = nullptr, amountsLabel = nullptr;
};

TableSplitWindow* stateOf(HWND window)
{
    return reinterpret_cast<TableSplitWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The smallest client area at 96 DPI, and the one it opens with.
constexpr int minClientWidth = 520, minClientHeight = 440;
constexpr int openClientWidth = 760, openClientHeight = 620;

// A field lays out every line it holds: a prospect of more characters than
// this (a table of some 500 rows of three columns) shows its beginning and
// its end.
constexpr size_t shownProspectCharacters = 40000;

// Righe takes a paste of this many characters at most: 2.000 rows of ten
// weights and a name fit many times over.
constexpr int rowsLimit = 1000000;

HWND control(HWND window, int id) { return GetDlgItem(window, id); }

void layOut(HWND window)
{
    TableSplitWindow* w = stateOf(window);
    if (!w) return;
    RECT rc;
    GetClientRect(window, &rc);
    const int dpi = w->tool.dpi;
    const int width = MulDiv(rc.right, designDpi, dpi), height = MulDiv(rc.bottom, designDpi, dpi);
    auto place = [&](HWND c, int x, int y, int cx, int cy) { placeScaled(c, x, y, cx, cy, dpi); };
    const int inner = width - 24;
    const int rowsHeight = std::max(100, (height - 230) / 2);
    place(w->rowsLabel, 12, 10, inner, 22);
    place(control(window, idRows), 12, 34, inner, rowsHeight);
    const int row = 34 + rowsHeight + 10;
    place(w->amountsLabel, 12, row + 5, 90, 22);
    place(control(window, idAmounts), 104, row, width - 104 - 12 - 130 - 10, 30);
    place(control(window, idSplitTable), width - 12 - 130, row - 1, 130, 32);
    placeProspectAndButtons(window, w->tool, row + 42, width, height);
}

void onCreate(HWND window)
{
    auto* w = new TableSplitWindow;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    w->tool = ToolWindow{windowDpi(window), nullptr, idRows, idTableProspect, minClientWidth, minClientHeight, layOut,
                         saveTableSplitPlace, idRows, L"Righe", rowsLimit, std::nullopt};
    takeToolWindowScale(window, w->tool.font, w->tool.dpi);
    // In tab order: the labels stand before the fields they name.
    w->rowsLabel = createChildIn(window, L"STATIC", L"Righe (nome e pesi; incolla una tabella dal foglio di calcolo)", -1, 0);
    HWND rows = createChildIn(window, L"EDIT", L"", idRows,
                              WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                                  ES_WANTRETURN);
    SendMessageW(rows, EM_SETLIMITTEXT, rowsLimit, 0);
    nameControl(rows, L"Righe");
    w->amountsLabel = createChildIn(window, L"STATIC", L"Importi (\u20ac)", -1, 0);
    HWND amounts = createChildIn(window, L"EDIT", L"", idAmounts, WS_TABSTOP | ES_AUTOHSCROLL);
    nameControl(amounts, L"Importi (\u20ac)");
    createButton(window, L"RIPARTISCI", 0, 0, 130, 32, idSplitTable, 1, w->tool.font);
    finishToolWindow(window, w->tool);
}

void splitTable(HWND window)
{
    TableSplitWindow* w = stateOf(window);
    if (!w) return;
    const std::wstring rows = controlText(control(window, idRows));
    w->outcome = holdsCutPaste(w->tool, rows) ? TableSplitOutcome{false, cutPasteMessage(w->tool), L""}
                                              : computeTableSplit({rows, controlText(control(window, idAmounts))});
    SetWindowTextW(control(window, idTableProspect), shownProspect(w->outcome.text, SIZE_MAX, shownProspectCharacters).c_str());
}

// An empty Righe takes PROPORZIONI's weights and Importi its total, when they split.
void takeSplitOfTab(HWND window)
{
    const MainWindowState& s = mainState;
    if (GetWindowTextLengthW(control(window, idRows)) > 0 || !s.splitTotalEdit) return;
    SplitInput in;
    in.totalText = controlText(s.splitTotalEdit);
    for (int i = 0; i < s.visibleQuotaRows && i < 6; ++i) in.weightTexts.push_back(controlText(s.quotaEdits[i]));
    if (!computeSplit(in).ok) return;
    SetWindowTextW(control(window, idRows), tableRowsText(in.weightTexts).c_str());
    SetWindowTextW(control(window, idAmounts), in.totalText.c_str());
}

bool onCommand(HWND window, int id, int notification)
{
    TableSplitWindow* w = stateOf(window);
    if (id == idRows && notification == EN_MAXTEXT && w) {
        w->outcome = TableSplitOutcome{false, cutPasteMessage(w->tool), L""};
        SetWindowTextW(control(window, idTableProspect), w->outcome.text.c_str());
        return true;
    }
    switch (id) {
    case idSplitTable:
        splitTable(window);
        return true;
    case idCopyTable:
        // The table for a spreadsheet; a message as it stands.
        if (w && !w->outcome.text.empty()) copyTextToClipboard(w->outcome.ok ? w->outcome.copyText : w->outcome.text);
        return true;
    case idPrintTable:
        if (w && w->outcome.ok) printPlainText(w->outcome.text, L"Zentolo - Riparto per tabella", window);
        return true;
    case idCloseTable:
        DestroyWindow(window);
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK tableSplitProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TableSplitWindow* w = stateOf(window);
    LRESULT result = 0;
    if (w && onToolWindowMessage(window, w->tool, message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_CREATE:
        onCreate(window);
        return 0;
    case WM_COMMAND:
        if (onCommand(window, LOWORD(wParam), HIWORD(wParam))) return 0;
        break;
    case copyWholeProspect:
        if (w) copyTextToClipboard(w->outcome.text);
        return 0;
    case WM_DESTROY:
        if (tableWindow == window) tableWindow = nullptr;
        break;
    case WM_NCDESTROY:
        delete w;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void openTableSplitWindow()
{
    if (tableWindow) {
        takeSplitOfTab(tableWindow);
        return bringToolWindowForward(tableWindow);
    }
    tableWindow = createToolWindow(tableSplitWindowClassName, tableSplitProc, L"Riparto per tabella",
                                   settings.tableSplitPlace, openClientWidth, openClientHeight);
    if (!tableWindow) return;
    takeSplitOfTab(tableWindow);
    ShowWindow(tableWindow, SW_SHOW);
    UpdateWindow(tableWindow);
    SetFocus(control(tableWindow, idRows));
}

bool onTableSplitWindowKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !msg.hwnd || !tableWindow) return false;
    if (msg.hwnd != tableWindow && !IsChild(tableWindow, msg.hwnd)) return false;
    const TableSplitWindow* w = stateOf(tableWindow);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    const int id = GetDlgCtrlID(msg.hwnd);
    switch (msg.wParam) {
    case VK_TAB:
        if (ctrl && id == idRows) {  // a tab between cells, as a spreadsheet's row has them
            SendMessageW(msg.hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\t"));
            return true;
        }
        if (ctrl) return false;
        if (HWND next = GetNextDlgTabItem(tableWindow, GetFocus(), shift)) {
            SetFocus(next);
            if (GetDlgCtrlID(next) == idAmounts) SendMessageW(next, EM_SETSEL, 0, -1);
        }
        return true;
    case VK_RETURN:
        if (id != idAmounts) return false;  // a new line in Righe; a button presses itself
        if (!(msg.lParam & (1 << 30))) splitTable(tableWindow);
        return true;
    default:
        return w && onToolWindowKey(tableWindow, w->tool, msg, {idRows, idAmounts});
    }
}
