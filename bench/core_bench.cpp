// Figures for the hot paths of number text and the calendar.
#include <benchmark/benchmark.h>

#include <string>

#include "calc/calculator.h"
#include "text/numtext.h"
#include "dates/calendar.h"
#include "dates/day_report.h"
#include "dates/deadlines.h"
#include "finance/interest.h"

namespace {

void parseTypical(benchmark::State& state, const std::wstring& text)
{
    for (auto _ : state) benchmark::DoNotOptimize(parseNumber(text));
}

std::wstring longExpression()
{
    std::wstring text = L"1.234,56";
    while (text.size() + 12 <= 200) text += L" + (40+35)/3";
    text.resize(200, L' ');
    return text;
}

void BM_ParseAmountWithVat(benchmark::State& state) { parseTypical(state, L"1.234,56 + 22%"); }
void BM_ParseParenthesised(benchmark::State& state) { parseTypical(state, L"(40+35)/3"); }
void BM_Parse200Characters(benchmark::State& state)
{
    std::wstring text = longExpression();
    state.SetLabel(std::to_string(text.size()) + " chars, ok=" +
                   (parseNumber(text).ok ? "yes" : "no"));
    parseTypical(state, text);
}

// A pasted line of 30,000 characters, as Enter evaluates it.
void BM_Evaluate30000Characters(benchmark::State& state)
{
    std::wstring text = L"1";
    while (text.size() < 30000) text += L"+1";
    for (auto _ : state) benchmark::DoNotOptimize(evaluateLine(text, 0, 2));
}

void BM_FormatAmount(benchmark::State& state)
{
    double v = 1234567.891;
    for (auto _ : state) {
        benchmark::DoNotOptimize(v);
        benchmark::DoNotOptimize(formatNumber(v, 2));
    }
}

// One counted range of the longest kind: every day asks both questions, and
// Easter is recomputed for each.
void BM_Walk150000Days(benchmark::State& state)
{
    const DayNumber first = dateToDayNumber(CivilDate{2000, 1, 1});
    for (auto _ : state) {
        int holidays = 0, working = 0;
        for (DayNumber n = first; n < first + 150000; ++n) {
            holidays += isNationalHoliday(n);
            working += isWorkingDay(n, {});
        }
        benchmark::DoNotOptimize(holidays);
        benchmark::DoNotOptimize(working);
    }
}

// The text of the longest report: 150,000 days from 01/01/1600.
void BM_DayReport150000Days(benchmark::State& state)
{
    LastDateRange range{true, true, dateToDayNumber(CivilDate{1600, 1, 1}), 0, {}, false, {}, {}, 0};
    range.lastDay = range.firstDay + 149999;
    for (auto _ : state) benchmark::DoNotOptimize(buildDayVerificationReport(range));
}

// The longest court term: 100.000 days, every August skipped day by day.
void BM_CourtTerm100000Days(benchmark::State& state)
{
    const DayNumber event = dateToDayNumber(CivilDate{2000, 1, 1});
    for (auto _ : state) benchmark::DoNotOptimize(deadlineText(event, L"100.000", false, DeadlineRule::court, {}, {}));
}

// The longest split at the official rates: every half-year from 2002 to the
// last day a date can have, a formula line each.
void BM_ReferenceRatesTo9999(benchmark::State& state)
{
    InterestInput in;
    in.capitalText = L"12.500";
    in.fromText = L"08/08/2002";
    in.toText = L"31/12/9999";
    in.source = RateSource::reference;
    state.SetLabel(std::to_string(computeInterest(in).formulaText.size()) + " characters of formula");
    for (auto _ : state) benchmark::DoNotOptimize(computeInterest(in));
}

} // namespace

BENCHMARK(BM_CourtTerm100000Days)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceRatesTo9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseAmountWithVat);
BENCHMARK(BM_ParseParenthesised);
BENCHMARK(BM_Parse200Characters);
BENCHMARK(BM_Evaluate30000Characters)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatAmount);
BENCHMARK(BM_Walk150000Days)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DayReport150000Days)->Unit(benchmark::kMillisecond);
