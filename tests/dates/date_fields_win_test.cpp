// The DATE tab in the real window: date fields, Enter, the calendar pop-up.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/commands_win.h"
#include "dates/date_calculator.h"
#include "dates/date_fields_win.h"
#include "tests/app/gui_fixture.h"

namespace {

// Calendar pop-ups on the screen.
int shownPopupCount()
{
    int n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(w, name, 64);
            if (std::wstring(name) == L"ZentoloCalendarV06" && IsWindowVisible(w)) ++*reinterpret_cast<int*>(p);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}


void click(int id)
{
    HWND button = GetDlgItem(mainState.mainWindow, id);
    SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
}

HWND calendarOf(HWND popup) { return GetDlgItem(popup, 1); }

void pickDay(HWND popup, WORD year, WORD month, WORD day)
{
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    HWND cal = calendarOf(popup);
    SendMessageW(cal, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    NMSELCHANGE n{};
    n.nmhdr.hwndFrom = cal;
    n.nmhdr.idFrom = 1;
    n.nmhdr.code = MCN_SELECT;
    n.stSelStart = st;
    n.stSelEnd = st;
    SendMessageW(popup, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&n));
}

class DateTab : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        lastDateRange = LastDateRange{};
        command(idTabDate);
    }
    void command(int id) { SendMessageW(mainState.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

TEST_F(DateTab, DefaultRangeInBothCriteria)
{
    command(idCalculateDates);
    EXPECT_EQ(L"Giorni: 40  |  lavorativi: 27  |  feste: 3", controlText(mainState.dateResult));
    SendMessageW(mainState.includeStartCheck, BM_CLICK, 0, 0);
    command(idCalculateDates);
    EXPECT_EQ(L"Giorni: 41  |  lavorativi: 27  |  feste: 3", controlText(mainState.dateResult));
    EXPECT_TRUE(lastDateRange.valid);
    SendMessageW(mainState.addDaysCheck, BM_CLICK, 0, 0);
    SendMessageW(mainState.endOfMonthCheck, BM_CLICK, 0, 0);
    command(idCalculateDates);
    EXPECT_EQ(L"Scadenza: domenica 31/01/2027  (60 giorni, fine mese, civile)\r\n\u2192 lunedì 01/02/2027 (domenica)",
              controlText(mainState.dateResult));
    EXPECT_FALSE(lastDateRange.valid);
}

TEST_F(DateTab, FocusSelectsTheWholeTextAndLeavingCompletesQuickDates)
{
    HWND from = mainState.dateFromEdit;
    SetFocus(mainState.dateToEdit);
    SetFocus(from);
    DWORD start = 0, end = 0;
    SendMessageW(from, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(10u, end);
    SetWindowTextW(from, L"131066");
    SetFocus(mainState.dateToEdit);
    EXPECT_EQ(L"13/10/1966", controlText(from));
    SetWindowTextW(from, L"01.03.26");
    SetFocus(from);
    SetFocus(mainState.dateToEdit);
    EXPECT_EQ(L"01/03/2026", controlText(from)) << "points and a two-digit year";
    SetWindowTextW(from, L"13/10.1966");
    SetFocus(from);
    SetFocus(mainState.dateToEdit);
    EXPECT_EQ(L"13/10.1966", controlText(from)) << "mixed separators left as typed";
}

// Ctrl+; writes today's date; a comma already typed after the chord (queued
// behind it) is still typed, here over the selected date.
TEST_F(DateTab, TodayKeyKeepsTheCommaTypedAfterIt)
{
    HWND from = mainState.dateFromEdit;
    SetFocus(from);
    PostMessageW(from, EM_SETSEL, 0, -1);
    PostMessageW(from, WM_KEYDOWN, VK_OEM_COMMA, 1);
    PostMessageW(from, WM_CHAR, L',', 1);
    const SHORT semicolon = VkKeyScanW(L';');
    setModifiers(true, (HIBYTE(semicolon) & 1) != 0);
    SendMessageW(from, WM_KEYDOWN, LOBYTE(semicolon), 1);
    EXPECT_EQ(formatDate(todayDate()), controlText(from));
    setModifiers(false, false);
    for (MSG m; PeekMessageW(&m, from, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
    EXPECT_EQ(L",", controlText(from));
}

TEST_F(DateTab, EnterCompletesAndCalculates)
{
    SetWindowTextW(mainState.dateToEdit, L"311226");
    SetWindowTextW(mainState.dateFromEdit, L"21112026");
    SendMessageW(mainState.dateToEdit, WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(mainState.dateToEdit, WM_CHAR, L'\r', 1);
    EXPECT_EQ(L"31/12/2026", controlText(mainState.dateToEdit));
    EXPECT_EQ(L"21112026", controlText(mainState.dateFromEdit)) << "only the field with Enter";
    EXPECT_EQ(L"Data iniziale non valida (gg/mm/aaaa)", controlText(mainState.dateResult));
    SendMessageW(mainState.dateFromEdit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(L"Giorni: 40  |  lavorativi: 27  |  feste: 3", controlText(mainState.dateResult));
    EXPECT_EQ(0, beepCount);
}

TEST_F(DateTab, EnterInAnInterestDateFieldIsNotTheDateCalculation)
{
    command(idTabInterest);
    SetWindowTextW(mainState.interestToEdit, L"010926");
    SendMessageW(mainState.interestToEdit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(L"01/09/2026", controlText(mainState.interestToEdit));
    EXPECT_EQ(L"Risultato: \u2014", controlText(mainState.dateResult));
}

TEST_F(DateTab, CalendarShowsTheFieldsDateAndWritesThePickedDay)
{
    SetWindowTextW(mainState.dateFromEdit, L"05/04/2026");
    click(idCalendarDateFrom);
    HWND popup = mainState.calendarPopup;
    ASSERT_NE(nullptr, popup);
    SYSTEMTIME shown{};
    SendMessageW(calendarOf(popup), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(2026, shown.wYear);
    EXPECT_EQ(4, shown.wMonth);
    EXPECT_EQ(5, shown.wDay);
    EXPECT_EQ(MAKELONG(0, TRUE), SendMessageW(calendarOf(popup), MCM_GETFIRSTDAYOFWEEK, 0, 0)) << "Monday first";
    RECT b, p;
    GetWindowRect(GetDlgItem(mainState.mainWindow, idCalendarDateFrom), &b);
    GetWindowRect(popup, &p);
    EXPECT_EQ(b.left, p.left);
    EXPECT_EQ(b.bottom + 2, p.top);
    EXPECT_TRUE(GetWindowLongW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);

    pickDay(popup, 2026, 4, 9);
    EXPECT_EQ(L"09/04/2026", controlText(mainState.dateFromEdit));
    EXPECT_TRUE(IsWindowVisible(popup)) << "the pop-up outlives the notification";
    pumpMessages();
    EXPECT_EQ(nullptr, mainState.calendarPopup);
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(mainState.dateFromEdit, GetFocus());
}

TEST_F(DateTab, PopupClosesOnEscapeDeactivationAndTabSwitch)
{
    click(idCalendarDateTo);
    HWND popup = mainState.calendarPopup;
    ASSERT_NE(nullptr, popup);
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);  // where the key arrives: the calendar
    EXPECT_EQ(nullptr, mainState.calendarPopup);
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(mainState.dateToEdit, GetFocus()) << "the field has the focus again";

    click(idCalendarDateTo);
    popup = mainState.calendarPopup;
    SendMessageW(popup, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    EXPECT_EQ(nullptr, mainState.calendarPopup);
    EXPECT_FALSE(IsWindowVisible(popup));

    click(idCalendarDateTo);
    popup = mainState.calendarPopup;
    command(idTabCalc);
    EXPECT_EQ(nullptr, mainState.calendarPopup);
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(0, shownPopupCount());
}

TEST_F(DateTab, SecondCalendarButtonLeavesOnePopup)
{
    click(idCalendarDateFrom);
    HWND first = mainState.calendarPopup;
    click(idCalendarDateTo);
    EXPECT_EQ(first, mainState.calendarPopup) << "the one pop-up, shown again";
    EXPECT_EQ(1, shownPopupCount());
    pickDay(mainState.calendarPopup, 2027, 2, 28);
    pumpMessages();
    EXPECT_EQ(L"28/02/2027", controlText(mainState.dateToEdit)) << "the second field is the target";
    EXPECT_EQ(L"21/11/2026", controlText(mainState.dateFromEdit));
}

TEST_F(DateTab, CalendarFromTheKeyboard)
{
    SetWindowTextW(mainState.interestFromEdit, L"28/02/2027");
    SendMessageW(mainState.interestFromEdit, WM_KEYDOWN, VK_F4, 1);
    ASSERT_NE(nullptr, mainState.calendarPopup) << "F4 opens it";
    HWND calendar = calendarOf(mainState.calendarPopup);
    for (int key : {VK_RIGHT, VK_DOWN, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT})
        SendMessageW(calendar, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    SendMessageW(calendar, WM_KEYDOWN, VK_RETURN, 1);
    pumpMessages();
    EXPECT_EQ(L"08/03/2027", controlText(mainState.interestFromEdit)) << "a week and a day on";
    EXPECT_EQ(nullptr, mainState.calendarPopup);
    EXPECT_EQ(mainState.interestFromEdit, GetFocus());

    SendMessageW(mainState.dateToEdit, WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    ASSERT_NE(nullptr, mainState.calendarPopup) << "Alt+Down opens it";
    SendMessageW(calendarOf(mainState.calendarPopup), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(nullptr, mainState.calendarPopup);
    EXPECT_EQ(L"31/12/2026", controlText(mainState.dateToEdit));
}

TEST_F(DateTab, TwentyPopupsLeaveNoFontBehind)
{
    SendMessageW(mainState.dateFromEdit, WM_KEYDOWN, VK_F4, 1);
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    const int fonts = fontCount();
    ASSERT_GT(fonts, 0);
    for (int i = 0; i < 20; ++i) {
        SetWindowTextW(mainState.dateToEdit, i % 2 ? L"15/08/2026" : L"abc");
        click(i % 2 ? idCalendarDateTo : idCalendarDateFrom);
        ASSERT_NE(nullptr, mainState.calendarPopup);
        if (i % 3 == 0)
            SendMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);  // a day picked
        else
            SendMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        pumpMessages();
    }
    EXPECT_LE(fontCount(), fonts + 1) << "at most one font more after twenty openings";
}

TEST_F(DateTab, UnreadableFieldOpensTheCalendarOnItsOwnDefault)
{
    SetWindowTextW(mainState.dateFromEdit, L"abc");
    click(idCalendarDateFrom);
    ASSERT_NE(nullptr, mainState.calendarPopup);
    SYSTEMTIME shown{};
    EXPECT_TRUE(SendMessageW(calendarOf(mainState.calendarPopup), MCM_GETCURSEL, 0,
                             reinterpret_cast<LPARAM>(&shown)));
    EXPECT_EQ(L"abc", controlText(mainState.dateFromEdit));
}

TEST_F(DateTab, PopupStaysInsideTheWorkArea)
{
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT window;
    GetWindowRect(mainState.mainWindow, &window);
    // "▦" of the "Al" field sits at client x 352..376, y 124..152.
    SetWindowPos(mainState.mainWindow, nullptr, work.right - 380, work.bottom - 160, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    click(idCalendarDateTo);
    HWND popup = mainState.calendarPopup;
    ASSERT_NE(nullptr, popup);
    RECT b, p;
    GetWindowRect(GetDlgItem(mainState.mainWindow, idCalendarDateTo), &b);
    GetWindowRect(popup, &p);
    EXPECT_EQ(work.right, p.right) << "shifted left to the work area's edge";
    EXPECT_EQ(b.top, p.bottom) << "opened above the button";
    EXPECT_GE(p.left, work.left);
    EXPECT_GE(p.top, work.top);
}

} // namespace
