// Command routing needs Win32 to show, move and destroy windows.
#include "app/commands_win.h"

#include "app/main_window_win.h"

bool onCommand(int id, int /*notification*/, HWND /*control*/)
{
    MainWindowState& s = mainState;
    switch (id) {
    case idTabCalc:
    case idTabDate:
    case idTabInterest:
    case idTabSplit:
    case idTabOptions:
        switchTab(id - idTabCalc);
        return true;
    case idKeypadToggle:
        s.keypadVisible = !s.keypadVisible;
        switchTab(tabCalc);
        return true;
    case idMinimise:
        ShowWindow(s.mainWindow, SW_MINIMIZE);
        return true;
    case idClose:
        DestroyWindow(s.mainWindow);
        return true;
    default:
        return false;
    }
}
