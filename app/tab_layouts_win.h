// The header's and the tabs' controls: what each is, where it stands at
// 96 DPI, in Tab-key order.
#pragma once

#include <windows.h>

// A group built after start-up is built hidden (switchTab shows it), and its
// controls take their place in the creation order after `insertAfter`, when
// that is set.
extern bool creatingHidden;
extern HWND insertAfter;

void setFont(HWND control, HFONT font);

void createHeader();
void createCalcTab();
void createKeypad();
void createDateTab();
void createInterestTab();
void createSplitTab();
void createOptionsTab();

// The tab's own placements and its outer height at 96 DPI.
int placeTabControls(int n);

// What the keypad's six rows add to CALC's height, at 96 DPI.
constexpr int keypadHeight = 276;
// CALC's height without the keypad at 96 DPI: as its bottom edge was last
// dragged, never below 390 nor, with the keypad, taller than the work area.
int calcHeight();
