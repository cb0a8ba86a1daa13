// Screen readers (MSAA): the owner-drawn buttons answer with an accessible
// object of their own, and the controls whose label cannot name them get a
// name here.
#pragma once

#include <windows.h>

// The answer to WM_GETOBJECT for an owner-drawn button: its own accessible
// object for OBJID_CLIENT, or 0 to leave the request to the default.
LRESULT buttonAccessibleObject(HWND button, WPARAM wParam, LPARAM lParam);

// Gives a standard control (a field without a label before it, the tape, the
// display) the name a screen reader reads for it. `name` must live as long as
// the program.
void nameControl(HWND control, const wchar_t* name);

// Revokes, on the thread that registered it, the watch kept on the COM
// apartment that serves screen readers; called when the main window goes.
void stopWatchingApartment();

// A read-only field that shows a result is read as static text, named by the
// text it shows, as a label would be.
void readAsText(HWND control);

// Tells screen readers about a button's focus, caption or state change.
void notifyButtonEvent(HWND button, DWORD event);

// Asks a button to act as if clicked, once the caller has returned.
constexpr UINT buttonPressMessage = WM_USER + 1;

// Held around the program's own modal calls (the VAT menu, which disables no
// window, the print dialog, the message boxes): a screen reader's press of a
// button waits for none of them, so while one is open presses are refused.
struct ModalScope {
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// A screen reader may press the button now: no modal call of the program is
// open and neither the button nor its window is disabled.
bool buttonMayBePressed(HWND button);
