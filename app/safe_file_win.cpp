#include "app/safe_file_win.h"

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
