#include "text/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>


namespace {

struct ParseCase {
    const wchar_t* text;
    double value;
};

class ParseNumberReads : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberReads, ItalianTextAndExpressions)
{
    const ParseCase& c = GetParam();
    ParsedNumber r = parseNumber(c.text);
    ASSERT_TRUE(r.ok) << "text should parse";
    EXPECT_DOUBLE_EQ(c.value, r.value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseNumberReads,
    ::testing::Values(
        ParseCase{L"1.234,56", 1234.56}, ParseCase{L"1.234.567", 1234567},
        ParseCase{L"1,5", 1.5}, ParseCase{L"1.5", 1.5}, ParseCase{L"1.50", 1.5},
        ParseCase{L"1.500", 1500}, ParseCase{L"0.125", 125}, ParseCase{L"1.2345", 1.2345},
        ParseCase{L".500", 500}, ParseCase{L",5", 0.5}, ParseCase{L"5,", 5},
        ParseCase{L"1.000 \u20ac", 1000}, ParseCase{L"\u20ac 1.000", 1000},
        ParseCase{L"1.000%", 10}, ParseCase{L"1.000 %", 10},
        ParseCase{L"1.000\u00d72", 2000}, ParseCase{L"1.000*2", 2000},
        // Every operator ends a thousands group, not only the ASCII ones.
        ParseCase{L"1.000\u00f72", 500}, ParseCase{L"1.000\u22121", 999},
        ParseCase{L"100+1.000%", 1100},
        ParseCase{L"2+3*4", 14}, ParseCase{L"(2+3)*4", 20}, ParseCase{L"-(2+3)", -5},
        ParseCase{L"--5", 5}, ParseCase{L"+5", 5}, ParseCase{L"7\u00f72", 3.5},
        ParseCase{L"3\u00d74", 12}, ParseCase{L"3\u22125", -2}, ParseCase{L"10%", 0.1},
        ParseCase{L"200+10%", 220}, ParseCase{L"200 + 10 %", 220},
        ParseCase{L"200-10%", 180}, ParseCase{L"200*10%", 20}, ParseCase{L"200/10%", 2000},
        ParseCase{L"10%+200", 200.1}, ParseCase{L"200+(10%)", 200.1},
        // The percentage rule, further cases.
        ParseCase{L"200 + 10% + 10%", 242}, ParseCase{L"(200 + 10%)", 220},
        ParseCase{L"100 + 5 * 10%", 100.5}, ParseCase{L"100 - -10%", 100.1},
        ParseCase{L"100 + 1.000,5%", 110.005}, ParseCase{L"100 + 12,5 %", 112.5},
        ParseCase{L"1.000 + 22%", 1220}, ParseCase{L"100 \u2212 10%", 90},
        // Signs, blanks and thousands points in context.
        ParseCase{L"+ + 5", 5}, ParseCase{L"-+5", -5}, ParseCase{L"- - 5", 5},
        ParseCase{L"  \t42\r\n", 42}, ParseCase{L"1.000.000,25", 1000000.25},
        ParseCase{L"(1.000)", 1000}, ParseCase{L"1.000+1", 1001}, ParseCase{L"1.000/4", 250},
        ParseCase{L"1.000-1", 999}, ParseCase{L"(40+35)/3", 25},
        ParseCase{L"\u20ac\u20ac5\u20ac", 5}, ParseCase{L"0,1+0,2", 0.30000000000000004},
        ParseCase{L"8 / 2 / 2", 2}, ParseCase{L"10 - 2 - 3", 5},
        // The E form that large amounts are written in.
        ParseCase{L"1E+21", 1e21}, ParseCase{L"1,5e-3", 0.0015}, ParseCase{L"-2,5E+30", -2.5e30},
        ParseCase{L"1,23456789012346E+23", 1.23456789012346e23}, ParseCase{L"2e3+1", 2001},
        ParseCase{L"1E+2%", 1}, ParseCase{L"(1E+21)*2", 2e21}));

class ParseNumberRejects : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(ParseNumberRejects, UnreadableText)
{
    EXPECT_FALSE(parseNumber(GetParam()).ok);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseNumberRejects,
    ::testing::Values(L"\u22125", L"1,2,3", L"1.000,5.3", L"1 000", L"2(3)", L"", L"   ", L"abc",
                      L"12a", L"5/0", L"0/0", L"5/(2-2)", L"(5", L"5)", L"5+", L"*5", L",",
                      L".", L"+", L"-", L"()", L"5 %x", L"\u0661",
                      // E forms that are not numbers.
                      L"1E", L"E+5", L"1E+400", L"1e+", L"1E+2,5", L"1,5E-400", L"1E 5",
                      L"\u20ac", L"1/(1-1)%", L"1.000,1.000", L"2 3", L"50%%",
                      // Literals outside the double range, and an overflowing product.
                      L"1000000000000000000000000000000000000000000000000000000000000000000000"
                      L"0000000000000000000000000000000000000000000000000000000000000000000000"
                      L"0000000000000000000000000000000000000000000000000000000000000000000000"
                      L"0000000000000000000000000000000000000000000000000000000000000000000000"
                      L"0000000000000000000000000000000000000000000000000000000000000000000000",
                      L"0,000000000000000000000000000000000000000000000000000000000000000000000"
                      L"0000000000000000000000000000000000000000000000000000000000000000000000"
                      L"0000000000000000000000000000000000000000000000000000000000000000000000"
                      L"0000000000000000000000000000000000000000000000000000000000000000000000"
                      L"0000000000000000000000000000000000000000000000000000000000000000000001",
                      L"99999999999999999999999999999999999999999999999999999999999999999999999"
                      L"9999999999999999999999 * 9999999999999999999999999999999999999999999999"
                      L"999999999999999999999999999999999999999999999999999999999999999999999999"
                      L"999999999999999999999999999999999999999999999999999999999999999999999999"
                      L"999999999999999999999999999999999999999999999999999999999999999999999999"
                      L"99999999999999999999999999999999999999999999999999999999999999999999999"));

TEST(ParseNumber, ZeroLiteralOfManyDigitsIsNoUnderflow)
{
    ParsedNumber r = parseNumber(L"0,0000000000000000000000000000000000000000000000000000000000");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(0.0, r.value);
}

TEST(ParseNumber, SmallestNormalIsReadAndSubnormalIsNot)
{
    // 2.2250738585072014e-308 is the smallest normal double; 1e-310 is subnormal.
    std::wstring zeros(307, L'0');
    ParsedNumber normal = parseNumber(L"0," + zeros + L"22250738585072014");
    ASSERT_TRUE(normal.ok);
    EXPECT_EQ(std::numeric_limits<double>::min(), normal.value);
    EXPECT_FALSE(parseNumber(L"0," + std::wstring(309, L'0') + L"1").ok);
}

TEST(ParseNumber, DeepNestingFailsInsteadOfOverflowingTheStack)
{
    const size_t n = 1000000;
    EXPECT_FALSE(parseNumber(std::wstring(n, L'(')).ok);
    EXPECT_FALSE(parseNumber(std::wstring(n, L'-') + L"5").ok);
    EXPECT_FALSE(parseNumber(std::wstring(n / 2, L'(') + L"1" + std::wstring(n / 2, L')')).ok);
    std::wstring alternating;
    for (size_t i = 0; i < n / 2; ++i) alternating += L"-(";
    EXPECT_FALSE(parseNumber(alternating).ok);
    // Leading plus signs do not nest, so any number of them is fine.
    ParsedNumber plus = parseNumber(std::wstring(n, L'+') + L"5");
    ASSERT_TRUE(plus.ok);
    EXPECT_EQ(5.0, plus.value);
}

TEST(ParseNumber, NestingUpToTheBoundIsRead)
{
    std::wstring text = std::wstring(100, L'(') + std::wstring(100, L'-') + L"7" +
                        std::wstring(100, L')');
    ParsedNumber r = parseNumber(text);
    ASSERT_TRUE(r.ok) << "200 levels of parentheses and signs together are allowed";
    EXPECT_EQ(7.0, r.value);
    EXPECT_FALSE(parseNumber(L"-" + text).ok) << "201 levels are one too many";
}

TEST(ParseNumber, LongFlatTextIsReadInFull)
{
    std::wstring text = L"1";
    for (int i = 0; i < 200000; ++i) text += L"+1";
    ParsedNumber r = parseNumber(text);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(200001.0, r.value);
}

struct FormatCase {
    double value;
    int decimals;
    const wchar_t* text;
};

class FormatNumberWrites : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberWrites, GroupedItalianText)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(std::wstring(c.text), formatNumber(c.value, c.decimals));
}

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Table, FormatNumberWrites,
    ::testing::Values(
        FormatCase{1234567.891, 2, L"1.234.567,89"}, FormatCase{-1234.5, 2, L"-1.234,50"},
        FormatCase{-0.004, 2, L"0,00"}, FormatCase{0.125, 2, L"0,13"},
        FormatCase{1234.5, 0, L"1.235"}, FormatCase{2.5, 0, L"3"},
        FormatCase{1.5, 0, L"2"}, FormatCase{-0.5, 0, L"-1"},
        FormatCase{999.999, 2, L"1.000,00"}, FormatCase{0, 3, L"0,000"},
        FormatCase{2.5, 4, L"2,5000"}, FormatCase{2.5, 0, L"3"},
        FormatCase{inf, 2, L"Errore"}, FormatCase{-inf, 0, L"Errore"},
        FormatCase{nan, 2, L"Errore"},
        // Grouping boundaries and signs.
        FormatCase{-123, 0, L"-123"}, FormatCase{-1234, 0, L"-1.234"},
        FormatCase{123456, 0, L"123.456"}, FormatCase{-123456, 1, L"-123.456,0"},
        FormatCase{1e20, 2, L"100.000.000.000.000.000.000,00"},
        FormatCase{-0.0, 2, L"0,00"}, FormatCase{-0.0049, 2, L"0,00"},
        FormatCase{-0.49, 0, L"0"}, FormatCase{0.0000005, 6, L"0,000001"}, FormatCase{0.00000051, 6, L"0,000001"},
        FormatCase{-0.0000004, 6, L"0,000000"}, FormatCase{1220, 2, L"1.220,00"},
        // Half a unit rounds away from zero, as -0.5 with no decimals does.
        FormatCase{-0.0000005, 6, L"-0,000001"},
        FormatCase{3.5, 6, L"3,500000"}));

// Amounts are rounded as an accountant rounds: halves away from zero, on the
// decimal number the double stands for, whether or not binary holds it exactly.
struct RoundingCase {
    double value;
    const wchar_t* texts[7];  // with 0 to 6 decimals
};

class FormatNumberRounds : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(FormatNumberRounds, HalvesAwayFromZeroAtEveryDecimalCount)
{
    const RoundingCase& c = GetParam();
    for (int d = 0; d <= 6; ++d) {
        const std::wstring text = c.texts[d];
        EXPECT_EQ(text, formatNumber(c.value, d)) << "decimals " << d;
        const bool zero = text.find_first_not_of(L"0,") == std::wstring::npos;
        EXPECT_EQ(zero ? text : L"-" + text, formatNumber(-c.value, d))
            << "the negative rounds the same way, decimals " << d;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatNumberRounds,
    ::testing::Values(
        // Ties that binary cannot hold: 2,255 is 2,25499999... as a double.
        RoundingCase{2.255, {L"2", L"2,3", L"2,26", L"2,255", L"2,2550", L"2,25500", L"2,255000"}},
        RoundingCase{1.005, {L"1", L"1,0", L"1,01", L"1,005", L"1,0050", L"1,00500", L"1,005000"}},
        // Ties that binary holds exactly no longer go to the even digit.
        RoundingCase{0.125, {L"0", L"0,1", L"0,13", L"0,125", L"0,1250", L"0,12500", L"0,125000"}},
        RoundingCase{0.625, {L"1", L"0,6", L"0,63", L"0,625", L"0,6250", L"0,62500", L"0,625000"}},
        RoundingCase{2.5, {L"3", L"2,5", L"2,50", L"2,500", L"2,5000", L"2,50000", L"2,500000"}},
        RoundingCase{1234.5, {L"1.235", L"1.234,5", L"1.234,50", L"1.234,500", L"1.234,5000",
                              L"1.234,50000", L"1.234,500000"}},
        RoundingCase{0.5, {L"1", L"0,5", L"0,50", L"0,500", L"0,5000", L"0,50000", L"0,500000"}},
        RoundingCase{0.49, {L"0", L"0,5", L"0,49", L"0,490", L"0,4900", L"0,49000", L"0,490000"}},
        RoundingCase{0.1 + 0.2, {L"0", L"0,3", L"0,30", L"0,300", L"0,3000", L"0,30000", L"0,300000"}},
        // 0,015 - 0,01 is 0,00499999...: its fifteen digits are 0,005.
        RoundingCase{0.015 - 0.01, {L"0", L"0,0", L"0,01", L"0,005", L"0,0050", L"0,00500", L"0,005000"}},
        RoundingCase{0.004, {L"0", L"0,0", L"0,00", L"0,004", L"0,0040", L"0,00400", L"0,004000"}},
        RoundingCase{0.0000005, {L"0", L"0,0", L"0,00", L"0,000", L"0,0000", L"0,00000", L"0,000001"}},
        RoundingCase{999.9995, {L"1.000", L"1.000,0", L"1.000,00", L"1.000,000", L"999,9995",
                                L"999,99950", L"999,999500"}},
        // Never more than the fifteen significant digits a double holds; zeros after them.
        RoundingCase{999999999999.065, {L"999.999.999.999", L"999.999.999.999,1", L"999.999.999.999,07",
                                        L"999.999.999.999,065", L"999.999.999.999,0650",
                                        L"999.999.999.999,06500", L"999.999.999.999,065000"}},
        RoundingCase{1000000000000.065, {L"1.000.000.000.000", L"1.000.000.000.000,1",
                                         L"1.000.000.000.000,06", L"1.000.000.000.000,060",
                                         L"1.000.000.000.000,0600", L"1.000.000.000.000,06000",
                                         L"1.000.000.000.000,060000"}},
        // An exact tie at the sixteenth digit rounds up too.
        RoundingCase{1234567890123.125, {L"1.234.567.890.123", L"1.234.567.890.123,1",
                                         L"1.234.567.890.123,13", L"1.234.567.890.123,130",
                                         L"1.234.567.890.123,1300", L"1.234.567.890.123,13000",
                                         L"1.234.567.890.123,130000"}},
        RoundingCase{98765432109876.54, {L"98.765.432.109.877", L"98.765.432.109.876,5",
                                         L"98.765.432.109.876,50", L"98.765.432.109.876,500",
                                         L"98.765.432.109.876,5000", L"98.765.432.109.876,50000",
                                         L"98.765.432.109.876,500000"}},
        RoundingCase{987654321012.123456, {L"987.654.321.012", L"987.654.321.012,1",
                                           L"987.654.321.012,12", L"987.654.321.012,123",
                                           L"987.654.321.012,1230", L"987.654.321.012,12300",
                                           L"987.654.321.012,123000"}},
        RoundingCase{70339409350130624.0,
                     {L"70.339.409.350.130.600", L"70.339.409.350.130.600,0", L"70.339.409.350.130.600,00",
                      L"70.339.409.350.130.600,000", L"70.339.409.350.130.600,0000",
                      L"70.339.409.350.130.600,00000", L"70.339.409.350.130.600,000000"}},
        RoundingCase{999999999999999e6, {L"999.999.999.999.999.000.000", L"999.999.999.999.999.000.000,0",
                                         L"999.999.999.999.999.000.000,00", L"999.999.999.999.999.000.000,000",
                                         L"999.999.999.999.999.000.000,0000", L"999.999.999.999.999.000.000,00000",
                                         L"999.999.999.999.999.000.000,000000"}},
        // 999.999.999.999.999 × 1000: the 15 digits a double holds, then zeros.
        RoundingCase{999999999999999.0 * 1000,
                     {L"999.999.999.999.999.000", L"999.999.999.999.999.000,0",
                      L"999.999.999.999.999.000,00", L"999.999.999.999.999.000,000",
                      L"999.999.999.999.999.000,0000", L"999.999.999.999.999.000,00000",
                      L"999.999.999.999.999.000,000000"}},
        RoundingCase{1e15, {L"1.000.000.000.000.000", L"1.000.000.000.000.000,0", L"1.000.000.000.000.000,00",
                            L"1.000.000.000.000.000,000", L"1.000.000.000.000.000,0000",
                            L"1.000.000.000.000.000,00000", L"1.000.000.000.000.000,000000"}},
        RoundingCase{999999999999999.875, {L"1.000.000.000.000.000", L"1.000.000.000.000.000,0",
                                           L"1.000.000.000.000.000,00", L"1.000.000.000.000.000,000",
                                           L"1.000.000.000.000.000,0000", L"1.000.000.000.000.000,00000",
                                           L"1.000.000.000.000.000,000000"}},
        RoundingCase{99999999999999.5, {L"100.000.000.000.000", L"99.999.999.999.999,5",
                                        L"99.999.999.999.999,50", L"99.999.999.999.999,500",
                                        L"99.999.999.999.999,5000", L"99.999.999.999.999,50000",
                                        L"99.999.999.999.999,500000"}}));

// From 10^21 the E form, whatever the decimals: the 15 significant digits
// without the zeros at their end.
TEST(FormatNumber, ExponentFormFrom10To21)
{
    const struct {
        double value;
        const wchar_t* text;
    } cases[] = {{1e21, L"1E+21"},
                 {123456789012345678901234.0, L"1,23456789012346E+23"},
                 {-2.5e30, L"-2,5E+30"},
                 {999999999999999950000.0, L"1E+21"},  // its fifteen digits are 1,00000000000000 × 10^21
                 {std::numeric_limits<double>::max(), L"1,79769313486231E+308"}};  // one less, to read back
    for (const auto& c : cases)
        for (int d = 0; d <= 6; ++d) EXPECT_EQ(c.text, formatNumber(c.value, d)) << "decimals " << d;
}

TEST(FormatNumber, RoundedDecimalIsPlainText)
{
    EXPECT_EQ("101", roundedDecimal(100.5, 0));
    EXPECT_EQ("-2.26", roundedDecimal(-2.255, 2));
    EXPECT_EQ("0.00", roundedDecimal(-0.004, 2)) << "no sign on a value that rounds to zero";
    EXPECT_EQ("1234567.9", roundedDecimal(1234567.89, 1)) << "no grouping";
}

struct PlainCase {
    double value;
    const wchar_t* text;
};

class FormatPlainNumberWrites : public ::testing::TestWithParam<PlainCase> {};

TEST_P(FormatPlainNumberWrites, AsShownWithoutThousandsPoints)
{
    EXPECT_EQ(std::wstring(GetParam().text), formatPlainNumber(GetParam().value, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatPlainNumberWrites,
    ::testing::Values(PlainCase{1234.5, L"1234,50"}, PlainCase{0.1 + 0.2, L"0,30"},
                      PlainCase{-5, L"-5,00"}, PlainCase{1e15, L"1000000000000000,00"},
                      PlainCase{0.000015, L"0,00"}, PlainCase{0.625, L"0,63"},
                      PlainCase{1234567.891, L"1234567,89"}, PlainCase{0, L"0,00"},
                      PlainCase{-2.5e30, L"-2,5E+30"}, PlainCase{1e300, L"1E+300"}));

TEST(FormatNumber, WrittenAmountsParseBack)
{
    const double values[] = {0, 1, -1, 0.5, 1234.5678, -98765.4321, 1e15, 123456789.125, 1e21, -2.5e30,
                             std::numeric_limits<double>::max()};
    for (double v : values) {
        for (int d = 0; d <= 6; ++d) {
            std::wstring text = formatNumber(v, d);
            ParsedNumber back = parseNumber(text);
            ASSERT_TRUE(back.ok) << "formatted text should read back";
            EXPECT_EQ(text, formatNumber(back.value, d)) << "and give the same text again";
            EXPECT_EQ(std::fabs(v) < 1e21, parseNumberWithoutExponent(text).ok) << "counts of days take no E form";
        }
    }
}

} // namespace
