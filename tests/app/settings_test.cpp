#include "app/settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct InputCase {
    const wchar_t* rate;
    const wchar_t* decimals;
    bool ok;
    double vatRate = 0;
    int places = 0;
};

class ValidateSettingsInput : public ::testing::TestWithParam<InputCase> {};

TEST_P(ValidateSettingsInput, RateAndDecimals)
{
    const InputCase& c = GetParam();
    SettingsInput in = validateSettingsInput(c.rate, c.decimals);
    ASSERT_EQ(c.ok, in.ok);
    if (c.ok) {
        EXPECT_DOUBLE_EQ(c.vatRate, in.vatRate);
        EXPECT_EQ(c.places, in.decimals);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValidateSettingsInput,
    ::testing::Values(InputCase{L"0", L"0", true, 0, 0}, InputCase{L"100", L"6", true, 100, 6},
                      InputCase{L"22,00", L"2", true, 22, 2}, InputCase{L"21", L"2,0", true, 21, 2},
                      InputCase{L"10+0,5", L"3", true, 10.5, 3}, InputCase{L"100,01", L"2", false},
                      InputCase{L"-1", L"2", false}, InputCase{L"22", L"7", false},
                      InputCase{L"22", L"-1", false}, InputCase{L"22", L"2,5", false},
                      InputCase{L"abc", L"2", false}, InputCase{L"22", L"", false},
                      InputCase{L"", L"2", false},
                      // The rate in effect is the rate shown with two decimals, halves
                      // up, and the range is checked on it.
                      InputCase{L"8,555", L"2", true, 8.56, 2},
                      InputCase{L"2,675", L"2", true, 2.68, 2},
                      InputCase{L"1,005", L"2", true, 1.01, 2},
                      InputCase{L"99,999", L"2", true, 100, 2},
                      InputCase{L"100,004", L"2", true, 100, 2},
                      InputCase{L"100,005", L"2", false},
                      InputCase{L"-0,004", L"2", true, 0, 2},
                      InputCase{L"-0,005", L"2", false}));

std::vector<unsigned char> utf16(const std::wstring& text, bool terminator = true)
{
    std::vector<unsigned char> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
    }
    if (terminator) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

TEST(StoredVatRate, ReadableValues)
{
    auto read = [](const std::wstring& text) {
        std::vector<unsigned char> b = utf16(text);
        return storedVatRate(registryString, b.data(), b.size());
    };
    EXPECT_EQ(22.0, read(L"22,00").value_or(-1));
    EXPECT_EQ(8.5, read(L"8,5").value_or(-1));
    EXPECT_EQ(8.56, read(L"8,555").value_or(-1)) << "a hand-written third decimal is rounded as shown";
    EXPECT_EQ(100.0, read(L"100,004").value_or(-1)) << "the range holds for the rate as shown";
    EXPECT_FALSE(read(L"100,005").has_value());
    EXPECT_EQ(0.0, read(L"0").value_or(-1));
    EXPECT_EQ(100.0, read(L"100,00").value_or(-1));
    EXPECT_FALSE(read(L"150").has_value());
    EXPECT_FALSE(read(L"-1").has_value());
    EXPECT_FALSE(read(L"abc").has_value());
    EXPECT_FALSE(read(L"").has_value());
    // Without its NUL, a short value still ends at the buffer's zero fill.
    std::vector<unsigned char> bare = utf16(L"10", false);
    EXPECT_EQ(10.0, storedVatRate(registryString, bare.data(), bare.size()).value_or(-1));
}

TEST(StoredVatRate, UnreadableValuesKeepTheDefault)
{
    std::vector<unsigned char> full = utf16(L"1" + std::wstring(79, L'0'), false);
    ASSERT_EQ(160u, full.size());
    EXPECT_FALSE(storedVatRate(registryString, full.data(), full.size()).has_value())
        << "160 bytes without a NUL are not read past";
    std::vector<unsigned char> spaces = utf16(L"5" + std::wstring(79, L' '), false);
    EXPECT_FALSE(storedVatRate(registryString, spaces.data(), spaces.size()).has_value());
    std::vector<unsigned char> longer = utf16(std::wstring(80, L'1'));
    EXPECT_FALSE(storedVatRate(registryString, longer.data(), longer.size()).has_value());
    unsigned char dword[4] = {22, 0, 0, 0};
    EXPECT_FALSE(storedVatRate(registryDword, dword, 4).has_value());
    std::vector<unsigned char> ok = utf16(L"22");
    EXPECT_FALSE(storedVatRate(3, ok.data(), ok.size()).has_value()) << "REG_BINARY";
}

TEST(StoredDwords, DecimalsUpToSixChoicesAndSignedCoordinates)
{
    const std::nullopt_t none = std::nullopt;
    struct Case {
        std::uint32_t type;
        std::vector<unsigned char> bytes;
        std::optional<std::int32_t> decimals, choiceOfThree, coordinate;
    } cases[] = {
        {registryDword, {2, 0, 0, 0}, 2, 2, 2},
        {registryDword, {0, 0, 0, 0}, 0, 0, 0},
        {registryDword, {3, 0, 0, 0}, 3, none, 3},
        {registryDword, {7, 0, 0, 0}, none, none, 7},
        {registryDword, {0x40, 0x42, 0x0F, 0}, none, none, 1000000},
        {registryDword, {2, 0, 0, 1}, none, none, none},  // beyond any screen
        {registryDword, {0x38, 0xFF, 0xFF, 0xFF}, none, none, -200},
        {registryDword, {0xFF, 0xFF, 0xFF, 0xFF}, none, none, -1},
        {registryDword, {0, 0, 0, 0x80}, none, none, none},
        {registryDword, {0xFF, 0xFF, 0xFF, 0x7F}, none, none, none},
        {registryString, {1, 0, 0, 0}, none, none, none},
        {registryDword, {1, 0, 0}, none, none, none},
    };
    for (const Case& c : cases) {
        const auto* data = c.bytes.data();
        const size_t size = c.bytes.size();
        EXPECT_EQ(c.decimals, storedDecimals(c.type, data, size)) << int(c.bytes[0]);
        EXPECT_EQ(c.choiceOfThree, storedChoice(c.type, data, size, 3)) << int(c.bytes[0]);
        EXPECT_EQ(c.coordinate, storedCoordinate(c.type, data, size)) << int(c.bytes[0]);
    }
}

TEST(StoredVatRateText, TwoDecimals)
{
    EXPECT_EQ(L"22,00", storedVatRateText(22));
    EXPECT_EQ(L"8,50", storedVatRateText(8.5));
    EXPECT_EQ(L"100,00", storedVatRateText(100));
}

} // namespace

namespace {

// The patron saint's day, typed or stored: a day of every year, or none.
TEST(PatronDay, TypedAndStored)
{
    const struct {
        const wchar_t* text;
        bool ok;
        MonthDay day;
        const wchar_t* shown;
    } cases[] = {
        {L"29/06", true, {6, 29}, L"29/06"}, {L" 7.12 ", true, {12, 7}, L"07/12"}, {L"1-1", true, {1, 1}, L"01/01"},
        {L"28/02", true, {2, 28}, L"28/02"}, {L"", true, {}, L""},            {L"  ", true, {}, L""},
        {L"29/02", false, {}, L""},
        {L"31/04", false, {}, L""},
        {L"00/01", false, {}, L""},
        {L"1/13", false, {}, L""},
        {L"001/01", false, {}, L""},
        {L"29/06/2026", false, {}, L""},
        {L"29 06", false, {}, L""},
        {L"oggi", false, {}, L""},
        {L"29/", false, {}, L""},
    };
    for (const auto& c : cases) {
        const std::optional<MonthDay> typed = readPatronDay(c.text);
        ASSERT_EQ(c.ok, typed.has_value()) << c.text;
        std::vector<unsigned char> bytes;
        for (const wchar_t* p = c.text;; ++p) {
            bytes.push_back(static_cast<unsigned char>(*p & 0xFF));
            bytes.push_back(static_cast<unsigned char>(*p >> 8));
            if (!*p) break;
        }
        const std::optional<MonthDay> stored = storedPatronDay(registryString, bytes.data(), bytes.size());
        EXPECT_EQ(c.ok, stored.has_value()) << c.text << " as stored";
        if (!c.ok) continue;
        EXPECT_EQ(c.day.month, typed->month) << c.text;
        EXPECT_EQ(c.day.day, typed->day) << c.text;
        EXPECT_EQ(std::wstring(c.shown), patronDayText(*typed));
    }
    const unsigned char unterminated[] = {'2', 0, '9', 0, '/', 0, '0', 0, '6', 0};
    EXPECT_FALSE(storedPatronDay(registryString, unterminated, sizeof unterminated)) << "no NUL: none";
    EXPECT_FALSE(storedPatronDay(registryDword, unterminated, 4)) << "another type: none";
}

} // namespace
