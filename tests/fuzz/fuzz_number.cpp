// parseNumber and formatNumber: no crash, and what is written reads back.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "text/numtext.h"
#include "tests/fuzz/fuzz_text.h"

namespace {

// "-0" or "-0,00": a value that rounds to zero must be written without a sign.
bool isNegativeZeroText(const std::wstring& text)
{
    return !text.empty() && text[0] == L'-' &&
           text.find_first_not_of(L"0,.", 1) == std::wstring::npos;
}

// A formatted number parses back, and formatting that value again gives the
// same text.
void checkRoundTrip(double value, int decimals)
{
    std::wstring text = formatNumber(value, decimals);
    if (!std::isfinite(value)) {
        if (text != L"Errore") std::abort();
        return;
    }
    if (isNegativeZeroText(text)) std::abort();
    ParsedNumber back = parseNumber(text);
    if (!back.ok) std::abort();
    if (formatNumber(back.value, decimals) != text) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= 9) {
        double value;
        std::memcpy(&value, data, sizeof value);
        int decimals = static_cast<int>(data[8] % 7);  // 0 to 6
        checkRoundTrip(value, decimals);
        data += 9;
        size -= 9;
    }
    std::wstring text = fuzzText(data, size, 4000);
    ParsedNumber parsed = parseNumber(text);
    if (parsed.ok) {
        if (!std::isfinite(parsed.value)) std::abort();
        for (int d = 0; d <= 6; ++d) checkRoundTrip(parsed.value, d);
        formatSignificant(parsed.value);
    }
    return 0;
}
