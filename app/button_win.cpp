// The owner-drawn button needs Win32 for its window class, painting, mouse
// capture and the click report to its parent.
#include "app/button_win.h"

#include <windowsx.h>

#include "app/accessible_win.h"
#include "app/dpi_win.h"
#include "app/main_window_win.h"

const wchar_t* const buttonClassName = L"FerlanButtonV06";
const wchar_t* const buttonHoverProperty = L"ZT_HOVER";
const wchar_t* const buttonDownProperty = L"ZT_DOWN";
const wchar_t* const buttonFontProperty = L"ZT_FONT";
const wchar_t* const buttonMenuProperty = L"ZT_MENU";
std::map<HWND, int> buttonAccent;

namespace {

struct Gradient {
    COLORREF top, bottom;
};

const Gradient pressedColours{RGB(80, 105, 126), RGB(54, 73, 90)};
const Gradient hoverColours{RGB(207, 224, 235), RGB(121, 153, 175)};
const Gradient accentColours{RGB(188, 210, 225), RGB(111, 140, 164)};
const Gradient normalColours{RGB(65, 82, 97), RGB(37, 51, 64)};

int accentOf(HWND button)
{
    auto it = buttonAccent.find(button);
    return it == buttonAccent.end() ? 0 : it->second;
}

void invalidate(HWND button) { InvalidateRect(button, nullptr, FALSE); }

TRIVERTEX vertex(LONG x, LONG y, COLORREF c)
{
    TRIVERTEX v{};
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>(GetRValue(c) << 8);
    v.Green = static_cast<COLOR16>(GetGValue(c) << 8);
    v.Blue = static_cast<COLOR16>(GetBValue(c) << 8);
    return v;
}

// Sent, never posted: the parent has handled the click when this returns.
void reportClick(HWND button)
{
    int id = GetDlgCtrlID(button);
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void onMouseMove(HWND button)
{
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = button;
    track.dwHoverTime = 0;
    TrackMouseEvent(&track);
    if (!GetPropW(button, buttonHoverProperty)) {
        SetPropW(button, buttonHoverProperty, reinterpret_cast<HANDLE>(1));
        invalidate(button);
    }
}

void onMouseLeave(HWND button)
{
    RemovePropW(button, buttonHoverProperty);
    invalidate(button);
}

void onLeftButtonDown(HWND button)
{
    SetFocus(button);
    SetCapture(button);
    SetPropW(button, buttonDownProperty, reinterpret_cast<HANDLE>(1));
    invalidate(button);
}

void onLeftButtonUp(HWND button, LPARAM lParam)
{
    bool wasDown = GetPropW(button, buttonDownProperty) != nullptr;
    RemovePropW(button, buttonDownProperty);
    ReleaseCapture();
    RECT client;
    GetClientRect(button, &client);
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    invalidate(button);
    if (wasDown && PtInRect(&client, pt)) reportClick(button);
}

// A press whose capture went elsewhere (a pop-up, Alt+Tab, WM_CANCELMODE)
// is over: a later release over the button is no click.
void onCaptureChanged(HWND button)
{
    if (RemovePropW(button, buttonDownProperty)) invalidate(button);
}

// A button of the main window while CALC is shown.
bool forwardsTyping(HWND button)
{
    const MainWindowState& s = mainState;
    return s.currentTab == tabCalc && s.inputEdit && GetParent(button) == s.mainWindow;
}

void onNcDestroy(HWND button)
{
    RemovePropW(button, buttonHoverProperty);
    RemovePropW(button, buttonDownProperty);
    RemovePropW(button, buttonFontProperty);
    RemovePropW(button, buttonMenuProperty);
    buttonAccent.erase(button);
}

} // namespace

void paintButton(HWND button, HDC hdc)
{
    RECT rc;
    GetClientRect(button, &rc);
    int accent = accentOf(button);
    const Gradient& g = GetPropW(button, buttonDownProperty)    ? pressedColours
                        : GetPropW(button, buttonHoverProperty) ? hoverColours
                        : accent == 1                     ? accentColours
                                                          : normalColours;
    TRIVERTEX vertices[2] = {vertex(0, 0, g.top), vertex(rc.right, rc.bottom, g.bottom)};
    GRADIENT_RECT mesh{0, 1};
    GdiGradientFill(hdc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_V);  // what msimg32 forwards to

    // One pixel at 96 DPI, drawn inside the tile at every scale: the scale of
    // the window the button is on.
    const int dpi = topLevelDpi(button);
    const int borderWidth = scaledTo(1, dpi);
    HPEN pen = CreatePen(borderWidth > 1 ? PS_INSIDEFRAME : PS_SOLID, borderWidth,
                         accent == 1 ? RGB(201, 220, 231) : RGB(95, 117, 133));
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
    Rectangle(hdc, rc.left, rc.top, rc.right, rc.bottom);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(pen);

    wchar_t text[200] = {};
    GetWindowTextW(button, text, 200);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, accent == 1 ? RGB(17, 31, 42) : RGB(248, 250, 251));
    HGDIOBJ oldFont = SelectObject(hdc, GetPropW(button, buttonFontProperty));
    DrawTextW(hdc, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(hdc, oldFont);

    if (GetFocus() == button) {
        RECT focus = rc;
        InflateRect(&focus, -scaledTo(3, dpi), -scaledTo(3, dpi));
        DrawFocusRect(hdc, &focus);
    }
}

LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        invalidate(button);
        notifyButtonEvent(button, EVENT_OBJECT_FOCUS);
        break;
    case WM_KILLFOCUS:
        invalidate(button);
        break;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcW(button, message, wParam, lParam);
        notifyButtonEvent(button, EVENT_OBJECT_NAMECHANGE);
        return result;
    }
    case WM_SETFONT:
        SetPropW(button, buttonFontProperty, reinterpret_cast<HANDLE>(wParam));
        if (LOWORD(lParam)) invalidate(button);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetPropW(button, buttonFontProperty));
    case WM_GETOBJECT:
        if (LRESULT object = buttonAccessibleObject(button, wParam, lParam)) return object;
        break;
    case buttonPressMessage:  // a screen reader's default action, checked again on arrival
        if (buttonMayBePressed(button)) reportClick(button);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(button, &ps);
        paintButton(button, hdc);
        EndPaint(button, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paintButton(button, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        onMouseMove(button);
        break;
    case WM_MOUSELEAVE:
        onMouseLeave(button);
        return 0;
    case WM_LBUTTONDOWN:
        onLeftButtonDown(button);
        return 0;
    case WM_LBUTTONUP:
        onLeftButtonUp(button, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        onCaptureChanged(button);
        return 0;
    case WM_CHAR:
        // Digits and operators typed on a button of CALC go on in the input line.
        if (wParam > L' ' && forwardsTyping(button)) {
            SetFocus(mainState.inputEdit);
            SendMessageW(mainState.inputEdit, WM_CHAR, wParam, lParam);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE || wParam == VK_RETURN) {
            // The key's character is the button's, not the next window's: a
            // menu opened by the press would take it for a choice and close.
            MSG character;
            PeekMessageW(&character, button, WM_CHAR, WM_CHAR, PM_REMOVE);
            reportClick(button);
            return 0;
        }
        if (wParam == VK_F4 && GetPropW(button, buttonMenuProperty)) {
            reportClick(button);
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN && GetPropW(button, buttonMenuProperty)) {  // Alt+Down
            reportClick(button);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        onNcDestroy(button);
        break;
    }
    return DefWindowProcW(button, message, wParam, lParam);
}

bool registerButtonClass(HINSTANCE instance)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = 0;  // no double clicks: a fast second click is a second press
    wc.lpfnWndProc = buttonProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
    wc.lpszClassName = buttonClassName;
    return RegisterClassExW(&wc) != 0;
}

HWND createButton(HWND parent, const wchar_t* text, int x, int y, int width, int height, int id,
                  int accent, HFONT font, bool visible)
{
    const int dpi = topLevelDpi(parent);
    HWND button = CreateWindowExW(0, buttonClassName, text,
                                  WS_CHILD | WS_TABSTOP | (visible ? WS_VISIBLE : 0),
                                  scaledTo(x, dpi), scaledTo(y, dpi), scaledTo(width, dpi),
                                  scaledTo(height, dpi), parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!button) return nullptr;
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    setButtonAccent(button, accent);
    return button;
}

void markMenuButton(HWND button, const MenuButtonSetting& setting)
{
    SetPropW(button, buttonMenuProperty, const_cast<MenuButtonSetting*>(&setting));
}

const MenuButtonSetting* menuButtonSetting(HWND button)
{
    return static_cast<const MenuButtonSetting*>(GetPropW(button, buttonMenuProperty));
}

POINT contextMenuPoint(HWND field, LPARAM at)
{
    POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {
        p = {0, 0};
        ClientToScreen(field, &p);
    }
    return p;
}

int trackMenuAt(HMENU menu, POINT at, HWND owner)
{
    int command = 0;
    {
        ModalScope modal;  // the menu disables no window
        command = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
    }
    DestroyMenu(menu);
    return command;
}

int trackButtonMenu(HWND button, HMENU menu)
{
    RECT place;
    GetWindowRect(button, &place);
    return trackMenuAt(menu, POINT{place.left, place.bottom}, GetAncestor(button, GA_ROOT));
}

HMENU choiceMenu(const wchar_t* const* choices, int count, int checked, int firstCommand)
{
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < count; ++i) {
        const auto mark = static_cast<UINT>(i == checked ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuW(menu, MF_STRING | mark, static_cast<UINT_PTR>(firstCommand + i), choices[i]);
    }
    return menu;
}

int pickFromButtonMenu(HWND button, const wchar_t* const* choices, int count, int checked, int firstCommand)
{
    HMENU menu = choiceMenu(choices, count, checked, firstCommand);
    const int picked = trackButtonMenu(button, menu) - firstCommand;
    return picked >= 0 && picked < count ? picked : -1;
}

void setButtonAccent(HWND button, int accent)
{
    buttonAccent[button] = accent;
    invalidate(button);
    notifyButtonEvent(button, EVENT_OBJECT_STATECHANGE);
}
