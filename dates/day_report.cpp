#include "dates/day_report.h"


namespace {

// The holiday list stops growing past this many characters; counting goes on.
constexpr size_t holidayListLimit = 15999;

std::wstring number(long long v) { return std::to_wstring(v); }

} // namespace

std::wstring buildDayVerificationReport(const LastDateRange& range)
{
    long long weekdayCounts[7] = {};
    long long weekdayHolidays = 0, weekendHolidays = 0;
    std::wstring holidayList;
    for (DayNumber d = range.firstDay; d <= range.lastDay; ++d) {
        const int w = weekdayIndex(d);
        ++weekdayCounts[w];
        if (!isHoliday(d, range.patron)) continue;
        const bool weekend = w > 4;
        ++(weekend ? weekendHolidays : weekdayHolidays);
        if (holidayList.size() <= holidayListLimit)
            holidayList += formatDate(dayNumberToDate(d)) + L"  " + weekdayNames[w] + L" - " +
                           holidayName(d, range.patron) + (weekend ? L" (weekend)" : L"") + L"\r\n";
    }
    const long long total = range.lastDay - range.firstDay + 1;
    const long long weekends = weekdayCounts[5] + weekdayCounts[6];
    const long long working = total - weekends - weekdayHolidays;

    std::wstring text = L"PERIODO: " + formatDate(dayNumberToDate(range.firstDay)) + L" - " +
                        formatDate(dayNumberToDate(range.lastDay)) + L"\r\n";
    text += L"Criterio: ";
    text += range.includeStart ? L"estremi inclusi" : L"data iniziale esclusa";
    text += L"\r\n\r\n";
    for (int i = 0; i < 7; ++i) text += weekdayNames[i] + std::wstring(L": ") + number(weekdayCounts[i]) + L"\r\n";
    text += L"-----------------------------\r\nTotale giorni: " + number(total) + L"\r\n";
    text += L"Sabati e domeniche: " + number(weekends) + L"\r\nFestivit\u00e0 in giorni feriali: " +
            number(weekdayHolidays) + L"\r\nFestivit\u00e0 su weekend (gi\u00e0 escluse): " +
            number(weekendHolidays) + L"\r\n";
    text += L"Lavorativi lun-ven: " + number(working) + L"\r\n\r\nQUADRATURA: " + number(working) +
            L" + " + number(weekends) + L" + " + number(weekdayHolidays) + L" = " + number(total) +
            L"\r\n\r\n";
    text += L"FESTIVIT\u00c0 NAZIONALI:\r\n" + (holidayList.empty() ? L"Nessuna\r\n" : holidayList);
    text += range.patron.month ? L"\r\nInclude la festa patronale; non include chiusure aziendali."
                                : L"\r\nNon include festivit\u00e0 patronali o chiusure aziendali.";
    text += L"\r\nIl calendario \u00e8 un supporto di verifica, non un parere normativo.";
    return text;
}
