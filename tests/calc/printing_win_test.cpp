// Printing for real through the print dialog, run by tests/calc/print_test.sh
// with a virtual PDF printer; each test leaves the text it printed in a file
// of the working folder for the script to compare with the PDF.
#include <windows.h>

#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/commands_win.h"
#include "calc/printing.h"
#include "calc/printing_win.h"
#include "dates/date_calculator.h"
#include "dates/day_report.h"
#include "dates/day_window_win.h"
#include "tests/app/gui_fixture.h"
#include "tests/tools/utf8.h"

namespace {

std::vector<std::wstring> boxesSeen;  // captions and texts of the dialogs answered
int copiesToAsk = 0;                   // typed into the print dialog's copies field when set

// Runs inside the modal loops: confirms the print dialog and records and
// closes any message box.
void CALLBACK answerDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM) -> BOOL {
            wchar_t cls[32] = {};
            GetClassNameW(w, cls, 32);
            if (std::wstring(cls) != L"#32770" || !IsWindowVisible(w)) return TRUE;
            std::wstring text = controlText(GetDlgItem(w, 0xFFFF));
            boxesSeen.push_back(controlText(w) + L": " + text);
            if (copiesToAsk && GetDlgItem(w, edt3)) SetDlgItemInt(w, edt3, static_cast<UINT>(copiesToAsk), FALSE);
            HWND ok = GetDlgItem(w, IDOK);
            if (ok)
                SendMessageW(ok, BM_CLICK, 0, 0);
            else
                PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
            return FALSE;
        },
        0);
}

void writeUtf8(const char* path, const std::wstring& text)
{
    std::string out = toUtf8(text);
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(nullptr, f);
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
}

class RealPrinter : public MainWindow {
protected:
    UINT_PTR timer = 0;
    void SetUp() override
    {
        MainWindow::SetUp();
        boxesSeen.clear();
        copiesToAsk = 0;
        timer = SetTimer(nullptr, 0, 200, answerDialogs);
    }
    void TearDown() override
    {
        KillTimer(nullptr, timer);
        MainWindow::TearDown();
    }
    std::wstring fillTape(int lines)
    {
        std::vector<std::wstring> tape;
        for (int i = 1; i <= lines; ++i) {
            std::wstring line = L"riga " + std::to_wstring(i) + L": " + std::to_wstring(i) + L"*2 = " +
                                std::to_wstring(2 * i) + L",00";
            appendTapeLine(line);
            tape.push_back(line);
        }
        return buildTapeText(tape, calculator.displayText);
    }
};

TEST_F(RealPrinter, TapeOf150Lines)
{
    std::wstring text = fillTape(150);
    SendMessageW(mainState.mainWindow, WM_COMMAND, MAKEWPARAM(idPrint, 0), 0);
    writeUtf8("tape-expected.txt", text);
    ASSERT_FALSE(boxesSeen.empty()) << "the print dialog was shown";
    EXPECT_EQ(1u, boxesSeen.size()) << "no warning after the dialog";
}

TEST_F(RealPrinter, DayReportWithItsOwnJobName)
{
    SendMessageW(mainState.mainWindow, WM_COMMAND, MAKEWPARAM(idCalculateDates, 0), 0);
    openDayVerification();
    HWND report = FindWindowW(dayWindowClassName, nullptr);
    ASSERT_NE(nullptr, report);
    SendMessageW(report, WM_COMMAND, MAKEWPARAM(3, 0), 0);
    writeUtf8("report-expected.txt", buildDayVerificationReport(lastDateRange));
    EXPECT_EQ(1u, boxesSeen.size());
}

TEST_F(RealPrinter, TwoCopiesOfTheDayReport)
{
    SendMessageW(mainState.mainWindow, WM_COMMAND, MAKEWPARAM(idCalculateDates, 0), 0);
    openDayVerification();
    HWND report = FindWindowW(dayWindowClassName, nullptr);
    ASSERT_NE(nullptr, report);
    copiesToAsk = 2;
    SendMessageW(report, WM_COMMAND, MAKEWPARAM(3, 0), 0);
    EXPECT_EQ(1u, boxesSeen.size());
}

TEST_F(RealPrinter, RejectedJobIsReported)
{
    fillTape(3);
    SendMessageW(mainState.mainWindow, WM_COMMAND, MAKEWPARAM(idPrint, 0), 0);
    ASSERT_EQ(2u, boxesSeen.size()) << "the dialog, then the warning";
    EXPECT_EQ(std::wstring(L"Zentolo: ") + printEndFailedText, boxesSeen[1]);
}

TEST_F(RealPrinter, NoPrinterNeitherCrashesNorHangs)
{
    fillTape(3);
    SendMessageW(mainState.mainWindow, WM_COMMAND, MAKEWPARAM(idPrint, 0), 0);
    for (const std::wstring& box : boxesSeen) std::printf("answered: %ls\n", box.c_str());
    EXPECT_TRUE(IsWindow(mainState.mainWindow));
}

} // namespace
