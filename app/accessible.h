// What a screen reader reads for the program's own controls.
#pragma once

#include <string>

// The name of an owner-drawn button: its caption, with the symbol captions
// said in words ("×" is "Chiudi") and the menu arrows ("▾", "▴") left out.
std::wstring accessibleButtonName(const std::wstring& caption);

// The name of a button that opens a menu of values for a setting: the
// setting and the value in effect, "Aliquota IVA: 22,00%", the value being
// the caption without the words before it ("IVA ") and without the arrow.
std::wstring accessibleMenuButtonName(const wchar_t* setting, const wchar_t* captionPrefix,
                                      const std::wstring& caption);

// The default action of every owner-drawn button.
extern const wchar_t* const buttonDefaultAction;  // "Premi"
