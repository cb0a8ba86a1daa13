// The display scale needs Win32 to ask the system and the window for their DPI.
#include "app/dpi_win.h"

#include "app/main_window_win.h"
#include "app/system_library_win.h"

namespace {

// The per-monitor calls exist from Windows 10 on; older systems answer
// through the screen's device context.
using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();

int screenDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : designDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : designDpi;
}

} // namespace

int systemDpi()
{
    static auto forSystem = systemFunction<DpiForSystem>(L"user32.dll", "GetDpiForSystem");
    UINT dpi = forSystem ? forSystem() : 0;
    return dpi ? static_cast<int>(dpi) : screenDpi();
}

int windowDpi(HWND window)
{
    static auto forWindow = systemFunction<DpiForWindow>(L"user32.dll", "GetDpiForWindow");
    UINT dpi = forWindow && window ? forWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : systemDpi();
}

int scaled(int value) { return scaledTo(value, mainState.dpi); }

namespace {
const wchar_t* const dpiProperty = L"ZT_DPI";
}

void setTopLevelDpi(HWND topLevel, int dpi)
{
    SetPropW(topLevel, dpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

int topLevelDpi(HWND window)
{
    HWND root = GetAncestor(window, GA_ROOT);
    const auto dpi = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(root, dpiProperty)));
    return dpi > 0 ? dpi : windowDpi(root);
}

HFONT createUiFont(int height, int weight, int dpi)
{
    return CreateFontW(-scaledTo(height, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI");
}

void placeScaled(HWND control, int x, int y, int width, int height, int dpi)
{
    MoveWindow(control, scaledTo(x, dpi), scaledTo(y, dpi), scaledTo(width, dpi),
               scaledTo(height, dpi), TRUE);
}

void takeSuggestedRect(HWND window, const RECT& suggested)
{
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
}
