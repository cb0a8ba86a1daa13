// The kept tape: any file reads without a crash, and any tape the program
// writes reads back, line for line: a kept tape is never judged damaged.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/calculator.h"
#include "calc/tape_store.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string file(reinterpret_cast<const char*>(data), size);
    if (const auto lines = tapeFromKeptText(file))
        if (tapeFromKeptText(keptTapeText(*lines)) != lines) std::abort();

    // Lines as the tape holds them: an input as the tape shows it, " = " and a result.
    std::vector<std::wstring> tape;
    while (size > 0) tape.push_back(tapeInput(fuzzText(data, size, 200)) + L" = 1,00");
    const auto back = tapeFromKeptText(keptTapeText(tape));
    if (!back || back->size() != std::min(tape.size(), keptTapeLines)) std::abort();
    return 0;
}
