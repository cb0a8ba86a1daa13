// The date calculator needs Win32 to read the DATE tab and write its result.
#include "dates/date_calculator_win.h"

#include <windows.h>

#include "app/main_window_win.h"
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
    DateOutcome out = computeDates(in, lastDateRange);
    SetWindowTextW(s.dateResult, out.text.c_str());
    fitWindowToTab();
}
