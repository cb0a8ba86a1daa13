// UTF-8 for the program's files: the kept tape, the calendar export.
#pragma once

#include <cstddef>
#include <string>

// One character appended as UTF-8.
void appendUtf8(std::string& out, char32_t c);

// UTF-16 text (a pair of surrogates one character) as UTF-8; a lone
// surrogate, which no text should hold, becomes U+FFFD.
std::string toUtf8(const std::wstring& text);

// One UTF-8 character from `at`, strictly: no overlong forms, no
// surrogates; `at` moves past it. False when the bytes there are no character.
bool readUtf8(const std::string& text, std::size_t& at, char32_t& c);

// One character appended as UTF-16: past U+FFFF as a pair of surrogates.
void appendUtf16(std::wstring& out, char32_t c);
