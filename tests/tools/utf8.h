// UTF-8 for the test tools' files and pipes: the program's own converter,
// and its way back.
#pragma once

#include <string>

#include "text/utf8.h"

// Bytes that are no character read as U+FFFD.
inline std::wstring fromUtf8(const std::string& s)
{
    std::wstring out;
    for (size_t i = 0; i < s.size();) {
        char32_t c = 0;
        if (readUtf8(s, i, c)) {
            appendUtf16(out, c);
        } else {
            out += static_cast<wchar_t>(0xFFFD);
            ++i;
        }
    }
    return out;
}
