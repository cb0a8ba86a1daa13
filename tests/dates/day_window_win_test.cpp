// "VERIFICA GIORNI": message boxes and the report window in the real program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/button_win.h"
#include "app/commands_win.h"
#include "dates/date_calculator.h"
#include "dates/day_report.h"
#include "dates/calendar_export_win.h"
#include "dates/day_window_win.h"
#include "dates/act_terms_win.h"
#include "tests/app/gui_fixture.h"

namespace {

struct SeenBox {
    std::wstring caption, text;
    bool icon = false;
    int buttons = 0;
};
SeenBox seen;
bool boxSeen = false;

BOOL CALLBACK countButtons(HWND child, LPARAM p)
{
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (lstrcmpiW(cls, L"Button") == 0) ++reinterpret_cast<SeenBox*>(p)->buttons;
    LONG style = GetWindowLongW(child, GWL_STYLE);
    if (lstrcmpiW(cls, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(child, STM_GETICON, 0, 0) != 0)
        reinterpret_cast<SeenBox*>(p)->icon = true;
    return TRUE;
}

// Runs inside the message box's own loop: reads it, then presses OK.
void CALLBACK closeMessageBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM) -> BOOL {
            wchar_t cls[32] = {};
            GetClassNameW(w, cls, 32);
            if (std::wstring(cls) != L"#32770") return TRUE;
            seen = SeenBox{};
            seen.caption = controlText(w);
            seen.text = controlText(GetDlgItem(w, 0xFFFF));
            EnumChildWindows(w, countButtons, reinterpret_cast<LPARAM>(&seen));
            boxSeen = true;
            PostMessageW(w, WM_COMMAND, IDOK, 0);
            return FALSE;
        },
        0);
    if (boxSeen) KillTimer(nullptr, timer);
}

void expectBoxFrom(void (*action)())
{
    boxSeen = false;
    SetTimer(nullptr, 0, 50, closeMessageBox);
    action();
}

std::vector<HWND> reportWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t cls[64] = {};
            GetClassNameW(w, cls, 64);
            if (std::wstring(cls) == L"ZentoloDayDetailV062" && IsWindowVisible(w))
                reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

class DayReport : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        lastDateRange = LastDateRange{};
        SendMessageW(mainState.tabButtons[tabDate], WM_KEYDOWN, VK_SPACE, 0);
    }
    void command(int id) { SendMessageW(mainState.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

TEST_F(DayReport, NoRangeYetGivesTheInformationBox)
{
    expectBoxFrom(openDayVerification);
    ASSERT_TRUE(boxSeen);
    EXPECT_EQ(L"Verifica conteggio", seen.caption);
    EXPECT_EQ(L"Esegui prima un calcolo tra due date.", seen.text);
    EXPECT_TRUE(seen.icon);
    EXPECT_TRUE(reportWindows().empty());
}

TEST_F(DayReport, AfterACountThatWasNotWalkedTheWarningWithOkOnly)
{
    MainWindowState& s = mainState;
    struct Case {
        const wchar_t *from, *to;
        bool addDays;
        const wchar_t* text;
    } cases[] = {
        {L"01/01/2026", L"31/12/2025", false, L"Intervallo non valido o troppo ampio."},
        {L"01/01/1700", L"09/09/2110", false, L"Intervallo non valido o troppo ampio."},  // 150.000 days
        {L"01/01/1700", L"08/09/2110", true, L"Esegui prima un calcolo tra due date."},  // a term not read
    };
    SetWindowTextW(s.dateDaysEdit, L"abc");
    for (const Case& c : cases) {
        SetWindowTextW(s.dateFromEdit, c.from);
        SetWindowTextW(s.dateToEdit, c.to);
        SendMessageW(s.addDaysCheck, BM_SETCHECK, c.addDays ? BST_CHECKED : BST_UNCHECKED, 0);
        command(idCalculateDates);
        expectBoxFrom(openDayVerification);
        ASSERT_TRUE(boxSeen);
        EXPECT_EQ(c.text, seen.text) << c.from << " - " << c.to;
        EXPECT_EQ(c.addDays ? L"Verifica conteggio" : L"Verifica", seen.caption);
        EXPECT_EQ(1, seen.buttons);
        EXPECT_EQ(c.addDays, seen.icon);
    }
    EXPECT_TRUE(reportWindows().empty());
}

TEST_F(DayReport, AfterADeadlineTheProspect)
{
    MainWindowState& s = mainState;
    SetWindowTextW(s.dateFromEdit, L"20/07/2026");
    SetWindowTextW(s.dateDaysEdit, L"30");
    SendMessageW(s.addDaysCheck, BM_CLICK, 0, 0);
    settings.deadlineRule = DeadlineRule::court;
    command(idCalculateDates);
    command(idVerifyDays);
    std::vector<HWND> windows = reportWindows();
    ASSERT_EQ(1u, windows.size());
    EXPECT_EQ(0u, lastDateRange.prospect.find(L"TERMINE: 30 giorni da lunedì 20/07/2026\r\nRegola: processuale"));
    EXPECT_EQ(lastDateRange.prospect, controlText(GetDlgItem(windows[0], 1)));
    EXPECT_EQ(L"CALENDARIO\u2026", controlText(GetDlgItem(windows[0], 5))) << "a deadline goes to the calendar";

    // What the Save As dialog's OK writes, without the dialog.
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"scadenza-2026-09-21.ics";
    std::wstring error;
    ASSERT_TRUE(writeDeadlineCalendar({lastDateRange.due, lastDateRange.summary, lastDateRange.prospect}, path, error))
        << error;
    std::string file(4096, '\0');
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    ReadFile(h, &file[0], static_cast<DWORD>(file.size()), &read, nullptr);
    CloseHandle(h);
    DeleteFileW(path.c_str());
    file.resize(read);
    EXPECT_NE(std::string::npos, file.find("\r\nDTSTART;VALUE=DATE:20260921\r\n"));
    EXPECT_NE(std::string::npos, file.find("\r\nSUMMARY:Scadenza: 30 giorni da luned\xC3\xAC 20/07/2026 (processuale)\r\n"));
    EXPECT_FALSE(writeDeadlineCalendar({lastDateRange.due, L"", L""}, std::wstring(folder) + L"nessuna\\x.ics", error));
    EXPECT_FALSE(error.empty()) << "a failed write says why";
    DestroyWindow(windows[0]);
    SendMessageW(s.addDaysCheck, BM_CLICK, 0, 0);
    command(idCalculateDates);
    command(idVerifyDays);
    windows = reportWindows();
    ASSERT_EQ(1u, windows.size());
    EXPECT_EQ(0u, controlText(GetDlgItem(windows[0], 1)).find(L"PERIODO: ")) << "after a count, its report again";
    EXPECT_EQ(nullptr, GetDlgItem(windows[0], 5)) << "and no calendar";
}

TEST_F(DayReport, TwoIndependentWindowsWithTheirOwnText)
{
    command(idCalculateDates);
    command(idVerifyDays);
    std::vector<HWND> first = reportWindows();
    ASSERT_EQ(1u, first.size());
    HWND a = first[0];
    std::wstring report = buildDayVerificationReport(lastDateRange);
    EXPECT_EQ(report, controlText(GetDlgItem(a, 1)));
    EXPECT_EQ(L"Verifica giorni - Zentolo by Ferlan", controlText(a));
    RECT r;
    GetWindowRect(a, &r);
    EXPECT_EQ(520, r.right - r.left);
    EXPECT_EQ(455, r.bottom - r.top);
    EXPECT_EQ(mainState.mainWindow, GetWindow(a, GW_OWNER));
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(a, 1), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(1, buttonAccent[GetDlgItem(a, 3)]) << "STAMPA is the accented button";
    EXPECT_EQ(L"COPIA REPORT", controlText(GetDlgItem(a, 2)));
    EXPECT_EQ(L"CHIUDI", controlText(GetDlgItem(a, 4)));

    SendMessageW(GetDlgItem(a, 2), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(report, clipboardText()) << "COPIA REPORT copies the report with CR LF";

    SendMessageW(mainState.includeStartCheck, BM_CLICK, 0, 0);
    command(idCalculateDates);
    command(idVerifyDays);
    std::vector<HWND> both = reportWindows();
    ASSERT_EQ(2u, both.size());
    HWND b = both[0] == a ? both[1] : both[0];
    EXPECT_NE(std::wstring::npos, controlText(GetDlgItem(b, 1)).find(L"estremi inclusi"));

    SendMessageW(GetDlgItem(a, 4), WM_KEYDOWN, VK_SPACE, 0);  // CHIUDI
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(1u, reportWindows().size());
    EXPECT_NE(std::wstring::npos, controlText(GetDlgItem(b, 1)).find(L"estremi inclusi"));
    SendMessageW(GetDlgItem(b, 6), WM_KEYDOWN, VK_SPACE, 0);  // ×
    EXPECT_FALSE(IsWindow(b));
}

TEST_F(DayReport, BandDragsButNotOnTheCloseButton)
{
    command(idCalculateDates);
    command(idVerifyDays);
    HWND w = reportWindows().at(0);
    auto hit = [w](int x, int y) {
        POINT pt{x, y};
        ClientToScreen(w, &pt);
        return SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    };
    EXPECT_EQ(HTCAPTION, hit(100, 20));
    EXPECT_EQ(HTCAPTION, hit(467, 38));
    EXPECT_EQ(HTCLIENT, hit(100, 39));
    EXPECT_EQ(HTCLIENT, hit(468, 20));
    DestroyWindow(w);
}

TEST_F(DayReport, KeysOfTheReportWindow)
{
    command(idCalculateDates);
    command(idVerifyDays);
    HWND w = reportWindows().at(0);
    HWND report = GetDlgItem(w, 1);
    EXPECT_EQ(report, GetFocus()) << "the report has the focus when the window opens";
    auto press = [](WPARAM vk, bool ctrl = false, bool shift = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG msg{GetFocus(), WM_KEYDOWN, vk, 1, 0, {}};
        const bool taken = onDayWindowKey(msg);
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        return taken;
    };
    press(VK_TAB);
    EXPECT_EQ(GetDlgItem(w, 2), GetFocus()) << "Tab goes on to COPIA REPORT";
    press(VK_TAB, false, true);
    EXPECT_EQ(report, GetFocus()) << "and Shift+Tab back";

    EXPECT_TRUE(press('C', true));
    EXPECT_EQ(buildDayVerificationReport(lastDateRange), clipboardText()) << "nothing selected: all";
    press(VK_TAB);
    SendMessageW(report, EM_SETSEL, 0, 7);
    EXPECT_TRUE(press('C', true));
    EXPECT_EQ(L"PERIODO", clipboardText()) << "the selection, with the focus on a button";
    SendMessageW(report, EM_SETSEL, 3, 3);
    EXPECT_TRUE(press('A', true));
    EXPECT_EQ(MAKELONG(0, GetWindowTextLengthW(report)), SendMessageW(report, EM_GETSEL, 0, 0)) << "Ctrl+A";

    EXPECT_TRUE(press(VK_ESCAPE));
    EXPECT_FALSE(IsWindow(w));
}

// "TERMINI…": Enter in Data lists the terms; COPIA gives them under the act
// and the Pratica; the calendar file holds one event each; Escape closes.
TEST_F(DayReport, TermsOfAnActListedCopiedAndSavedTogether)
{
    command(idActTerms);
    HWND terms = FindWindowW(actTermsWindowClassName, nullptr);
    ASSERT_TRUE(terms);
    EXPECT_EQ(L"Termini di un atto", controlText(terms));
    HWND date = GetDlgItem(terms, 802), list = GetDlgItem(terms, 807);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(terms, 803))) << "Notificata il is the judgment's";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(terms, 812))) << "Giorni is the decree's";
    SetWindowTextW(GetDlgItem(terms, 805), L"Rossi c. Bianchi");
    SetWindowTextW(date, L"290925");
    SendMessageW(date, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(L"29/09/2025", controlText(date));
    const std::wstring text = controlText(list);
    EXPECT_NE(std::wstring::npos, text.find(L"\r\nPrima memoria integrativa (art. 171-ter n. 1 c.p.c.): venerd\u00ec "
                                            L"18/07/2025 (spostato da domenica 20/07/2025)\r\n")) << text;
    SendMessageW(terms, WM_COMMAND, MAKEWPARAM(808, BN_CLICKED), 0);
    EXPECT_EQ(0u, clipboardText().find(L"TERMINI: Prima udienza del luned\u00ec 29/09/2025\r\nPratica: Rossi c. Bianchi\r\n"
                                       L"Regola: "));

    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"termini-2025-09-29.ics";
    std::wstring error;
    ASSERT_TRUE(saveActTermsCalendar(path, error)) << error;
    std::string bytes(8192, '\0');
    FILE* f = _wfopen(path.c_str(), L"rb");
    ASSERT_TRUE(f);
    bytes.resize(fread(&bytes[0], 1, bytes.size(), f));
    fclose(f);
    DeleteFileW(path.c_str());
    size_t events = 0;
    for (size_t at = 0; (at = bytes.find("BEGIN:VEVENT", at)) != std::string::npos; ++at) ++events;
    EXPECT_EQ(5u, events);
    EXPECT_NE(std::string::npos, bytes.find("SUMMARY:Rossi c. Bianchi: Costituzione del convenuto (art. 166 c.p.c.)"));
    EXPECT_NE(std::string::npos, bytes.find("DTSTART;VALUE=DATE:20250620\r\n"));

    SetWindowTextW(date, L"31/02/2026");
    EXPECT_FALSE(saveActTermsCalendar(path, error));
    EXPECT_EQ(L"Data non valida (gg/mm/aaaa)", controlText(list));
    command(idActTerms);
    EXPECT_EQ(nullptr, FindWindowExW(nullptr, terms, actTermsWindowClassName, nullptr)) << "no second window";
    PostMessageW(date, WM_KEYDOWN, VK_ESCAPE, 1);
    pumpMessages();
    EXPECT_FALSE(IsWindow(terms)) << "Escape closes it";
}

} // namespace
