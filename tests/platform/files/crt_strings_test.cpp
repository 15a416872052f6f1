#include "platform/crt_strings.h"

#include <gtest/gtest.h>

namespace {

int Sign(int value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

TEST(CrtStrings, CompareWithoutCaseFoldsToLowerCase) {
    EXPECT_EQ(_stricmp("abc", "ABC"), 0);
    EXPECT_EQ(Sign(_stricmp("_", "a")), -1);  // '_' sorts before the letters
    EXPECT_EQ(Sign(_stricmp("[", "A")), -1);
    EXPECT_EQ(Sign(_stricmp("ab", "A")), 1);
    EXPECT_EQ(_strnicmp("abcX", "ABCy", 3), 0);
    EXPECT_EQ(Sign(_strnicmp("abcX", "ABCy", 4)), -1);
}

TEST(CrtStrings, IntegersAsText) {
    char text[40];
    EXPECT_STREQ(_itoa(-42, text, 10), "-42");
    EXPECT_STREQ(_itoa(255, text, 16), "ff");
    EXPECT_STREQ(_itoa(-1, text, 16), "ffffffff");
    EXPECT_STREQ(_itoa(5, text, 2), "101");
    EXPECT_STREQ(_ltoa(-2147483647 - 1, text, 10), "-2147483648");
}

}  // namespace
