// Plain-text printing on a printer picked in the print dialog.
#pragma once

#include <windows.h>

#include <string>

void printPlainText(const std::wstring& text, const wchar_t* jobName, HWND owner);
void printTape();

extern const wchar_t* const printStartFailedText;  // "Impossibile avviare la stampa."
extern const wchar_t* const printEndFailedText;
