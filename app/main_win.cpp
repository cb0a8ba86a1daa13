// The program's entry point: Win32 hands it the instance and the show command.
#include <windows.h>

#include "app/app_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    if (int failed = registerWindowClasses(instance)) return failed;
    HWND window = createMainWindow(instance);
    if (!window) return exitMainWindowFailed;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return runMessageLoop();
}
