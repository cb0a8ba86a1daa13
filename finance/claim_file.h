// The claim ledger's file: a plain UTF-8 text with CR LF that Notepad opens,
// "ZENTOLO CONTEGGIO 1", one "key: value" line per setting, then "Movimenti:"
// and the movement lines exactly as written in the field.
#pragma once

#include <optional>
#include <string>

#include "finance/official_rates.h"

struct ClaimFile {
    std::wstring caseText;     // "Pratica": client, debtor, case number
    std::wstring toText;       // "Al", as gg/mm/aaaa or empty
    std::wstring lawsuitText;  // "Domanda giudiziale", empty for none
    bool revaluation = false;
    bool compensation = false;       // "Indennizzo 40 €"
    bool paymentsToCapital = false;  // "Acconti al capitale"
    RateSource source = RateSource::entered;
    std::wstring rateText;                     // the typed rate, with the entered source
    std::optional<std::wstring> surchargeText;  // the points, when the surcharge is applied
    std::wstring movementsText;                // lines joined by CR LF
};

extern const char* const claimFileFirstLine;  // "ZENTOLO CONTEGGIO 1"

// The file's bytes.
std::string claimFileText(const ClaimFile& file);

// The file read back: a UTF-8 byte-order mark is skipped, an empty value is
// "none", a key not known is ignored, every line after "Movimenti:" is a
// movement. The message says why a file is refused ("Il file non è un
// conteggio di Zentolo.", "Riga 4 del file: data Al non valida.").
struct ClaimFileReading {
    bool ok = false;
    std::wstring message;
    ClaimFile file;
};
ClaimFileReading readClaimFile(const std::string& bytes);
