// Screen-reader support needs Win32 and COM: the IAccessible objects of the
// owner-drawn buttons and of the named controls, served through oleacc.
// oleacc and oleaut32 are loaded on the first request, so a start-up without
// a screen reader never loads them.
#include "app/accessible_win.h"

#include <oleacc.h>

#include <map>
#include <string>

#include "app/accessible.h"
#include "app/button_win.h"
#include "app/commands_win.h"
#include "app/main_window_win.h"
#include "app/system_library_win.h"

namespace {

// Spelled out here: the import libraries of some toolchains define them badly.
const IID iidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID iidDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID iidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
const IID iidInitializeSpy = {0x00000034, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using SysAllocStringFn = BSTR(WINAPI*)(const OLECHAR*);
using CoGetApartmentTypeFn = HRESULT(WINAPI*)(APTTYPE*, APTTYPEQUALIFIER*);
using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
using CoRegisterInitializeSpyFn = HRESULT(WINAPI*)(IInitializeSpy*, ULARGE_INTEGER*);
using CoRevokeInitializeSpyFn = HRESULT(WINAPI*)(ULARGE_INTEGER);

struct AccessibilityLibrary {
    LresultFromObjectFn lresultFromObject = nullptr;
    CreateStdAccessibleObjectFn createStdAccessibleObject = nullptr;
    SysAllocStringFn sysAllocString = nullptr;
    CoGetApartmentTypeFn coGetApartmentType = nullptr;
    CoInitializeExFn coInitializeEx = nullptr;
    CoRegisterInitializeSpyFn coRegisterInitializeSpy = nullptr;
    CoRevokeInitializeSpyFn coRevokeInitializeSpy = nullptr;
};

const AccessibilityLibrary& library()
{
    static AccessibilityLibrary lib = [] {
        AccessibilityLibrary l;
        l.lresultFromObject = systemFunction<LresultFromObjectFn>(L"oleacc.dll", "LresultFromObject");
        l.createStdAccessibleObject =
            systemFunction<CreateStdAccessibleObjectFn>(L"oleacc.dll", "CreateStdAccessibleObject");
        l.sysAllocString = systemFunction<SysAllocStringFn>(L"oleaut32.dll", "SysAllocString");
        l.coGetApartmentType = systemFunction<CoGetApartmentTypeFn>(L"ole32.dll", "CoGetApartmentType");
        l.coInitializeEx = systemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
        l.coRegisterInitializeSpy =
            systemFunction<CoRegisterInitializeSpyFn>(L"ole32.dll", "CoRegisterInitializeSpy");
        l.coRevokeInitializeSpy = systemFunction<CoRevokeInitializeSpyFn>(L"ole32.dll", "CoRevokeInitializeSpy");
        return l;
    }();
    return lib;
}

HRESULT textResult(const std::wstring& text, BSTR* out)
{
    if (!out) return E_INVALIDARG;
    *out = library().sysAllocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

// Out-parameters hold nothing until an answer is known, on every path.
template <typename T> void clear(T** out)
{
    if (out) *out = nullptr;
}
void clear(VARIANT* out)
{
    if (out) *out = VARIANT{};  // VT_EMPTY, as VariantInit leaves it, without importing oleaut32
}
void clear(long* out)
{
    if (out) *out = 0;
}

// Handing an object to a client needs a single-threaded apartment on this
// thread: the client's calls then come back to the window thread, which owns
// the accent map and the focus. A thread that merely shares the process's
// multithreaded apartment (another thread started one) counts as having none:
// a single-threaded one is set up, which such a thread may do. An apartment
// the thread joined on purpose as multithreaded is left to the default
// procedure. The program keeps one reference of its own on the apartment it
// serves from, so that another component's CoUninitialize cannot tear it
// down under a screen reader; the spy below tells when it is gone all the same.
// An apartment and a spy belong to one thread: so do these.
thread_local bool holdsApartment = false;
thread_local bool spying = false;
thread_local ULARGE_INTEGER spyCookie{};

class ApartmentSpy final : public IInitializeSpy {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = IsEqualIID(iid, iidUnknown) || IsEqualIID(iid, iidInitializeSpy) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }  // one static object
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE PreInitialize(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostInitialize(HRESULT result, DWORD, DWORD) override { return result; }
    HRESULT STDMETHODCALLTYPE PreUninitialize(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE PostUninitialize(DWORD referencesLeft) override
    {
        if (referencesLeft == 0) holdsApartment = false;
        return S_OK;
    }
};

ApartmentSpy apartmentSpy;

bool comApartmentReady()
{
    const AccessibilityLibrary& lib = library();
    if (!lib.coGetApartmentType || !lib.coInitializeEx) return false;
    if (!spying && lib.coRegisterInitializeSpy) spying = SUCCEEDED(lib.coRegisterInitializeSpy(&apartmentSpy, &spyCookie));
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    const HRESULT state = lib.coGetApartmentType(&type, &qualifier);
    const bool none = state == CO_E_NOTINITIALIZED ||
                      (SUCCEEDED(state) && type == APTTYPE_MTA && qualifier == APTTYPEQUALIFIER_IMPLICIT_MTA);
    if (!none && (FAILED(state) || (type != APTTYPE_STA && type != APTTYPE_MAINSTA))) return false;
    if (!none && holdsApartment) return true;
    // S_OK for a new apartment, S_FALSE for one that exists: a reference either way.
    holdsApartment = SUCCEEDED(lib.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return holdsApartment;
}

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// One accessible object for one control. What the system's own object for
// the window already knows (location, parent, navigation, hit-testing) is
// asked of it; a button answers role, name, state and default action
// itself, a named control its name (and, for static text, its text as value).
class ControlAccessible final : public IAccessible {
public:
    ControlAccessible(HWND window, IAccessible* standard, const wchar_t* name, bool text)
        : window_(window), standard_(standard), name_(name), text_(text)
    {
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, iidUnknown) || IsEqualIID(iid, iidDispatch) || IsEqualIID(iid, iidAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: not offered; screen readers use the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        clear(info);
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override
    {
        clear(result);
        return E_NOTIMPL;
    }

    // IAccessible: what this object answers itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        clear(name);
        if (!IsWindow(window_)) return E_FAIL;
        if (isSelf(child)) {
            if (name_) return textResult(name_, name);
            if (text_) return textResult(controlText(window_), name);
            if (const MenuButtonSetting* setting = isButton() ? menuButtonSetting(window_) : nullptr)
                return textResult(
                    accessibleMenuButtonName(setting->name, setting->captionPrefix, controlText(window_)), name);
            if (isButton()) return textResult(accessibleButtonName(controlText(window_)), name);
        }
        return standard_ ? standard_->get_accName(child, name) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        clear(value);
        if (!IsWindow(window_)) return E_FAIL;
        if (isSelf(child) && ((name_ && isStaticText()) || text_)) return textResult(controlText(window_), value);
        if (isSelf(child) && isButton()) return DISP_E_MEMBERNOTFOUND;
        return standard_ ? standard_->get_accValue(child, value) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        clear(role);
        if (!IsWindow(window_)) return E_FAIL;
        if (isSelf(child) && text_) {
            if (!role) return E_INVALIDARG;
            role->vt = VT_I4;
            role->lVal = ROLE_SYSTEM_STATICTEXT;
            return S_OK;
        }
        if (isSelf(child) && isButton()) {
            if (!role) return E_INVALIDARG;
            role->vt = VT_I4;
            role->lVal = isTabButton(window_)         ? ROLE_SYSTEM_PAGETAB
                         : menuButtonSetting(window_) ? ROLE_SYSTEM_BUTTONMENU
                                                      : ROLE_SYSTEM_PUSHBUTTON;
            return S_OK;
        }
        return standard_ ? standard_->get_accRole(child, role) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        clear(state);
        if (!IsWindow(window_)) return E_FAIL;
        if (isSelf(child) && isButton()) {
            if (!state) return E_INVALIDARG;
            state->vt = VT_I4;
            state->lVal = buttonState();
            return S_OK;
        }
        return standard_ ? standard_->get_accState(child, state) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        clear(action);
        if (!IsWindow(window_)) return E_FAIL;
        if (isSelf(child) && isButton()) return textResult(buttonDefaultAction, action);
        return standard_ ? standard_->get_accDefaultAction(child, action) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!IsWindow(window_)) return E_FAIL;
        if (isSelf(child) && isButton()) {
            if (!buttonMayBePressed(window_)) return E_FAIL;
            // Posted: a command may open a menu or a dialog, which must not
            // run inside the screen reader's call.
            return PostMessageW(window_, buttonPressMessage, 0, 0) ? S_OK : E_FAIL;
        }
        return standard_ ? standard_->accDoDefaultAction(child) : E_INVALIDARG;
    }

    // IAccessible: what the system's object for the window knows.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        clear(parent);
        return standard_ ? standard_->get_accParent(parent) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        clear(count);
        if (isButton() && count) {
            *count = 0;
            return S_OK;
        }
        return standard_ ? standard_->get_accChildCount(count) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        clear(out);
        return standard_ ? standard_->get_accChild(child, out) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override
    {
        clear(out);
        return standard_ ? standard_->get_accDescription(child, out) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override
    {
        clear(out);
        return standard_ ? standard_->get_accHelp(child, out) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        clear(file);
        clear(topic);
        return standard_ ? standard_->get_accHelpTopic(file, child, topic) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override
    {
        clear(out);
        if (isSelf(child) && isButton()) {
            const int id = GetDlgCtrlID(window_);
            if (id == idAddVat || id == idRemoveVat || id == idVatOnly)
                return textResult(id == idAddVat ? L"F7" : id == idRemoveVat ? L"F8" : L"F9", out);
        }
        return standard_ ? standard_->get_accKeyboardShortcut(child, out) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override
    {
        clear(out);
        return standard_ ? standard_->get_accFocus(out) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override
    {
        clear(out);
        return standard_ ? standard_->get_accSelection(out) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override
    {
        return standard_ ? standard_->accSelect(flags, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override
    {
        for (long* out : {x, y, w, h}) clear(out);
        return standard_ ? standard_->accLocation(x, y, w, h, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) override
    {
        clear(end);
        return standard_ ? standard_->accNavigate(dir, start, end) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override
    {
        clear(out);
        return standard_ ? standard_->accHitTest(x, y, out) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_ ? standard_->put_accValue(child, value) : E_NOTIMPL;
    }

private:
    virtual ~ControlAccessible()
    {
        if (standard_) standard_->Release();
    }

    bool isButton() const { return name_ == nullptr && !text_; }

    bool isStaticText() const
    {
        wchar_t cls[16] = {};
        GetClassNameW(window_, cls, 16);
        return lstrcmpiW(cls, L"Static") == 0;
    }

    LONG buttonState() const
    {
        LONG state = STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == window_) state |= STATE_SYSTEM_FOCUSED;
        if (GetPropW(window_, buttonDownProperty)) state |= STATE_SYSTEM_PRESSED;
        if (GetPropW(window_, buttonHoverProperty)) state |= STATE_SYSTEM_HOTTRACKED;
        if (!IsWindowEnabled(window_)) state |= STATE_SYSTEM_UNAVAILABLE;
        if (!IsWindowVisible(window_)) state |= STATE_SYSTEM_INVISIBLE;
        if (isTabButton(window_)) {
            state |= STATE_SYSTEM_SELECTABLE;
            auto accent = buttonAccent.find(window_);
            if (accent != buttonAccent.end() && accent->second == 1) state |= STATE_SYSTEM_SELECTED;
        }
        return state;
    }

    LONG refs_ = 1;
    HWND window_;
    IAccessible* standard_;
    const wchar_t* name_;  // a named control's name; none for a button
    bool text_;            // a result field read as the text it shows
};

// WM_GETOBJECT's object id arrives as a 32-bit value, sign-extended or not.
bool asksForClient(LPARAM lParam)
{
    return static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT);
}

// The answer to WM_GETOBJECT, or 0 when the request is better left to the
// default procedure (the system's own object): never an error code.
LRESULT accessibleObject(HWND window, WPARAM wParam, const wchar_t* name, bool text = false)
{
    const AccessibilityLibrary& lib = library();
    if (!lib.lresultFromObject || !lib.createStdAccessibleObject || !lib.sysAllocString) return 0;
    if (!comApartmentReady()) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(lib.createStdAccessibleObject(window, OBJID_CLIENT, iidAccessible,
                                             reinterpret_cast<void**>(&standard))))
        standard = nullptr;
    auto* object = new ControlAccessible(window, standard, name, text);
    LRESULT result = lib.lresultFromObject(iidAccessible, wParam, static_cast<IAccessible*>(object));
    object->Release();  // the result holds its own reference
    return FAILED(static_cast<HRESULT>(result)) ? 0 : result;
}

struct NamedControl {
    WNDPROC baseProc;
    const wchar_t* name;
    bool text;  // read as the text it shows
};
std::map<HWND, NamedControl> namedControls;

LRESULT CALLBACK namedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = namedControls.find(control);
    if (it == namedControls.end()) return DefWindowProcW(control, message, wParam, lParam);
    const NamedControl named = it->second;
    if (message == WM_GETOBJECT && asksForClient(lParam)) {
        if (LRESULT result = accessibleObject(control, wParam, named.name, named.text)) return result;
    } else if (message == WM_NCDESTROY) {
        namedControls.erase(it);
    }
    return CallWindowProcW(named.baseProc, control, message, wParam, lParam);
}

} // namespace

void stopWatchingApartment()
{
    if (!spying) return;
    // Only after a request for an object, which loaded ole32 for the spy.
    if (library().coRevokeInitializeSpy) library().coRevokeInitializeSpy(spyCookie);
    spying = false;
}

LRESULT buttonAccessibleObject(HWND button, WPARAM wParam, LPARAM lParam)
{
    return asksForClient(lParam) ? accessibleObject(button, wParam, nullptr) : 0;
}

namespace {

void answerForControl(HWND control, const wchar_t* name, bool text)
{
    if (!control || namedControls.count(control)) return;
    auto base = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(namedControlProc)));
    namedControls[control] = {base, name, text};
}

} // namespace

void nameControl(HWND control, const wchar_t* name) { answerForControl(control, name, false); }

void readAsText(HWND control) { answerForControl(control, nullptr, true); }

namespace {
int modalDepth = 0;  // the program's own modal calls under way
}

ModalScope::ModalScope() { ++modalDepth; }
ModalScope::~ModalScope() { --modalDepth; }

bool buttonMayBePressed(HWND button)
{
    HWND root = GetAncestor(button, GA_ROOT);
    return modalDepth == 0 && IsWindowEnabled(button) && root && IsWindowEnabled(root);
}

void notifyButtonEvent(HWND button, DWORD event)
{
    NotifyWinEvent(event, button, OBJID_CLIENT, CHILDID_SELF);
}
