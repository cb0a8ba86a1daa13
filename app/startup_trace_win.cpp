// The stamps need Win32 for the process's creation time and its standard output.
#include "app/startup_trace_win.h"

#ifdef ZENTOLO_STARTUP_TRACE
#include <windows.h>

#include <cstdio>

void startupStamp(const char* what)
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER a{{created.dwLowDateTime, created.dwHighDateTime}};
    ULARGE_INTEGER b{{now.dwLowDateTime, now.dwHighDateTime}};
    char line[128];
    int n = std::snprintf(line, sizeof line, "stamp %s %.1f\n", what,
                          static_cast<double>(b.QuadPart - a.QuadPart) / 10000.0);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(n), &written, nullptr);
}
#endif
