// Start-up and the message loop need Win32 for classes, icons and messages.
#include "app/app_win.h"

#include <commctrl.h>

#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/dpi_win.h"
#include "app/main_window_win.h"
#include "app/startup_trace_win.h"
#include "app/system_library_win.h"
#include "calc/calculator_win.h"
#include "dates/day_window_win.h"
#include "finance/ledger_win.h"
#include "finance/table_split_win.h"
#include "dates/act_terms_win.h"

namespace {

constexpr int iconResource = 101;
HICON largeIcon = nullptr;
HICON smallIcon = nullptr;

void loadIcons(HINSTANCE instance)
{
    largeIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                                              32, 32, LR_DEFAULTCOLOR));
    smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                                              16, 16, LR_DEFAULTCOLOR));
    if (!largeIcon) largeIcon = LoadIconW(nullptr, IDI_APPLICATION);
    if (!smallIcon) smallIcon = largeIcon;
}

} // namespace

bool initCommonControls()
{
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const bool done = [] {
        auto init = systemFunction<InitFn>(L"comctl32.dll", "InitCommonControlsEx");
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
        return init && init(&icc);
    }();
    return done;
}

int registerWindowClasses(HINSTANCE instance)
{
    // The common controls (the calendar pop-up and the tape's tip use them)
    // are loaded when first needed: see initCommonControls.
    loadIcons(instance);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = largeIcon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = mainClassName;
    if (!RegisterClassExW(&wc)) return exitMainClassFailed;
    if (!registerButtonClass(instance)) return exitButtonClassFailed;
    return 0;
}

HWND createMainWindow(HINSTANCE instance)
{
    // The creation handler scales again with the DPI of the window's own display.
    mainState.dpi = systemDpi();
    HWND window = CreateWindowExW(0, mainClassName, mainWindowTitle,
                                  WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, scaled(mainWindowWidth),
                                  scaled(mainState.windowHeight), nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    startupStamp("window created");
    mainState.mainWindow = window;
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    return window;
}

void processMessage(MSG& msg)
{
    // A refusal's balloon goes with the next key or click.
    switch (msg.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_NCLBUTTONDOWN:
        closeRefusal();
        break;
    }
    if (onMainWindowKey(msg) || onDayWindowKey(msg) || onLedgerWindowKey(msg) || onTableSplitWindowKey(msg) ||
        onActTermsWindowKey(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int runMessageLoop()
{
    MSG msg{};
    // Once the window is up and waiting for input, the tabs not shown yet are
    // built, one at each tick of a short timer, so that the first switch to
    // them finds them ready. The timer goes when nothing is left to build.
    UINT_PTR buildTimer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, nullptr);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (buildTimer && msg.message == WM_TIMER && !msg.hwnd && msg.wParam == buildTimer) {
            if (!buildNextTab()) {
                KillTimer(nullptr, buildTimer);
                buildTimer = 0;
            }
            continue;
        }
        processMessage(msg);
    }
    return static_cast<int>(msg.wParam);
}
