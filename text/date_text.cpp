#include "text/date_text.h"

#include <climits>
#include <ctime>

#include "text/numtext.h"

const wchar_t* const weekdayNames[7] = {L"Lunedì",  L"Martedì", L"Mercoledì", L"Giovedì",
                                         L"Venerdì", L"Sabato",  L"Domenica"};

int weekdayIndex(DayNumber n)
{
    int r = static_cast<int>((n + 3) % 7);
    return r < 0 ? r + 7 : r;
}

namespace {

const int monthLengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool isValidDate(std::int64_t year, std::int64_t month, std::int64_t day)
{
    if (year < firstYear || year > lastYear || month < 1 || month > 12) return false;
    return day >= 1 && day <= daysInMonth(static_cast<std::int32_t>(year),
                                          static_cast<std::int32_t>(month));
}

bool isDateSeparator(wchar_t c) { return c == L'/' || c == L'.' || c == L'-'; }

// One "%d" conversion: blanks, an optional sign, at least one digit.
// A number outside 32 bits fails the conversion.
bool scanInt(const std::wstring& t, size_t& pos, std::int64_t& out)
{
    while (pos < t.size() && isBlank(t[pos])) ++pos;
    bool negative = false;
    if (pos < t.size() && (t[pos] == L'+' || t[pos] == L'-')) negative = t[pos++] == L'-';
    if (pos >= t.size() || !isAsciiDigit(t[pos])) return false;
    std::int64_t value = 0;
    while (pos < t.size() && isAsciiDigit(t[pos])) {
        value = value * 10 + (t[pos++] - L'0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1) return false;
    }
    value = negative ? -value : value;
    if (value > INT_MAX || value < INT_MIN) return false;
    out = value;
    return true;
}

} // namespace

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return (a >= 0 ? a : a - (b - 1)) / b;
}

int halfYear(const CivilDate& date) { return date.month <= 6 ? 1 : 2; }

int yearOfTwoDigits(int yy) { return yy <= 49 ? 2000 + yy : 1900 + yy; }

bool isLeapYear(std::int32_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(std::int32_t year, std::int32_t month)
{
    if (month == 2 && isLeapYear(year)) return 29;
    return (month >= 1 && month <= 12) ? monthLengths[month] : 0;
}

DayNumber dateToDayNumber(const CivilDate& date)
{
    const std::int64_t y = static_cast<std::int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;                                        // [0, 399]
    const std::int64_t mp = date.month > 2 ? date.month - 3 : date.month + 9;       // [0, 11]
    const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;                     // [0, 365]
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                 // [0, 146096]
    return era * 146097 + doe - 719468;
}

CivilDate dayNumberToDate(DayNumber n)
{
    const std::int64_t z = n + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    // Within an era everything is small and unsigned, which keeps the
    // divisions by constants cheap on the long walks of the day counter.
    const auto doe = static_cast<std::uint32_t>(z - era * 146097);                  // [0, 146096]
    const std::uint32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365; // [0, 399]
    const std::uint32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);               // [0, 365]
    const std::uint32_t mp = (5 * doy + 2) / 153;                                    // [0, 11]
    CivilDate d;
    d.day = static_cast<std::int32_t>(doy - (153 * mp + 2) / 5 + 1);
    d.month = static_cast<std::int32_t>(mp < 10 ? mp + 3 : mp - 9);
    d.year = static_cast<std::int32_t>(static_cast<std::int64_t>(yoe) + era * 400 +
                                       (d.month <= 2 ? 1 : 0));
    return d;
}

namespace {

CivilDate systemToday()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local) return CivilDate{};
    return CivilDate{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

// The word for today's date, as a date field takes it.
bool isToday(const std::wstring& text)
{
    const size_t from = text.find_first_not_of(L" \t");
    const size_t to = text.find_last_not_of(L" \t");
    if (from == std::wstring::npos || to - from != 3) return false;
    const wchar_t* word = L"oggi";
    for (size_t i = 0; i < 4; ++i)
        if ((text[from + i] | 0x20) != word[i]) return false;
    return true;
}

} // namespace

CivilDate (*todayDate)() = systemToday;

bool parseDate(const std::wstring& text, CivilDate& out)
{
    if (isToday(text)) {
        out = todayDate();
        return true;
    }
    size_t pos = 0;
    std::int64_t day = 0, month = 0, year = 0;
    if (!scanInt(text, pos, day)) return false;
    // "/", "." or "-", the same twice.
    if (pos >= text.size() || !isDateSeparator(text[pos])) return false;
    const wchar_t separator = text[pos++];
    if (!scanInt(text, pos, month)) return false;
    if (pos >= text.size() || text[pos++] != separator) return false;
    size_t yearFrom = pos;
    while (yearFrom < text.size() && isBlank(text[yearFrom])) ++yearFrom;
    if (!scanInt(text, pos, year)) return false;
    if (pos == yearFrom + 2 && isAsciiDigit(text[yearFrom])) year = yearOfTwoDigits(static_cast<int>(year));
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    if (pos != text.size()) return false;  // anything after the year
    if (!isValidDate(year, month, day)) return false;
    out = CivilDate{static_cast<std::int32_t>(year), static_cast<std::int32_t>(month),
                    static_cast<std::int32_t>(day)};
    return true;
}

std::wstring formatDate(const CivilDate& date)
{
    // "%02d/%02d/%04d": zero-padded to the width, wider numbers in full.
    auto field = [](std::int32_t v, size_t width) {
        std::int64_t magnitude = v < 0 ? -static_cast<std::int64_t>(v) : v;
        std::wstring digits;
        do {
            digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
            magnitude /= 10;
        } while (magnitude > 0);
        size_t signWidth = v < 0 ? 1u : 0u;
        if (digits.size() + signWidth < width)
            digits.insert(0, width - digits.size() - signWidth, L'0');
        return v < 0 ? L"-" + digits : digits;
    };
    return field(date.day, 2) + L"/" + field(date.month, 2) + L"/" + field(date.year, 4);
}

std::wstring weekdayInLowerCase(DayNumber day)
{
    std::wstring weekday = weekdayNames[weekdayIndex(day)];
    weekday[0] = static_cast<wchar_t>(weekday[0] - L'A' + L'a');  // every name starts with an ASCII capital
    return weekday;
}

std::wstring weekdayAndDate(DayNumber day) { return weekdayInLowerCase(day) + L" " + formatDate(dayNumberToDate(day)); }

std::optional<std::wstring> normaliseDateText(const std::wstring& text)
{
    if (isToday(text)) return formatDate(todayDate());
    std::wstring digits;
    bool hasSeparator = false;
    for (wchar_t c : text) {
        if (isAsciiDigit(c))
            digits += c;
        else if (isDateSeparator(c))
            hasSeparator = true;
        else if (!isBlank(c))
            return std::nullopt;
    }
    if (hasSeparator) {
        CivilDate d;
        if (parseDate(text, d)) return formatDate(d);
        return std::nullopt;
    }
    if (digits.size() != 6 && digits.size() != 8) return std::nullopt;

    auto number = [&](size_t from, size_t count) {
        int v = 0;
        for (size_t i = from; i < from + count; ++i) v = v * 10 + (digits[i] - L'0');
        return v;
    };
    int day = number(0, 2), month = number(2, 2), year;
    if (digits.size() == 6) {
        year = yearOfTwoDigits(number(4, 2));
    } else {
        year = number(4, 4);
    }
    if (!isValidDate(year, month, day)) return std::nullopt;
    return formatDate(CivilDate{year, month, day});
}

bool readTypedDate(const std::wstring& text, CivilDate& out)
{
    const std::optional<std::wstring> strict = normaliseDateText(text);
    return parseDate(strict ? *strict : text, out);
}
