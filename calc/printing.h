// The text that "STAMPA" prints for the tape, and how plain text is laid out
// on printed pages.
#pragma once

#include <string>
#include <vector>

#include "text/date_text.h"

// "ZENTOLO - FERLAN", "Nastro calcoli", when it was printed, an empty line,
// the tape lines, an empty line and "ULTIMO RISULTATO: ...", every line ended
// by CR LF.
std::wstring buildTapeText(const std::vector<std::wstring>& tapeLines, const std::wstring& displayText,
                           const std::wstring& printedAt);

// "Stampato il lunedì 07/12/2026 alle 16:05".
std::wstring printedAtLine(const CivilDate& date, int hour, int minute);

// "Pagina 2 di 3", at the foot of every page of a print that takes several.
std::wstring pageNumberLine(int page, int pageCount);

// The printed lines of a text: split at each LF, one CR dropped from each
// line's end, no line after a final line end.
std::vector<std::wstring> printedLines(const std::wstring& text);

// Page geometry in printer pixels, from the printer's resolution and
// printable height.
struct PageLayout {
    int left = 0, top = 0, bottomLimit = 0, pitch = 0, fontHeight = 0;
};
PageLayout pageLayout(int dpiX, int dpiY, int printableHeight);

// The first line of every page, for `lineCount` lines: a line goes to a new
// page when it would end below the bottom margin; every page holds at least one line.
std::vector<int> pageStarts(const PageLayout& layout, int lineCount);

// The pages in the order they are printed for `copies` copies: collated, the
// whole document once per copy (1 2 3 1 2 3); not collated, each page as many
// times as there are copies (1 1 2 2 3 3). Fewer than one copy prints one.
std::vector<int> printedPageOrder(int pageCount, int copies, bool collate);
