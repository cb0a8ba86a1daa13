// The program's entry point: Win32 hands it the instance and the show command.
#include <windows.h>

#include "app/app_win.h"
#include "app/startup_trace_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    startupStamp("entry point");
    if (int failed = registerWindowClasses(instance)) return failed;
    startupStamp("classes registered");
    HWND window = createMainWindow(instance);
    if (!window) return exitMainWindowFailed;
    startupStamp("icons set");
    ShowWindow(window, showCommand);
    startupStamp("shown");
    UpdateWindow(window);
    startupStamp("shown and painted");
    return runMessageLoop();
}
