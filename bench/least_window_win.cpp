// The least Win32 program the start-up benchmark compares Zentolo with: it
// registers a class and shows a 490 x 390 pop-up window, nothing more. Built
// with LEAST_CONTROLS=N it also creates N plain controls (labels, fields and
// buttons, as many as Zentolo shows at start), to show what each costs.
#include <windows.h>

#include "app/startup_trace_win.h"

namespace {

LRESULT CALLBACK leastProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    startupStamp("entry point");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = leastProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = L"ZentoloLeastWindow";
    if (!RegisterClassExW(&wc)) return 1;
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Least window",
                                  WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 490, 390, nullptr, nullptr, instance, nullptr);
    if (!window) return 2;
    startupStamp("window created");
#ifdef LEAST_CONTROLS
    const wchar_t* classes[3] = {L"STATIC", L"EDIT", L"BUTTON"};
    for (int i = 0; i < LEAST_CONTROLS; ++i)
        CreateWindowExW(0, classes[i % 3], L"Zentolo", WS_CHILD | WS_VISIBLE, 10 + 95 * (i % 5),
                        10 + 35 * (i / 5), 90, 30, window, nullptr, instance, nullptr);
    startupStamp("controls created");
#endif
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    startupStamp("shown and painted");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
