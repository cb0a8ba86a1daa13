// Plain-text printing on a printer picked in the print dialog.
#pragma once

#include <windows.h>

#include <string>

// `heading`, when not empty, stands in the top margin of every page after the first.
void printPlainText(const std::wstring& text, const wchar_t* jobName, HWND owner, const std::wstring& heading = L"");
void printTape();

extern const wchar_t* const printStartFailedText;  // "Impossibile avviare la stampa."
extern const wchar_t* const printEndFailedText;
