// Keeping the tape needs Win32 for the user's folder and its files.
#include "calc/tape_store_win.h"

#include <windows.h>

#include <optional>
#include <string>
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

namespace {

// A kept file found damaged that could not be put aside: it is not written over.
bool keptFileStuck = false;

std::wstring folderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

// This process's own new tape, written before it replaces the kept one, so
// that two copies closing together never remove each other's file.
std::wstring freshPath(const std::wstring& path)
{
    return folderOf(path) + L"nastro." + std::to_wstring(GetCurrentProcessId()) + L".nuovo";
}

// The file's bytes, or nothing when it cannot be opened; `whole` is false
// when it is too large to be a kept tape or could not be read to its end.
std::optional<std::string> fileBytes(const std::wstring& path, bool& whole)
{
    // Shared for deletion too: another copy closing now may rename over it.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    std::string text;
    whole = GetFileSizeEx(file, &size) && size.QuadPart <= static_cast<LONGLONG>(keptTapeBytes);
    if (whole) {
        text.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        whole = text.empty() ||
                (ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr) && got == text.size());
    }
    CloseHandle(file);
    return text;
}

} // namespace

void restoreKeptTape()
{
    keptFileStuck = false;
    if (!settings.keepTape) return;
    const std::wstring path = keptTapePath();
    if (path.empty()) return;
    bool whole = false;
    const std::optional<std::string> text = fileBytes(path, whole);
    if (!text) return;
    const auto lines = whole ? tapeFromKeptText(*text) : std::nullopt;
    if (lines) return appendTapeLines(*lines);
    // Never written over: put aside for whoever can mend it, the tape starts empty.
    const std::wstring aside = folderOf(path) + L"nastro.danneggiato.txt";
    keptFileStuck = !MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void keepTapeAtClose()
{
    if (!settings.keepTape || keptFileStuck) return;
    const std::wstring path = keptTapePath();
    if (path.empty()) return;
    CreateDirectoryW(folderOf(path).c_str(), nullptr);
    const std::string text = keptTapeText(tapeLines(false));
    const std::wstring fresh = freshPath(path);
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
    if (path.empty()) return;
    DeleteFileW(path.c_str());
    // And any new tape a copy left half-written when it stopped.
    const std::wstring folder = folderOf(path);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"nastro.*.nuovo").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do DeleteFileW((folder + found.cFileName).c_str());
    while (FindNextFileW(search, &found));
    FindClose(search);
}
