// The owner-drawn button in a parent of its own that records commands:
// presses by mouse and keyboard, capture, hover, focus, accent and the
// gradient of each state.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/button_win.h"
#include "tests/app/main_window_checks.h"

namespace {

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

} // namespace
