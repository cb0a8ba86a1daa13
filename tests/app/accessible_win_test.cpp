// The buttons' accessible objects handed out in-process: the COM apartment
// they need, and out-parameters that hold nothing after a failure.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/commands_win.h"
#include "tests/app/gui_fixture.h"

namespace {

const IID iidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// The thread's own apartment: a thread that only shares the process's
// multithreaded apartment (another thread started one) has none of its own.
enum class Apartment { none, singleThreaded, multithreaded };
Apartment threadApartment()
{
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    if (FAILED(CoGetApartmentType(&type, &qualifier))) return Apartment::none;
    if (type != APTTYPE_MTA) return Apartment::singleThreaded;
    return qualifier == APTTYPEQUALIFIER_IMPLICIT_MTA ? Apartment::none : Apartment::multithreaded;
}

void releaseEveryApartment()
{
    for (int i = 0; i < 64 && threadApartment() != Apartment::none; ++i) CoUninitialize();
}

IAccessible* objectOf(HWND button)
{
    LRESULT result = SendMessageW(button, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    if (result <= 0) return nullptr;
    IAccessible* object = nullptr;
    if (FAILED(ObjectFromLresult(result, iidAccessible, 0, reinterpret_cast<void**>(&object)))) return nullptr;
    return object;
}

VARIANT self()
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

// Another thread of the process keeps the multithreaded apartment alive, as
// a screen reader's helper or the print stack may, until `stop` is set.
std::thread threadInMta(HANDLE stop)
{
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread thread([started, stop] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        SetEvent(started);
        WaitForSingleObject(stop, INFINITE);
        CoUninitialize();
    });
    WaitForSingleObject(started, INFINITE);
    CloseHandle(started);
    return thread;
}

using Accessible = MainWindow;

TEST_F(Accessible, ObjectsComeFromASingleThreadedApartmentOfTheWindowThread)
{
    HWND copy = GetDlgItem(mainState.mainWindow, idCopy);
    struct Case {
        const char* setup;
        bool sharesMta;  // another thread keeps the multithreaded apartment
        bool otherSta;   // another component set up (and will leave) a single-threaded one
    } cases[] = {{"no apartment at all", false, false},
                 {"only the process's multithreaded apartment", true, false},
                 {"one another component leaves after the hand-out", false, true}};
    for (const Case& c : cases) {
        releaseEveryApartment();
        HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread other = c.sharesMta ? threadInMta(stop) : std::thread();
        if (c.otherSta) {
            EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        }
        EXPECT_EQ(c.otherSta ? Apartment::singleThreaded : Apartment::none, threadApartment()) << c.setup;
        IAccessible* object = objectOf(copy);
        EXPECT_NE(nullptr, object) << c.setup;
        if (c.otherSta) CoUninitialize();
        EXPECT_EQ(Apartment::singleThreaded, threadApartment()) << c.setup << ": the program's own reference holds it";
        if (object) object->Release();
        SetEvent(stop);
        if (other.joinable()) other.join();
        CloseHandle(stop);
    }
}

TEST_F(Accessible, AThreadInAMultithreadedApartmentOfItsOwnGetsTheDefault)
{
    releaseEveryApartment();
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    EXPECT_EQ(nullptr, objectOf(GetDlgItem(mainState.mainWindow, idCopy)));
    EXPECT_EQ(Apartment::multithreaded, threadApartment()) << "left as it was";
    CoUninitialize();
}

TEST_F(Accessible, OutParametersHoldNothingAfterAFailure)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND button = GetDlgItem(mainState.mainWindow, idPrint);
    IAccessible* object = objectOf(button);
    ASSERT_NE(nullptr, object);
    DestroyWindow(button);  // every answer of the object now fails
    auto junk = reinterpret_cast<BSTR>(static_cast<INT_PTR>(0x1234));
    BSTR texts[3] = {junk, junk, junk};
    EXPECT_TRUE(FAILED(object->get_accName(self(), &texts[0])));
    EXPECT_TRUE(FAILED(object->get_accValue(self(), &texts[1])));
    EXPECT_TRUE(FAILED(object->get_accDefaultAction(self(), &texts[2])));
    for (BSTR text : texts) EXPECT_EQ(nullptr, text);
    VARIANT role, state;
    role.vt = state.vt = VT_BSTR;
    EXPECT_TRUE(FAILED(object->get_accRole(self(), &role)));
    EXPECT_TRUE(FAILED(object->get_accState(self(), &state)));
    EXPECT_EQ(VT_EMPTY, role.vt);
    EXPECT_EQ(VT_EMPTY, state.vt);
    EXPECT_TRUE(FAILED(object->accDoDefaultAction(self())));
    object->Release();
}

// Name changes seen by a screen reader's hook on this thread.
std::vector<HWND> renamed;
void CALLBACK onNameChange(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD)
{
    renamed.push_back(window);
}

TEST_F(Accessible, MenuButtonsSayTheSettingAndTheValueInEffect)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    MainWindowState& s = mainState;
    HWND addVat = GetDlgItem(s.mainWindow, idAddVat);
    const struct {
        HWND button;
        const wchar_t *name, *caption, *renamed;  // the name, and after the caption changes
    } cases[] = {
        {s.vatRateButton, L"Aliquota IVA: 22,00%", L"IVA 4,00%  \u25be", L"Aliquota IVA: 4,00%"},
        {s.deadlineRuleButton, L"Regola dei termini: Civile", L"Processuale  \u25be", L"Regola dei termini: Processuale"},
        {s.rateSourceButton, L"Fonte del tasso: Inserito", L"Rif. 231/02  \u25be", L"Fonte del tasso: Rif. 231/02"},
        {addVat, L"+ IVA", L"+ IVA", L"+ IVA"},
    };
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, onNameChange,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    auto nameOf = [](IAccessible* object) {
        BSTR name = nullptr;
        object->get_accName(self(), &name);
        const std::wstring text = name ? name : L"";
        SysFreeString(name);
        return text;
    };
    for (const auto& c : cases) {
        IAccessible* object = objectOf(c.button);
        ASSERT_NE(nullptr, object) << c.name;
        VARIANT role{};
        object->get_accRole(self(), &role);
        EXPECT_EQ(c.button == addVat ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_BUTTONMENU, role.lVal) << c.name;
        EXPECT_EQ(c.name, nameOf(object));
        renamed.clear();
        SetWindowTextW(c.button, c.caption);
        pumpMessages();
        EXPECT_EQ(std::vector<HWND>{c.button}, renamed) << c.name << ": one name-change event";
        EXPECT_EQ(c.renamed, nameOf(object));
        if (c.button == addVat) {
            BSTR shortcut = nullptr;
            object->get_accKeyboardShortcut(self(), &shortcut);
            EXPECT_EQ(std::wstring(L"F7"), shortcut ? std::wstring(shortcut) : L"") << "the VAT key's own key";
            SysFreeString(shortcut);
        }
        object->Release();
    }
    UnhookWinEvent(hook);
}

} // namespace
