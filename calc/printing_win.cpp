// Printing needs Win32 for the print dialog, the printer's device context
// and the warning boxes.
#include "calc/printing_win.h"

#include <commdlg.h>

#include <vector>

#include "app/main_window_win.h"
#include "app/system_library_win.h"
#include "calc/calculator.h"
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
    return printDialog ? printDialog(pd) : FALSE;
}

void warn(HWND owner, const wchar_t* text)
{
    MessageBoxW(owner, text, L"Zentolo", MB_ICONWARNING | MB_OK);
}

// Prints the lines page by page; stops early when a page cannot be started.
void printLines(HDC dc, const std::vector<std::wstring>& lines)
{
    PageLayout layout = pageLayout(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY),
                                   GetDeviceCaps(dc, VERTRES));
    std::vector<int> starts = pageStarts(layout, static_cast<int>(lines.size()));
    HFONT font = CreateFontW(layout.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, L"Consolas");
    HGDIOBJ oldFont = SelectObject(dc, font);
    size_t nextPage = 1;
    int y = layout.top;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (nextPage < starts.size() && static_cast<int>(i) == starts[nextPage]) {
            ++nextPage;
            EndPage(dc);
            if (StartPage(dc) <= 0) break;
            SelectObject(dc, font);  // a new page starts with the default font
            y = layout.top;
        }
        if (!lines[i].empty())
            TextOutW(dc, layout.left, y, lines[i].c_str(), static_cast<int>(lines[i].size()));
        y += layout.pitch;
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    EndPage(dc);
}

} // namespace

void printPlainText(const std::wstring& text, const wchar_t* jobName, HWND owner)
{
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    // A cancelled dialog may still hand back its printer blocks: freed below.
    bool confirmed = showPrintDialog(&pd) != 0;

    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = jobName;
    if (confirmed && pd.hDC) {
        if (StartDocW(pd.hDC, &doc) <= 0) {
            warn(owner, printStartFailedText);
        } else {
            if (StartPage(pd.hDC) > 0) printLines(pd.hDC, printedLines(text));
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
    HWND tape = mainState.tapeList;
    std::vector<std::wstring> lines;
    LRESULT count = SendMessageW(tape, LB_GETCOUNT, 0, 0);
    std::wstring line;
    for (LRESULT i = 0; i < count; ++i)
        if (listBoxLine(tape, static_cast<int>(i), line)) lines.push_back(line);
    printPlainText(buildTapeText(lines, calculator.displayText), L"Zentolo - Nastro calcoli",
                   mainState.mainWindow);
}
