// A paste into the input line: no crash, and one meaning whatever the
// column's length: the bracketed sum, when it reads, is the total of the
// same column made too long to edit, and the total of the column listed;
// a column that lists reads as a bracketed sum of that total.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "calc/calculator.h"
#include "text/numtext.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::uint8_t flags = fuzzByte(data, size);
    const std::wstring clipboard = fuzzText(data, size, 2000);
    // Both sum the same cells, each read alone; the order of the additions (the
    // long path carries their error) may change the last bits of the largest.
    double magnitude = 1;
    for (size_t start = 0; start <= clipboard.size();) {
        const size_t end = std::min(clipboard.find_first_of(L"\r\n", start), clipboard.size());
        if (const auto alone = pastedColumn(clipboard.substr(start, end - start) + L"\n0"))
            magnitude += std::fabs(parseNumber(*alone).value);
        start = end + 1;
    }
    const PastedInput pasted = pastedInput(clipboard, flags & 1);
    const auto listed = pastedListing(clipboard, 2, false);
    if (listed && listed->ok) {
        const ParsedNumber sum = parseNumber(pasted.text);
        if (pasted.kind != PastedInput::inserted || !sum.ok) std::abort();
        if (std::fabs(sum.value - listed->total) > 1e-12 * magnitude) std::abort();
    }
    if (pasted.kind != PastedInput::inserted) return 0;
    const ParsedNumber shortSum = parseNumber(pasted.text);
    const std::optional<std::wstring> column = pastedColumn(clipboard);
    if (!column || pasted.text != *column) return 0;
    // A cell of zeros in front makes it long; it changes no total.
    const std::wstring zeros = std::wstring(longestPastedSum, L'0') + L"\n";
    const PastedInput longer = pastedInput(zeros + clipboard, flags & 1);
    if (longer.kind == PastedInput::asItIs) std::abort();
    const ParsedNumber longSum = parseNumber(longer.text);
    if (shortSum.ok != (longer.kind == PastedInput::inserted)) std::abort();
    if (shortSum.ok && !longSum.ok) std::abort();
    if (!shortSum.ok) return 0;
    if (std::fabs(shortSum.value - longSum.value) > 1e-12 * magnitude) std::abort();
    // Listed on the tape, the column has that total too.
    const auto listing = pastedListing(clipboard, 2, false);
    if (!listing || !listing->ok || std::fabs(listing->total - shortSum.value) > 1e-12 * magnitude) std::abort();
    return 0;
}
