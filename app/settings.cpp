#include "app/settings.h"

#include <cmath>
#include <cstring>

#include "text/numtext.h"

Settings settings;

const wchar_t* const settingsSavedText = L"Impostazioni salvate.";
const wchar_t* const settingsRejectedText = L"Valori non validi: IVA 0\u2013100, decimali 0\u20136.";
const wchar_t* const patronRejectedText = L"Festa patronale non valida (gg/mm).";
const wchar_t* const noDataFolderText = L"Cartella dei dati non disponibile: il nastro non sar\u00e0 conservato.";

double shownVatRate(double rate) { return roundedValue(rate, 2); }

SettingsInput validateSettingsInput(const std::wstring& rateText, const std::wstring& decimalsText)
{
    SettingsInput input;
    ParsedNumber rate = parseNumber(rateText);
    if (!rate.ok) return input;
    ParsedNumber places = parseNumber(decimalsText);
    if (!places.ok) return input;
    const double vatRate = shownVatRate(rate.value);
    if (vatRate < 0 || vatRate > 100 || places.value < 0 || places.value > 6 ||
        places.value != std::floor(places.value))
        return input;
    input.ok = true;
    input.vatRate = vatRate;
    input.decimals = static_cast<std::int32_t>(places.value);
    return input;
}

std::optional<double> storedVatRate(std::uint32_t type, const unsigned char* data, std::size_t size)
{
    if (type != registryString || size > storedRateBufferBytes) return std::nullopt;
    unsigned char buffer[storedRateBufferBytes] = {};
    if (size > 0) std::memcpy(buffer, data, size);
    // The text ends at the first NUL; a value that fills the whole buffer
    // without one is unreadable rather than read past its end.
    std::wstring text;
    bool terminated = false;
    for (std::size_t i = 0; i + 1 < storedRateBufferBytes; i += 2) {
        auto unit = static_cast<wchar_t>(buffer[i] | (buffer[i + 1] << 8));
        if (unit == 0) {
            terminated = true;
            break;
        }
        text += unit;
    }
    if (!terminated) return std::nullopt;
    ParsedNumber rate = parseNumber(text);
    if (!rate.ok) return std::nullopt;
    const double vatRate = shownVatRate(rate.value);
    if (vatRate < 0 || vatRate > 100) return std::nullopt;
    return vatRate;
}

namespace {

// A REG_DWORD of exactly four bytes, little-endian.
std::optional<std::uint32_t> storedDword(std::uint32_t type, const unsigned char* data, std::size_t size)
{
    if (type != registryDword || size != 4) return std::nullopt;
    return static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
           (static_cast<std::uint32_t>(data[2]) << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
}

} // namespace

std::optional<std::int32_t> storedDecimals(std::uint32_t type, const unsigned char* data,
                                           std::size_t size)
{
    const auto value = storedDword(type, data, size);
    if (!value || *value > 6) return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<std::int32_t> storedChoice(std::uint32_t type, const unsigned char* data, std::size_t size,
                                         std::int32_t count)
{
    const auto value = storedDword(type, data, size);
    if (!value || *value >= static_cast<std::uint32_t>(count)) return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<std::int32_t> storedCoordinate(std::uint32_t type, const unsigned char* data, std::size_t size)
{
    const auto value = storedDword(type, data, size);
    if (!value) return std::nullopt;
    // Two's complement, without relying on the conversion of a value above INT32_MAX.
    const std::int32_t coordinate =
        *value <= 0x7FFFFFFFu ? static_cast<std::int32_t>(*value) : -static_cast<std::int32_t>(~*value) - 1;
    constexpr std::int32_t farthest = 1000000;
    if (coordinate > farthest || coordinate < -farthest) return std::nullopt;
    return coordinate;
}

std::wstring storedVatRateText(double rate) { return formatNumber(rate, 2); }

std::optional<MonthDay> readPatronDay(const std::wstring& text)
{
    size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
    };
    auto number = [&](int& out) {
        int digits = 0;
        for (out = 0; pos < text.size() && isAsciiDigit(text[pos]) && digits < 3; ++pos, ++digits)
            out = out * 10 + (text[pos] - L'0');
        return digits > 0 && digits <= 2;
    };
    skipBlanks();
    if (pos == text.size()) return MonthDay{};
    int day = 0, month = 0;
    if (!number(day) || pos >= text.size()) return std::nullopt;
    const wchar_t separator = text[pos++];
    if (separator != L'/' && separator != L'.' && separator != L'-') return std::nullopt;
    if (!number(month)) return std::nullopt;
    skipBlanks();
    // A day of every year: February counts 28 days.
    if (pos != text.size() || month < 1 || month > 12 || day < 1 || day > daysInMonth(2001, month))
        return std::nullopt;
    return MonthDay{month, day};
}

std::wstring patronDayText(MonthDay day)
{
    if (day.month == 0) return std::wstring();
    return formatDate(CivilDate{2001, day.month, day.day}).substr(0, 5);
}

std::optional<MonthDay> storedPatronDay(std::uint32_t type, const unsigned char* data, std::size_t size)
{
    if (type != registryString || size % 2 != 0) return std::nullopt;
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0) return readPatronDay(text);
        text += unit;
    }
    return std::nullopt;  // no NUL within the value
}
