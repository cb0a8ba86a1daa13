// The calculator's Win32 side: the input line, the display, the tape and the clipboard.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

void showResult(double value);
// The last result shown again at the decimals now set: the value a
// continuation then uses.
void showLastResultAgain();
// Writes the display, in a smaller font (down to half the size) when the
// text does not fit, then on two lines: no digit is ever hidden.
void showDisplayText(const std::wstring& text);
// Fits the display's text again, after the display scale changed.
void fitDisplay();

// The display back to its own font, and the smaller ones made for long
// results deleted: at the window's end and at a change of scale.
void forgetFittedDisplayFonts();
void appendTapeLine(const std::wstring& text);
// Many lines at once, added unseen and then shown at the newest.
void appendTapeLines(const std::vector<std::wstring>& lines);
// PULISCI: the tape and the display emptied, and kept until the next
// calculation, for Ctrl+Z in the empty input line to bring them back.
void clearTapeAndDisplay();
bool undoClear();
// The tape's lines from the first, or only those selected.
std::vector<std::wstring> tapeLines(bool selectedOnly);
void evaluateInput();
// The amount a CALC key works on: the input line's value, or on an empty
// line the result as shown, so that the tape reads true. Nothing, with the
// beep and the balloon (the caret where reading stopped), when the line does
// not read or there is no amount at all.
std::optional<double> commandOperand();
void copyTextToClipboard(const std::wstring& text);

// Replaces the input line's window procedure, keeping the standard one.
void installInputEditProc(HWND edit);
// The tape's own keys: Enter picks the line up, Ctrl+C copies the selected
// lines, typing goes on in the input line; a right-click offers the copies.
void installTapeProc(HWND tape);
// A tape line that does not fit shows its result in full at the right, " = "
// before it, and its expression cut at the left with "…".
void drawTapeLine(const DRAWITEMSTRUCT& item);

// The exclamation beep that answers unreadable input; a seam for tests.
extern void (*rejectBeep)();

// The beep, and a balloon under the input line that says why: closed by the
// next key or click, or after 10 seconds. The text shown, for tests.
void refuseInput(const std::wstring& message);
void closeRefusal();
// The balloon alone, without the beep: a note on what was done.
void tellInput(const std::wstring& message);

// A result written into the input line as a pick-up: at the caret, in place
// of the selection, after a number with "+", a negative one in brackets.
void insertPickedUp(const std::wstring& result);

// The memory keys: M+ and M− (`sign` 1 or -1) take the display's value as
// shown; MR writes the memory at the caret as a pick-up does; MC empties it.
// The "M" left of the display shows while the memory is not zero.
void memoryAdd(int sign);
void memoryRecall();
void memoryClear();
void showMemoryMark();
// A result shown by Enter, a VAT key or a listed column counts in the grand
// total; GT writes "GT n. 12 = …" on the tape, shows it, and starts anew.
void countResult();
void showGrandTotal();
// ST: "Subtotale n. 3 = …", the grand total so far shown and not started anew.
void showSubtotal();
std::wstring shownRefusal();
