#include "util/scan_values.h"

#include "platform/wintypes.h"
#include "tests/platform/code_page_scope.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

TEST(ScanValues, IntegerConversions) {
    struct Case {
        const char* text;
        const char* format;
        int count;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"1F", "%x", 1, 0x1F},
        {"1f", "%x", 1, 0x1F},
        {"1F", "%lx", 1, 0x1F},
        {"0x10", "%x", 1, 0},          // no prefix: the x stops the number
        {" 12", "%d", 0, 0},           // no white-space skip of its own
        {" 12", " %d", 1, 12},
        {"12", " %d", 1, 12},          // a blank in the format matches none too
        {"-7", "%d", 1, static_cast<std::uint32_t>(-7)},
        {"-7", "%u", 0, 0},
        {"+7", "%d", 0, 0},
        {"-", "%d", 0, 0},
        {"-5", "%1d", 0, 0},           // the sign uses up the width
        {"12345", "%3x", 1, 0x123},
        {"4294967297", "%u", 1, 1},    // 32-bit arithmetic that wraps
        {"-2147483648", "%d", 1, 0x80000000u},
        {"", "%d", 0, 0},
        {"g", "%x", 0, 0},
        {"7", "%0d", 0, 0},
    };
    for (const Case& c : cases) {
        std::uint32_t value = 0;
        EXPECT_EQ(ScanValues(c.text, c.format, &value), c.count) << c.text << " with " << c.format;
        EXPECT_EQ(value, c.value) << c.text << " with " << c.format;
    }
}

TEST(ScanValues, FormatsInUse) {
    DWORD a = 0;
    DWORD b = 0;
    DWORD c = 0;
    EXPECT_EQ(ScanValues("ffdf 1c 03", "%8x %2x %2x", &a, &b, &c), 3);
    EXPECT_EQ(a, 0xFFDFu);
    EXPECT_EQ(b, 0x1Cu);
    EXPECT_EQ(c, 3u);

    LONG values[4] = {};
    EXPECT_EQ(ScanValues("1 -2 3 4", "%d %d %d %d", &values[0], &values[1], &values[2], &values[3]), 4);
    EXPECT_EQ(values[1], -2);

    int first = 0;
    int second = 0;
    EXPECT_EQ(ScanValues("12345", "%3x%d", &first, &second), 2);  // the width leaves the cursor on the 4
    EXPECT_EQ(first, 0x123);
    EXPECT_EQ(second, 45);

    // A suppressed conversion takes no destination but is counted.
    int only = 0;
    EXPECT_EQ(ScanValues("10 20", "%*d %d", &only), 2);
    EXPECT_EQ(only, 20);
}

TEST(ScanValues, TextsAndSets) {
    char left[16] = "unchanged";
    char right[16] = "unchanged";
    EXPECT_EQ(ScanValues("AB,CD", "%[^,],%s", left, right), 2);
    EXPECT_STREQ(left, "AB");
    EXPECT_STREQ(right, "CD");

    char text[8] = "x";
    EXPECT_EQ(ScanValues("", "%s", text), 1);  // an empty text is stored
    EXPECT_STREQ(text, "");

    std::strcpy(text, "x");
    EXPECT_EQ(ScanValues("", "%[^,]", text), 1);  // a "not" set takes the end of the text
    EXPECT_STREQ(text, "");
    std::strcpy(text, "x");
    EXPECT_EQ(ScanValues("", "%[a]", text), 0);
    EXPECT_EQ(ScanValues("b", "%[a]", text), 0);
    EXPECT_STREQ(text, "x");

    EXPECT_EQ(ScanValues("]]x a", "%[]x]", text), 1);  // the first member may be ']'
    EXPECT_STREQ(text, "]]x");
    EXPECT_EQ(ScanValues("abc", "%[", text), 0);
    EXPECT_EQ(ScanValues("abc", "%[^", text), 0);
    EXPECT_EQ(ScanValues("abc", "%[abc", text), 0);  // a set that is never closed

    EXPECT_EQ(ScanValues("ab cd", "%1s%s", left, right), 2);
    EXPECT_STREQ(left, "a");
    EXPECT_STREQ(right, "b");
}

TEST(ScanValues, LiteralsAndPercent) {
    int value = 0;
    EXPECT_EQ(ScanValues("50%", "%d%%", &value), 1);
    EXPECT_EQ(ScanValues("a=5", "a=%d", &value), 1);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(ScanValues("b=5", "a=%d", &value), 0);
    EXPECT_EQ(ScanValues("5", "%d!", &value), 1);  // the count of what was converted before the mismatch
}

// The faults of the old reader: texts were written up to the width of 1,000
// into buffers of 32 bytes, and '%c' read past the end of the text.
TEST(ScanValues, NeverWritesPastTheDestinationOrReadsPastTheText) {
    struct Guarded {
        char text[4];
        char guard[4];
    } guarded{};
    std::memcpy(guarded.guard, "GGG", 4);
    char rest[16] = {};
    EXPECT_EQ(ScanValues("abcdefgh", "%s%s", guarded.text, rest), 2);
    EXPECT_STREQ(guarded.text, "abc");
    EXPECT_STREQ(guarded.guard, "GGG");
    EXPECT_STREQ(rest, "defgh");

    std::memcpy(guarded.text, "zzz", 4);
    EXPECT_EQ(ScanValues("abcdefgh", "%[abcdefgh]", guarded.text), 1);
    EXPECT_STREQ(guarded.text, "abc");
    EXPECT_STREQ(guarded.guard, "GGG");

    char buffer[8] = {};
    EXPECT_EQ(ScanValues("abcdefgh", "%s", ScanText{buffer, 3}), 1);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(ScanValues("abc", "%s", ScanText{buffer, 0}), 0);
    EXPECT_EQ(ScanValues("abc", "%s", ScanText{nullptr, 8}), 0);

    char first = '?';
    char second = '?';
    EXPECT_EQ(ScanValues("a", "%c%c", &first, &second), 1);
    EXPECT_EQ(first, 'a');
    EXPECT_EQ(second, '?');
    EXPECT_EQ(ScanValues("", "%c", &first), 0);
    EXPECT_EQ(ScanValues("xy", "%c%c", buffer, &second), 2);  // a text destination takes one character
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(second, 'y');
}

TEST(ScanValues, MissingOrMismatchedDestinationsEndTheScan) {
    int value = 0;
    char text[8] = "x";
    EXPECT_EQ(ScanValues("1 2", "%d %d", &value), 1);
    EXPECT_EQ(ScanValues("abc", "%s", &value), 0);
    EXPECT_EQ(ScanValues("12", "%d", text), 0);
    EXPECT_STREQ(text, "x");
    char one = 0;
    EXPECT_EQ(ScanValues("abc", "%s", &one), 0);  // one char is no text
    EXPECT_EQ(ScanValues(nullptr, "%d", &value), 0);
    EXPECT_EQ(ScanValues("1", nullptr, &value), 0);
}

TEST(ScanValues, StepsOverWholeDoubleByteCharacters) {
    AnsiCodePageScope scope(932);
    char left[8] = {};
    char right[8] = {};
    // "ポ" ends in the byte '|', "表" in the byte '\\'.
    EXPECT_EQ(ScanValues("\x83\x7C|x", "%[^|]|%s", left, right), 2);
    EXPECT_STREQ(left, "\x83\x7C");
    EXPECT_STREQ(right, "x");
    EXPECT_EQ(ScanValues("\x95\x5C\\y", "%[^\\]\\%s", left, right), 2);
    EXPECT_STREQ(left, "\x95\x5C");
    EXPECT_STREQ(right, "y");
    // A width that would cut a character stops before it.
    EXPECT_EQ(ScanValues("a\x95\x5C", "%2s%s", left, right), 2);
    EXPECT_STREQ(left, "a");
    EXPECT_STREQ(right, "\x95\x5C");
}

}  // namespace
