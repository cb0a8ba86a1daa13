// "VERIFICA GIORNI": the day-by-day report in a window of its own; the same
// window shows the official tables.
#pragma once

#include <windows.h>

#include <string>

// What a report window is called: its caption, the heading painted on its
// band, its name for screen readers (and the fallback box's title), and the
// print job's name.
struct DayWindowTitle {
    const wchar_t* caption;
    const wchar_t* heading;
    const wchar_t* name;
    const wchar_t* jobName;
};
extern const DayWindowTitle dayReportTitle;     // "VERIFICA GIORNI"
extern const DayWindowTitle tablesWindowTitle;  // "TABELLE DEI TASSI E DEGLI INDICI"

void openDayVerification();
// A deadline's report has CALENDARIO… beside COPIA REPORT.
struct DeadlineForCalendar;
void showDayVerificationWindow(const std::wstring& text, const DayWindowTitle& title = dayReportTitle,
                               const DeadlineForCalendar* deadline = nullptr);

extern const wchar_t* const dayWindowClassName;  // "ZentoloDayDetailV062"

// The keyboard of a report window, seen by the message loop: Tab and
// Shift+Tab between the report and the buttons, Ctrl+C copies the selection or
// else the whole report, Escape closes. True when the key was taken here.
bool onDayWindowKey(const MSG& msg);
