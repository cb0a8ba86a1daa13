// Timing harness, run under Wine in a virtual display, for commands that need
// the real window: evaluate-and-append of one typical line into a tape that
// already holds 100,000 lines (measured at several tape lengths to show that a
// line costs the same however long the tape is), one "CALCOLA DATE" over the
// longest counted range, and one "VERIFICA GIORNI" over the longest report.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/app_win.h"
#include "app/main_window_win.h"
#include "calc/calculator_win.h"
#include "dates/date_calculator.h"
#include "dates/date_calculator_win.h"
#include "dates/day_window_win.h"

namespace {

double microsecondsPerLine(int lines)
{
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < lines; ++i) {
        SetWindowTextW(mainState.inputEdit, L"1.234,56 + 22%");
        evaluateInput();
    }
    auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(end - start).count() / lines;
}

} // namespace

int main()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (registerWindowClasses(instance) != 0 || !createMainWindow(instance)) return 1;
    std::printf("tape lines  us per evaluate-and-append (1,000 lines)\n");
    int held = 0;
    for (int target : {0, 10000, 50000, 100000}) {
        for (; held < target; ++held)
            SendMessageW(mainState.tapeList, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(L"1.234,56 + 22% = 1.506,16"));
        double us = microsecondsPerLine(1000);
        held += 1000;
        std::printf("%10d  %8.1f\n", target, us);
    }

    SetWindowTextW(mainState.dateFromEdit, L"01/01/2000");
    SetWindowTextW(mainState.dateToEdit, L"07/09/2410");  // 149,999 days later
    const int runs = 50;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) calculateDates();
    auto end = std::chrono::steady_clock::now();
    std::wstring result = controlText(mainState.dateResult);
    std::printf("CALCOLA DATE over 149,999 days: %.2f ms per command (%ls)\n",
                std::chrono::duration<double, std::milli>(end - start).count() / runs,
                result.c_str());

    // "VERIFICA GIORNI": the report built and its window shown, for the
    // longest range and for the default one (the window's own cost).
    for (long long days : {150000LL, 40LL}) {
        lastDateRange = LastDateRange{true, true, dateToDayNumber(CivilDate{1600, 1, 1}), 0};
        lastDateRange.lastDay = lastDateRange.firstDay + days - 1;
        double total = 0;
        for (int i = 0; i < runs; ++i) {
            start = std::chrono::steady_clock::now();
            openDayVerification();
            end = std::chrono::steady_clock::now();
            total += std::chrono::duration<double, std::milli>(end - start).count();
            DestroyWindow(FindWindowW(dayWindowClassName, nullptr));
        }
        std::printf("VERIFICA GIORNI over %lld days: %.2f ms per command, window shown\n", days,
                    total / runs);
    }

    DestroyWindow(mainState.mainWindow);
    return 0;
}
