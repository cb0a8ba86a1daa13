// The real main window, created in-process under Wine, checked as a user
// would see it: controls, tabs, heights, focus, Tab order, dragging, colours,
// the button class and closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "app/button_win.h"
#include "app/commands_win.h"
#include "dates/day_window_win.h"
#include "dates/date_fields_win.h"
#include "tests/app/gui_fixture.h"

namespace {

std::wstring windowText(HWND w)
{
    int n = GetWindowTextLengthW(w);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(w, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

std::wstring className(HWND w)
{
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

RECT rectInMain(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, mainState.mainWindow, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool hasStyle(HWND w, DWORD bits) { return (static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)) & bits) == bits; }

int outerHeight()
{
    RECT r;
    GetWindowRect(mainState.mainWindow, &r);
    return r.bottom - r.top;
}

//--- Every control, in creation order

enum Where { header = -1, calc = 0, date = 1, interest = 2, split = 3, options = 4, keypad = 5 };
enum FontKind { body, heading, displayF, smallF, none };

struct Control {
    Where where;
    const wchar_t* cls;
    const wchar_t* text;
    int x, y, w, h, id;
    bool tabStop;
    FontKind font;
};

const wchar_t* const B = L"FerlanButtonV06";

std::vector<Control> expectedControls()
{
    std::vector<Control> c = {
        {header, L"Static", L"ZENTOLO   by Ferlan", 41, 10, 334, 24, 0, false, heading},
        {header, B, L"\u2014", 404, 5, 34, 27, 148, true, none},
        {header, B, L"\u00d7", 442, 5, 34, 27, 149, true, none},
        {header, B, L"CALC", 12, 40, 83, 32, 110, true, none},
        {header, B, L"DATE", 99, 40, 82, 32, 111, true, none},
        {header, B, L"INTERESSI", 185, 40, 94, 32, 112, true, none},
        {header, B, L"PROPORZIONI", 283, 40, 106, 32, 113, true, none},
        {header, B, L"OPZIONI", 393, 40, 84, 32, 114, true, none},
        {calc, B, L"IVA 22,00%  \u25be", 14, 82, 111, 31, 150, true, none},
        {calc, B, L"+ IVA", 130, 82, 106, 31, 151, true, none},
        {calc, B, L"- IVA", 241, 82, 105, 31, 152, true, none},
        {calc, B, L"Solo IVA", 351, 82, 125, 31, 153, true, none},
        {calc, L"Static", L"0,00", 14, 222, 462, 42, 142, false, displayF},
        {calc, L"Edit", L"", 14, 269, 462, 29, 140, true, body},
        {calc, L"ListBox", L"", 14, 121, 462, 98, 141, true, body},
        {calc, B, L"COPIA", 14, 306, 71, 30, 143, true, none},
        {calc, B, L"STAMPA", 89, 306, 80, 30, 144, true, none},
        {calc, B, L"PULISCI", 173, 306, 80, 30, 145, true, none},
        {calc, B, L"TASTI \u25be", 257, 306, 78, 30, 146, true, none},
        {calc, L"Button", L"In primo piano", 340, 310, 138, 23, 147, true, body},
    };
    const wchar_t* keys[16] = {L"7", L"8", L"9", L"/", L"4", L"5", L"6", L"*",
                               L"1", L"2", L"3", L"-", L"0", L",", L"\u232b", L"+"};
    for (int k = 0; k < 16; ++k)
        c.push_back({keypad, B, keys[k], 14 + 117 * (k % 4), 350 + 37 * (k / 4), 110, 32, 300 + k,
                     true, none});
    std::vector<Control> rest = {
        {date, L"Static", L"Date rapide: 131066 = 13/10/1966  \u2022  oppure calendario", 16, 91, 455, 22, 0, false, body},
        {date, L"Static", L"Dal", 16, 129, 53, 23, 0, false, body},
        {date, L"Edit", L"21/11/2026", 69, 124, 110, 28, 0, true, body},
        {date, B, L"\u25a6", 180, 124, 24, 28, 208, false, none},
        {date, L"Static", L"Al", 210, 129, 29, 23, 0, false, body},
        {date, L"Edit", L"31/12/2026", 241, 124, 110, 28, 0, true, body},
        {date, B, L"\u25a6", 352, 124, 24, 28, 209, false, none},
        {date, L"Button", L"Aggiungi giorni anzich\u00e9 differenza", 16, 161, 345, 24, 0, true, body},
        {date, L"Button", L"Includi data iniziale", 16, 194, 230, 25, 0, true, body},
        {date, L"Static", L"Giorni", 16, 235, 65, 22, 0, false, body},
        {date, L"Edit", L"60", 83, 229, 85, 28, 0, true, body},
        {date, L"Button", L"Fine mese", 190, 231, 148, 25, 0, true, body},
        {date, B, L"Civile  \u25be", 346, 229, 124, 28, 212, true, none},
        {date, B, L"CALCOLA DATE", 16, 272, 145, 31, 200, true, none},
        {date, B, L"VERIFICA GIORNI", 169, 272, 161, 31, 206, true, none},
        {date, L"Static", L"Risultato: \u2014", 16, 314, 454, 35, 0, false, heading},
        {interest, L"Static", L"INTERESSI  \u2022  date: 131066 = 13/10/1966  \u2022  base 365 gg", 16, 87, 460, 22, 0, false, body},
        {interest, L"Static", L"Capitale (\u20ac)", 16, 119, 104, 22, 0, false, body},
        {interest, L"Edit", L"10000", 121, 114, 126, 30, 0, true, body},
        {interest, L"Static", L"Tasso base %", 260, 119, 110, 22, 0, false, body},
        {interest, L"Edit", L"2,40", 372, 114, 100, 30, 0, true, body},
        {interest, L"Button", L"Applica maggiorazione crediti commerciali", 16, 154, 335, 24, 0, true, body},
        {interest, L"Static", L"Maggiorazione (punti %)", 16, 189, 225, 22, 0, false, body},
        {interest, L"Edit", L"8,00", 243, 183, 100, 30, 0, true, body},
        {interest, B, L"Inserito  \u25be", 352, 183, 120, 30, 213, true, none},
        {interest, L"Static", L"Dal", 16, 230, 56, 22, 0, false, body},
        {interest, L"Edit", L"01/07/2026", 71, 225, 110, 30, 0, true, body},
        {interest, B, L"\u25a6", 182, 225, 24, 30, 210, false, none},
        {interest, L"Static", L"Al", 219, 230, 32, 22, 0, false, body},
        {interest, L"Edit", L"31/08/2026", 252, 225, 110, 30, 0, true, body},
        {interest, B, L"\u25a6", 363, 225, 24, 30, 211, false, none},
        {interest, L"Button", L"Inserisco i giorni", 16, 267, 181, 24, 0, true, body},
        {interest, L"Edit", L"60", 206, 262, 77, 30, 0, true, body},
        {interest, B, L"CALCOLA INTERESSI", 16, 305, 192, 33, 201, true, none},
        {interest, L"Static", L"Risultato: \u2014", 16, 349, 457, 28, 0, false, heading},
        {interest, B, L"MOSTRA FORMULA \u25be", 255, 305, 206, 33, 207, true, none},
        {interest, L"Edit", L"Formula dettagliata dopo il calcolo.", 16, 380, 456, 62, 0, false, body},
        {interest, L"Static", L"Stima indicativa: verificare tassi, decorrenza e disciplina applicabile.", 16, 385, 454, 35, 0, false, body},
        {split, L"Static", L"RIPARTIZIONE   \u2022   importi e percentuali automatici", 16, 88, 455, 23, 0, false, body},
        {split, L"Static", L"Importo totale (\u20ac)", 16, 123, 150, 22, 0, false, body},
        {split, L"Edit", L"1000", 164, 117, 145, 30, 0, true, body},
        {split, L"Static", L"Quote / pesi  (esempio: 40, 30, 30)", 16, 160, 440, 24, 0, false, body},
    };
    c.insert(c.end(), rest.begin(), rest.end());
    const wchar_t* weights[6] = {L"40", L"30", L"30", L"0", L"0", L"0"};
    const wchar_t* labels[6] = {L"Quota 1", L"Quota 2", L"Quota 3", L"Quota 4", L"Quota 5", L"Quota 6"};
    for (int i = 0; i < 6; ++i) {
        c.push_back({split, L"Static", labels[i], 16, 191 + 34 * i, 95, 24, 0, false, body});
        c.push_back({split, L"Edit", weights[i], 111, 184 + 34 * i, 120, 30, 0, true, body});
    }
    std::vector<Control> tail = {
        {split, B, L"+ QUOTA", 253, 187, 101, 30, 204, true, none},
        {split, B, L"- QUOTA", 359, 187, 101, 30, 205, true, none},
        {split, B, L"RIPARTISCI", 253, 225, 207, 33, 202, true, none},
        {split, L"Edit", L"", 16, 303, 458, 83, 0, false, smallF},
        {options, L"Static", L"Impostazioni locali  \u2022  solo italiano", 16, 94, 445, 25, 0, false, body},
        {options, L"Static", L"Aliquota IVA personalizzata (%)", 16, 139, 267, 22, 0, false, body},
        {options, L"Edit", L"22,00", 298, 133, 164, 31, 0, true, body},
        {options, L"Static", L"Cifre decimali (0\u20136)", 16, 186, 250, 24, 0, false, body},
        {options, L"Edit", L"2", 298, 179, 164, 31, 0, true, body},
        {options, B, L"SALVA IMPOSTAZIONI", 16, 239, 210, 34, 203, true, none},
        {options, L"Static", L"IVA selezionabile anche dal menu Calc.", 16, 296, 457, 29, 0, false, body},
    };
    c.insert(c.end(), tail.begin(), tail.end());
    return c;
}

std::vector<HWND> children()
{
    std::vector<HWND> list;
    for (HWND w = GetWindow(mainState.mainWindow, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        list.push_back(w);
    return list;
}

HFONT fontOf(FontKind kind)
{
    switch (kind) {
    case body: return mainState.bodyFont;
    case heading: return mainState.headingFont;
    case displayF: return mainState.displayFont;
    case smallF: return mainState.smallFont;
    default: return nullptr;
    }
}

TEST_F(MainWindow, EveryControlWithItsClassTextRectangleIdAndFont)
{
    // The tab that places the movable controls where the table has them.
    switchTab(split);
    std::vector<Control> want = expectedControls();
    std::vector<HWND> got = children();
    ASSERT_EQ(want.size(), got.size()) << "number of child controls";
    for (size_t i = 0; i < want.size(); ++i) {
        const Control& c = want[i];
        HWND w = got[i];
        SCOPED_TRACE(::testing::Message() << "control " << i << " id " << c.id);
        EXPECT_EQ(0, lstrcmpiW(c.cls, className(w).c_str()));
        EXPECT_EQ(std::wstring(c.text), windowText(w));
        RECT r = rectInMain(w);
        if (!(c.where == interest && c.y == 385) && !(c.where == split && c.y == 303)) {
            EXPECT_EQ(c.x, r.left);
            EXPECT_EQ(c.y, r.top);
            EXPECT_EQ(c.w, r.right - r.left);
            EXPECT_EQ(c.h, r.bottom - r.top);
        }
        EXPECT_EQ(c.id, GetDlgCtrlID(w));
        EXPECT_EQ(c.tabStop, hasStyle(w, WS_TABSTOP));
        if (c.font != none) {
            EXPECT_EQ(fontOf(c.font), reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)));
        }
    }
    EXPECT_EQ(16, rectInMain(mainState.splitResultEdit).left);
    EXPECT_EQ(303, rectInMain(mainState.splitResultEdit).top);
}

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
    for (int id = 1; id <= 5; ++id) {
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

TEST_F(MainWindow, StylesOfTheSpecialControls)
{
    MainWindowState& s = mainState;
    // The list drops WS_VSCROLL by itself while nothing needs scrolling.
    EXPECT_TRUE(hasStyle(s.tapeList, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT));
    EXPECT_TRUE(hasStyle(s.display, SS_RIGHT));
    EXPECT_TRUE(hasStyle(s.inputEdit, ES_AUTOHSCROLL));
    EXPECT_TRUE(hasStyle(s.formulaEdit, WS_VSCROLL | ES_READONLY | ES_MULTILINE));
    EXPECT_TRUE(hasStyle(s.splitResultEdit, WS_VSCROLL | ES_READONLY | ES_MULTILINE));
    EXPECT_EQ(BS_AUTOCHECKBOX, GetWindowLongW(s.topmostCheck, GWL_STYLE) & 0xF);
    EXPECT_TRUE(GetWindowLongW(s.inputEdit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(10, SendMessageW(s.dateFromEdit, EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(10, SendMessageW(s.interestToEdit, EM_GETLIMITTEXT, 0, 0));
}

TEST_F(MainWindow, StartsFramelessAtTheTopLeftWithCalcShown)
{
    HWND w = mainState.mainWindow;
    EXPECT_EQ(std::wstring(L"Zentolo by Ferlan | Vessilo 1.0 RC1"), windowText(w));
    EXPECT_EQ(static_cast<LONG>(0x808A0000 | WS_VISIBLE), GetWindowLongW(w, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(490, r.right - r.left);
    EXPECT_EQ(390, r.bottom - r.top);
    EXPECT_EQ(mainState.inputEdit, GetFocus());
    EXPECT_EQ(1, buttonAccent[mainState.tabButtons[0]]);
    EXPECT_TRUE(SendMessageW(w, WM_GETICON, ICON_BIG, 0) != 0);
    EXPECT_TRUE(SendMessageW(w, WM_GETICON, ICON_SMALL, 0) != 0);
}

TEST(WindowPosition, ReopensWhereItWasClosedWhileOnAWorkArea)
{
    auto reopen = [] {
        closeMainWindow();
        settings = Settings{};
        mainState = MainWindowState{};
        EXPECT_NE(nullptr, openMainWindow());
        RECT r;
        GetWindowRect(mainState.mainWindow, &r);
        return std::make_pair(r.left, r.top);
    };
    resetProcessState();
    ASSERT_NE(nullptr, openMainWindow());
    SetWindowPos(mainState.mainWindow, nullptr, 120, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(std::make_pair(120L, 70L), reopen());
    SetWindowPos(mainState.mainWindow, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(mainState.mainWindow, SW_MINIMIZE);
    EXPECT_EQ(std::make_pair(300L, 200L), reopen()) << "closed minimised: its normal position";
    SetWindowPos(mainState.mainWindow, nullptr, -300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(std::make_pair(0L, 0L), reopen()) << "the header off the screen";
    SetWindowPos(mainState.mainWindow, nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    closeMainWindow();
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, settingsKeyPath, 0, KEY_SET_VALUE, &key));
    RegSetValueExW(key, L"FinestraY", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"50"), 6);
    RegCloseKey(key);
    EXPECT_EQ(std::make_pair(0L, 0L), reopen()) << "a value of another type";
    closeMainWindow();
}

struct TabCase {
    int tab;
    bool keypad, formula;
    int rows;
    int height;
};

class TabSwitch : public MainWindow, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabSwitch, ShowsOnlyItsControlsAtItsHeightWithItsFocus)
{
    const TabCase& c = GetParam();
    MainWindowState& s = mainState;
    s.keypadVisible = c.keypad;
    s.formulaVisible = c.formula;
    s.visibleQuotaRows = c.rows;
    switchTab(c.tab);
    EXPECT_EQ(c.height, outerHeight());
    EXPECT_EQ(c.height, s.windowHeight);

    std::vector<Control> want = expectedControls();
    std::vector<HWND> got = children();
    ASSERT_EQ(want.size(), got.size());
    for (size_t i = 0; i < want.size(); ++i) {
        bool visible = want[i].where == header || want[i].where == c.tab ||
                       (want[i].where == keypad && c.tab == calc && c.keypad);
        if (got[i] == s.formulaEdit) visible = c.tab == interest && c.formula;
        for (int k = c.rows; k < 6; ++k)
            if (got[i] == s.quotaLabels[k] || got[i] == s.quotaEdits[k]) visible = false;
        EXPECT_EQ(visible, hasStyle(got[i], WS_VISIBLE)) << "control " << i;
    }
    for (int i = 0; i < 5; ++i) EXPECT_EQ(i == c.tab ? 1 : 0, buttonAccent[s.tabButtons[i]]);

    HWND focus[5] = {s.inputEdit, s.dateFromEdit, s.capitalEdit, s.splitTotalEdit, s.vatSettingEdit};
    EXPECT_EQ(focus[c.tab], GetFocus());
    if (c.tab == interest) {
        EXPECT_EQ(c.formula ? 450 : 385, rectInMain(s.disclaimerLabel).top);
    }
    if (c.tab == split) {
        int top[7] = {0, 0, 303, 303, 328, 362, 396};
        EXPECT_EQ(top[c.rows], rectInMain(s.splitResultEdit).top);
        EXPECT_EQ(83, rectInMain(s.splitResultEdit).bottom - rectInMain(s.splitResultEdit).top);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Heights, TabSwitch,
    ::testing::Values(TabCase{calc, false, false, 3, 390}, TabCase{calc, true, false, 3, 555},
                      TabCase{date, true, false, 3, 405}, TabCase{interest, false, false, 3, 465},
                      TabCase{interest, false, true, 3, 530}, TabCase{split, false, false, 2, 455},
                      TabCase{split, false, false, 3, 455}, TabCase{split, false, false, 4, 466},
                      TabCase{split, false, false, 5, 500}, TabCase{split, false, false, 6, 534},
                      TabCase{options, false, false, 3, 365}));

TEST_F(MainWindow, SwitchingTabsKeepsFieldTexts)
{
    SetWindowTextW(mainState.inputEdit, L"12+3");
    SetWindowTextW(mainState.dateFromEdit, L"01/01/2027");
    switchTab(date);
    switchTab(options);
    switchTab(calc);
    EXPECT_EQ(std::wstring(L"12+3"), windowText(mainState.inputEdit));
    EXPECT_EQ(std::wstring(L"01/01/2027"), windowText(mainState.dateFromEdit));
}

TEST_F(MainWindow, TabButtonsAndKeypadToggleSwitch)
{
    SendMessageW(mainState.tabButtons[3], WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(455, outerHeight());
    EXPECT_EQ(mainState.splitTotalEdit, GetFocus());
    switchTab(calc);
    onCommand(idKeypadToggle, 0, nullptr);
    EXPECT_EQ(555, outerHeight());
    EXPECT_TRUE(hasStyle(mainState.keypadControls[0], WS_VISIBLE));
    switchTab(date);
    EXPECT_FALSE(hasStyle(mainState.keypadControls[0], WS_VISIBLE));
    switchTab(calc);
    EXPECT_TRUE(hasStyle(mainState.keypadControls[15], WS_VISIBLE)) << "the keypad comes back";
}

//--- Keyboard: the loop's own Tab navigation

void pressTab(bool shift)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG msg{};
    msg.hwnd = GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    processMessage(msg);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

TEST_F(MainWindow, TabFromTheInputGoesToTheTapeThenCopyAndWrapsAround)
{
    HWND copy = GetDlgItem(mainState.mainWindow, idCopy);
    ASSERT_EQ(mainState.inputEdit, GetFocus());
    pressTab(false);
    EXPECT_EQ(mainState.tapeList, GetFocus()) << "the tape right after the input line";
    pressTab(false);
    EXPECT_EQ(copy, GetFocus());
    pressTab(true);
    pressTab(true);
    EXPECT_EQ(mainState.inputEdit, GetFocus());

    SetFocus(mainState.topmostCheck);
    pressTab(false);
    EXPECT_EQ(GetDlgItem(mainState.mainWindow, idMinimise), GetFocus()) << "wraps to the first stop";
    pressTab(true);
    EXPECT_EQ(mainState.topmostCheck, GetFocus());
}

TEST_F(MainWindow, HiddenTabStopsAreSkipped)
{
    switchTab(split);
    SetFocus(mainState.quotaEdits[2]);
    pressTab(false);
    EXPECT_EQ(GetDlgItem(mainState.mainWindow, idAddQuota), GetFocus()) << "rows 4 to 6 are hidden";
}

//--- Dragging by the header

LRESULT hitAt(int x, int y)
{
    POINT pt{x, y};
    ClientToScreen(mainState.mainWindow, &pt);
    return SendMessageW(mainState.mainWindow, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
}

TEST_F(MainWindow, HeaderStripDragsTheWindow)
{
    EXPECT_EQ(HTCAPTION, hitAt(200, 20));
    EXPECT_EQ(HTCAPTION, hitAt(392, 34));
    EXPECT_EQ(HTCLIENT, hitAt(200, 35));
    EXPECT_EQ(HTCLIENT, hitAt(393, 20));
}

//--- Colours

struct ColourAnswer {
    COLORREF background, text;
    HBRUSH brush;
};

ColourAnswer colourFor(UINT message, HWND control)
{
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(mainState.mainWindow, message, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control)));
    ColourAnswer a{GetBkColor(dc), GetTextColor(dc), brush};
    DeleteDC(dc);
    return a;
}

TEST_F(MainWindow, ControlColours)
{
    MainWindowState& s = mainState;
    ColourAnswer edit = colourFor(WM_CTLCOLOREDIT, s.inputEdit);
    EXPECT_EQ(RGB(53, 68, 80), edit.background);
    EXPECT_EQ(RGB(248, 250, 251), edit.text);
    EXPECT_EQ(s.fieldBrush, edit.brush);
    ColourAnswer list = colourFor(WM_CTLCOLORLISTBOX, s.tapeList);
    EXPECT_EQ(RGB(53, 68, 80), list.background);
    EXPECT_EQ(s.fieldBrush, list.brush);
    ColourAnswer display = colourFor(WM_CTLCOLORSTATIC, s.display);
    EXPECT_EQ(RGB(33, 43, 53), display.background);
    EXPECT_EQ(RGB(248, 250, 251), display.text);
    EXPECT_EQ(s.windowBrush, display.brush);
    ColourAnswer label = colourFor(WM_CTLCOLORSTATIC, s.topmostCheck);
    EXPECT_EQ(RGB(33, 43, 53), label.background);
    EXPECT_EQ(RGB(190, 212, 225), label.text);
    EXPECT_EQ(s.windowBrush, label.brush);
}

//--- Painting

void expectNear(COLORREF want, COLORREF got, int tolerance, const char* what)
{
    EXPECT_NEAR(GetRValue(want), GetRValue(got), tolerance) << what << ", red";
    EXPECT_NEAR(GetGValue(want), GetGValue(got), tolerance) << what << ", green";
    EXPECT_NEAR(GetBValue(want), GetBValue(got), tolerance) << what << ", blue";
}


struct Pixels {
    std::vector<COLORREF> data;
    int width = 0, height = 0;
    COLORREF at(int x, int y) const { return data[static_cast<size_t>(y * width + x)]; }
};

Pixels printed(HWND w, UINT message = WM_PRINTCLIENT)
{
    RECT rc;
    GetClientRect(w, &rc);
    Pixels p;
    p.width = rc.right;
    p.height = rc.bottom;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, p.width, p.height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(w, message, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.data.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return p;
}

TEST_F(MainWindow, HeaderLogoAndBackground)
{
    Pixels p = printed(mainState.mainWindow);
    EXPECT_EQ(RGB(33, 43, 53), p.at(5, 5));
    EXPECT_EQ(RGB(33, 43, 53), p.at(200, 380));
    EXPECT_EQ(RGB(208, 230, 246), p.at(15, 11)) << "logo gradient, top";
    expectNear(RGB(101, 134, 164), p.at(15, 28), 8, "logo gradient, bottom");
    EXPECT_EQ(RGB(33, 43, 53), p.at(34, 29)) << "the logo ends before (34, 29)";
}

//--- The button class, in a parent of its own that records commands

std::vector<std::pair<WPARAM, LPARAM>> commands;

LRESULT CALLBACK recordingProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) commands.emplace_back(wParam, lParam);
    return DefWindowProcW(w, message, wParam, lParam);
}

class Button : public ::testing::Test {
protected:
    HWND parent = nullptr;
    HWND button = nullptr;
    void SetUp() override
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = recordingProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"ZentoloTestParent";
            registered = RegisterClassExW(&wc) != 0;
        }
        parent = CreateWindowExW(0, L"ZentoloTestParent", L"", WS_POPUP | WS_VISIBLE, 600, 400, 200,
                                 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        button = createButton(parent, L"PROVA", 10, 10, 100, 40, 777, 0, mainState.bodyFont);
        ASSERT_NE(nullptr, button);
        commands.clear();
    }
    void TearDown() override { DestroyWindow(parent); }
    void send(UINT message, int x, int y) { SendMessageW(button, message, 0, MAKELPARAM(x, y)); }
};

TEST_F(Button, PressAndReleaseInsideSendsOneCommand)
{
    send(WM_LBUTTONDOWN, 5, 5);
    EXPECT_TRUE(GetPropW(button, L"ZT_DOWN") != nullptr);
    EXPECT_EQ(button, GetFocus());
    EXPECT_EQ(button, GetCapture());
    send(WM_LBUTTONUP, 50, 20);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(MAKEWPARAM(777, BN_CLICKED), commands[0].first);
    EXPECT_EQ(reinterpret_cast<LPARAM>(button), commands[0].second);
    EXPECT_EQ(nullptr, GetPropW(button, L"ZT_DOWN"));
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(Button, ReleaseOutsideOrWithoutPressSendsNothing)
{
    send(WM_LBUTTONDOWN, 5, 5);
    send(WM_LBUTTONUP, 150, 20);
    send(WM_LBUTTONDOWN, 5, 5);
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(-5, 10));
    send(WM_LBUTTONUP, 10, 10);  // no press before it
    EXPECT_TRUE(commands.empty());
}

TEST_F(Button, LosingTheCaptureCancelsThePress)
{
    send(WM_LBUTTONDOWN, 5, 5);
    SetCapture(parent);  // another window takes the mouse
    EXPECT_EQ(nullptr, GetPropW(button, L"ZT_DOWN")) << "the pressed look goes";
    ReleaseCapture();
    send(WM_LBUTTONUP, 50, 20);
    send(WM_LBUTTONDOWN, 5, 5);
    SendMessageW(button, WM_CANCELMODE, 0, 0);
    send(WM_LBUTTONUP, 50, 20);
    EXPECT_TRUE(commands.empty()) << "a release after the capture went is no click";
    send(WM_LBUTTONDOWN, 5, 5);
    send(WM_LBUTTONUP, 50, 20);
    EXPECT_EQ(1u, commands.size()) << "releasing its own capture still clicks";
}

TEST_F(Button, SpaceAndEnterSendOneCommandPerKeyDown)
{
    SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0x40000000);  // auto-repeat
    SendMessageW(button, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(button, WM_KEYDOWN, 'A', 0);
    SendMessageW(button, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(3u, commands.size());
}

TEST_F(Button, HoverMarkFollowsTheMouse)
{
    send(WM_MOUSEMOVE, 5, 5);
    EXPECT_TRUE(GetPropW(button, L"ZT_HOVER") != nullptr);
    send(WM_LBUTTONDOWN, 5, 5);
    send(WM_LBUTTONUP, 150, 5);
    EXPECT_TRUE(GetPropW(button, L"ZT_HOVER") != nullptr) << "kept until the mouse leaves";
    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(nullptr, GetPropW(button, L"ZT_HOVER"));
    EXPECT_TRUE(commands.empty());
}

TEST_F(Button, FocusRectangleOnlyOnTheFocusedButton)
{
    SetFocus(parent);
    Pixels unfocused = printed(button);
    SetFocus(button);
    Pixels focused = printed(button);
    int changed = 0;
    for (int x = 3; x < 97; ++x) changed += focused.at(x, 3) != unfocused.at(x, 3);
    EXPECT_GT(changed, 20) << "a dotted rectangle 3 pixels inside the border";
    EXPECT_EQ(unfocused.at(50, 1), focused.at(50, 1));
}

TEST_F(Button, AccentEntryLivesAsLongAsTheButton)
{
    HWND accented = createButton(parent, L"OK", 120, 10, 60, 30, 778, 1, mainState.bodyFont);
    EXPECT_EQ(1, buttonAccent.at(accented));
    EXPECT_EQ(0, buttonAccent.at(button));
    DestroyWindow(accented);
    EXPECT_EQ(0u, buttonAccent.count(accented));
}

struct LookCase {
    int accent;
    bool hover, down;
    COLORREF top, bottom, border;
};

class ButtonLook : public Button, public ::testing::WithParamInterface<LookCase> {};

TEST_P(ButtonLook, GradientAndBorderOfEachState)
{
    const LookCase& c = GetParam();
    setButtonAccent(button, c.accent);
    if (c.hover) SetPropW(button, L"ZT_HOVER", reinterpret_cast<HANDLE>(1));
    if (c.down) SetPropW(button, L"ZT_DOWN", reinterpret_cast<HANDLE>(1));
    SetFocus(parent);
    Pixels p = printed(button);
    EXPECT_EQ(c.border, p.at(0, 0));
    EXPECT_EQ(c.border, p.at(99, 39));
    // Rows 1 and 38 lie one fortieth inside the gradient's ends.
    expectNear(c.top, p.at(2, 1), 5, "top of the gradient");
    expectNear(c.bottom, p.at(2, 38), 5, "bottom of the gradient");
    RemovePropW(button, L"ZT_HOVER");
    RemovePropW(button, L"ZT_DOWN");
}

INSTANTIATE_TEST_SUITE_P(
    States, ButtonLook,
    ::testing::Values(
        LookCase{0, false, false, RGB(65, 82, 97), RGB(37, 51, 64), RGB(95, 117, 133)},
        LookCase{1, false, false, RGB(188, 210, 225), RGB(111, 140, 164), RGB(201, 220, 231)},
        LookCase{0, true, false, RGB(207, 224, 235), RGB(121, 153, 175), RGB(95, 117, 133)},
        LookCase{1, true, false, RGB(207, 224, 235), RGB(121, 153, 175), RGB(201, 220, 231)},
        LookCase{0, true, true, RGB(80, 105, 126), RGB(54, 73, 90), RGB(95, 117, 133)},
        LookCase{1, false, true, RGB(80, 105, 126), RGB(54, 73, 90), RGB(201, 220, 231)}));

//--- Closing

//--- Tabs built when first shown

std::wstring upperCase(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), ::towupper);
    return text;
}

// The class (in capitals) and text of each child, in creation (Tab) order.
std::vector<std::wstring> childSequence()
{
    std::vector<std::wstring> out;
    for (HWND w : children()) out.push_back(upperCase(className(w)) + L"|" + windowText(w));
    return out;
}

std::vector<std::wstring> expectedSequence(std::initializer_list<Where> groups)
{
    std::vector<std::wstring> out;
    for (const Control& c : expectedControls())
        if (std::find(groups.begin(), groups.end(), c.where) != groups.end())
            out.push_back(upperCase(c.cls) + L"|" + c.text);
    return out;
}

TEST(TabsBuiltWhenShown, EachTabTakesItsPlaceInTheCreationOrder)
{
    resetProcessState();
    HWND w = createMainWindow(GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(expectedSequence({header, calc}), childSequence()) << "only what CALC shows at start";
    ShowWindow(w, SW_SHOWNORMAL);
    EXPECT_EQ(mainState.inputEdit, GetFocus()) << "the focus of CALC, given when the window is shown";

    switchTab(options);
    switchTab(date);  // shown after OPZIONI, placed before it
    EXPECT_EQ(expectedSequence({header, calc, date, options}), childSequence());
    EXPECT_EQ(L"22,00", controlText(mainState.vatSettingEdit)) << "filled when built";
    EXPECT_EQ(mainState.dateFromEdit, GetFocus());

    while (buildNextTab()) {
    }
    EXPECT_EQ(expectedSequence({header, calc, keypad, date, interest, split, options}), childSequence());
    switchTab(split);
    EXPECT_TRUE(IsWindowVisible(mainState.quotaEdits[2]));
    EXPECT_FALSE(IsWindowVisible(mainState.quotaEdits[3])) << "rows beyond the visible ones stay hidden";
    EXPECT_FALSE(IsWindowVisible(mainState.keypadControls[0]));
    closeMainWindow();
}

TEST(Closing, CloseButtonEndsTheLoopWithZeroAndFreesTheGdiObjects)
{
    resetProcessState();
    HWND w = createMainWindow(GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, w);
    HGDIOBJ objects[6] = {mainState.windowBrush, mainState.fieldBrush, mainState.bodyFont,
                          mainState.headingFont, mainState.displayFont, mainState.smallFont};
    SendMessageW(GetDlgItem(w, idClose), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(IsWindow(w));
    for (HGDIOBJ o : objects) EXPECT_EQ(0u, GetObjectType(o)) << "deleted at destruction";
    MSG msg{};
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) {
            quit = true;
            break;
        }
    EXPECT_TRUE(quit);
    EXPECT_EQ(0u, msg.wParam);
}

TEST(Closing, AltF4ClosesToo)
{
    resetProcessState();
    HWND w = createMainWindow(GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, w);
    SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(w));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (int failed = registerWindowClasses(GetModuleHandleW(nullptr))) return 100 + failed;
    return RUN_ALL_TESTS();
}
