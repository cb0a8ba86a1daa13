// "VERIFICA GIORNI": the day-by-day report in a window of its own.
#pragma once

#include <string>

void openDayVerification();
void showDayVerificationWindow(const std::wstring& text);

extern const wchar_t* const dayWindowClassName;  // "ZentoloDayDetailV062"
