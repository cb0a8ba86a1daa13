// Keeping the tape needs Win32 for the user's folder and its files.
#include "calc/tape_store_win.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/safe_file_win.h"
#include "app/settings.h"
#include "calc/calculator.h"
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

// The file's bytes, or nothing when it cannot be opened (`openError` says
// why); `whole` is false when it is too large to be a kept tape or could not
// be read to its end.
std::optional<std::string> fileBytes(const std::wstring& path, bool& whole, DWORD& openError)
{
    // Shared for deletion too: another copy closing now may rename over it.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        openError = GetLastError();
        return std::nullopt;
    }
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

// Put aside for whoever can mend it, never over an earlier damaged copy:
// "nastro.danneggiato.txt", then "nastro.danneggiato-2.txt" and so on.
bool putAside(const std::wstring& path)
{
    const std::wstring folder = folderOf(path);
    for (int n = 1; n < 1000; ++n) {
        const std::wstring aside =
            folder + L"nastro.danneggiato" + (n == 1 ? std::wstring() : L"-" + std::to_wstring(n)) + L".txt";
        if (MoveFileExW(path.c_str(), aside.c_str(), 0)) return true;
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

void deleteMatching(const std::wstring& folder, const wchar_t* pattern)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do DeleteFileW((folder + found.cFileName).c_str());
    while (FindNextFileW(search, &found));
    FindClose(search);
}

} // namespace

void restoreKeptTape()
{
    keptFileStuck = false;
    if (!settings.keepTape) return;
    const std::wstring path = keptTapePath();
    if (path.empty()) return;
    bool whole = false;
    DWORD openError = ERROR_SUCCESS;
    const std::optional<std::string> text = fileBytes(path, whole, openError);
    if (!text) {
        // Only a missing file means there is no kept tape: one that is in use
        // or locked stays as it is, and is not written over at closing.
        if (openError == ERROR_FILE_NOT_FOUND || openError == ERROR_PATH_NOT_FOUND) return;
        keptFileStuck = true;
        return tellInput(L"Nastro conservato non letto: " + systemMessage(openError) + L". Il file resta com'\u00e8.");
    }
    const auto lines = whole ? tapeFromKeptText(*text) : std::nullopt;
    if (lines) {
        appendTapeLines(*lines);
        // The last result shown again, so that "+5" goes on from it.
        if (const auto last = lastTapeResult(*lines)) showResult(*last);
        return;
    }
    // Never written over: put aside, the tape starts empty.
    keptFileStuck = !putAside(path);
}

void keepTapeAtClose()
{
    if (!settings.keepTape || keptFileStuck) return;
    const std::wstring path = keptTapePath();
    if (path.empty()) return;
    CreateDirectoryW(folderOf(path).c_str(), nullptr);
    std::wstring reason;
    replaceFileWhole(path, keptTapeText(tapeLines(false)), reason);  // the old tape stays unless the new one is whole
}

// The kept tape, its damaged copies and any new tape a copy left
// half-written when it stopped: they hold client figures.
void forgetKeptTape()
{
    const std::wstring path = keptTapePath();
    if (path.empty()) return;
    DeleteFileW(path.c_str());
    const std::wstring folder = folderOf(path);
    deleteMatching(folder, L"nastro.*.nuovo");
    deleteMatching(folder, L"nastro.danneggiato*.txt");
}
