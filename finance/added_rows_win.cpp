// The added rows need Win32 for their dialog, built from a template in
// memory, and the question before they are removed.
#include "finance/added_rows_win.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "app/accessible_win.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "app/settings_win.h"
#include "finance/added_rows.h"
#include "finance/tables_report.h"

AddedRows addedRows;

namespace {

enum DialogId { idTable = 1001, idFrom = 1002, idValue = 1003, idMessage = 1004, idFromHint = 1005 };

// A dialog template in memory: DLGTEMPLATE, then each item, WORD-aligned
// text and DWORD-aligned items, as DialogBoxIndirect reads them.
class DialogTemplate {
public:
    DialogTemplate(const wchar_t* title, short width, short height)
    {
        DLGTEMPLATE t{};
        t.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        t.cx = width;
        t.cy = height;
        put(&t, sizeof t);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the standard class
        text(title);
        words_.push_back(9);  // points
        text(L"Segoe UI");
    }
    void item(WORD cls, const wchar_t* caption, DWORD style, short x, short y, short w, short h, WORD id)
    {
        // The template's count of items, read and written as bytes.
        WORD count = 0;
        std::memcpy(&count, reinterpret_cast<const BYTE*>(words_.data()) + offsetof(DLGTEMPLATE, cdit), sizeof count);
        ++count;
        std::memcpy(reinterpret_cast<BYTE*>(words_.data()) + offsetof(DLGTEMPLATE, cdit), &count, sizeof count);
        while (words_.size() % 2) words_.push_back(0);
        DLGITEMTEMPLATE it{};
        it.style = style | WS_CHILD | WS_VISIBLE;
        it.x = x;
        it.y = y;
        it.cx = w;
        it.cy = h;
        it.id = id;
        put(&it, sizeof it);
        words_.push_back(0xFFFF);
        words_.push_back(cls);
        text(caption);
        words_.push_back(0);  // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void put(const void* data, size_t bytes)
    {
        const size_t at = words_.size();
        words_.resize(at + (bytes + 1) / sizeof(WORD));
        std::memcpy(words_.data() + at, data, bytes);
    }
    void text(const wchar_t* s)
    {
        for (; *s; ++s) words_.push_back(static_cast<WORD>(*s));
        words_.push_back(0);
    }
    std::vector<WORD> words_;
};

constexpr WORD buttonClass = 0x0080, editClass = 0x0081, staticClass = 0x0082, comboClass = 0x0085;

AddedTable chosenTable(HWND dialog)
{
    const auto index = SendDlgItemMessageW(dialog, idTable, CB_GETCURSEL, 0, 0);
    return static_cast<AddedTable>(index < 0 ? 0 : index);
}

// The hint under the table, and "Dal" with the one date the table takes
// next, selected, so that typing replaces it.
void showTable(HWND dialog)
{
    const AddedTable table = chosenTable(dialog);
    SetDlgItemTextW(dialog, idFromHint, table == AddedTable::foi ? L"mm/aaaa" : L"gg/mm/aaaa");
    SetDlgItemTextW(dialog, idFrom, nextRowFromText(table, addedRows).c_str());
    SendDlgItemMessageW(dialog, idFrom, EM_SETSEL, 0, -1);
}

// Ctrl+A selects a field's text, as it does in the main window.
WNDPROC editBaseProc = nullptr;
LRESULT CALLBACK dialogEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (message == WM_KEYDOWN && wParam == 'A' && ctrl) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return 0;
    }
    if (message == WM_CHAR && wParam == 0x01) return 0;  // Ctrl+A's own character
    return CallWindowProcW(editBaseProc, edit, message, wParam, lParam);
}

std::wstring itemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    GetWindowTextW(item, text.data(), static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    return text;
}

void onInit(HWND dialog)
{
    for (const wchar_t* table : {L"Tasso legale", L"Tasso di riferimento 231/02", L"Indice FOI"})
        SendDlgItemMessageW(dialog, idTable, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table));
    const WPARAM preset = settings.rateSource == RateSource::reference ? 1 : 0;  // the legal rate for "Inserito"
    SendDlgItemMessageW(dialog, idTable, CB_SETCURSEL, preset, 0);
    for (int id : {idFrom, idValue})
        editBaseProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(GetDlgItem(dialog, id), GWLP_WNDPROC,
                                                                   reinterpret_cast<LONG_PTR>(dialogEditProc)));
    showTable(dialog);
    SetFocus(GetDlgItem(dialog, idFrom));
}

// OK: a row that fits is added and stored; otherwise the dialog says why and stays.
void onOk(HWND dialog)
{
    const AddedTable table = chosenTable(dialog);
    const NewRow row = checkNewRow(table, itemText(dialog, idFrom), itemText(dialog, idValue), addedRows);
    if (!row.ok) {
        SetDlgItemTextW(dialog, idMessage, row.message.c_str());
        return;
    }
    rowsOf(addedRows, table).push_back(row.row);
    saveAddedRows();
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK addValueProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        onInit(dialog);
        return FALSE;  // the focus is set
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: onOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        case idTable:
            if (HIWORD(wParam) == CBN_SELCHANGE) showTable(dialog);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

bool showAddValueDialog()
{
    DialogTemplate t(L"Aggiungi valore", 200, 98);
    t.item(staticClass, L"Tabella", SS_LEFT, 7, 9, 40, 8, 0xFFFF);
    t.item(comboClass, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 50, 7, 143, 60, idTable);
    t.item(staticClass, L"Dal", SS_LEFT, 7, 27, 40, 8, 0xFFFF);
    t.item(editClass, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 50, 25, 70, 12, idFrom);
    t.item(staticClass, L"gg/mm/aaaa", SS_LEFT, 126, 27, 67, 8, idFromHint);
    t.item(staticClass, L"Valore", SS_LEFT, 7, 45, 40, 8, 0xFFFF);
    t.item(editClass, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 50, 43, 70, 12, idValue);
    t.item(staticClass, L"", SS_LEFT, 7, 61, 186, 16, idMessage);
    t.item(buttonClass, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 89, 79, 50, 14, IDOK);
    t.item(buttonClass, L"Annulla", BS_PUSHBUTTON | WS_TABSTOP, 143, 79, 50, 14, IDCANCEL);
    ModalScope modal;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.get(), mainState.mainWindow, addValueProc, 0) == IDOK;
}

bool removeAddedRows()
{
    int answer = 0;
    {
        ModalScope modal;
        const std::wstring question = L"Togliere tutti i valori aggiunti?\r\n\r\n" + addedRowsList(addedRows);
        answer = MessageBoxW(mainState.mainWindow, question.c_str(), L"Zentolo", MB_YESNO | MB_ICONQUESTION);
    }
    if (answer != IDYES) return false;
    addedRows = AddedRows{};
    saveAddedRows();
    return true;
}
