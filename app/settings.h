// The two user settings, held in memory for the whole process and stored in
// the current user's registry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "calc/invoice.h"
#include "dates/screen_box.h"
#include "dates/deadlines.h"
#include "finance/official_rates.h"

struct Settings {
    double vatRate = 22.0;      // percent, 0 to 100
    std::int32_t decimals = 2;  // decimal places of formatted amounts, 0 to 6
    std::optional<ScreenPoint> windowPosition;  // where the main window was closed
    DeadlineRule deadlineRule = DeadlineRule::civil;  // "Termini"
    RateSource rateSource = RateSource::entered;      // "Tassi"
    MonthDay patronDay;                               // "Patrono"; none by default
    std::optional<ScreenBox> ledgerPlace;  // the claim ledger's window where it was last moved or sized
    std::optional<ScreenBox> tableSplitPlace;  // the same for the table split's window
    std::optional<ScreenBox> actTermsPlace;    // and for the window of an act's terms
    std::int32_t calcHeight = 390;  // "AltezzaCalc": CALC's height without the keypad, in pixels at 96 DPI
    bool keepTape = false;  // "ConservaNastro": the tape holds client figures, so not kept unless asked
    InvoiceProfile invoice;  // "FatturaCassa", "FatturaRitenuta", "FatturaForfettario": F6's profile
};

// The one process-wide record; it holds its defaults from process start.
extern Settings settings;

extern const wchar_t* const settingsSavedText;     // "Impostazioni salvate."
extern const wchar_t* const settingsRejectedText;  // "Valori non validi: ..."
extern const wchar_t* const patronRejectedText;    // "Festa patronale non valida (gg/mm)."
extern const wchar_t* const noDataFolderText;      // "Cartella dei dati non disponibile: ..."

// The rate as it is shown, printed and stored: rounded to two decimals, halves
// up, so that 8,555 computes as the 8,56 on the label and the tape. The range
// is checked on this rate, not on the typed one (100,004 is 100,00).
double shownVatRate(double rate);

// The OPZIONI fields as typed: a rate that shows as 0 to 100 (kept as shown) and a
// whole number of decimal places from 0 to 6, each read as a number expression.
struct SettingsInput {
    bool ok = false;
    double vatRate = 0.0;
    std::int32_t decimals = 0;
};
SettingsInput validateSettingsInput(const std::wstring& rateText, const std::wstring& decimalsText);

// The patron saint's day as typed in OPZIONI or stored as "Patrono": "29/06"
// (or with "." or "-", blanks around), a day and month that exist in every
// year, so not 29/02; an empty text is none (month 0). Nothing when the text
// is neither.
std::optional<MonthDay> readPatronDay(const std::wstring& text);
// "29/06", or an empty text for none.
std::wstring patronDayText(MonthDay day);

// CALC's least height, as the window first opens, at 96 DPI.
constexpr std::int32_t shortestCalcHeight = 390;

// Registry value types, as the registry numbers them.
constexpr std::uint32_t registryString = 1;  // REG_SZ
constexpr std::uint32_t registryDword = 4;   // REG_DWORD

// The bytes of "Aliquota" are read into a zero-filled buffer of this size.
constexpr std::size_t storedRateBufferBytes = 160;

// What a stored value means, or nothing when it is unreadable or out of range
// (the setting then keeps its default). `data` holds the `size` bytes that the
// registry returned.
std::optional<double> storedVatRate(std::uint32_t type, const unsigned char* data, std::size_t size);
std::optional<std::int32_t> storedDecimals(std::uint32_t type, const unsigned char* data,
                                           std::size_t size);
// A choice among `count` stored as a REG_DWORD from 0 ("Termini", "Tassi").
std::optional<std::int32_t> storedChoice(std::uint32_t type, const unsigned char* data, std::size_t size,
                                         std::int32_t count);
// "FinestraX" and "FinestraY": a signed pixel coordinate of the virtual
// screen, and the sizes kept beside it; none beyond ±1.000.000 pixels, which
// no screen has and whose sums would overflow.
std::optional<std::int32_t> storedCoordinate(std::uint32_t type, const unsigned char* data, std::size_t size);

// "Patrono" as stored: a REG_SZ read by readPatronDay; anything else is none.
std::optional<MonthDay> storedPatronDay(std::uint32_t type, const unsigned char* data, std::size_t size);

// "Aliquota" as stored: the rate with two decimals, e.g. "22,00".
std::wstring storedVatRateText(double rate);
