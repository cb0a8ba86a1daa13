// The balloon under the input line that says why a line or a key was
// refused, or what was done: a tracking tooltip of the main window.
#include "calc/calculator_win.h"

#include <commctrl.h>

#include "app/app_win.h"
#include "app/dpi_win.h"
#include "app/main_window_win.h"

namespace {

void messageBeep() { MessageBeep(MB_ICONEXCLAMATION); }

// The balloon under the input line and the text it shows; its timer.
HWND refusalTip = nullptr;
std::wstring refusalText;
UINT_PTR refusalTimer = 0;
constexpr UINT refusalSeconds = 10;

// The balloon is a tracking tooltip of the main window, made when first needed.
HWND refusalTipWindow()
{
    if (refusalTip && IsWindow(refusalTip)) return refusalTip;
    if (!initCommonControls()) return nullptr;
    refusalTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, mainState.mainWindow, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
    if (!refusalTip) return nullptr;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = mainState.mainWindow;
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(refusalTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(refusalTip, TTM_SETMAXTIPWIDTH, 0, scaled(420));
    return refusalTip;
}

void CALLBACK onRefusalTimer(HWND, UINT, UINT_PTR, DWORD) { closeRefusal(); }

} // namespace

void (*rejectBeep)() = messageBeep;

void refuseInput(const std::wstring& message)
{
    rejectBeep();
    tellInput(message);
}

void tellInput(const std::wstring& message)
{
    HWND tip = refusalTipWindow();
    if (!tip) return;
    refusalText = message;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = mainState.mainWindow;
    tool.lpszText = &refusalText[0];
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    RECT input;
    GetWindowRect(mainState.inputEdit, &input);
    SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(input.left + scaled(24), input.bottom));
    SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    if (refusalTimer) KillTimer(nullptr, refusalTimer);
    refusalTimer = SetTimer(nullptr, 0, refusalSeconds * 1000, onRefusalTimer);
}

void closeRefusal()
{
    if (refusalTimer) KillTimer(nullptr, refusalTimer);
    refusalTimer = 0;
    if (refusalText.empty()) return;
    refusalText.clear();
    if (!refusalTip || !IsWindow(refusalTip)) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = mainState.mainWindow;
    SendMessageW(refusalTip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

std::wstring shownRefusal() { return refusalText; }
