// The interest calculator needs Win32 to read the INTERESSI tab and write its texts.
#include "finance/interest_win.h"

#include <windows.h>

#include "app/main_window_win.h"
#include "calc/calculator_win.h"
#include "finance/interest.h"

void calculateInterest()
{
    MainWindowState& s = mainState;
    InterestInput in;
    in.capitalText = controlText(s.capitalEdit);
    in.rateText = controlText(s.rateEdit);
    in.surchargeText = controlText(s.surchargeEdit);
    in.daysText = controlText(s.interestDaysEdit);
    in.fromText = controlText(s.interestFromEdit);
    in.toText = controlText(s.interestToEdit);
    in.surchargeApplied = isChecked(s.surchargeCheck);
    in.daysMode = isChecked(s.enterDaysCheck);

    InterestOutcome out = computeInterest(in);
    SetWindowTextW(s.interestResult, out.resultLine.c_str());
    fitWindowToTab();
    if (!out.ok) return;
    SetWindowTextW(s.formulaEdit, out.formulaText.c_str());
    // The calculator continues from the interest, and shows what it continues from.
    showResult(out.interest);
}
