// The date calculator needs Win32 to read the DATE tab and write its result.
#include "dates/date_calculator_win.h"

#include <windows.h>

#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "dates/date_calculator.h"

void calculateDates()
{
    MainWindowState& s = mainState;
    DateInputs in;
    in.fromText = controlText(s.dateFromEdit);
    in.toText = controlText(s.dateToEdit);
    in.daysText = controlText(s.dateDaysEdit);
    in.addDays = isChecked(s.addDaysCheck);
    in.includeStart = isChecked(s.includeStartCheck);
    in.endOfMonth = isChecked(s.endOfMonthCheck);
    in.rule = settings.deadlineRule;
    in.today = todayDate();
    in.patron = settings.patronDay;
    DateOutcome out = computeDates(in, lastDateRange);
    SetWindowTextW(s.dateResult, out.text.c_str());
    s.dateResultIsFigure = out.ok;
    fitWindowToTab();
}

std::wstring deadlineRuleLabel() { return std::wstring(deadlineRuleName(settings.deadlineRule)) + L"  \u25be"; }

void showDeadlineRuleMenu()
{
    const wchar_t* choices[deadlineRuleCount];
    for (int i = 0; i < deadlineRuleCount; ++i) choices[i] = deadlineRuleChoice(static_cast<DeadlineRule>(i));
    const int picked = pickFromButtonMenu(mainState.deadlineRuleButton, choices, deadlineRuleCount,
                                          static_cast<int>(settings.deadlineRule), menuRuleFirst);
    if (picked < 0) return;
    settings.deadlineRule = static_cast<DeadlineRule>(picked);
    saveDeadlineRule();
    SetWindowTextW(mainState.deadlineRuleButton, deadlineRuleLabel().c_str());
    if (mainState.dateResultIsFigure) calculateDates();
}
