// The added rows as stored: any text reads without a crash, what is read
// writes back to a text that reads the same, and every calculation can use it.
#include <cstdlib>

#include "finance/added_rows.h"
#include "finance/foi_index.h"
#include "finance/official_rates.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const AddedRows rows = readAddedRows(fuzzText(data, size, 400));
    const std::wstring text = addedRowsText(rows);
    if (addedRowsText(readAddedRows(text)) != text) std::abort();
    // The tables with the rows: the index up to the last month, rates over the whole span.
    if (!foiIndex(foiLastMonth(rows), rows) || !foiCoefficient(foiFirstMonth(), foiLastMonth(rows), rows).ok)
        std::abort();
    for (RateSource source : {RateSource::legal, RateSource::reference})
        if (ratePieces(source, officialRatesFrom(source, rows), officialRatesUntil(source, rows) + 400, rows).empty())
            std::abort();
    return 0;
}
