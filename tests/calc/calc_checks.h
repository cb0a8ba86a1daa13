// Driving CALC in the real window from a test: commands, keys, and what the
// display, the input line and the tape show.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"

inline void command(int id, int notification = 0)
{
    SendMessageW(mainState.mainWindow, WM_COMMAND, MAKEWPARAM(id, notification), 0);
}

inline void setKey(int key, bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// What a keystroke gives the focused field: the key, then its character.
inline void press(HWND w, WPARAM key, wchar_t character = 0)
{
    SendMessageW(w, WM_KEYDOWN, key, 1);
    if (character) SendMessageW(w, WM_CHAR, character, 1);
    SendMessageW(w, WM_KEYUP, key, 0xC0000001);
}

inline void enterLine(const wchar_t* text)
{
    SetWindowTextW(mainState.inputEdit, text);
    press(mainState.inputEdit, VK_RETURN, L'\r');
}

inline std::vector<std::wstring> tape()
{
    std::vector<std::wstring> lines;
    LRESULT n = SendMessageW(mainState.tapeList, LB_GETCOUNT, 0, 0);
    std::wstring line;
    for (LRESULT i = 0; i < n; ++i)
        if (listBoxLine(mainState.tapeList, static_cast<int>(i), line)) lines.push_back(line);
    return lines;
}

inline std::wstring display() { return controlText(mainState.display); }
inline std::wstring input() { return controlText(mainState.inputEdit); }

