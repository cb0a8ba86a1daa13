// What a screen reader reads for the program's own controls.
#pragma once

#include <string>

// The name of an owner-drawn button: its caption, with the symbol captions
// said in words ("×" is "Chiudi") and the menu arrows ("▾", "▴") left out.
std::wstring accessibleButtonName(const std::wstring& caption);

// The default action of every owner-drawn button.
extern const wchar_t* const buttonDefaultAction;  // "Premi"
