// Deadlines as an iCalendar file (RFC 5545) that office and phone calendars
// import: one all-day event each, with a reminder three days before.
#pragma once

#include <string>
#include <vector>

#include "dates/calendar.h"

struct CalendarEntry {
    CivilDate day;             // the deadline
    std::wstring summary;      // "Scadenza: 30 giorni da lunedì 20/07/2026 (processuale)"
    std::wstring description;  // the prospect, lines joined by CR LF
    std::wstring uid;          // unique to the file
    std::wstring stamp;        // when it was written, UTC: "20261208T094500Z"
};

// The file's bytes: UTF-8, CR LF line ends, lines folded at 75 octets, the
// text values escaped.
std::string calendarFile(const std::vector<CalendarEntry>& entries);
std::string calendarFile(const CalendarEntry& entry);

// "scadenza-2026-09-21.ics", or with another prefix: "termini-2025-09-29.ics".
std::wstring calendarFileName(const CivilDate& day, const wchar_t* prefix = L"scadenza");
