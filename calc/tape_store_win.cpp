// Keeping the tape needs Win32 for the user's folder and its files.
#include "calc/tape_store_win.h"

#include <windows.h>

#include <vector>

#include "app/settings.h"
#include "calc/calculator_win.h"
#include "calc/tape_store.h"

std::wstring keptTapePath()
{
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    return std::wstring(folder) + L"\\Zentolo\\nastro.txt";
}

void restoreKeptTape()
{
    if (!settings.keepTape) return;
    const std::wstring path = keptTapePath();
    if (path.empty()) return;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size{};
    std::string text;
    bool read = GetFileSizeEx(file, &size) && size.QuadPart <= static_cast<LONGLONG>(keptTapeBytes);
    if (read) {
        text.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        read = text.empty() || (ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr) &&
                                got == text.size());
    }
    CloseHandle(file);
    if (!read) return;
    if (const auto lines = tapeFromKeptText(text)) appendTapeLines(*lines);
}

void keepTapeAtClose()
{
    if (!settings.keepTape) return;
    const std::wstring path = keptTapePath();
    if (path.empty()) return;
    CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
    const std::string text = keptTapeText(tapeLines(false));
    const std::wstring fresh = path + L".nuovo";
    HANDLE file = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    const bool whole = (text.empty() || WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) &&
                       written == text.size() && FlushFileBuffers(file);
    CloseHandle(file);
    // The old tape stays unless the new one was written whole.
    if (!whole || !MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        DeleteFileW(fresh.c_str());
}

void forgetKeptTape()
{
    const std::wstring path = keptTapePath();
    if (!path.empty()) DeleteFileW(path.c_str());
}
