// The calendar export needs Win32 for the Save As dialog, the clock and the file.
#include "dates/calendar_export_win.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/accessible_win.h"
#include "app/safe_file_win.h"
#include "app/system_library_win.h"
#include "dates/calendar_export.h"

namespace {

// "20261208T094500Z", and a UID no other file shares: the moment and a count
// of this run's exports.
void stampAndUid(CalendarEntry& entry)
{
    SYSTEMTIME t;
    GetSystemTime(&t);
    wchar_t stamp[32];
    std::swprintf(stamp, 32, L"%04u%02u%02uT%02u%02u%02uZ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    entry.stamp = stamp;
    static unsigned exports = 0;
    LARGE_INTEGER tick;
    QueryPerformanceCounter(&tick);
    entry.uid = entry.stamp + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++exports) +
                L"-" + std::to_wstring(tick.QuadPart) + L"@zentolo";
}

} // namespace

bool writeCalendar(std::vector<CalendarEntry> entries, const std::wstring& path, std::wstring& error)
{
    for (CalendarEntry& entry : entries) stampAndUid(entry);
    return replaceFileWhole(path, calendarFile(entries), error);
}

bool writeDeadlineCalendar(const DeadlineForCalendar& deadline, const std::wstring& path, std::wstring& error)
{
    CalendarEntry entry;
    entry.day = dayNumberToDate(deadline.due);
    entry.summary = deadline.summary;
    entry.description = deadline.prospect;
    return writeCalendar({entry}, path, error);
}

void exportToCalendar(const std::vector<CalendarEntry>& entries, const std::wstring& name, HWND owner)
{
    const auto path = askFilePath(owner, L"Calendario (*.ics)\0*.ics\0", L"ics", name, L"", true);
    if (!path) return;
    std::wstring error;
    if (writeCalendar(entries, *path, error)) return;
    const std::wstring text = L"Calendario non salvato in " + *path + L":\r\n" + error;
    ModalScope modal;
    MessageBoxW(owner, text.c_str(), L"Zentolo", MB_ICONWARNING | MB_OK);
}

void exportDeadlineToCalendar(const DeadlineForCalendar& deadline, HWND owner)
{
    CalendarEntry entry;
    entry.day = dayNumberToDate(deadline.due);
    entry.summary = deadline.summary;
    entry.description = deadline.prospect;
    exportToCalendar({entry}, calendarFileName(entry.day), owner);
}
