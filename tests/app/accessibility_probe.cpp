// What a screen reader reads of a running Zentolo, read from outside the
// program as a screen reader does (AccessibleObjectFromWindow on each
// control): every visible control of every tab with its role, name and
// state. The tabs, the keypad toggle and finally "×" are pressed through
// their default action. Prints the read-out and "N passed, M failed".
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/tools/utf8.h"

namespace {

const IID iidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

int passed = 0, failed = 0;

void check(bool ok, const std::string& what)
{
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

struct Read {
    bool ok = false;
    long role = 0, state = 0;
    std::wstring name, value, action;
};

std::wstring take(BSTR b)
{
    std::wstring s = b ? b : L"";
    SysFreeString(b);
    return s;
}

IAccessible* objectOf(HWND w)
{
    IAccessible* a = nullptr;
    if (FAILED(AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), iidAccessible, reinterpret_cast<void**>(&a))))
        return nullptr;
    return a;
}

Read read(HWND w)
{
    Read r;
    IAccessible* a = objectOf(w);
    if (!a) return r;
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(a->get_accRole(self, &v)) && v.vt == VT_I4) r.role = v.lVal;
    VariantInit(&v);
    if (SUCCEEDED(a->get_accState(self, &v)) && v.vt == VT_I4) r.state = v.lVal;
    BSTR b = nullptr;
    if (SUCCEEDED(a->get_accName(self, &b))) r.name = take(b);
    b = nullptr;
    if (SUCCEEDED(a->get_accValue(self, &b))) r.value = take(b);
    b = nullptr;
    if (SUCCEEDED(a->get_accDefaultAction(self, &b))) r.action = take(b);
    a->Release();
    r.ok = true;
    return r;
}

// A press that ends the program keeps its object: releasing it would call
// into a process that is going away.
bool press(HWND w, bool endsTheProgram = false)
{
    IAccessible* a = objectOf(w);
    if (!a) return false;
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    HRESULT hr = a->accDoDefaultAction(self);
    if (!endsTheProgram) a->Release();
    return SUCCEEDED(hr);
}

std::wstring className(HWND w)
{
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

std::wstring roleText(long role)
{
    wchar_t text[64] = {};
    GetRoleTextW(static_cast<DWORD>(role), text, 64);
    return text;
}

template <typename Condition> bool waitFor(Condition condition)
{
    for (int i = 0; i < 100; ++i) {
        if (condition()) return true;
        Sleep(50);
    }
    return false;
}

bool isButton(HWND w) { return className(w) == L"FerlanButtonV06"; }

// A visible window of the given class on the main window's thread (a menu,
// a dialog), or nullptr.
HWND modalWindow(HWND main, const wchar_t* cls)
{
    struct Search {
        const wchar_t* cls;
        HWND found;
    } search{cls, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(main, nullptr),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (!IsWindowVisible(w) || className(w) != s->cls) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Prints every visible control; returns the names of the fields and lists.
std::vector<std::wstring> readTab(HWND main, const char* tab)
{
    std::printf("== %s\n", tab);
    std::vector<std::wstring> fieldNames;
    for (HWND w = GetWindow(main, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w)) continue;
        Read r = read(w);
        check(r.ok, "an accessible object for every control");
        std::printf("  [%s] \"%s\"%s%s%s%s\n", toUtf8(roleText(r.role)).c_str(), toUtf8(r.name).c_str(),
                    r.value.empty() ? "" : (" = \"" + toUtf8(r.value) + "\"").c_str(),
                    (r.state & STATE_SYSTEM_FOCUSED) ? " focused" : "",
                    (r.state & STATE_SYSTEM_SELECTED) ? " selected" : "",
                    r.action.empty() ? "" : (" (" + toUtf8(r.action) + ")").c_str());
        if (isButton(w)) {
            int id = GetDlgCtrlID(w);
            bool tabButton = id >= 110 && id <= 114;
            const bool menuButton = id == 150 || id == 212 || id == 213 || id == 220;  // VAT rate, rule, rate source, fund
            check(r.role == (tabButton ? ROLE_SYSTEM_PAGETAB : menuButton ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON),
                  "role of button " + std::to_string(id));
            check(!r.name.empty() && r.name.find_first_of(L"\u25be\u25b4\u00d7\u2014\u25a6\u232b") == std::wstring::npos,
                  "a name in words for button " + std::to_string(id));
            check((r.state & STATE_SYSTEM_FOCUSABLE) != 0, "focusable button " + std::to_string(id));
            check(r.action == L"Premi", "default action of button " + std::to_string(id));
        } else if (r.role == ROLE_SYSTEM_STATICTEXT) {
            check(r.name == r.value && !r.name.empty(), "a result field is read as its text");
        } else if (className(w) == L"Edit" || className(w) == L"ListBox" || w == GetDlgItem(main, 142)) {
            fieldNames.push_back(r.name);
        }
    }
    return fieldNames;
}

std::wstring nameOf(HWND w) { return read(w).name; }

void expectNames(const std::vector<std::wstring>& got, const std::vector<std::wstring>& want, const char* tab)
{
    check(got == want, std::string("the names of the fields on ") + tab);
}

} // namespace

int main()
{
    CoInitialize(nullptr);
    HWND main = nullptr;
    waitFor([&] { return (main = FindWindowW(L"FerlanZentoloV063", nullptr)) != nullptr; });
    if (!main) {
        std::printf("no main window\n0 passed, 1 failed\n");
        return 1;
    }
    auto control = [main](int id) { return GetDlgItem(main, id); };

    // The symbol buttons are read in words, the menu arrows are left out.
    const struct {
        int id;
        const wchar_t* name;
    } named[] = {{149, L"Chiudi"}, {148, L"Riduci a icona"}, {146, L"TASTI"}, {150, L"Aliquota IVA: 22,00%"},
                 {207, L"MOSTRA FORMULA"}, {208, L"Scegli dal calendario"}};
    for (const auto& n : named) check(nameOf(control(n.id)) == n.name, "name of button " + std::to_string(n.id));
    check(read(control(110)).state & STATE_SYSTEM_SELECTED, "CALC is the selected tab");

    expectNames(readTab(main, "CALC"), {L"Risultato", L"Calcolo", L"Nastro"}, "CALC");
    check(read(control(142)).value == L"0,00", "the display's value is its text");

    check(press(control(146)), "TASTI pressed by its default action");
    check(waitFor([&] { return IsWindowVisible(control(314)); }), "the keypad shows");
    check(nameOf(control(314)) == L"Cancella", "the keypad's backspace is read as Cancella");
    for (int key : {300, 319, 320}) press(control(key));  // "7", "=", "M+"
    HWND mark = FindWindowExW(main, nullptr, L"Static", L"M");
    check(waitFor([&] { return mark && IsWindowVisible(mark); }) && nameOf(mark) == L"Memoria: 7,00",
          "the memory's M is read with its value");
    press(control(321));  // M− empties it again
    press(control(146));
    waitFor([&] { return !IsWindowVisible(control(314)); });

    // Nothing is pressed behind a modal window: under the VAT menu, which
    // disables nothing, and under a message box.
    check(press(control(150)), "the VAT menu opened by its default action");
    HWND menu = nullptr;
    check(waitFor([&] { return (menu = modalWindow(main, L"#32768")) != nullptr; }), "the VAT menu is open");
    check(!press(control(146)) && !press(control(149)), "TASTI and Chiudi refused under the menu");
    if (menu) PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    check(waitFor([&] { return modalWindow(main, L"#32768") == nullptr; }), "the menu closes");
    press(control(111));
    waitFor([&] { return IsWindowVisible(control(206)); });
    check(press(control(206)), "VERIFICA GIORNI pressed before any count");
    HWND box = nullptr;
    check(waitFor([&] { return (box = modalWindow(main, L"#32770")) != nullptr; }), "its message box shows");
    check(!press(control(146)) && !press(control(149)) && !press(control(206)),
          "TASTI, Chiudi and VERIFICA GIORNI refused under the message box");
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
    check(waitFor([&] { return modalWindow(main, L"#32770") == nullptr; }), "the message box closes");
    Sleep(200);
    RECT after;
    GetWindowRect(main, &after);
    check(IsWindow(main) && after.bottom - after.top == 405 && modalWindow(main, L"#32770") == nullptr,
          "nothing was resized, printed or closed behind them");
    press(control(110));
    waitFor([&] { return (read(control(110)).state & STATE_SYSTEM_SELECTED) != 0; });

    const char* tabs[5] = {"CALC", "DATE", "INTERESSI", "PROPORZIONI", "OPZIONI"};
    const std::vector<std::wstring> fields[5] = {
        {},
        {L"Dal", L"Al", L"Giorni"},
        {L"Capitale (\u20ac)", L"Tasso base %", L"Maggiorazione (punti %)", L"Dal", L"Al", L"Giorni"},
        {L"Importo totale (\u20ac)", L"Quota 1", L"Quota 2", L"Quota 3", L"Ripartizione"},
        {L"Aliquota IVA personalizzata (%)", L"Cifre decimali (0\u20136)", L"Festa patronale (gg/mm)"}};
    for (int t = 1; t < 5; ++t) {
        HWND tab = control(110 + t);
        check(press(tab), std::string(tabs[t]) + " pressed by its default action");
        check(waitFor([&] { return (read(tab).state & STATE_SYSTEM_SELECTED) != 0; }),
              std::string(tabs[t]) + " becomes the selected tab");
        check(!(read(control(110)).state & STATE_SYSTEM_SELECTED), "CALC is no longer selected");
        expectNames(readTab(main, tabs[t]), fields[t], tabs[t]);
    }
    // The menu buttons say what they choose and the value in effect.
    check(nameOf(control(212)) == L"Regola dei termini: Civile", "name of the deadline rule's button");
    check(nameOf(control(213)) == L"Fonte del tasso: Inserito", "name of the rate source's button");
    check(nameOf(control(220)) == L"Cassa previdenziale: Nessuna", "name of the fund's button");

    check(press(control(149), true), "\"Chiudi\" pressed by its default action");
    check(waitFor([&] { return !IsWindow(main); }), "the program closes");
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
