// The text-to-number rule used for command-line values and the repeat-count field.
#include <gtest/gtest.h>

#include "app/TextToInteger.h"

TEST(TextToInteger, DecimalWithLeadingBlanksSignsAndTrailingText)
{
    EXPECT_EQ(TextToInteger(L""), 0);
    EXPECT_EQ(TextToInteger(L"abc"), 0);
    EXPECT_EQ(TextToInteger(L"3x"), 3);
    EXPECT_EQ(TextToInteger(L" 7"), 7);
    EXPECT_EQ(TextToInteger(L"\t \t12"), 12);
    EXPECT_EQ(TextToInteger(L"2,5"), 2);
    EXPECT_EQ(TextToInteger(L"-4"), -4);
    EXPECT_EQ(TextToInteger(L"+9"), 9);
    EXPECT_EQ(TextToInteger(L"- 4"), 0);  // nothing may stand between sign and digits
    EXPECT_EQ(TextToInteger(L"--4"), 0);
    EXPECT_EQ(TextToInteger(L"4 2"), 4);
    EXPECT_EQ(TextToInteger(L"007"), 7);
}

TEST(TextToInteger, HexadecimalAndBinaryPrefixes)
{
    EXPECT_EQ(TextToInteger(L"$1F"), 31);
    EXPECT_EQ(TextToInteger(L"$1f"), 31);
    EXPECT_EQ(TextToInteger(L"-$10"), -16);
    EXPECT_EQ(TextToInteger(L"$G"), 0);
    EXPECT_EQ(TextToInteger(L"%101"), 5);
    EXPECT_EQ(TextToInteger(L"%1012"), 5);  // 2 is no binary digit
    EXPECT_EQ(TextToInteger(L"1F"), 1);     // letters are no decimal digits
}

TEST(TextToInteger, WrapsInSixtyFourBitsAndKeepsLowThirtyTwoForSettings)
{
    EXPECT_EQ(TextToInteger(L"9223372036854775807"), INT64_MAX);
    EXPECT_EQ(TextToInteger(L"9223372036854775808"), INT64_MIN);
    EXPECT_EQ(TextToInteger(L"18446744073709551617"), 1);  // 2^64 + 1
    EXPECT_EQ(static_cast<int32_t>(TextToInteger(L"4294967295")), -1);
    EXPECT_EQ(static_cast<int32_t>(TextToInteger(L"2147483648")), INT32_MIN);
}
