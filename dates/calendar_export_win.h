// "Esporta in calendario…": a deadline saved as an .ics file through the
// standard Save As dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dates/calendar.h"
#include "dates/calendar_export.h"

// A deadline as the DATE tab or a report window holds it.
struct DeadlineForCalendar {
    DayNumber due = 0;
    std::wstring summary, prospect;
};

// Asks where to save, in the user's Documents folder under
// "scadenza-AAAA-MM-GG.ics", and writes the file there; says why in a message
// box when it cannot. Nothing is written when the dialog is cancelled.
void exportDeadlineToCalendar(const DeadlineForCalendar& deadline, HWND owner);

// Asks where to save the events, proposing `name` in the user's Documents
// folder, and writes them, each with its UID and stamp; says why in a message
// box when it cannot, and leaves a file already there as it was.
void exportToCalendar(const std::vector<CalendarEntry>& entries, const std::wstring& name, HWND owner);

// Writes the file; false with the reason in `error` when it cannot.
bool writeCalendar(std::vector<CalendarEntry> entries, const std::wstring& path, std::wstring& error);
bool writeDeadlineCalendar(const DeadlineForCalendar& deadline, const std::wstring& path, std::wstring& error);
