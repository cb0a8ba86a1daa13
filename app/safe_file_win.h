// Files written so that a failure never leaves half a file: the bytes go to a
// file of their own beside the target, are flushed, then renamed over it.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <string>

// The system's words for an error code, without the line end: "Accesso negato.".
std::wstring systemMessage(DWORD code);

// Writes `bytes` to "<path>.<process>.nuovo", flushes it and renames it over
// `path`: an existing file stays as it was unless the new one was written
// whole. False, with the system's reason, when it fails.
bool replaceFileWhole(const std::wstring& path, const std::string& bytes, std::wstring& reason);

// The Save As (or Open) dialog, its library loaded on first use: one file
// type (`filter` as "Calendario (*.ics)\0*.ics\0"), its extension added to a
// bare name, `name` proposed, opening in `folder` or else in the user's
// Documents. The path chosen; nothing when cancelled or missing.
std::optional<std::wstring> askFilePath(HWND owner, const wchar_t* filter, const wchar_t* extension,
                                        const std::wstring& name, const std::wstring& folder, bool save);

// A file's whole bytes, at most `limit` of them; false, with the system's
// reason, when it cannot be read or is larger.
bool readWholeFile(const std::wstring& path, size_t limit, std::string& bytes, std::wstring& reason);
