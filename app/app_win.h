// Process start-up and the message loop, shared by the entry point and the GUI tests.
#pragma once

#include <windows.h>

// Exit codes of a start that did not get as far as the message loop.
constexpr int exitMainClassFailed = 1;
constexpr int exitMainWindowFailed = 2;
constexpr int exitButtonClassFailed = 3;

// Loads the common controls with the standard and date classes, once, the
// first time they are needed (the calendar pop-up); false if they cannot be had.
bool initCommonControls();

// The start: icons and both window classes.
// Returns 0, or the exit code of the failure.
int registerWindowClasses(HINSTANCE instance);

// Creates the main window (all controls, CALC shown) and sets its icons;
// nullptr when the window could not be created.
HWND createMainWindow(HINSTANCE instance);

// One message of the loop: the keys that the main window and the report
// windows handle as a whole (Tab, tab switching, Enter in a field, Escape...)
// are taken there; everything else is translated and dispatched.
void processMessage(MSG& msg);

int runMessageLoop();
