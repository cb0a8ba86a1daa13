// The split needs Win32 to read the visible weight rows and write the report.
#include "finance/split_win.h"

#include <windows.h>

#include "app/main_window_win.h"
#include "app/settings.h"
#include "finance/split.h"

void calculateSplit()
{
    MainWindowState& s = mainState;
    SplitInput in;
    in.totalText = controlText(s.splitTotalEdit);
    for (int i = 0; i < s.visibleQuotaRows && i < 6; ++i)
        in.weightTexts.push_back(controlText(s.quotaEdits[i]));
    in.decimals = settings.decimals;
    SetWindowTextW(s.splitResultEdit, computeSplit(in).reportText.c_str());
    fitWindowToTab();
}
