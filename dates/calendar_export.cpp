#include "dates/calendar_export.h"

#include <cstdio>

#include "text/utf8.h"

namespace {

// A TEXT value: backslash, ";" and "," escaped, line breaks written "\n".
std::wstring escaped(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\\' || c == L';' || c == L',') {
            out += L'\\';
            out += c;
        } else if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            out += L"\\n";
        } else {
            out += c;
        }
    }
    return out;
}

// One content line, folded so that no line passes 75 octets: the break
// comes between characters, and each continuation starts with a blank.
void addLine(std::string& file, const std::string& line)
{
    size_t taken = 0, room = 75;
    while (line.size() - taken > room) {
        size_t cut = taken + room;
        while ((static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
        file += line.substr(taken, cut - taken) + "\r\n ";
        taken = cut;
        room = 74;
    }
    file += line.substr(taken) + "\r\n";
}

std::string dateValue(const CivilDate& d)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", static_cast<int>(d.year), static_cast<int>(d.month),
                  static_cast<int>(d.day));
    return text;
}

} // namespace

std::string calendarFile(const std::vector<CalendarEntry>& entries)
{
    std::string file;
    for (const char* line : {"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Zentolo//Scadenze//IT", "CALSCALE:GREGORIAN"})
        addLine(file, line);
    for (const CalendarEntry& entry : entries) {
        const std::string summary = toUtf8(escaped(entry.summary));
        for (const std::string& line :
             {std::string("BEGIN:VEVENT"), "UID:" + toUtf8(escaped(entry.uid)), "DTSTAMP:" + toUtf8(entry.stamp),
              "DTSTART;VALUE=DATE:" + dateValue(entry.day),
              "DTEND;VALUE=DATE:" + dateValue(dayNumberToDate(dateToDayNumber(entry.day) + 1)), "SUMMARY:" + summary,
              "DESCRIPTION:" + toUtf8(escaped(entry.description)), std::string("BEGIN:VALARM"),
              std::string("ACTION:DISPLAY"), std::string("TRIGGER:-P3D"), "DESCRIPTION:" + summary,
              std::string("END:VALARM"), std::string("END:VEVENT")})
            addLine(file, line);
    }
    addLine(file, "END:VCALENDAR");
    return file;
}

std::string calendarFile(const CalendarEntry& entry) { return calendarFile(std::vector<CalendarEntry>{entry}); }

std::wstring calendarFileName(const CivilDate& day, const wchar_t* prefix)
{
    const std::wstring date = formatDate(day);  // gg/mm/aaaa
    return prefix + std::wstring(L"-") + date.substr(6) + L"-" + date.substr(3, 2) + L"-" + date.substr(0, 2) + L".ics";
}
