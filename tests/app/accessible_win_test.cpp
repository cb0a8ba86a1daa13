// The buttons' accessible objects handed out in-process: the COM apartment
// they need, and out-parameters that hold nothing after a failure.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include "app/commands_win.h"
#include "tests/app/gui_fixture.h"

namespace {

const IID iidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

bool threadHasApartment()
{
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    return CoGetApartmentType(&type, &qualifier) != CO_E_NOTINITIALIZED;
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

using Accessible = MainWindow;

TEST_F(Accessible, TheApartmentIsSetUpAgainAfterItWasReleased)
{
    for (int i = 0; i < 64 && threadHasApartment(); ++i) CoUninitialize();
    ASSERT_FALSE(threadHasApartment()) << "every apartment of the thread released";
    IAccessible* object = objectOf(GetDlgItem(mainState.mainWindow, idCopy));
    ASSERT_NE(nullptr, object) << "a button answers without an apartment of the caller's";
    EXPECT_TRUE(threadHasApartment()) << "the program set one up again";
    VARIANT role;
    VariantInit(&role);
    EXPECT_EQ(S_OK, object->get_accRole(self(), &role));
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, role.lVal);
    object->Release();
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

} // namespace
