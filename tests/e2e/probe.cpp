// Reads what a user can see of a running Zentolo from outside, through
// standard window messages only, and prints it as JSON lines: the main
// window's rectangle and focus, every child control (class, id, visibility,
// text, check state, list lines), the program's other windows (report
// windows, message boxes, calendar) and the clipboard text. With "restore" it
// first restores the minimised window, as its taskbar button would.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/tools/utf8.h"

namespace {

// A JSON string of a wide text.
std::string jsonString(const std::wstring& w)
{
    std::string out;
    for (char c : toUtf8(w)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += c;
        }
    }
    return "\"" + out + "\"";
}

std::wstring text(HWND w)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length);
    std::wstring t(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(w, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&t[0]), SMTO_ABORTIFHUNG,
                        2000, &got);
    t.resize(got);
    return t;
}

std::wstring className(HWND w)
{
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

void printWindow(const char* kind, HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    std::printf("{\"kind\":\"%s\",\"class\":%s,\"text\":%s,\"x\":%ld,\"y\":%ld,\"w\":%ld,\"h\":%ld}\n", kind,
                jsonString(className(w)).c_str(), jsonString(text(w)).c_str(), r.left, r.top, r.right - r.left,
                r.bottom - r.top);
}

void printChild(HWND parent, HWND child, int index)
{
    std::wstring cls = className(child);
    LONG style = GetWindowLongW(child, GWL_STYLE);
    std::string extra;
    if (lstrcmpiW(cls.c_str(), L"Button") == 0)
        extra += ",\"checked\":" + std::to_string(SendMessageW(child, BM_GETCHECK, 0, 0));
    if (lstrcmpiW(cls.c_str(), L"Edit") == 0) {
        const auto sel = static_cast<DWORD>(SendMessageW(child, EM_GETSEL, 0, 0));
        extra += ",\"sel\":[" + std::to_string(LOWORD(sel)) + "," + std::to_string(HIWORD(sel)) + "]";
    }
    if (lstrcmpiW(cls.c_str(), L"ListBox") == 0) {
        extra += ",\"lines\":[";
        LRESULT n = SendMessageW(child, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            LRESULT len = SendMessageW(child, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            std::wstring line(static_cast<size_t>(len) + 1, L'\0');
            SendMessageW(child, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&line[0]));
            line.resize(static_cast<size_t>(len));
            extra += (i ? "," : "") + jsonString(line);
        }
        extra += "],\"top\":" + std::to_string(SendMessageW(child, LB_GETTOPINDEX, 0, 0)) +
                 ",\"itemHeight\":" + std::to_string(SendMessageW(child, LB_GETITEMHEIGHT, 0, 0));
    }
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    std::printf("{\"kind\":\"child\",\"index\":%d,\"class\":%s,\"id\":%d,\"visible\":%s,\"text\":%s,"
                "\"x\":%ld,\"y\":%ld%s}\n",
                index, jsonString(cls).c_str(), GetDlgCtrlID(child), (style & WS_VISIBLE) ? "true" : "false",
                jsonString(text(child)).c_str(), r.left, r.top, extra.c_str());
}

std::wstring clipboard()
{
    std::wstring t;
    if (!OpenClipboard(nullptr)) return t;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT))
        if (auto p = static_cast<const wchar_t*>(GlobalLock(h))) {
            t = p;
            GlobalUnlock(h);
        }
    CloseClipboard();
    return t;
}

// "clip HEX": the clipboard set to the UTF-8 text that HEX spells, as another
// program would copy it.
int setClipboard(const std::string& hex)
{
    std::string utf8;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) utf8 += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (static_cast<size_t>(units) + 1) * sizeof(wchar_t));
    auto* p = static_cast<wchar_t*>(GlobalLock(block));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), p, units);
    p[units] = L'\0';
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr)) return 1;
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::string(argv[1]) == "clip") return setClipboard(argv[2]);
    HWND main = FindWindowW(L"FerlanZentoloV063", nullptr);
    if (!main) {
        std::printf("{\"kind\":\"none\"}\n");
        return 0;
    }
    // "restore": what a click on the taskbar button does to a minimised window.
    if (argc > 1 && std::string(argv[1]) == "restore") {
        PostMessageW(main, WM_SYSCOMMAND, SC_RESTORE, 0);
        for (int i = 0; i < 100 && IsIconic(main); ++i) Sleep(20);
        SetForegroundWindow(main);
    }
    printWindow("main", main);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD pid = 0;
    DWORD thread = GetWindowThreadProcessId(main, &pid);
    int focusIndex = -1, index = 0;
    GetGUIThreadInfo(thread, &info);
    for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT), ++index) {
        if (c == info.hwndFocus) focusIndex = index;
        printChild(main, c, index);
    }
    HWND focusRoot = info.hwndFocus ? GetAncestor(info.hwndFocus, GA_ROOT) : nullptr;
    std::printf("{\"kind\":\"focus\",\"index\":%d,\"class\":%s,\"root\":%s}\n", focusIndex,
                jsonString(info.hwndFocus ? className(info.hwndFocus) : std::wstring()).c_str(),
                jsonString(focusRoot ? className(focusRoot) : std::wstring()).c_str());
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != static_cast<DWORD>(p) || !IsWindowVisible(w)) return TRUE;
            std::wstring cls = className(w);
            if (cls == L"FerlanZentoloV063") return TRUE;
            printWindow("window", w);
            if (cls == L"#32770") {
                HWND label = GetDlgItem(w, 0xFFFF);
                if (label) std::printf("{\"kind\":\"message\",\"text\":%s}\n", jsonString(text(label)).c_str());
            }
            int i = 0;
            for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) printChild(w, c, i++);
            return TRUE;
        },
        static_cast<LPARAM>(pid));
    std::printf("{\"kind\":\"clipboard\",\"text\":%s}\n", jsonString(clipboard()).c_str());
    return 0;
}
