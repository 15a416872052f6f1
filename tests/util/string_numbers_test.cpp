#include "util/string_numbers.h"

#include "tests/support/sides.h"

#include <gtest/gtest.h>

#include <cstdlib>

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

namespace {

TEST(StringNumbers, ReadIntAsTheWindowsRunTimeDoes) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"42", 42},          {"  -7x", -7},         {"+5", 5},           {"", 0},
        {"x1", 0},           {"-1", -1},            {"2147483647", 2147483647},
        {"2147483648", -2147483647 - 1},            {"4294967295", -1},
        {"-2147483648", -2147483647 - 1},           {"-99999999999999999999", -1661992959},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadInt(c.text), c.value) << c.text;
    }
    EXPECT_EQ(ReadInt(nullptr), 0);
}

TEST(StringNumbers, ReadIntMatchesTheWindowsRunTimesAtoi) {
    Q3V_SKIP_ON_LINUX("the C library here reads values out of range in 64 bits");
    for (const char* text : {"42", "  -7x", "2147483648", "4294967295", "-99999999999999999999", "x"}) {
        EXPECT_EQ(ReadInt(text), std::atoi(text)) << text;
    }
}

}  // namespace
