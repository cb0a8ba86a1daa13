// Dates: the date texts, the date calculator and the day report.
#include <cstdlib>
#include <cwchar>

#include "dates/calendar.h"
#include "dates/date_calculator.h"
#include "dates/day_report.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint8_t flags = fuzzByte(data, size);
    DateInputs in;
    in.fromText = fuzzText(data, size, 40);
    in.toText = fuzzText(data, size, 40);
    in.daysText = fuzzText(data, size, 40);
    in.addDays = flags & 1;
    in.includeStart = flags & 2;
    in.endOfMonth = flags & 4;

    // A normalised date text parses and formats to itself.
    for (const std::wstring* text : {&in.fromText, &in.toText}) {
        if (auto normalised = normaliseDateText(*text)) {
            CivilDate d;
            if (!parseDate(*normalised, d) || formatDate(d) != *normalised) std::abort();
        }
    }

    LastDateRange range;
    DateOutcome out = computeDates(in, range);
    if (out.text.empty()) std::abort();
    if (range.valid) {
        if (range.lastDay - range.firstDay + 1 > maxReportDays) std::abort();
        // Keep the report small enough for many runs a second.
        if (range.lastDay - range.firstDay > 4000) range.lastDay = range.firstDay + 4000;
        std::wstring report = buildDayVerificationReport(range);
        size_t at = report.find(L"QUADRATURA: ");
        if (at == std::wstring::npos) std::abort();
        long long w = -1, s = -1, h = -1, t = -1;
        if (std::swscanf(report.c_str() + at, L"QUADRATURA: %lld + %lld + %lld = %lld", &w, &s, &h, &t) != 4)
            std::abort();
        // Working days counted on their own, day by day, not as what is left.
        long long working = 0;
        for (DayNumber d = range.firstDay; d <= range.lastDay; ++d) working += isWorkingDay(d);
        if (w != working || t != range.lastDay - range.firstDay + 1 || s < 0 || h < 0) std::abort();
    }
    return 0;
}
