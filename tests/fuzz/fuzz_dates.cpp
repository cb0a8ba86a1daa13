// Dates: the date texts, the date calculator, the day report and the terms of an act.
#include <cstdlib>
#include <cwchar>

#include "dates/act_terms.h"
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
    in.rule = static_cast<DeadlineRule>((flags >> 3) % deadlineRuleCount);
    if (flags & 0x80) in.patron = {6, 29};  // Rome's, which the law closes too

    // A normalised date text parses and formats to itself.
    for (const std::wstring* text : {&in.fromText, &in.toText}) {
        if (auto normalised = normaliseDateText(*text)) {
            CivilDate d;
            if (!parseDate(*normalised, d) || formatDate(d) != *normalised) std::abort();
        }
    }

    // The terms of an act: a message, or terms on open days, before a hearing
    // and after any other act (the citation's latest service is never moved).
    ActTermsInput act;
    act.act = static_cast<Act>(flags % actCount);
    act.dateText = in.fromText;
    act.servedText = in.toText;
    act.daysText = in.daysText;
    act.option = flags & 0x40;
    act.rule = in.rule;
    const ActTermsOutcome terms = computeActTerms(act);
    if (terms.text.empty() || (terms.ok && terms.terms.empty())) std::abort();
    const bool backward = act.act == Act::firstHearing || act.act == Act::decisionHearing;
    for (const ActTerm& t : terms.terms)
        if ((backward ? t.due >= terms.actDay : t.due <= terms.actDay) ||
            (t.name.find(L"163-bis") == std::wstring::npos && isClosedDay(t.due, DeadlineRule::court, {})))
            std::abort();

    LastDateRange range;
    DateOutcome out = computeDates(in, range);
    if (out.text.empty()) std::abort();
    if (range.valid) {
        if (range.lastDay - range.firstDay + 1 > maxReportDays) std::abort();
        // Keep the report small enough for many runs a second.
        const bool shortened = range.lastDay - range.firstDay > 4000;
        if (shortened) range.lastDay = range.firstDay + 4000;
        std::wstring report = buildDayVerificationReport(range);
        size_t at = report.find(L"QUADRATURA: ");
        if (at == std::wstring::npos) std::abort();
        long long w = -1, s = -1, h = -1, t = -1;
        if (std::swscanf(report.c_str() + at, L"QUADRATURA: %lld + %lld + %lld = %lld", &w, &s, &h, &t) != 4)
            std::abort();
        if (t != range.lastDay - range.firstDay + 1 || s < 0 || h < 0) std::abort();
        // The report counts on its own what the calculator counted (whose
        // counts are checked against NumPy's busday_count): the same working
        // days and holidays, unless the range was shortened above.
        long long shownWorking = -1, shownHolidays = -1, weekendHolidays = -1;
        size_t counts = out.text.find(L"lavorativi: ");
        size_t weekend = report.find(L"(gi\u00e0 escluse): ");
        if (counts == std::wstring::npos || weekend == std::wstring::npos ||
            std::swscanf(out.text.c_str() + counts, L"lavorativi: %lld  |  feste: %lld", &shownWorking,
                         &shownHolidays) != 2 ||
            std::swscanf(report.c_str() + weekend, L"(gi\u00e0 escluse): %lld", &weekendHolidays) != 1)
            std::abort();
        if (!shortened && (w != shownWorking || h + weekendHolidays != shownHolidays)) std::abort();
    }
    return 0;
}
