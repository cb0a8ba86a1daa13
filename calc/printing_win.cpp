// Printing needs Win32 for the print dialog, the printer's device context
// and the warning boxes.
#include "calc/printing_win.h"

#include <commdlg.h>

#include <vector>

#include "app/accessible_win.h"
#include "app/main_window_win.h"
#include "app/system_library_win.h"
#include "calc/calculator.h"
#include "calc/calculator_win.h"
#include "calc/printing.h"

const wchar_t* const printStartFailedText = L"Impossibile avviare la stampa.";
const wchar_t* const printEndFailedText =
    L"Stampa non completata: la stampante non ha accettato il documento.";

namespace {

// The print dialog's library is loaded on the first print, not at start-up:
// most days nothing is printed, and it weighs several megabytes.
BOOL showPrintDialog(PRINTDLGW* pd)
{
    using PrintDlgFn = BOOL(WINAPI*)(PRINTDLGW*);
    static const auto printDialog = systemFunction<PrintDlgFn>(L"comdlg32.dll", "PrintDlgW");
    ModalScope modal;
    return printDialog ? printDialog(pd) : FALSE;
}

void warn(HWND owner, const wchar_t* text)
{
    ModalScope modal;
    MessageBoxW(owner, text, L"Zentolo", MB_ICONWARNING | MB_OK);
}

// Prints the lines page by page, every copy the dialog asked for (the
// printer is never also asked for copies: that would print N × N); stops
// early when a page cannot be started.
void printLines(HDC dc, const std::vector<std::wstring>& lines, int copies, bool collate, const std::wstring& heading)
{
    PageLayout layout = pageLayout(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY),
                                   GetDeviceCaps(dc, VERTRES));
    std::vector<int> starts = pageStarts(layout, static_cast<int>(lines.size()));
    if (starts.empty()) starts.push_back(0);  // an empty text is one empty page
    HFONT font = CreateFontW(layout.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, L"Consolas");
    for (int page : printedPageOrder(static_cast<int>(starts.size()), copies, collate)) {
        if (StartPage(dc) <= 0) break;
        HGDIOBJ oldFont = SelectObject(dc, font);  // every page starts with the default font
        const auto at = static_cast<size_t>(page);
        const size_t end = at + 1 < starts.size() ? static_cast<size_t>(starts[at + 1]) : lines.size();
        int y = layout.top;
        for (size_t i = static_cast<size_t>(starts[at]); i < end; ++i, y += layout.pitch)
            if (!lines[i].empty())
                TextOutW(dc, layout.left, y, lines[i].c_str(), static_cast<int>(lines[i].size()));
        if (page > 0 && !heading.empty())  // in the top margin, above the first line
            TextOutW(dc, layout.left, layout.top - layout.pitch, heading.c_str(), static_cast<int>(heading.size()));
        // In the bottom margin, below the last line a page can hold.
        if (starts.size() > 1) {
            const std::wstring number = pageNumberLine(page + 1, static_cast<int>(starts.size()));
            TextOutW(dc, layout.left, layout.bottomLimit, number.c_str(), static_cast<int>(number.size()));
        }
        SelectObject(dc, oldFont);
        EndPage(dc);
    }
    DeleteObject(font);
}

} // namespace

void printPlainText(const std::wstring& text, const wchar_t* jobName, HWND owner, const std::wstring& heading)
{
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    pd.nCopies = 1;
    // A cancelled dialog may still hand back its printer blocks: freed below.
    bool confirmed = showPrintDialog(&pd) != 0;

    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = jobName;
    if (confirmed && pd.hDC) {
        if (StartDocW(pd.hDC, &doc) <= 0) {
            warn(owner, printStartFailedText);
        } else {
            printLines(pd.hDC, printedLines(text), pd.nCopies, (pd.Flags & PD_COLLATE) != 0, heading);
            // A job that the spooler does not take is lost: say so.
            if (EndDoc(pd.hDC) <= 0) warn(owner, printEndFailedText);
        }
    }
    if (pd.hDC) DeleteDC(pd.hDC);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
}

void printTape()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring printedAt = printedAtLine({now.wYear, now.wMonth, now.wDay}, now.wHour, now.wMinute);
    printPlainText(buildTapeText(tapeLines(false), calculator.displayText, printedAt), L"Zentolo - Nastro calcoli",
                   mainState.mainWindow);
}
