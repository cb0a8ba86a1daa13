// The calculator's Win32 side: the input line, the display, the tape and the clipboard.
#pragma once

#include <windows.h>

#include <string>

void showResult(double value);
void appendTapeLine(const std::wstring& text);
void evaluateInput();
void copyTextToClipboard(const std::wstring& text);

// Replaces the input line's window procedure, keeping the standard one.
void installInputEditProc(HWND edit);

// The exclamation beep that answers unreadable input; a seam for tests.
extern void (*rejectBeep)();
