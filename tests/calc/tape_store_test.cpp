#include "calc/tape_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

TEST(KeptTape, WrittenAsUtf8AndReadBack)
{
    const Lines lines = {L"1.000 + 22% = 1.220,00", L"\u20ac 5 \u00d7 2 = 10,00",
                         L"Scorporo 22,00% su 13,00 = 10,66 (IVA 2,34)"};
    const std::string text = keptTapeText(lines);
    EXPECT_EQ("1.000 + 22% = 1.220,00\r\n\xE2\x82\xAC 5 \xC3\x97 2 = 10,00\r\nScorporo 22,00% su 13,00 = 10,66 (IVA 2,34)\r\n",
              text);
    EXPECT_EQ(lines, tapeFromKeptText(text).value_or(Lines{}));
    EXPECT_EQ(Lines{}, tapeFromKeptText("").value_or(Lines{L"x"})) << "an empty tape";

    Lines many;
    for (int i = 0; i < 1500; ++i) many.push_back(std::to_wstring(i) + L" = " + std::to_wstring(i));
    const Lines kept = tapeFromKeptText(keptTapeText(many)).value_or(Lines{});
    ASSERT_EQ(1000u, kept.size()) << "the newest 1.000 lines";
    EXPECT_EQ(L"500 = 500", kept.front());
    EXPECT_EQ(L"1499 = 1499", kept.back());
    // Lines so long that all of them would pass the size read back: the newest that fit,
    // up to a line too long to keep, and never an older one past it.
    Lines wide(20, std::wstring(1024 * 1024, L'1'));
    wide.push_back(std::wstring(keptTapeBytes, L'2'));
    wide.push_back(L"3 = 3,00");
    wide.push_back(L"4\t= 4,00");
    EXPECT_EQ((Lines{L"3 = 3,00", L"4 = 4,00"}), tapeFromKeptText(keptTapeText(wide)).value_or(Lines{}))
        << "a control character is written as a space, so that the file reads back";
}

TEST(KeptTape, ADamagedFileIsNoTape)
{
    const struct {
        std::string text;
        const wchar_t* first;  // nullptr: unreadable
    } cases[] = {
        {"1 = 1,00\n2 = 2,00", L"1 = 1,00"},
        {"\xEF\xBB\xBF" "1 = 1,00\r\n", L"1 = 1,00"},  // an editor's byte-order mark
        {"\n\r\n1 = 1,00", L"1 = 1,00"},                // empty lines left out
        {"1 = 1,00\r\n\xFF\xFE", nullptr},              // not UTF-8
        {"\xC0\xAF", nullptr},                          // an overlong "/"
        {"\xED\xA0\x80", nullptr},                      // a surrogate
        {"\xE2\x82", nullptr},                          // cut in the middle of a character
        {std::string("1\0" "2", 3), nullptr},
        {"1\x1B", nullptr},
        {std::string(keptTapeBytes + 1, 'a'), nullptr},
    };
    for (const auto& c : cases) {
        const auto lines = tapeFromKeptText(c.text);
        EXPECT_EQ(c.first != nullptr, lines.has_value()) << c.text;
        if (c.first && lines) {
            EXPECT_EQ(c.first, lines->front());
        }
    }
}

} // namespace
