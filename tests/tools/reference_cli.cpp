// Line-oriented access to number text and the calendar for the reference
// scripts in tests/: they feed inputs on stdin and compare what comes back
// with what Python computes. UTF-8 in and out; a trailing CR is ignored.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "text/numtext.h"
#include "dates/calendar.h"
#include "dates/act_terms.h"
#include "dates/calendar_export.h"
#include "dates/deadlines.h"
#include "calc/vat.h"
#include "dates/date_calculator.h"
#include "dates/day_report.h"
#include "finance/interest.h"
#include "finance/ledger.h"
#include "tests/tools/utf8.h"

namespace {

bool readLine(std::string& line)
{
    line.clear();
    int c;
    while ((c = std::getchar()) != EOF && c != '\n') line += static_cast<char>(c);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return c != EOF || !line.empty();
}

void put(const std::string& s) { std::fwrite(s.data(), 1, s.size(), stdout); }

double fromBits(const std::string& hex)
{
    std::uint64_t bits = std::strtoull(hex.c_str(), nullptr, 16);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string bitsOf(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof v);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%016" PRIx64, bits);
    return buf;
}

// Each input line, a double as 16 hex digits of its bits, gives one line:
// formatNumber with 0 to 6 decimals, then formatPlainNumber, tab-separated.
void formatMode()
{
    std::string line;
    while (readLine(line)) {
        double v = fromBits(line);
        std::string out;
        for (int d = 0; d <= 6; ++d) out += toUtf8(formatNumber(v, d)) + "\t";
        out += toUtf8(formatPlainNumber(v, 2)) + "\n";
        put(out);
    }
}

// Each input line "KIND RATE OPERAND DECIMALS" (kind 1 to 3, rate and operand
// as 16 hex digits of their bits) gives the VAT key's tape line.
void vatMode()
{
    std::string line;
    while (readLine(line)) {
        char kind = line[0];
        put(toUtf8(vatTapeLine(static_cast<VatOperation>(kind - '0'), fromBits(line.substr(2, 16)),
                               fromBits(line.substr(19, 16)), std::atoi(line.c_str() + 36))) +
            "\n");
    }
}

// Each input line, a text, gives "ok BITS" or "fail".
void parseMode()
{
    std::string line;
    while (readLine(line)) {
        ParsedNumber r = parseNumber(fromUtf8(line));
        put(r.ok ? "ok " + bitsOf(r.value) + "\n" : std::string("fail\n"));
    }
}

// Easter Sunday of every year in [from, to]: "YEAR MONTH DAY".
void easterMode(int from, int to)
{
    for (int y = from; y <= to; ++y) {
        CivilDate e = easterSunday(y);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%d %d %d\n", e.year, e.month, e.day);
        put(buf);
    }
}

// Every step-th day number in [from, to]: "N YEAR MONTH DAY WEEKDAY HOLIDAY WORKING".
void daysMode(long long from, long long to, long long step)
{
    std::string out;
    for (long long n = from; n <= to; n += step) {
        CivilDate d = dayNumberToDate(n);
        char buf[96];
        std::snprintf(buf, sizeof buf, "%lld %d %d %d %d %d %d\n", n, d.year, d.month, d.day,
                      weekdayIndex(n), isNationalHoliday(n) ? 1 : 0, isWorkingDay(n, {}) ? 1 : 0);
        out += buf;
        if (out.size() > 1 << 16) {
            put(out);
            out.clear();
        }
    }
    put(out);
}

// A line "FROM<TAB>TO<TAB>INCLUDE" (INCLUDE 0 or 1): the date calculator's
// inputs in difference mode.
DateInputs rangeInputs(const std::string& line)
{
    size_t a = line.find('\t'), b = line.find('\t', a + 1);
    DateInputs in;
    in.fromText = fromUtf8(line.substr(0, a));
    in.toText = fromUtf8(line.substr(a + 1, b - a - 1));
    in.includeStart = line.substr(b + 1) == "1";
    return in;
}

// Each range line gives the date calculator's result line.
void countMode()
{
    std::string line;
    while (readLine(line)) {
        LastDateRange range;
        put(toUtf8(computeDates(rangeInputs(line), range).text) + "\n");
    }
}

// Each range line gives the day report's QUADRATURA line, or "-" when the
// range is not counted.
void reportMode()
{
    std::string line;
    while (readLine(line)) {
        LastDateRange range;
        computeDates(rangeInputs(line), range);
        if (!range.valid) {
            put("-\n");
            continue;
        }
        std::wstring report = buildDayVerificationReport(range);
        size_t at = report.find(L"QUADRATURA: ");
        put(toUtf8(report.substr(at, report.find(L"\r\n", at) - at)) + "\n");
    }
}

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// Each input line "CAPITAL RATE SURCHARGE DAYS FROM TO APPLIED DAYSMODE DECIMALS"
// (tab-separated) gives "RESULT<TAB>FORMULA", the formula's line breaks as "|".
void interestMode()
{
    std::string line;
    while (readLine(line)) {
        std::vector<std::string> f = splitTabs(line);
        if (f.size() != 9 && f.size() != 10) {
            put("bad input\n");
            continue;
        }
        InterestInput in;
        in.capitalText = fromUtf8(f[0]);
        in.rateText = fromUtf8(f[1]);
        in.surchargeText = fromUtf8(f[2]);
        in.daysText = fromUtf8(f[3]);
        in.fromText = fromUtf8(f[4]);
        in.toText = fromUtf8(f[5]);
        in.surchargeApplied = f[6] == "1";
        in.daysMode = f[7] == "1";
        in.decimals = std::atoi(f[8].c_str());
        if (f.size() == 10) in.source = static_cast<RateSource>(std::atoi(f[9].c_str()));
        InterestOutcome out = computeInterest(in);
        std::string formula = toUtf8(out.formulaText);
        for (size_t at; (at = formula.find("\r\n")) != std::string::npos;) formula.replace(at, 2, "|");
        std::string note = out.note.empty() ? std::string() : "|" + toUtf8(out.note);
        for (size_t at; (at = note.find("\r\n")) != std::string::npos;) note.replace(at, 2, "|");
        put(toUtf8(out.resultLine) + note + "\t" + (out.ok ? formula : std::string()) + "\n");
    }
}

std::string joinedLines(std::wstring text)
{
    for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.replace(at, 2, L"|");
    return toUtf8(text);
}

// Each input line "MOVEMENTS SOURCE RATE SURCHARGE APPLIED TO LAWSUIT
// REVALUATION DECIMALS" (tab-separated, the movements' lines joined by "|")
// gives the prospect, or the message, its lines joined by "|".
void ledgerMode()
{
    std::string line;
    while (readLine(line)) {
        std::vector<std::string> f = splitTabs(line);
        if (f.size() != 11) {
            put("bad input\n");
            continue;
        }
        LedgerInput in;
        in.movementsText = fromUtf8(f[0]);
        for (wchar_t& c : in.movementsText)
            if (c == L'|') c = L'\n';
        in.source = static_cast<RateSource>(std::atoi(f[1].c_str()));
        in.rateText = fromUtf8(f[2]);
        in.surchargeText = fromUtf8(f[3]);
        in.surchargeApplied = f[4] == "1";
        in.toText = fromUtf8(f[5]);
        in.lawsuitText = fromUtf8(f[6]);
        in.revaluation = f[7] == "1";
        in.decimals = std::atoi(f[8].c_str());
        in.compensation = f[9] == "1";
        in.paymentsToCapital = f[10] == "1";
        put(joinedLines(computeLedger(in).text) + "\n");
    }
}

// One line "EVENT TERM RULE" (tab-separated) gives the calendar file of the
// deadline, computed on 08/12/2026, as its bytes.
void icsMode()
{
    std::string line;
    if (!readLine(line)) return;
    std::vector<std::string> f = splitTabs(line);
    if (f.size() != 3) return;
    CivilDate event;
    if (!parseDate(fromUtf8(f[0]), event)) return;
    const DeadlineText d = deadlineText(dateToDayNumber(event), fromUtf8(f[1]), false,
                                        static_cast<DeadlineRule>(std::atoi(f[2].c_str())), {}, {2026, 12, 8});
    CalendarEntry entry{dayNumberToDate(d.due), d.summary, d.prospect, L"20261208T094500Z-1@zentolo", L"20261208T094500Z"};
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the file's own CR LF, not doubled
#endif
    put(calendarFile(entry));
}

// One line "ACT DATE SERVED OPTION CASE" (tab-separated, the act by its
// number) gives the calendar file of the act's terms, each event numbered.
void termsMode()
{
    std::string line;
    if (!readLine(line)) return;
    std::vector<std::string> f = splitTabs(line);
    if (f.size() != 5) return;
    ActTermsInput in;
    in.act = static_cast<Act>(std::atoi(f[0].c_str()) % actCount);
    in.dateText = fromUtf8(f[1]);
    in.servedText = fromUtf8(f[2]);
    in.option = f[3] == "1";
    in.caseText = fromUtf8(f[4]);
    std::vector<CalendarEntry> events = actTermsEvents(computeActTerms(in), in.caseText);
    for (size_t i = 0; i < events.size(); ++i) {
        events[i].stamp = L"20261209T094500Z";
        events[i].uid = L"20261209T094500Z-" + std::to_wstring(i + 1) + L"@zentolo";
    }
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    put(calendarFile(events));
}

} // namespace

int main(int argc, char** argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "format") {
        formatMode();
    } else if (mode == "parse") {
        parseMode();
    } else if (mode == "vat") {
        vatMode();
    } else if (mode == "interest") {
        interestMode();
    } else if (mode == "ics") {
        icsMode();
    } else if (mode == "terms") {
        termsMode();
    } else if (mode == "ledger") {
        ledgerMode();
    } else if (mode == "count") {
        countMode();
    } else if (mode == "report") {
        reportMode();
    } else if (mode == "easter" && argc == 4) {
        easterMode(std::atoi(argv[2]), std::atoi(argv[3]));
    } else if (mode == "days" && argc == 5) {
        daysMode(std::atoll(argv[2]), std::atoll(argv[3]), std::atoll(argv[4]));
    } else {
        std::fputs("usage: reference_cli format|parse|vat|count|report|interest|ledger|ics|easter FROM TO|days FROM TO STEP\n", stderr);
        return 2;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
