#include "calc/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "app/settings.h"

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
        ParseCase{L"50%%", 0.005}, ParseCase{L"200+10%", 220}, ParseCase{L"200 + 10 %", 220},
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
        ParseCase{L"8 / 2 / 2", 2}, ParseCase{L"10 - 2 - 3", 5}));

class ParseNumberRejects : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(ParseNumberRejects, UnreadableText)
{
    EXPECT_FALSE(parseNumber(GetParam()).ok);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseNumberRejects,
    ::testing::Values(L"\u22125", L"1,2,3", L"1.000,5.3", L"1 000", L"2(3)", L"", L"   ", L"abc",
                      L"12a", L"5/0", L"0/0", L"5/(2-2)", L"(5", L"5)", L"5+", L"*5", L",",
                      L".", L"+", L"-", L"()", L"5 %x", L"1e5", L"\u0661",
                      L"\u20ac", L"1/(1-1)%", L"1.000,1.000", L"2 3",
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
    int setting;
    const wchar_t* text;
};

class FormatNumberWrites : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberWrites, GroupedItalianText)
{
    const FormatCase& c = GetParam();
    Settings saved = settings;
    settings.decimals = c.setting;
    EXPECT_EQ(std::wstring(c.text), formatNumber(c.value, c.decimals));
    settings = saved;
}

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Table, FormatNumberWrites,
    ::testing::Values(
        FormatCase{1234567.891, 2, 2, L"1.234.567,89"}, FormatCase{-1234.5, 2, 2, L"-1.234,50"},
        FormatCase{-0.004, 2, 2, L"0,00"}, FormatCase{0.125, 2, 2, L"0,12"},
        FormatCase{1234.5, 0, 2, L"1.234"}, FormatCase{2.5, 0, 2, L"2"},
        FormatCase{1.5, 0, 2, L"2"}, FormatCase{-0.5, 0, 2, L"-0"},
        FormatCase{999.999, 2, 2, L"1.000,00"}, FormatCase{0, 3, 2, L"0,000"},
        FormatCase{2.5, -1, 4, L"2,5000"}, FormatCase{2.5, -1, 0, L"2"},
        FormatCase{inf, 2, 2, L"Errore"}, FormatCase{-inf, 0, 2, L"Errore"},
        FormatCase{nan, -1, 2, L"Errore"},
        // Grouping boundaries and signs.
        FormatCase{-123, 0, 2, L"-123"}, FormatCase{-1234, 0, 2, L"-1.234"},
        FormatCase{123456, 0, 2, L"123.456"}, FormatCase{-123456, 1, 2, L"-123.456,0"},
        FormatCase{1e20, 2, 2, L"100.000.000.000.000.000.000,00"},
        FormatCase{-0.0, 2, 2, L"0,00"}, FormatCase{-0.0049, 2, 2, L"0,00"},
        FormatCase{-0.49, 0, 2, L"0"}, FormatCase{0.0000005, 6, 2, L"0,000000"}, FormatCase{0.00000051, 6, 2, L"0,000001"},
        FormatCase{-0.0000004, 6, 2, L"0,000000"}, FormatCase{1220, -1, 2, L"1.220,00"},
        // Right at the bound, as for -0.5 with no decimals, the sign stays.
        FormatCase{-0.0000005, 6, 2, L"-0,000000"},
        FormatCase{3.5, -1, 6, L"3,500000"}));

TEST(FormatNumber, LargestDoubleIsWrittenInFull)
{
    std::wstring text = formatNumber(std::numeric_limits<double>::max(), 6);
    EXPECT_EQ(L"179.769.313.486.231.570", text.substr(0, 23));
    EXPECT_EQ(309u + 102u + 7u, text.size()) << "309 digits, 102 points, comma and 6 decimals";
}

struct PlainCase {
    double value;
    const wchar_t* text;
};

class FormatPlainNumberWrites : public ::testing::TestWithParam<PlainCase> {};

TEST_P(FormatPlainNumberWrites, FifteenSignificantDigits)
{
    EXPECT_EQ(std::wstring(GetParam().text), formatPlainNumber(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatPlainNumberWrites,
    ::testing::Values(PlainCase{1234.5, L"1234,5"}, PlainCase{0.1 + 0.2, L"0,3"},
                      PlainCase{-5, L"-5"}, PlainCase{1e15, L"1e+15"},
                      PlainCase{0.000015, L"1,5e-05"}, PlainCase{0.0001, L"0,0001"},
                      PlainCase{123456789012345, L"123456789012345"},
                      PlainCase{1234567.891, L"1234567,891"}, PlainCase{0, L"0"},
                      PlainCase{2.0 / 3.0, L"0,666666666666667"}, PlainCase{1e300, L"1e+300"}));

TEST(FormatNumber, WrittenAmountsParseBack)
{
    const double values[] = {0, 1, -1, 0.5, 1234.5678, -98765.4321, 1e15, 123456789.125};
    for (double v : values) {
        for (int d = 0; d <= 6; ++d) {
            std::wstring text = formatNumber(v, d);
            ParsedNumber back = parseNumber(text);
            ASSERT_TRUE(back.ok) << "formatted text should read back";
            EXPECT_EQ(text, formatNumber(back.value, d)) << "and give the same text again";
        }
    }
}

} // namespace
