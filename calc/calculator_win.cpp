// The calculator needs Win32 to read the input line, write the display and
// the tape, sound the beep and use the clipboard.
#include "calc/calculator_win.h"

#include <cstring>

#include "app/main_window_win.h"
#include "calc/calculator.h"
#include "calc/numtext.h"

namespace {

void messageBeep() { MessageBeep(MB_ICONEXCLAMATION); }

WNDPROC inputEditBaseProc = nullptr;

LRESULT onInputKeyDown(HWND edit, WPARAM key, LPARAM lParam)
{
    switch (key) {
    case VK_RETURN:
        evaluateInput();
        return 0;
    case VK_ESCAPE:
        SetWindowTextW(edit, L"");
        return 0;
    case 'C':
        if (GetKeyState(VK_CONTROL) < 0 && GetWindowTextLengthW(edit) == 0) {
            copyTextToClipboard(calculator.displayText);
            return 0;
        }
        break;
    }
    return CallWindowProcW(inputEditBaseProc, edit, WM_KEYDOWN, key, lParam);
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
        break;
    }
    return CallWindowProcW(inputEditBaseProc, edit, message, wParam, lParam);
}

} // namespace

void (*rejectBeep)() = messageBeep;

void installInputEditProc(HWND edit)
{
    inputEditBaseProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(inputEditProc)));
}

void showResult(double value)
{
    calculator.displayValue = value;
    calculator.displayText = formatNumber(value, -1);
    SetWindowTextW(mainState.display, calculator.displayText.c_str());
}

void appendTapeLine(const std::wstring& text)
{
    HWND tape = mainState.tapeList;
    SendMessageW(tape, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    LRESULT count = SendMessageW(tape, LB_GETCOUNT, 0, 0);
    if (count > 0) SendMessageW(tape, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
}

void evaluateInput()
{
    HWND input = mainState.inputEdit;
    Evaluation e = evaluateLine(controlText(input), calculator.displayValue);
    if (e.kind == Evaluation::nothing) return;
    if (e.kind == Evaluation::rejected) {
        rejectBeep();
        return;
    }
    showResult(e.value);
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
