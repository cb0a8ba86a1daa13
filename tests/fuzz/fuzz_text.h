// Turns fuzzer bytes into the wide texts that users type: mostly the
// characters that number and date text is made of, and any other character
// now and then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline std::wstring fuzzText(const std::uint8_t*& data, std::size_t& size, std::size_t maxLength = 400)
{
    static const wchar_t alphabet[] = L"0123456789.,+-*/()% \t\u20ac\u00d7\u00f7\u2212/";
    constexpr std::size_t alphabetSize = sizeof alphabet / sizeof alphabet[0] - 1;
    std::wstring text;
    while (size > 0 && text.size() < maxLength) {
        std::uint8_t b = *data++;
        --size;
        if (b == 0xFF) break;  // end of this text
        if (b >= 0xF0 && size >= 2) {
            text += static_cast<wchar_t>(data[0] | (data[1] << 8));
            data += 2;
            size -= 2;
        } else {
            text += alphabet[b % alphabetSize];
        }
    }
    return text;
}

inline std::uint8_t fuzzByte(const std::uint8_t*& data, std::size_t& size)
{
    if (size == 0) return 0;
    --size;
    return *data++;
}
