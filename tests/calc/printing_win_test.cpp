// Printing for real through the print dialog, run by tests/calc/print_test.sh
// with a virtual PDF printer; each test leaves the text it printed in a file
// beside the test program for the script to compare with the PDF.
#include <windows.h>

#include <dlgs.h>

#include <gtest/gtest.h>

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

// The text a test printed, for the script to compare with the PDF: in the
// folder print-test beside the test program, whatever the working folder.
void writeExpected(const wchar_t* name, const std::wstring& text)
{
    wchar_t exe[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    std::wstring folder(exe, length);
    folder = folder.substr(0, folder.find_last_of(L"\\/")) + L"\\print-test";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string out = toUtf8(text);
    HANDLE file = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(out.size(), written);
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
        // The minute may turn while printing: the check compares the line's form.
        SYSTEMTIME now;
        GetLocalTime(&now);
        return buildTapeText(tape, calculator.displayText,
                             printedAtLine({now.wYear, now.wMonth, now.wDay}, now.wHour, now.wMinute));
    }
};

TEST_F(RealPrinter, TapeOf150Lines)
{
    std::wstring text = fillTape(150);
    SendMessageW(mainState.mainWindow, WM_COMMAND, MAKEWPARAM(idPrint, 0), 0);
    writeExpected(L"tape-expected.txt", text);
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
    writeExpected(L"report-expected.txt", buildDayVerificationReport(lastDateRange));
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
