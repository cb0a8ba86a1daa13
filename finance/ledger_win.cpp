// The claim ledger's window needs Win32 for its class, its controls, their
// layout as it is sized, the clipboard, printing and the kept place.
#include "finance/ledger_win.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>
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
#include "text/lines.h"
#include "text/numtext.h"
#include "calc/printing_win.h"
#include "dates/calendar.h"
#include "dates/date_fields_win.h"
#include "app/safe_file_win.h"
#include "finance/added_rows_win.h"
#include "finance/claim_file.h"
#include "finance/interest_win.h"
#include "finance/ledger.h"

const wchar_t* const ledgerWindowClassName = L"ZentoloCreditoV07";

namespace {

enum LedgerControl {
    idMovements = 601,
    idLedgerTo = 602,
    idLawsuit = 603,
    idLedgerRevaluation = 604,
    idLedgerCalculate = 605,
    idProspect = 606,
    idCopyProspect = 607,
    idPrintProspect = 608,
    idCloseLedger = 609,
    idCase = 610,
    idSaveClaim = 611,
    idOpenClaim = 612,
    idCompensation = 613,
    idPaymentsToCapital = 614,
    idCalendarLedgerTo = 615,
    idCalendarLawsuit = 616,
};

HWND ledgerWindow = nullptr;

// What the window owns: the whole prospect (the field may show it shortened),
// and the fonts of its monitor's scale.
struct LedgerWindow {
    std::wstring prospect;  // what the field shows, whole: the prospect or the message
    bool printable = false;  // a prospect, not a message
    ToolWindow tool;
    std::vector<HWND> labels;  // "Movimenti", "Al", "Domanda giudiziale", "Pratica"
};

LedgerWindow* stateOf(HWND window)
{
    return reinterpret_cast<LedgerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The smallest client area at 96 DPI, and the one it opens with.
constexpr int minClientWidth = 500, minClientHeight = 536;
constexpr int openClientWidth = 620, openClientHeight = 736;

// A multi-line field lays out every line it holds (some 170 µs a line under
// Wine): a prospect longer than this shows its beginning and its end, and
// COPIA and STAMPA give it whole.
constexpr size_t shownProspectLines = 600;

// Movimenti takes a paste of this many characters at most: a thousand
// movements with their descriptions fit many times over.
constexpr int movementsLimit = 400000;

HWND control(HWND window, int id) { return GetDlgItem(window, id); }

// A message broken at blanks into lines that fit the field's width: the
// prospect's field scrolls sideways, which would hide the end of a sentence.
std::wstring wrappedToField(HWND field, const std::wstring& text)
{
    RECT room{};
    SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    HDC dc = GetDC(field);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)));
    auto width = [&](const std::wstring& line) {
        SIZE size{};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
        return size.cx;
    };
    std::wstring out, line;
    for (size_t at = 0; at <= text.size();) {
        size_t end = text.find(L' ', at);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring word = text.substr(at, end - at);
        if (!line.empty() && width(line + L" " + word) > room.right - room.left) {
            out += line + L"\r\n";
            line = word;
        } else {
            line += (line.empty() ? L"" : L" ") + word;
        }
        at = end + 1;
    }
    SelectObject(dc, old);
    ReleaseDC(field, dc);
    return out + line;
}

// What the prospect's field shows, and what COPIA copies: the same text.
void showProspect(HWND window, LedgerWindow& w, const std::wstring& text, bool printable)
{
    HWND field = control(window, idProspect);
    w.prospect = printable ? text : wrappedToField(field, text);
    w.printable = printable;
    SetWindowTextW(field, printable ? shownProspect(text, shownProspectLines).c_str() : w.prospect.c_str());
}

// Every control at its place for the client area's size, at the window's scale.
void layOut(HWND window)
{
    LedgerWindow* w = stateOf(window);
    if (!w) return;
    RECT rc;
    GetClientRect(window, &rc);
    const int dpi = w->tool.dpi;
    const int width = MulDiv(rc.right, designDpi, dpi), height = MulDiv(rc.bottom, designDpi, dpi);
    auto place = [&](HWND c, int x, int y, int cx, int cy) { placeScaled(c, x, y, cx, cy, dpi); };
    const int inner = width - 24;
    const int caseLabel = std::max(60, labelWidth(w->labels[3], dpi));
    place(w->labels[3], 12, 15, caseLabel, 22);
    place(control(window, idCase), 12 + caseLabel, 10, inner - caseLabel, 30);
    const int movementsHeight = std::max(80, (height - 396) / 3 + 60);
    place(w->labels[0], 12, 50, inner, 22);
    place(control(window, idMovements), 12, 74, inner, movementsHeight);
    const int row = 74 + movementsHeight + 10;
    const int toLabel = std::max(28, labelWidth(w->labels[1], dpi));
    const int lawsuitLabel = std::max(148, labelWidth(w->labels[2], dpi));
    place(w->labels[1], 12, row + 5, toLabel, 22);
    const int toField = 12 + toLabel + 2;
    place(control(window, idLedgerTo), toField, row, 110, 30);
    place(control(window, idCalendarLedgerTo), toField + 111, row, 24, 30);
    const int lawsuitAt = toField + 150;
    place(w->labels[2], lawsuitAt, row + 5, lawsuitLabel, 22);
    place(control(window, idLawsuit), lawsuitAt + lawsuitLabel, row, 110, 30);
    place(control(window, idCalendarLawsuit), lawsuitAt + lawsuitLabel + 111, row, 24, 30);
    const int row2 = row + 40;
    place(control(window, idLedgerRevaluation), 12, row2 + 4, 190, 24);
    place(control(window, idPaymentsToCapital), 12, row2 + 32, inner - 140, 24);
    place(control(window, idCompensation), 12, row2 + 60, inner, 24);
    place(control(window, idLedgerCalculate), width - 12 - 130, row2, 130, 32);
    placeProspectAndButtons(window, w->tool, row2 + 98, width, height);
    // Five buttons in a row, narrower: COPIA, STAMPA, SALVA…, APRI…, CHIUDI.
    const int buttons[5] = {idCopyProspect, idPrintProspect, idSaveClaim, idOpenClaim, idCloseLedger};
    for (int i = 0; i < 5; ++i) place(control(window, buttons[i]), 12 + 96 * i, height - 43, 88, 31);
}

// "01/07/2026  10.000,00": the claim INTERESSI holds, when it reads.
std::wstring firstMovement()
{
    const MainWindowState& s = mainState;
    const ParsedNumber capital = parseNumber(controlText(s.capitalEdit));
    CivilDate from;
    if (!capital.ok || capital.value < 0 || !readTypedDate(controlText(s.interestFromEdit), from)) return std::wstring();
    return formatDate(from) + L"  " + formatNumber(capital.value, settings.decimals);
}

void onCreate(HWND window)
{
    auto* w = new LedgerWindow;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    w->tool = ToolWindow{windowDpi(window), nullptr, idMovements, idProspect, minClientWidth, minClientHeight, layOut,
                         saveLedgerPlace, idMovements, L"Movimenti", movementsLimit, std::nullopt};
    takeToolWindowScale(window, w->tool.font, w->tool.dpi);
    // In tab order: the labels stand before the fields they name.
    HWND caseLabel = createChildIn(window, L"STATIC", L"Pratica", -1, 0);
    HWND caseField = createChildIn(window, L"EDIT", L"", idCase, WS_TABSTOP | ES_AUTOHSCROLL);
    SendMessageW(caseField, EM_SETLIMITTEXT, 200, 0);
    nameControl(caseField, L"Pratica");
    w->labels.push_back(createChildIn(window, L"STATIC", L"Movimenti (data, importo, descrizione; acconti con il meno)",
                                      -1, 0));
    HWND movements = createChildIn(window, L"EDIT", firstMovement().c_str(), idMovements,
                                   WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN);
    SendMessageW(movements, EM_SETLIMITTEXT, movementsLimit, 0);
    nameControl(movements, L"Movimenti");
    w->labels.push_back(createChildIn(window, L"STATIC", L"Al", -1, 0));
    HWND to = createChildIn(window, L"EDIT", formatDate(todayDate()).c_str(), idLedgerTo, WS_TABSTOP | ES_AUTOHSCROLL);
    nameControl(to, L"Al");
    HWND toButton = createButton(window, L"\u25a6", 0, 0, 24, 30, idCalendarLedgerTo, 0, w->tool.font);
    w->labels.push_back(createChildIn(window, L"STATIC", L"Domanda giudiziale", -1, 0));
    w->labels.push_back(caseLabel);
    HWND lawsuit = createChildIn(window, L"EDIT", L"", idLawsuit, WS_TABSTOP | ES_AUTOHSCROLL);
    nameControl(lawsuit, L"Domanda giudiziale");
    HWND lawsuitButton = createButton(window, L"\u25a6", 0, 0, 24, 30, idCalendarLawsuit, 0, w->tool.font);
    for (HWND b : {toButton, lawsuitButton})
        SetWindowLongW(b, GWL_STYLE, GetWindowLongW(b, GWL_STYLE) & ~WS_TABSTOP);
    installDateFieldProc(to, idLedgerCalculate, toButton);
    installDateFieldProc(lawsuit, idLedgerCalculate, lawsuitButton);
    HWND revaluation = createChildIn(window, L"BUTTON", L"Rivalutazione ISTAT", idLedgerRevaluation,
                                     WS_TABSTOP | BS_AUTOCHECKBOX);
    SendMessageW(revaluation, BM_SETCHECK, isChecked(mainState.revaluationCheck) ? BST_CHECKED : BST_UNCHECKED, 0);
    HWND toCapital = createChildIn(window, L"BUTTON", L"Acconti al capitale (debito di valore)", idPaymentsToCapital,
                                   WS_TABSTOP | BS_AUTOCHECKBOX);
    EnableWindow(toCapital, isChecked(revaluation));
    createChildIn(window, L"BUTTON", L"Indennizzo 40 \u20ac per fattura (art. 6 D.Lgs. 231/2002)", idCompensation,
                  WS_TABSTOP | BS_AUTOCHECKBOX);
    createButton(window, L"CALCOLA", 0, 0, 130, 32, idLedgerCalculate, 1, w->tool.font);
    finishToolWindow(window, w->tool);
    // Between STAMPA and CHIUDI, in the tab order as on the screen.
    HWND save = createButton(window, L"SALVA\u2026", 0, 0, 110, 31, idSaveClaim, 0, w->tool.font);
    HWND open = createButton(window, L"APRI\u2026", 0, 0, 110, 31, idOpenClaim, 0, w->tool.font);
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(save, control(window, idPrintProspect), 0, 0, 0, 0, keep);
    SetWindowPos(open, save, 0, 0, 0, 0, keep);
    layOut(window);
}

void calculateLedger(HWND window)
{
    LedgerWindow* w = stateOf(window);
    if (!w) return;
    const MainWindowState& s = mainState;
    normaliseDateField(control(window, idLedgerTo));
    normaliseDateField(control(window, idLawsuit));
    LedgerInput in;
    in.movementsText = controlText(control(window, idMovements));
    in.toText = controlText(control(window, idLedgerTo));
    in.lawsuitText = controlText(control(window, idLawsuit));
    in.revaluation = isChecked(control(window, idLedgerRevaluation));
    in.caseText = controlText(control(window, idCase));
    in.compensation = isChecked(control(window, idCompensation));
    in.paymentsToCapital = isChecked(control(window, idPaymentsToCapital));
    in.source = settings.rateSource;
    in.rateText = controlText(s.rateEdit);
    in.surchargeText = controlText(s.surchargeEdit);
    in.surchargeApplied = isChecked(s.surchargeCheck);
    in.decimals = settings.decimals;
    in.addedRows = addedRows;
    if (holdsCutPaste(w->tool, in.movementsText)) return showProspect(window, *w, cutPasteMessage(w->tool), false);
    const LedgerOutcome out = computeLedger(in);
    showProspect(window, *w, out.text, out.ok);
}

// The claim in the window's fields and INTERESSI's rate, as its file holds it.
ClaimFile claimOf(HWND window)
{
    const MainWindowState& s = mainState;
    ClaimFile f;
    f.caseText = controlText(control(window, idCase));
    f.toText = controlText(control(window, idLedgerTo));
    f.lawsuitText = controlText(control(window, idLawsuit));
    f.revaluation = isChecked(control(window, idLedgerRevaluation));
    f.compensation = isChecked(control(window, idCompensation));
    f.paymentsToCapital = isChecked(control(window, idPaymentsToCapital));
    f.source = settings.rateSource;
    f.rateText = controlText(s.rateEdit);
    if (isChecked(s.surchargeCheck)) f.surchargeText = controlText(s.surchargeEdit);
    f.movementsText = controlText(control(window, idMovements));
    return f;
}

// "Rossi - Bianchi srl.txt": the Pratica without what a file name cannot hold.
std::wstring proposedFileName(const std::wstring& caseText)
{
    std::wstring name;
    for (wchar_t c : trimmedText(caseText)) name += c < 32 || std::wcschr(L"\\/:*?\"<>|", c) ? L'-' : c;
    name = trimmedText(name.substr(0, 120));
    while (!name.empty() && name.back() == L'.') name.pop_back();
    return (name.empty() ? L"conteggio" : name) + L".txt";
}

// The Save As or Open dialog for a claim file, in the folder last used (Documents at first).
std::optional<std::wstring> claimFileDialog(HWND window, bool save)
{
    static std::wstring lastFolder;
    const std::wstring name = save ? proposedFileName(controlText(control(window, idCase))) : L"";
    const auto path = askFilePath(window, L"Conteggio del credito (*.txt)\0*.txt\0", L"txt", name, lastFolder, save);
    if (!path) return std::nullopt;
    const std::wstring chosen = *path;
    lastFolder = chosen.substr(0, chosen.find_last_of(L"\\/"));
    return chosen;
}

bool onCommand(HWND window, int id, int notification)
{
    LedgerWindow* w = stateOf(window);
    if (id == idMovements && notification == EN_MAXTEXT && w) {
        showProspect(window, *w, cutPasteMessage(w->tool), false);
        return true;
    }
    switch (id) {
    case idLedgerRevaluation:  // damages paid on account are a matter of revaluation
        EnableWindow(control(window, idPaymentsToCapital), isChecked(control(window, idLedgerRevaluation)));
        return true;
    case idLedgerCalculate:
        calculateLedger(window);
        return true;
    case idSaveClaim:
    case idOpenClaim:
        if (const auto path = claimFileDialog(window, id == idSaveClaim))
            id == idSaveClaim ? saveLedgerFile(*path) : openLedgerFile(*path);
        return true;
    case idCopyProspect:
        if (w && !w->prospect.empty()) copyTextToClipboard(w->prospect);
        return true;
    case idPrintProspect:
        if (w && w->printable) {
            // The prospect's "Pratica: …" line heads every page after the first.
            const size_t second = w->prospect.find(L"\r\n") + 2, end = w->prospect.find(L"\r\n", second);
            const std::wstring line = w->prospect.substr(second, end - second);
            printPlainText(w->prospect, L"Zentolo - Conteggio del credito", window,
                           line.rfind(L"Pratica: ", 0) == 0 ? line : L"");
        }
        return true;
    case idCloseLedger:
        DestroyWindow(window);
        return true;
    case idCalendarLedgerTo:
    case idCalendarLawsuit: {
        HWND field = control(window, id == idCalendarLedgerTo ? idLedgerTo : idLawsuit);
        openCalendarPopup(field, control(window, id));
        return true;
    }
    default:
        return false;
    }
}

LRESULT CALLBACK ledgerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LedgerWindow* w = stateOf(window);
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
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(idCopyProspect, BN_CLICKED), 0);
        return 0;
    case WM_DESTROY:
        if (ledgerWindow == window) ledgerWindow = nullptr;
        break;
    case WM_NCDESTROY:
        delete w;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void openLedgerWindow()
{
    if (ledgerWindow) return bringToolWindowForward(ledgerWindow);
    ledgerWindow = createToolWindow(ledgerWindowClassName, ledgerProc, L"Conteggio del credito", settings.ledgerPlace,
                                    openClientWidth, openClientHeight);
    if (!ledgerWindow) return;
    ShowWindow(ledgerWindow, SW_SHOW);
    UpdateWindow(ledgerWindow);
    HWND movements = control(ledgerWindow, idMovements);
    SetFocus(movements);
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(movements));
    SendMessageW(movements, EM_SETSEL, end, static_cast<LPARAM>(end));
}

bool onLedgerWindowKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !msg.hwnd || !ledgerWindow) return false;
    if (msg.hwnd != ledgerWindow && !IsChild(ledgerWindow, msg.hwnd)) return false;
    const HWND window = ledgerWindow;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    const int id = GetDlgCtrlID(msg.hwnd);
    switch (msg.wParam) {
    case VK_TAB:
        if (ctrl) return false;
        if (HWND next = GetNextDlgTabItem(window, GetFocus(), shift)) {
            SetFocus(next);
            if (id != idMovements && GetDlgCtrlID(next) != idMovements && GetDlgCtrlID(next) != idProspect)
                SendMessageW(next, EM_SETSEL, 0, -1);
        }
        return true;
    case VK_RETURN:
        // A new line in Movimenti; a button presses itself; a date field sends CALCOLA itself.
        if (id == idMovements || id == idCopyProspect || id == idPrintProspect || id == idCloseLedger ||
            id == idLedgerCalculate || isDateField(msg.hwnd))
            return false;
        if (!(msg.lParam & (1 << 30))) calculateLedger(window);
        return true;
    case VK_DECIMAL:
        if (!isDateField(msg.hwnd)) break;
        SendMessageW(msg.hwnd, WM_CHAR, L'/', msg.lParam);
        return true;
    }
    const LedgerWindow* w = stateOf(window);
    return w && onToolWindowKey(window, w->tool, msg, {idMovements});
}

void saveLedgerFile(const std::wstring& path)
{
    LedgerWindow* w = ledgerWindow ? stateOf(ledgerWindow) : nullptr;
    if (!w) return;
    std::wstring reason;
    if (!replaceFileWhole(path, claimFileText(claimOf(ledgerWindow)), reason))
        showProspect(ledgerWindow, *w, L"Conteggio non salvato: " + reason, false);
}

void openLedgerFile(const std::wstring& path)
{
    LedgerWindow* w = ledgerWindow ? stateOf(ledgerWindow) : nullptr;
    if (!w) return;
    std::string bytes;
    std::wstring reason;
    if (!readWholeFile(path, 8 * 1024 * 1024, bytes, reason))
        return showProspect(ledgerWindow, *w, L"Conteggio non aperto: " + reason, false);
    const ClaimFileReading read = readClaimFile(bytes);
    if (!read.ok) return showProspect(ledgerWindow, *w, read.message, false);
    const ClaimFile& f = read.file;
    const HWND window = ledgerWindow;
    SetWindowTextW(control(window, idCase), f.caseText.c_str());
    SetWindowTextW(control(window, idLedgerTo), f.toText.c_str());
    SetWindowTextW(control(window, idLawsuit), f.lawsuitText.c_str());
    SetWindowTextW(control(window, idMovements), f.movementsText.c_str());
    for (const auto& [id, on] : {std::pair<int, bool>{idLedgerRevaluation, f.revaluation}, {idCompensation, f.compensation},
                                 {idPaymentsToCapital, f.paymentsToCapital}})
        SendMessageW(control(window, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(control(window, idPaymentsToCapital), f.revaluation);
    takeRateSetUp(f.source, f.rateText, f.surchargeText);
    calculateLedger(window);
}
