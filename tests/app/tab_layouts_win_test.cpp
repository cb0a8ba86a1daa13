// Each tab at its height with its controls and its focus, and results shown
// in full: each text measured in its control's font (the fonts the test
// prefix maps in) against the control that shows it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/button_win.h"
#include "app/commands_win.h"
#include "calc/vat_win.h"
#include "tests/app/main_window_checks.h"

namespace {

//--- Each tab at its height, with its controls and its focus

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
        if (got[i] == s.memoryMark) visible = false;  // the memory is empty
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
    ::testing::Values(TabCase{calc, false, false, 3, 390}, TabCase{calc, true, false, 3, 666},
                      TabCase{date, true, false, 3, 405}, TabCase{interest, false, false, 3, 465},
                      TabCase{interest, false, true, 3, 530}, TabCase{split, false, false, 2, 455},
                      TabCase{split, false, false, 3, 455}, TabCase{split, false, false, 4, 466},
                      TabCase{split, false, false, 5, 500}, TabCase{split, false, false, 6, 534},
                      TabCase{options, false, false, 3, 507}));

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
    EXPECT_EQ(666, outerHeight());
    EXPECT_TRUE(hasStyle(mainState.keypadControls[0], WS_VISIBLE));
    switchTab(date);
    EXPECT_FALSE(hasStyle(mainState.keypadControls[0], WS_VISIBLE));
    switchTab(calc);
    EXPECT_TRUE(hasStyle(mainState.keypadControls[15], WS_VISIBLE)) << "the keypad comes back";
}

//--- Results shown in full

SIZE measured(HWND control, const std::wstring& text, int width, UINT format)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | format);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return SIZE{r.right, r.bottom};
}

RECT clientOf(HWND control)
{
    RECT r;
    GetClientRect(control, &r);
    return r;
}

int topInMain(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, mainState.mainWindow, reinterpret_cast<POINT*>(&r), 2);
    return r.top;
}

// The label shows its whole text: wrapped at its width, it is not taller than the label.
void expectShownInFull(HWND label)
{
    RECT c = clientOf(label);
    EXPECT_LE(measured(label, controlText(label), c.right, DT_WORDBREAK).cy, c.bottom)
        << "cut off: " << std::string(controlText(label).begin(), controlText(label).end());
}

void setTexts(std::initializer_list<std::pair<HWND, const wchar_t*>> texts)
{
    for (const auto& t : texts) SetWindowTextW(t.first, t.second);
}

using Layout = MainWindow;

TEST_F(Layout, InterestResultOnOneLineWhenItFitsElseOnTwoAtTheSeparator)
{
    MainWindowState& s = mainState;
    switchTab(tabInterest);
    onCommand(idCalculateInterest, 0, nullptr);
    const std::wstring example = controlText(s.interestResult);
    const int width = clientOf(s.interestResult).right;
    EXPECT_EQ(measured(s.interestResult, example, 0, DT_SINGLELINE).cx <= width,
              example.find(L"\r\n") == std::wstring::npos)
        << "the worked example wraps only when it does not fit";
    expectShownInFull(s.interestResult);

    settings.decimals = 6;
    setTexts({{s.capitalEdit, L"999.999.999,99"}, {s.rateEdit, L"1000"}});
    onCommand(idCalculateInterest, 0, nullptr);
    const std::wstring longest = controlText(s.interestResult);
    const size_t cut = longest.find(L"\r\n");
    ASSERT_NE(std::wstring::npos, cut) << "the largest capital and rate need two lines";
    EXPECT_EQ(0u, longest.find(L"Interessi: "));
    EXPECT_EQ(cut + 2, longest.find(L"Capitale + interessi: "));
    for (const std::wstring& line : {longest.substr(0, cut), longest.substr(cut + 2)})
        EXPECT_LE(measured(s.interestResult, line, 0, DT_SINGLELINE).cx, width) << "each line whole";
    expectShownInFull(s.interestResult);
    RECT result;
    GetWindowRect(s.interestResult, &result);
    const int grow = (result.bottom - result.top) - 28;
    EXPECT_GT(grow, 0);
    EXPECT_EQ(385 + grow, topInMain(s.disclaimerLabel)) << "what is below moves down";
    EXPECT_EQ(465 + grow, s.windowHeight);

    SetWindowTextW(s.capitalEdit, L"x");
    onCommand(idCalculateInterest, 0, nullptr);
    EXPECT_EQ(465, s.windowHeight) << "a short message gives the height back";
    EXPECT_EQ(385, topInMain(s.disclaimerLabel));
}

TEST_F(Layout, DateLineSettingsStatusAndSplitShowInFull)
{
    MainWindowState& s = mainState;
    switchTab(tabDate);
    setTexts({{s.dateFromEdit, L"01/01/1600"}, {s.dateToEdit, L"31/12/9999"}});
    onCommand(idCalculateDates, 0, nullptr);
    EXPECT_NE(std::wstring::npos, controlText(s.dateResult).find(L"oltre 149.999 gg"));
    expectShownInFull(s.dateResult);

    switchTab(tabOptions);
    SetWindowTextW(s.vatSettingEdit, L"101");
    onCommand(idSaveSettings, 0, nullptr);
    expectShownInFull(s.settingsStatus);

    switchTab(tabSplit);
    for (int i = 0; i < 3; ++i) onCommand(idAddQuota, 0, nullptr);
    settings.decimals = 6;
    SetWindowTextW(s.splitTotalEdit, L"9.000.000.000.000");
    for (HWND quota : s.quotaEdits) SetWindowTextW(quota, L"123.456.789,123456");
    onCommand(idSplit, 0, nullptr);
    RECT format;
    SendMessageW(s.splitResultEdit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_LE(measured(s.splitResultEdit, controlText(s.splitResultEdit), format.right - format.left,
                       DT_WORDBREAK | DT_EDITCONTROL).cy,
              format.bottom - format.top)
        << "every line of six rows and the total without scrolling";
    EXPECT_GT(s.windowHeight, 534);
}

TEST_F(Layout, VatLabelAtOneHundredPercentFitsItsButton)
{
    settings.vatRate = 100;
    refreshVatLabel();
    HWND button = mainState.vatRateButton;
    EXPECT_EQ(L"IVA 100,00%  \u25be", controlText(button));
    HDC dc = GetDC(button);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
    RECT r{};
    DrawTextW(dc, controlText(button).c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    EXPECT_LE(r.right, clientOf(button).right - 4) << "inside the border";
}

} // namespace
