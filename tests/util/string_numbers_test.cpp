#include "util/string_numbers.h"

#include <gtest/gtest.h>

namespace {

TEST(StringNumbers, HexadecimalTexts) {
    EXPECT_EQ(ParseHexText("1F"), 31u);
    EXPECT_EQ(ParseHexText("1f"), 31u);
    EXPECT_EQ(ParseHexText("0x1F"), 0u);
    EXPECT_EQ(ParseHexText("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexText(""), 0u);
    EXPECT_EQ(ParseHexText(nullptr), 0u);

    struct Case {
        const char* text;
        BOOL hex;
    };
    const Case cases[] = {
        {"1F", TRUE}, {"H'1f", TRUE}, {"h'0", TRUE}, {"0x10", TRUE}, {"0XaB", TRUE},
        {"", FALSE},  {"0x", FALSE},  {"H'", FALSE}, {"1G", FALSE},  {"x10", FALSE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsHexText(c.text), c.hex) << c.text;
    }
}

TEST(StringNumbers, DecimalTexts) {
    int value = 0;
    EXPECT_TRUE(IsDecimalText("0123", &value));
    EXPECT_EQ(value, 123);
    EXPECT_FALSE(IsDecimalText("-1", &value));
    EXPECT_FALSE(IsDecimalText("", &value));
    EXPECT_TRUE(IsDecimalText("7"));
    EXPECT_EQ(IntToText(-42), "-42");
    CString padded = "42";
    PadLeftWithZeros(padded, 5);
    EXPECT_EQ(padded, "00042");
    PadLeftWithZeros(padded, 2);
    EXPECT_EQ(padded, "00042");
}

TEST(StringNumbers, GuidAsThirtyTwoDigits) {
    const GUID guid = {0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    EXPECT_EQ(GuidToHexText(guid), "0123456789abcdef0123456789abcdef");
}

}  // namespace
