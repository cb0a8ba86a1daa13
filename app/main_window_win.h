// The main window: its state record, its controls and the tab switch.
#pragma once

#include <windows.h>

#include "dates/screen_box.h"

#include <optional>
#include <string>
#include <map>
#include <vector>

extern const wchar_t* const mainClassName;  // "FerlanZentoloV063"
extern const wchar_t* const mainWindowTitle;

constexpr int mainWindowWidth = 490;  // at 96 DPI, like every size of the layout
constexpr int displayFontHeight = 34;

// Where a control of the main window stands at 96 DPI, for placing it again
// when the window moves to a display of another scale.
struct ControlPlace {
    HWND control;
    int x, y, width, height;
};

struct MainWindowState {
    HWND mainWindow = nullptr;
    int windowHeight = 390;  // in pixels at the current DPI
    int dpi = 96;            // the main window's display scale
    int currentTab = -1;      // none before the first switch
    bool groupBuilt[6] = {};  // the five tabs and the keypad (5)
    HWND pendingFocus = nullptr;  // the focus of a tab chosen while the window was hidden
    HWND lastFocus = nullptr;     // the focus when the window last lost the activation
    HWND lastField = nullptr;     // the field that last had the focus
    bool restoreFocus = false;    // minimised: the focus goes back when the window is restored
    std::vector<ControlPlace> controlPlaces;

    HBRUSH windowBrush = nullptr;  // RGB(33, 43, 53)
    HBRUSH fieldBrush = nullptr;   // RGB(53, 68, 80)
    HFONT bodyFont = nullptr;
    HFONT headingFont = nullptr;
    HFONT displayFont = nullptr;
    HFONT smallFont = nullptr;
    std::map<int, HFONT> fittedDisplayFonts;  // smaller display fonts for long results, by height, made once

    HWND tabButtons[5] = {};
    std::vector<HWND> tabControls[5];
    std::vector<HWND> keypadControls;
    bool keypadVisible = false;
    bool formulaVisible = false;
    int visibleQuotaRows = 3;
    HWND quotaLabels[6] = {};
    HWND quotaEdits[6] = {};
    HWND calendarPopup = nullptr;

    HWND headerTitle = nullptr;
    // CALC
    HWND vatRateButton = nullptr;
    HWND tapeList = nullptr;
    HWND tapeTip = nullptr;  // the tip that shows a tape line whole, made at the first pointing
    int tapeTipLine = -1;    // the line it shows
    // How much taller than designed CALC's controls were last placed, and at
    // which scale: they are created as designed, and moved only when it changes.
    int calcGrowPlaced = 0, calcGrowDpi = 0;
    HWND display = nullptr;
    HWND memoryMark = nullptr;  // "M", shown while the memory is not zero
    HWND inputEdit = nullptr;
    HWND topmostCheck = nullptr;
    // DATE
    HWND dateFromEdit = nullptr;
    HWND dateToEdit = nullptr;
    HWND addDaysCheck = nullptr;
    HWND includeStartCheck = nullptr;
    HWND dateDaysEdit = nullptr;
    HWND endOfMonthCheck = nullptr;
    HWND deadlineRuleButton = nullptr;
    HWND dateResult = nullptr;
    bool dateResultIsFigure = false;  // a result, not a message: a new rule computes it again
    // INTERESSI
    HWND capitalEdit = nullptr;
    HWND rateEdit = nullptr;
    HWND surchargeCheck = nullptr;
    HWND surchargeEdit = nullptr;
    HWND rateSourceButton = nullptr;
    HWND interestFromEdit = nullptr;
    HWND interestToEdit = nullptr;
    HWND enterDaysCheck = nullptr;
    HWND interestDaysEdit = nullptr;
    HWND revaluationCheck = nullptr;
    HWND interestResult = nullptr;
    bool interestResultIsFigure = false;  // a result, not a message: a new rate source computes it again
    HWND formulaButton = nullptr;
    HWND formulaEdit = nullptr;
    HWND disclaimerLabel = nullptr;
    // PROPORZIONI
    HWND splitTotalEdit = nullptr;
    HWND splitResultEdit = nullptr;
    // OPZIONI
    HWND vatSettingEdit = nullptr;
    HWND decimalsSettingEdit = nullptr;
    HWND patronDayEdit = nullptr;
    HWND keepTapeCheck = nullptr;  // "Conserva il nastro alla chiusura"
    // F6's profile: the fund picked from its menu is kept here until SALVA IMPOSTAZIONI.
    HWND invoiceFundButton = nullptr, withholdingCheck = nullptr, flatRateCheck = nullptr;
    int pickedInvoiceFund = 0;
    HWND settingsStatus = nullptr;
};

extern MainWindowState mainState;

// Tab indexes for switchTab.
enum Tab { tabCalc = 0, tabDate = 1, tabInterest = 2, tabSplit = 3, tabOptions = 4 };

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One of the five tab buttons, which screen readers hear as page tabs.
bool isTabButton(HWND button);

// A tab's controls (or the keypad's) are built the first time it is shown,
// or earlier, one tab at a time, while the program waits for input: this
// builds the next one not built yet and says whether there was one.
bool buildNextTab();

// Shows one tab, sets the window height for it and moves the focus.
void switchTab(int index);

// Lays the shown tab out again after a result text changed: a result that
// needs more lines than its place makes the window taller, and one that fits
// again gives the height back.
void fitWindowToTab();

// The whole current text of a control.
std::wstring controlText(HWND control);

// One line of a list box; false when the list has no such line.
bool listBoxLine(HWND list, int index, std::wstring& line);

// A checkbox counts as set only when it answers exactly BST_CHECKED.
bool isChecked(HWND check);

// WM_ERASEBKGND of the program's windows: the window colour.
void eraseWithWindowColour(HWND window, HDC hdc);

// A window's normal place on the virtual screen, also when it is minimised.
std::optional<ScreenBox> normalPlace(HWND window);

// The class of one of the program's own windows: its icon, the arrow, the
// window colour.
bool registerProgramWindowClass(const wchar_t* name, WNDPROC procedure);

// For WM_ACTIVATE of a window of the program's own: the focus is remembered
// when the window loses the activation and given back when it gets it again,
// at first to `first`; true when the focus was set. forgetKeptFocus at
// WM_NCDESTROY.
bool keepFocusAcrossActivation(HWND window, WPARAM wParam, HWND first);
void forgetKeptFocus(HWND window);

// Draws the header logo; WM_PAINT and WM_PRINTCLIENT share it.
void paintMainWindow(HDC hdc);
