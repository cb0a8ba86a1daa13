// The main window at other display scales: every 96-DPI size scaled and
// back again exactly, fonts made anew, no drift, and a report window at a
// scale of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/commands_win.h"
#include "dates/date_fields_win.h"
#include "dates/day_window_win.h"
#include "tests/app/main_window_checks.h"

namespace {

//--- Display scale: every 96-DPI size scaled, and back again exactly

// What the system sends when the window moves to a display of another scale.
void moveToDpi(int dpi, int height96)
{
    RECT r;
    GetWindowRect(mainState.mainWindow, &r);
    RECT suggested{r.left, r.top, r.left + MulDiv(490, dpi, 96), r.top + MulDiv(height96, dpi, 96)};
    SendMessageW(mainState.mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
}

void expectScaledLayout(int dpi)
{
    auto px = [dpi](int v) { return MulDiv(v, dpi, 96); };
    std::vector<Control> want = expectedControls();
    std::vector<HWND> got = children();
    ASSERT_EQ(want.size(), got.size());
    for (size_t i = 0; i < want.size(); ++i) {
        const Control& c = want[i];
        if ((c.where == interest && c.y == 385) || (c.where == split && c.y == 303)) continue;
        RECT r = rectInMain(got[i]);
        EXPECT_EQ(px(c.x), r.left) << "control " << i << " at " << dpi << " DPI";
        EXPECT_EQ(px(c.y), r.top) << "control " << i;
        EXPECT_EQ(px(c.w), r.right - r.left) << "control " << i;
        EXPECT_EQ(px(c.h), r.bottom - r.top) << "control " << i;
        if (c.font != none) {
            EXPECT_EQ(fontOf(c.font), reinterpret_cast<HFONT>(SendMessageW(got[i], WM_GETFONT, 0, 0)));
        }
    }
    const struct {
        HFONT font;
        int height;
    } fonts[] = {{mainState.bodyFont, 15}, {mainState.headingFont, 16}, {mainState.displayFont, 34},
                 {mainState.smallFont, 13}};
    for (const auto& f : fonts) {
        LOGFONTW lf{};
        GetObjectW(f.font, sizeof lf, &lf);
        EXPECT_EQ(-px(f.height), lf.lfHeight);
    }
    // The tape's lines, drawn by the program, are as tall as its font, as a standard list's.
    HDC dc = GetDC(mainState.tapeList);
    HGDIOBJ old = SelectObject(dc, mainState.bodyFont);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(mainState.tapeList, dc);
    EXPECT_EQ(metrics.tmHeight, SendMessageW(mainState.tapeList, LB_GETITEMHEIGHT, 0, 0)) << dpi << " DPI";
}

// A report window's size, buttons and fonts at a scale of its own.
void expectReportAt(HWND report, int dpi)
{
    auto px = [dpi](int v) { return MulDiv(v, dpi, 96); };
    RECT r;
    GetWindowRect(report, &r);
    EXPECT_EQ(px(520), r.right - r.left);
    EXPECT_EQ(px(455), r.bottom - r.top);
    GetWindowRect(GetDlgItem(report, 4), &r);  // CHIUDI
    EXPECT_EQ(px(103), r.right - r.left);
    for (int id : {1, 2, 3, 4, 6}) {
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(report, id), WM_GETFONT, 0, 0)), sizeof lf, &lf);
        EXPECT_EQ(-px(15), lf.lfHeight) << "control " << id << " in the report's own body font";
    }
}

class DisplayScale : public MainWindow, public ::testing::WithParamInterface<int> {};

TEST_P(DisplayScale, EverySizeScalesAndComesBackExactly)
{
    const int dpi = GetParam();
    auto px = [dpi](int v) { return MulDiv(v, dpi, 96); };
    MainWindowState& s = mainState;
    switchTab(split);
    SetWindowTextW(s.quotaEdits[0], L"45");
    appendTapeLine(L"2+3 = 5,00");
    HFONT oldBody = s.bodyFont;

    // A report window on a monitor that keeps its scale keeps its sizes and fonts.
    showDayVerificationWindow(L"PERIODO");
    HWND report = FindWindowW(dayWindowClassName, nullptr);
    ASSERT_NE(nullptr, report);
    auto reportFont = [report] {
        return reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(report, 1), WM_GETFONT, 0, 0));
    };
    const HFONT reportBody = reportFont();
    SetActiveWindow(s.mainWindow);

    moveToDpi(dpi, 455);
    EXPECT_EQ(px(455), outerHeight());
    expectReportAt(report, 96);
    EXPECT_EQ(reportBody, reportFont()) << "the main window's new fonts are its own";
    EXPECT_NE(0, GetObjectType(reportBody));
    // The report window's own monitor changes scale.
    RECT at;
    GetWindowRect(report, &at);
    RECT suggested{at.left, at.top, at.left + px(520), at.top + px(455)};
    SendMessageW(report, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    expectReportAt(report, dpi);
    EXPECT_EQ(0, GetObjectType(reportBody)) << "its fonts of the old scale are deleted";
    RECT r;
    GetWindowRect(s.mainWindow, &r);
    EXPECT_EQ(px(490), r.right - r.left);
    expectScaledLayout(dpi);
    EXPECT_EQ(0, GetObjectType(oldBody)) << "the fonts of the old scale are deleted";
    EXPECT_EQ(px(303), rectInMain(s.splitResultEdit).top);
    EXPECT_EQ(s.splitTotalEdit, GetFocus()) << "the focus stays";
    EXPECT_EQ(L"45", controlText(s.quotaEdits[0]));
    EXPECT_EQ(1, SendMessageW(s.tapeList, LB_GETCOUNT, 0, 0));
    EXPECT_TRUE(IsWindowVisible(s.splitTotalEdit)) << "the tab stays";

    // Tab switches, the header strip and new windows follow the new scale.
    switchTab(interest);
    EXPECT_EQ(px(465), outerHeight());
    EXPECT_EQ(px(385), rectInMain(s.disclaimerLabel).top);
    auto hit = [](int x, int y) {
        POINT pt{x, y};
        ClientToScreen(mainState.mainWindow, &pt);
        return SendMessageW(mainState.mainWindow, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    };
    EXPECT_EQ(HTCAPTION, hit(px(200), px(34)));
    EXPECT_EQ(HTCLIENT, hit(px(200), px(34) + 1));
    SendMessageW(s.mainWindow, WM_COMMAND, MAKEWPARAM(idCalendarInterestFrom, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(s.mainWindow, idCalendarInterestFrom)));
    RECT button, popup;
    GetWindowRect(GetDlgItem(s.mainWindow, idCalendarInterestFrom), &button);
    ASSERT_NE(nullptr, s.calendarPopup);
    GetWindowRect(s.calendarPopup, &popup);
    EXPECT_EQ(button.bottom + px(2), popup.top) << "the pop-up opens under its button";
    closeCalendarPopup();
    DestroyWindow(report);

    moveToDpi(96, 465);
    switchTab(split);
    EXPECT_EQ(455, outerHeight());
    expectScaledLayout(96);
    EXPECT_EQ(303, rectInMain(s.splitResultEdit).top);
}

INSTANTIATE_TEST_SUITE_P(Dpi, DisplayScale, ::testing::Values(120, 144, 192));

TEST_F(MainWindow, NoDriftAfterAScaleChange)
{
    RECT r;
    GetWindowRect(mainState.mainWindow, &r);
    // A suggestion a pixel off the scaled layout, as rounding may give.
    RECT suggested{r.left + 7, r.top + 5, r.left + 7 + 736, r.top + 5 + 584};
    SendMessageW(mainState.mainWindow, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT after;
    GetWindowRect(mainState.mainWindow, &after);
    EXPECT_EQ(suggested.left, after.left) << "the position suggested";
    EXPECT_EQ(suggested.top, after.top);
    EXPECT_EQ(735, after.right - after.left) << "the size of the layout: 490 and 390 at 144 DPI";
    EXPECT_EQ(585, after.bottom - after.top);
    for (int tab : {date, calc, options, split, calc}) switchTab(tab);
    RECT end;
    GetWindowRect(mainState.mainWindow, &end);
    EXPECT_EQ(after.left, end.left);
    EXPECT_EQ(after.right, end.right) << "tab switches do not move the edge";
    EXPECT_EQ(after.bottom, end.bottom);
}

} // namespace
