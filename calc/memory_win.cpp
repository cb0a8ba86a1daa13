// The memory keys and the grand total: sums of results as they are shown.
#include "calc/calculator_win.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "app/accessible_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "calc/calculator.h"
#include "text/numtext.h"

namespace {

wchar_t memoryName[64] = L"";  // "Memoria: 1.234,56", what a screen reader hears for the "M"

} // namespace

void showMemoryMark()
{
    HWND mark = mainState.memoryMark;
    if (!mark) return;
    const std::wstring name = L"Memoria: " + formatNumber(calculator.memory, settings.decimals);
    name.copy(memoryName, std::size(memoryName) - 1);
    memoryName[std::min(name.size(), std::size(memoryName) - 1)] = L'\0';
    nameControl(mark, memoryName);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, mark, OBJID_CLIENT, CHILDID_SELF);
    ShowWindow(mark, calculator.memory != 0 && mainState.currentTab == tabCalc ? SW_SHOW : SW_HIDE);
}

void memoryAdd(int sign)
{
    const double shown = shownValue(calculator);
    if (!std::isfinite(shown)) return rejectBeep();  // "Errore" is no amount
    calculator.memory = addedAsShown(calculator.memory, sign * shown);
    appendTapeLine(memoryLine(sign, shown, settings.decimals));
    showMemoryMark();
}

void memoryRecall() { insertPickedUp(formatNumber(calculator.memory, settings.decimals)); }

void memoryClear()
{
    if (calculator.memory != 0) appendTapeLine(L"MC");
    calculator.memory = 0;
    showMemoryMark();
}

void countResult()
{
    const double shown = shownValue(calculator);
    if (!std::isfinite(shown)) return;
    calculator.grandTotal = addedAsShown(calculator.grandTotal, shown);
    ++calculator.grandCount;
}

void showSubtotal()
{
    const std::wstring line = subtotalLine(calculator, settings.decimals);
    showResult(calculator.grandTotal);
    appendTapeLine(line);
}

void showGrandTotal()
{
    const std::wstring line = grandTotalLine(calculator, settings.decimals);
    const double total = calculator.grandTotal;
    showResult(total);
    appendTapeLine(line);
    calculator.grandTotal = 0;
    calculator.grandCount = 0;
}
