// "VERIFICA GIORNI": the day-by-day report in a window of its own.
#pragma once

#include <windows.h>

#include <string>

void openDayVerification();
void showDayVerificationWindow(const std::wstring& text);

extern const wchar_t* const dayWindowClassName;  // "ZentoloDayDetailV062"

// The keyboard of a report window, seen by the message loop: Tab and
// Shift+Tab between the report and the buttons, Ctrl+C copies the selection or
// else the whole report, Escape closes. True when the key was taken here.
bool onDayWindowKey(const MSG& msg);
