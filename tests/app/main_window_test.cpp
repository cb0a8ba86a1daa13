// The real main window, created in-process under Wine, checked as a user
// would see it: every control, its styles, the window at start and where it
// reopens, dragging, colours, the header's drawing, the tabs built when first
// shown, and closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "app/button_win.h"
#include "app/commands_win.h"
#include "tests/app/main_window_checks.h"

namespace {

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
    auto stored = [](const wchar_t* name) {
        DWORD value = 0, size = sizeof value;
        RegGetValueW(HKEY_CURRENT_USER, settingsKeyPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
        return static_cast<LONG>(value);
    };
    resetProcessState();
    ASSERT_NE(nullptr, openMainWindow());
    SetWindowPos(mainState.mainWindow, nullptr, 140, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(mainState.mainWindow, WM_EXITSIZEMOVE, 0, 0);  // the end of a drag
    EXPECT_EQ(std::make_pair(140L, 90L), std::make_pair(stored(L"FinestraX"), stored(L"FinestraY")))
        << "kept at the end of a move, before any close";
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

// On CALC the bottom edge sizes the window: the tape takes the room, the rest
// keeps its place from the bottom, and the height is there at the next start.
TEST_F(MainWindow, CalcIsMadeTallerByItsBottomEdge)
{
    MainWindowState& s = mainState;
    EXPECT_EQ(HTBOTTOM, hitAt(200, 387));
    EXPECT_EQ(HTCLIENT, hitAt(200, 380));
    const auto dragBy = [&](int dy) {
        RECT r;
        GetWindowRect(s.mainWindow, &r);
        SetCursorPos(r.left + 200, r.bottom - 2);
        SendMessageW(s.mainWindow, WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(r.left + 200, r.bottom - 2));
        SetCursorPos(r.left + 200, r.bottom - 2 + dy);
        SendMessageW(s.mainWindow, WM_MOUSEMOVE, 0, 0);
        SendMessageW(s.mainWindow, WM_LBUTTONUP, 0, 0);
    };
    dragBy(150);
    EXPECT_EQ(540, outerHeight());
    EXPECT_EQ(98 + 150, rectInMain(s.tapeList).bottom - rectInMain(s.tapeList).top);
    EXPECT_EQ(269 + 150, rectInMain(s.inputEdit).top);
    onCommand(idKeypadToggle, 0, nullptr);
    EXPECT_EQ(816, outerHeight()) << "the keypad's rows below";
    EXPECT_EQ(535 + 150, rectInMain(GetDlgItem(s.mainWindow, idMemoryAdd)).top);
    onCommand(idKeypadToggle, 0, nullptr);
    switchTab(tabDate);
    EXPECT_EQ(405, outerHeight()) << "the other tabs keep their heights";
    EXPECT_EQ(HTCLIENT, hitAt(200, 402)) << "and cannot be sized";
    switchTab(tabCalc);
    EXPECT_EQ(540, outerHeight());

    closeMainWindow();
    settings = Settings{};
    mainState = MainWindowState{};
    ASSERT_NE(nullptr, openMainWindow());
    EXPECT_EQ(540, outerHeight()) << "kept as AltezzaCalc";
    dragBy(-400);
    EXPECT_EQ(390, outerHeight()) << "never shorter than at first";
    dragBy(5000);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(s.mainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(monitor.rcWork.bottom - monitor.rcWork.top, outerHeight()) << "nor taller than the screen";
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

TEST_F(MainWindow, HeaderLogoAndBackground)
{
    Pixels p = printed(mainState.mainWindow);
    EXPECT_EQ(RGB(33, 43, 53), p.at(5, 5));
    EXPECT_EQ(RGB(33, 43, 53), p.at(200, 380));
    EXPECT_EQ(RGB(208, 230, 246), p.at(15, 11)) << "logo gradient, top";
    expectNear(RGB(101, 134, 164), p.at(15, 28), 8, "logo gradient, bottom");
    EXPECT_EQ(RGB(33, 43, 53), p.at(34, 29)) << "the logo ends before (34, 29)";
}

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

//--- Closing

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
