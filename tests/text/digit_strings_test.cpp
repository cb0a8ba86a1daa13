#include "text/digit_strings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Carries and borrows across every digit, and results past 64 bits.
TEST(DigitStrings, CarryBorrowAndLongProducts)
{
    EXPECT_EQ("1000", addDigits("999", "1"));
    EXPECT_EQ("1009", addDigits("9", "1000"));
    EXPECT_EQ("0999", subtractDigits("1000", "1")) << "as long as the first";
    EXPECT_TRUE(lessThan("0099", "100"));
    EXPECT_FALSE(lessThan("100", "0100"));
    EXPECT_FALSE(lessThan("0", "000"));
    EXPECT_EQ("0", timesDigits("0", "12345"));
    EXPECT_EQ("99999999999999999999980000000000000000000001",
              timesDigits("9999999999999999999999", "9999999999999999999999"));
    // Half up on the interest's divisor: (x + 18250) / 36500.
    EXPECT_EQ("1", dividedBy(addDigits("18250", "18250"), 36500));
    EXPECT_EQ("0", dividedBy(addDigits("18249", "18250"), 36500));
    EXPECT_EQ("273972602739726027397", dividedBy("10000000000000000000000000", 36500));
}

} // namespace
