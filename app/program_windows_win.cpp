// What the program's own windows share with the main window: its class
// registration, its kept focus, its normal place and its background.
#include "app/main_window_win.h"

std::optional<ScreenBox> normalPlace(HWND window)
{
    // The placement gives it in workspace coordinates (the work area's corner
    // at 0, 0), turned back into pixels of the virtual screen here.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return std::nullopt;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const RECT& normal = placement.rcNormalPosition;
    if (!GetMonitorInfoW(MonitorFromRect(&normal, MONITOR_DEFAULTTOPRIMARY), &monitor)) return std::nullopt;
    const LONG dx = monitor.rcWork.left - monitor.rcMonitor.left, dy = monitor.rcWork.top - monitor.rcMonitor.top;
    return ScreenBox{normal.left + dx, normal.top + dy, normal.right + dx, normal.bottom + dy};
}

bool registerProgramWindowClass(const wchar_t* name, WNDPROC procedure)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(101), IMAGE_ICON, 32, 32, 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(101), IMAGE_ICON, 16, 16, 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = mainState.windowBrush;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

namespace {
const wchar_t* const focusProperty = L"ZT_FOCUS";
}

bool keepFocusAcrossActivation(HWND window, WPARAM wParam, HWND first)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) SetPropW(window, focusProperty, focus);
        return false;
    }
    auto focus = static_cast<HWND>(GetPropW(window, focusProperty));
    SetFocus(focus && IsChild(window, focus) ? focus : first);
    return true;
}

void forgetKeptFocus(HWND window) { RemovePropW(window, focusProperty); }

void eraseWithWindowColour(HWND window, HDC hdc)
{
    RECT rc;
    GetClientRect(window, &rc);
    FillRect(hdc, &rc, mainState.windowBrush);
}
