#include "platform/format.h"

#include "platform/com.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(WindowsFormat, LongIsThirtyTwoBitsAndI64IsSixtyFour) {
    const std::int32_t minusFive = -5;
    const std::uint32_t big = 0xFFFFFFF0u;
    EXPECT_EQ(platform::Format("%1ld|%lx|%lu|%08lX", minusFive, big, big, 0xABCu), "-5|fffffff0|4294967280|00000ABC");
    EXPECT_EQ(platform::Format("%I64x|%I64u|%I64d", std::uint64_t{0x123456789A}, std::uint64_t{1} << 40,
                               std::int64_t{-2}),
              "123456789a|1099511627776|-2");
}

TEST(WindowsFormat, CommonConversionsFollowTheRunTime) {
    struct Case {
        std::string actual;
        const char* expected;
    };
    const Case cases[] = {
        {platform::Format("H'%08X", 0x1F), "H'0000001F"},
        {platform::Format("%s%03d", "v", 7), "v007"},
        {platform::Format("%-5s|%5s|%.2s", "ab", "cd", "efgh"), "ab   |   cd|ef"},
        {platform::Format("%*d|%-*d|%.*f", 4, 7, 3, 8, 2, 3.14159), "   7|8  |3.14"},
        {platform::Format("%#+13.6e", 1.5), "+1.500000e+00"},
        {platform::Format("%c%%%hd", 'x', 70000), "x%4464"},
        {platform::Format("%s", static_cast<const char*>(nullptr)), "(null)"},
        {platform::Format("100%"), "100%"},
        {platform::Format("%u of %u PC breakpoints in use", 2u, 8u), "2 of 8 PC breakpoints in use"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(WindowsFormat, WideTextsAreConvertedToAnsi) {
    const OLECHAR* wide = OLESTR("wide text");
    EXPECT_EQ(platform::Format("[%ls]", wide), "[wide text]");
    EXPECT_EQ(platform::Format("[%S]", wide), "[wide text]");
    EXPECT_EQ(platform::Format("[%ls]", static_cast<const OLECHAR*>(nullptr)), "[(null)]");
}

TEST(WindowsFormat, LongTextsAreNotCut) {
    const std::string long_text(5000, 'a');
    EXPECT_EQ(platform::Format("<%s>", long_text.c_str()), "<" + long_text + ">");
}

}  // namespace
