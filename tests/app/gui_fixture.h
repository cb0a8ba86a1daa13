// The real main window, created fresh for each test, with default settings,
// an empty registry key and a beep that is counted instead of sounded.
#pragma once

#include <windows.h>

#include <winternl.h>

#include <gtest/gtest.h>

#include "app/app_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "calc/calculator.h"
#include "calc/calculator_win.h"
#include "finance/added_rows_win.h"

inline int beepCount = 0;
inline void countBeep() { ++beepCount; }

inline void pumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) processMessage(msg);
}

// Ctrl and Shift held or not, as the next keys read them.
inline void setModifiers(bool ctrl, bool shift)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Forgets the window of an earlier test and any settings it stored.
inline void resetProcessState()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, settingsKeyPath);
    settings = Settings{};
    calculator = CalculatorState{};
    addedRows = AddedRows{};
    mainState = MainWindowState{};
    rejectBeep = countBeep;
    beepCount = 0;
}

// The window as a user has it once every tab has been shown: each tab, and
// the keypad, is built the first time it is shown (here from the last to the
// first, so that each takes its place in the creation order).
inline HWND openMainWindow()
{
    HWND w = createMainWindow(GetModuleHandleW(nullptr));
    if (w) {
        ShowWindow(w, SW_SHOWNORMAL);
        UpdateWindow(w);
        for (int tab = 4; tab >= 1; --tab) switchTab(tab);
        mainState.keypadVisible = true;
        switchTab(0);
        mainState.keypadVisible = false;
        switchTab(0);
        pumpMessages();
    }
    return w;
}

inline void closeMainWindow()
{
    if (IsWindow(mainState.mainWindow)) DestroyWindow(mainState.mainWindow);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// The clipboard's Unicode text, as another program would read it.
inline std::wstring clipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"<closed>";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

// The process's fonts, counted in the GDI handle table that the process
// environment block points to (Wine keeps it as Windows does).
inline int fontCount()
{
    using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return -1;
    const auto* peb = reinterpret_cast<const BYTE*>(info.PebBaseAddress);
    const BYTE* table = *reinterpret_cast<const BYTE* const*>(peb + 0xF8);
    if (!table) return -1;
    int fonts = 0;
    for (size_t i = 0; i < 0x10000; ++i) {
        const BYTE* entry = table + i * 24;
        if (entry[14] && !(entry[12] & 0x80) && (entry[12] & 0x7f) == 0x0a) ++fonts;
    }
    return fonts;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProcessState();
        ASSERT_NE(nullptr, openMainWindow());
    }
    void TearDown() override { closeMainWindow(); }
};
