// A function of a system library, looked up when first needed: for the
// libraries that the program does not import at start-up, and for calls
// that older systems lack.
#pragma once

#include <windows.h>

// The function, or nullptr when the library or the function is missing.
template <typename Function> Function systemFunction(const wchar_t* library, const char* name)
{
    HMODULE module = LoadLibraryW(library);
    FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}
