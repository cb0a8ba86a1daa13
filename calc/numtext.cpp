#include "calc/numtext.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "app/settings.h"

// Conversions go through <charconv>, which the standard library implements
// itself: the same text gives the same double, and the same double the same
// digits, whatever C runtime the program is linked with.

bool isBlank(wchar_t c)
{
    // The six ASCII blanks plus the Unicode spaces that break a line or a word;
    // the no-break spaces (U+00A0, U+2007, U+202F) are not blanks.
    switch (c) {
    case L' ': case L'\t': case L'\n': case L'\v': case L'\f': case L'\r':
    case 0x0085: case 0x1680: case 0x2028: case 0x2029: case 0x205F: case 0x3000:
        return true;
    default:
        return (c >= 0x2000 && c <= 0x200A && c != 0x2007);
    }
}

namespace {

// Parentheses and unary minus signs nest by recursion; a text nested deeper
// than this is unreadable rather than a stack overflow.
constexpr int maxNesting = 200;

constexpr wchar_t euroSign = 0x20AC;
constexpr wchar_t minusSign = 0x2212;
constexpr wchar_t timesSign = 0x00D7;
constexpr wchar_t divideSign = 0x00F7;

struct NumberReader {
    std::wstring text;
    size_t pos = 0;
    bool ok = true;
    int depth = 0;
};

bool isAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

void skipBlanks(NumberReader& r)
{
    while (r.pos < r.text.size() && isBlank(r.text[r.pos])) ++r.pos;
}

bool atEnd(const NumberReader& r) { return r.pos >= r.text.size(); }

double fail(NumberReader& r)
{
    r.ok = false;
    return 0.0;
}

double readSum(NumberReader& r);

// A "." followed by exactly three digits and then a delimiter (the end, a
// separator, a blank, ")" or any operator, "%" included) groups thousands;
// any other "." is a decimal point.
bool isThousandsPoint(const NumberReader& r)
{
    const std::wstring& t = r.text;
    size_t i = r.pos + 1;
    for (int k = 0; k < 3; ++k, ++i)
        if (i >= t.size() || !isAsciiDigit(t[i])) return false;
    if (i == t.size()) return true;
    wchar_t c = t[i];
    switch (c) {
    case L',': case L'.': case L')': case L'*': case L'+': case L'-': case L'/': case L'%':
    case timesSign: case divideSign: case minusSign:
        return true;
    default:
        return isBlank(c);
    }
}

double readLiteral(NumberReader& r)
{
    std::string digits;
    int digitCount = 0;
    bool separatorSeen = false;
    bool nonZeroDigit = false;
    while (!atEnd(r)) {
        wchar_t c = r.text[r.pos];
        if (isAsciiDigit(c)) {
            digits += static_cast<char>(c);
            ++digitCount;
            nonZeroDigit = nonZeroDigit || c != L'0';
        } else if (c == L',' && !separatorSeen) {
            digits += '.';
            separatorSeen = true;
        } else if (c == L'.' && !separatorSeen) {
            if (!isThousandsPoint(r)) {
                digits += '.';
                separatorSeen = true;
            }
        } else {
            break;
        }
        ++r.pos;
    }
    if (digitCount == 0) return fail(r);

    double value = 0.0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size()) return fail(r);
    // Overflow is reported by the conversion; a nonzero literal that lands
    // below the smallest normal double (or on zero) is an underflow.
    if (!std::isfinite(value)) return fail(r);
    if (nonZeroDigit && std::fabs(value) < std::numeric_limits<double>::min()) return fail(r);

    skipBlanks(r);
    while (!atEnd(r) && r.text[r.pos] == L'%') {
        ++r.pos;
        value /= 100.0;
        skipBlanks(r);
    }
    return value;
}

double readFactor(NumberReader& r)
{
    skipBlanks(r);
    if (atEnd(r)) return fail(r);
    while (r.text[r.pos] == L'+') {
        ++r.pos;
        skipBlanks(r);
        if (atEnd(r)) return fail(r);
    }
    wchar_t c = r.text[r.pos];
    if (c != L'-' && c != L'(') return readLiteral(r);

    if (++r.depth > maxNesting) return fail(r);
    ++r.pos;
    double value;
    if (c == L'-') {
        value = -readFactor(r);
    } else {
        value = readSum(r);
        skipBlanks(r);
        if (!atEnd(r) && r.text[r.pos] == L')')
            ++r.pos;
        else
            r.ok = false;
    }
    --r.depth;
    return value;
}

double readProduct(NumberReader& r)
{
    double value = readFactor(r);
    while (r.ok) {
        skipBlanks(r);
        if (atEnd(r)) break;
        wchar_t c = r.text[r.pos];
        if (c == L'*' || c == timesSign) {
            ++r.pos;
            value *= readFactor(r);
        } else if (c == L'/' || c == divideSign) {
            ++r.pos;
            double divisor = readFactor(r);
            if (divisor == 0.0) return fail(r);
            value /= divisor;
        } else {
            break;
        }
    }
    return value;
}

// An operand written as a bare percentage ("10%", "12,5 %") is a share of
// the running value of its sum.
bool isBarePercentage(const std::wstring& t, size_t begin, size_t end)
{
    while (begin < end && isBlank(t[begin])) ++begin;
    while (end > begin && isBlank(t[end - 1])) --end;
    if (begin == end || t[end - 1] != L'%') return false;
    --end;
    while (end > begin && isBlank(t[end - 1])) --end;
    if (begin == end) return false;
    int digits = 0, separators = 0;
    for (size_t i = begin; i < end; ++i) {
        wchar_t c = t[i];
        if (isAsciiDigit(c))
            ++digits;
        else if (c == L',' || c == L'.')
            ++separators;
        else if (!isBlank(c))
            return false;
    }
    return digits > 0 && separators <= 1;
}

double readSum(NumberReader& r)
{
    double value = readProduct(r);
    while (r.ok) {
        skipBlanks(r);
        if (atEnd(r)) break;
        wchar_t c = r.text[r.pos];
        bool adding;
        if (c == L'+')
            adding = true;
        else if (c == L'-' || c == minusSign)
            adding = false;
        else
            break;
        ++r.pos;
        size_t start = r.pos;
        double operand = readProduct(r);
        if (isBarePercentage(r.text, start, r.pos)) operand *= value;
        value = adding ? value + operand : value - operand;
    }
    return value;
}

std::wstring widen(const char* begin, const char* end)
{
    return std::wstring(begin, end);
}

// Half a unit of the last decimal place, for counts 0 to maxDecimals; the
// literals are the correctly rounded powers of ten.
constexpr int maxDecimals = 20;
constexpr double tenToMinus[maxDecimals + 1] = {
    1e0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,  1e-8,  1e-9,  1e-10,
    1e-11, 1e-12, 1e-13, 1e-14, 1e-15, 1e-16, 1e-17, 1e-18, 1e-19, 1e-20};

} // namespace

ParsedNumber parseNumber(const std::wstring& text)
{
    NumberReader r;
    r.text.reserve(text.size());
    for (wchar_t c : text)
        if (c != euroSign) r.text += c;

    double value = readSum(r);
    skipBlanks(r);
    ParsedNumber result;
    result.value = value;
    result.ok = atEnd(r) && r.ok && std::isfinite(value);
    return result;
}

std::wstring formatNumber(double value, int decimals)
{
    if (!std::isfinite(value)) return L"Errore";
    int d = decimals < 0 ? settings.decimals : decimals;
    if (d < 0) d = 0;
    if (d > maxDecimals) d = maxDecimals;

    // A value that rounds to zero is written without a sign.
    if (std::fabs(value) < 0.5 * tenToMinus[d]) value = 0.0;

    char buf[400];  // 309 integer digits, sign, point and maxDecimals decimals
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, d);
    const char* point = buf;
    while (point != res.ptr && *point != '.') ++point;

    size_t length = static_cast<size_t>(point - buf);
    size_t signLength = (buf[0] == '-') ? 1 : 0;
    std::wstring out;
    out.reserve(length + length / 3 + static_cast<size_t>(d) + 1);
    for (size_t i = 0; i < length; ++i) {
        // A point before every group of three digits counted from the right.
        if (i > signLength && (length - i) % 3 == 0) out += L'.';
        out += static_cast<wchar_t>(buf[i]);
    }
    if (point != res.ptr) {
        out += L',';
        out += widen(point + 1, res.ptr);
    }
    return out;
}

std::wstring formatPlainNumber(double value)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::wstring out = widen(buf, res.ptr);
    for (wchar_t& c : out)
        if (c == L'.') c = L',';
    return out;
}
