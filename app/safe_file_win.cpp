#include "app/safe_file_win.h"

#include <shlobj.h>

#include <algorithm>

#include "app/accessible_win.h"
#include "app/system_library_win.h"

std::wstring systemMessage(DWORD code)
{
    // A write that stopped short sets no error of its own.
    if (code == ERROR_SUCCESS) code = ERROR_WRITE_FAULT;
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring message = text ? text : L"errore " + std::to_wstring(code);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message;
}

bool replaceFileWhole(const std::wstring& path, const std::string& bytes, std::wstring& reason)
{
    const std::wstring fresh = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".nuovo";
    HANDLE file = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = systemMessage(GetLastError());
        return false;
    }
    DWORD written = 0;
    SetLastError(ERROR_SUCCESS);
    bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                written == bytes.size());
    ok = ok && FlushFileBuffers(file);
    DWORD code = GetLastError();
    CloseHandle(file);
    if (ok) {
        ok = MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        code = GetLastError();
    }
    if (!ok) {
        reason = systemMessage(code);
        DeleteFileW(fresh.c_str());
    }
    return ok;
}

namespace {

// The user's Documents folder, or an empty text.
std::wstring documentsFolder()
{
    using FolderFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    static const auto folderPath = systemFunction<FolderFn>(L"shell32.dll", "SHGetFolderPathW");
    wchar_t path[MAX_PATH] = {};
    if (!folderPath || folderPath(nullptr, CSIDL_PERSONAL, nullptr, 0, path) != S_OK) return std::wstring();
    return path;
}

} // namespace

std::optional<std::wstring> askFilePath(HWND owner, const wchar_t* filter, const wchar_t* extension,
                                        const std::wstring& name, const std::wstring& folder, bool save)
{
    using DialogFn = BOOL(WINAPI*)(OPENFILENAMEW*);
    static const auto saveDialog = systemFunction<DialogFn>(L"comdlg32.dll", "GetSaveFileNameW");
    static const auto openDialog = systemFunction<DialogFn>(L"comdlg32.dll", "GetOpenFileNameW");
    const DialogFn dialog = save ? saveDialog : openDialog;
    wchar_t path[MAX_PATH] = {};
    name.copy(path, std::min<size_t>(name.size(), MAX_PATH - 1));
    const std::wstring start = folder.empty() ? documentsFolder() : folder;
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                (save ? static_cast<DWORD>(OFN_OVERWRITEPROMPT) : static_cast<DWORD>(OFN_FILEMUSTEXIST));
    ModalScope modal;
    if (!dialog || !dialog(&ofn)) return std::nullopt;
    return std::wstring(path);
}

bool readWholeFile(const std::wstring& path, size_t limit, std::string& bytes, std::wstring& reason)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = systemMessage(GetLastError());
        return false;
    }
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) <= limit;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() || (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
        if (!ok) reason = systemMessage(GetLastError());
    } else {
        reason = L"File troppo grande.";
    }
    CloseHandle(file);
    return ok;
}
