// The owner-drawn push button shared by every window of the program.
#pragma once

#include <windows.h>

#include <map>

extern const wchar_t* const buttonClassName;  // "FerlanButtonV06"

// The window properties of a button under the mouse and of a pressed one,
// and of its caption's font.
extern const wchar_t* const buttonHoverProperty;  // "ZT_HOVER"
extern const wchar_t* const buttonDownProperty;   // "ZT_DOWN"
extern const wchar_t* const buttonFontProperty;   // "ZT_FONT"
extern const wchar_t* const buttonMenuProperty;   // "ZT_MENU": the press opens a drop-down menu of a setting

// Accent flag per button (1 draws the light scheme); no entry counts as 0.
extern std::map<HWND, int> buttonAccent;

bool registerButtonClass(HINSTANCE instance);
LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

// Creates a button at a 96-DPI rectangle, scaled to the DPI of the parent's
// top-level window, with its caption in `font` (WM_SETFONT changes it later),
// and records its accent; nullptr when creation failed.
HWND createButton(HWND parent, const wchar_t* text, int x, int y, int width, int height, int id,
                  int accent, HFONT font, bool visible = true);
void setButtonAccent(HWND button, int accent);

// What a button that opens a menu of values chooses, as screen readers name
// it: the setting ("Aliquota IVA") and the words of the caption that stand
// before the value ("IVA ").
struct MenuButtonSetting {
    const wchar_t* name;
    const wchar_t* captionPrefix;
};

// A button whose press opens a menu: F4 and Alt+Down press it too, as they
// open a drop-down list. `setting` must live as long as the button.
void markMenuButton(HWND button, const MenuButtonSetting& setting);

// The setting a menu button chooses; nullptr for any other button.
const MenuButtonSetting* menuButtonSetting(HWND button);

// Shows `menu` with its top left corner at a point of the screen, as one of
// the program's modal calls, and gives the command picked, or 0 when the menu
// was dismissed. Takes over the menu.
int trackMenuAt(HMENU menu, POINT at, HWND owner);

// Where a field's context menu opens: at the point WM_CONTEXTMENU gives, or
// under the field's first line when the menu key asked for it.
POINT contextMenuPoint(HWND field, LPARAM at);

// Shows `menu` under the button, left edges aligned, and gives the command
// picked, or 0 when the menu was dismissed. Takes over the menu.
int trackButtonMenu(HWND button, HMENU menu);

// A pop-up menu of `count` choices, commands from `firstCommand` on, the
// choice in effect checked; more items may follow before it is shown.
HMENU choiceMenu(const wchar_t* const* choices, int count, int checked, int firstCommand);

// A menu of `count` choices under the button, commands from `firstCommand`
// on, the choice in effect checked: the index picked, or -1.
int pickFromButtonMenu(HWND button, const wchar_t* const* choices, int count, int checked, int firstCommand);

// Paints the button into hdc: the same drawing serves WM_PAINT and WM_PRINTCLIENT.
void paintButton(HWND button, HDC hdc);
