// What the window tests look at: every control of the main window in
// creation order with its class, text, rectangle, id and font, and the
// pixels a window draws.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/gui_fixture.h"

inline std::wstring windowText(HWND w)
{
    int n = GetWindowTextLengthW(w);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(w, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

inline std::wstring className(HWND w)
{
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

inline RECT rectInMain(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, mainState.mainWindow, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline bool hasStyle(HWND w, DWORD bits) { return (static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)) & bits) == bits; }

inline int outerHeight()
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

inline const wchar_t* const B = L"FerlanButtonV06";

inline std::vector<Control> expectedControls()
{
    std::vector<Control> c = {
        {header, L"Static", L"ZENTOLO   by Ferlan", 41, 10, 334, 24, 0, false, heading},
        {header, B, L"\u2014", 404, 5, 34, 27, 148, false, none},
        {header, B, L"\u00d7", 442, 5, 34, 27, 149, false, none},
        {header, B, L"CALC", 12, 40, 83, 32, 110, true, none},
        {header, B, L"DATE", 99, 40, 82, 32, 111, true, none},
        {header, B, L"INTERESSI", 185, 40, 94, 32, 112, true, none},
        {header, B, L"PROPORZIONI", 283, 40, 106, 32, 113, true, none},
        {header, B, L"OPZIONI", 393, 40, 84, 32, 114, true, none},
        {calc, B, L"IVA 22,00%  \u25be", 14, 82, 111, 31, 150, true, none},
        {calc, B, L"+ IVA", 130, 82, 106, 31, 151, true, none},
        {calc, B, L"- IVA", 241, 82, 105, 31, 152, true, none},
        {calc, B, L"Solo IVA", 351, 82, 125, 31, 153, true, none},
        {calc, L"Static", L"M", 16, 224, 18, 18, 0, false, smallF},
        {calc, L"Static", L"0,00", 14, 222, 462, 42, 142, false, displayF},
        {calc, L"Edit", L"", 14, 269, 462, 29, 140, true, body},
        {calc, L"ListBox", L"", 14, 121, 462, 98, 141, true, body},
        {calc, B, L"COPIA", 14, 306, 71, 30, 143, true, none},
        {calc, B, L"STAMPA", 89, 306, 80, 30, 144, true, none},
        {calc, B, L"PULISCI", 173, 306, 80, 30, 145, true, none},
        {calc, B, L"TASTI \u25be", 257, 306, 78, 30, 146, true, none},
        {calc, L"Button", L"In primo piano", 340, 310, 138, 23, 147, true, body},
    };
    const wchar_t* keys[27] = {L"7", L"8", L"9", L"/", L"4", L"5", L"6", L"*", L"1", L"2", L"3", L"-", L"0", L",",
                               L"\u232b", L"+", L"(", L")", L"%", L"=", L"M+", L"M\u2212", L"MR", L"GT", L"FATTURA",
                               L"DA NETTO", L"ST"};
    for (int k = 0; k < 27; ++k)
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
        {date, L"Edit", L"60", 83, 229, 150, 28, 0, true, body},
        {date, L"Button", L"Fine mese", 243, 231, 98, 25, 0, true, body},
        {date, B, L"Civile  \u25be", 346, 229, 124, 28, 212, true, none},
        {date, B, L"CALCOLA DATE", 16, 272, 145, 31, 200, true, none},
        {date, B, L"VERIFICA GIORNI", 169, 272, 161, 31, 206, true, none},
        {date, B, L"TERMINI\u2026", 338, 272, 132, 31, 219, true, none},
        {date, L"Edit", L"Risultato: \u2014", 16, 314, 454, 35, 0, false, heading},
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
        {interest, L"Button", L"Rivalutazione ISTAT", 300, 267, 170, 24, 216, true, body},
        {interest, B, L"CALCOLA INTERESSI", 16, 305, 170, 33, 201, true, none},
        {interest, L"Edit", L"Risultato: \u2014", 16, 349, 457, 28, 0, false, heading},
        {interest, B, L"CONTEGGIO\u2026", 194, 305, 112, 33, 214, true, none},
        {interest, B, L"MOSTRA FORMULA \u25be", 314, 305, 159, 33, 207, true, none},
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
        {split, B, L"TABELLA\u2026", 253, 266, 207, 30, 218, true, none},
        {split, L"Edit", L"", 16, 303, 458, 83, 0, false, smallF},
        {options, L"Static", L"Impostazioni locali  \u2022  solo italiano", 16, 94, 445, 25, 0, false, body},
        {options, L"Static", L"Aliquota IVA personalizzata (%)", 16, 139, 267, 22, 0, false, body},
        {options, L"Edit", L"22,00", 298, 133, 164, 31, 0, true, body},
        {options, L"Static", L"Cifre decimali (0\u20136)", 16, 186, 250, 24, 0, false, body},
        {options, L"Edit", L"2", 298, 179, 164, 31, 0, true, body},
        {options, L"Static", L"Festa patronale (gg/mm)", 16, 231, 270, 22, 0, false, body},
        {options, L"Edit", L"", 298, 225, 164, 31, 215, true, body},
        {options, L"Button", L"Conserva il nastro alla chiusura", 16, 268, 440, 24, 217, true, body},
        {options, L"Static", L"Cassa previdenziale", 16, 311, 270, 22, 0, false, body},
        {options, B, L"Nessuna  \u25be", 298, 305, 164, 31, 220, true, none},
        {options, L"Button", L"Ritenuta d'acconto 20%", 16, 344, 220, 24, 221, true, body},
        {options, L"Button", L"Regime forfettario", 240, 344, 220, 24, 222, true, body},
        {options, B, L"SALVA IMPOSTAZIONI", 16, 381, 210, 34, 203, true, none},
        {options, L"Static", L"IVA selezionabile anche dal menu Calc.", 16, 438, 457, 29, 0, false, body},
    };
    c.insert(c.end(), tail.begin(), tail.end());
    return c;
}

inline std::vector<HWND> children()
{
    std::vector<HWND> list;
    for (HWND w = GetWindow(mainState.mainWindow, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        list.push_back(w);
    return list;
}

inline HFONT fontOf(FontKind kind)
{
    switch (kind) {
    case body: return mainState.bodyFont;
    case heading: return mainState.headingFont;
    case displayF: return mainState.displayFont;
    case smallF: return mainState.smallFont;
    default: return nullptr;
    }
}

//--- Pixels


inline void expectNear(COLORREF want, COLORREF got, int tolerance, const char* what)
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

inline Pixels printed(HWND w, UINT message = WM_PRINTCLIENT)
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
