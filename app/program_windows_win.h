// What the tool windows of their own (the claim ledger, the table split)
// share: their controls' font and colours, their least size, where they open,
// and a prospect that copies its selection or else the whole of itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "dates/screen_box.h"

// What every tool window holds, and how it is laid out and kept.
struct ToolWindow {
    int dpi = 96;
    HFONT font = nullptr;
    int firstField = 0, prospect = 0;     // control ids: the focus at first, the read-only prospect
    int leastWidth = 0, leastHeight = 0;  // of the client area at 96 DPI
    void (*layOut)(HWND window) = nullptr;
    void (*savePlace)(const ScreenBox& place) = nullptr;
    // The field that takes long pastes, its name and its limit in characters;
    // after a paste that did not enter whole, what the field held then, never
    // computed (its last line may be cut) until the text is another.
    int pasteField = 0;
    const wchar_t* pasteFieldName = L"";
    int pasteLimit = 0;
    std::optional<std::wstring> cutText;
    // The buttons under the prospect, ids tool.prospect + 1 on.
    std::vector<const wchar_t*> buttons{L"COPIA", L"STAMPA", L"CHIUDI"};
};

// "Movimenti tiene al massimo 400.000 caratteri: il testo in più non è entrato."
std::wstring cutPasteMessage(const ToolWindow& tool);
// Whether `text` is what a cut paste left, not to be computed; else the cut is forgotten.
bool holdsCutPaste(ToolWindow& tool, const std::wstring& text);

// The messages every tool window answers alike: activation, size, scale,
// background, colours, its place kept when moved, sized or closed, a paste
// cut at the paste field's limit, and its font at WM_NCDESTROY. True when `message` was answered, with `result`.
bool onToolWindowMessage(HWND window, ToolWindow& tool, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The keys every tool window takes alike: Escape closes it, Ctrl+A selects a
// field's text, Ctrl+C in the prospect copies its selection or else the whole
// prospect, the keypad's decimal key writes a comma in the `commaFields`.
bool onToolWindowKey(HWND window, const ToolWindow& tool, const MSG& msg, std::initializer_list<int> commaFields);

// The last controls of a tool window: the prospect (read-only, scrolling, with
// its "Copia" menu, id tool.prospect) and its buttons under it (the next ids);
// then every control takes the font and is laid out.
void finishToolWindow(HWND window, const ToolWindow& tool);
// The prospect from `top` down to the buttons at the bottom of a client area
// width × height at 96 DPI.
void placeProspectAndButtons(HWND window, const ToolWindow& tool, int top, int width, int height);

// A label's text width at 96 DPI, so that no label is clipped whatever the font.
int labelWidth(HWND label, int dpi);

// A child control at 0, 0, placed later by the window's layout.
HWND createChildIn(HWND window, const wchar_t* cls, const wchar_t* text, int id, DWORD style, DWORD exStyle = 0);

// The window's font at `dpi` given to every control; the old one deleted.
void takeToolWindowScale(HWND window, HFONT& font, int dpi);

// WM_CTLCOLOR… of a tool window: labels on the window colour, fields (and
// the read-only prospect `prospectId`) on the field colour.
LRESULT toolWindowColour(UINT message, HDC dc, HWND control, int prospectId);

// WM_GETMINMAXINFO: a client area of at least width × height at 96 DPI.
void keepLeastClientSize(HWND window, MINMAXINFO& info, int width, int height, int dpi);

// Where a tool window opens: where it was last, while its top lies inside a
// work area; else beside the main window, or over it when there is no room.
RECT toolWindowOpeningRect(const std::optional<ScreenBox>& kept, int clientWidth, int clientHeight, int dpi);

// Creates a tool window of class `cls` (registered at its first opening),
// sizable but not maximisable, owned by the main window, where
// toolWindowOpeningRect puts it; nullptr when it cannot be created.
HWND createToolWindow(const wchar_t* cls, WNDPROC procedure, const wchar_t* title,
                      const std::optional<ScreenBox>& kept, int clientWidth, int clientHeight);

// Brings an open tool window to the front, restored.
void bringToolWindowForward(HWND window);

// A prospect shows at most this many lines and characters: a longer one
// shows its beginning and its end, and COPIA and STAMPA give it whole (a
// multi-line field lays out every line it holds, some 3 µs a character under Wine).
std::wstring shownProspect(const std::wstring& text, size_t shownLines, size_t shownCharacters = SIZE_MAX);

// The prospect field's context menu has the one "Copia" of the other results;
// it, like Ctrl+C, copies the selection, or else sends copyWholeProspect to
// the window, which copies the whole prospect.
constexpr UINT copyWholeProspect = WM_APP + 7;
void installProspectMenu(HWND prospect);
void copyProspectSelection(HWND prospect);
