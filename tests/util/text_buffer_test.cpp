#include "util/text_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CTextBuffer, StartsWithOneStepAndGrowsInSteps) {
    CTextBuffer buffer("abc", 16);
    EXPECT_STREQ(buffer.GetText(), "abc");
    EXPECT_EQ(buffer.GetLength(), 3u);
    EXPECT_EQ(buffer.GetCapacity(), 16u);

    buffer.Append("0123456789AB");  // 15 characters: still fits with the NUL
    EXPECT_EQ(buffer.GetCapacity(), 16u);
    buffer.AppendChar('x');  // 16 do not: one step more
    EXPECT_EQ(buffer.GetCapacity(), 32u);
    buffer.Append(std::string(40, 'y').c_str());  // 40 / 16 + 1 = 3 steps
    EXPECT_EQ(buffer.GetCapacity(), 80u);
    EXPECT_EQ(buffer.GetLength(), 56u);
    EXPECT_EQ(std::string(buffer.GetText()), "abc0123456789ABx" + std::string(40, 'y'));
}

TEST(CTextBuffer, EmptyTextsChangeNothing) {
    CTextBuffer buffer("ab", 16);
    buffer.Append("");
    buffer.Append(static_cast<LPCSTR>(nullptr));
    buffer.AppendChar('\0');
    EXPECT_EQ(buffer.GetLength(), 2u);
    EXPECT_EQ(buffer.GetCapacity(), 16u);
    buffer.Clear();
    EXPECT_STREQ(buffer.GetText(), "");
    EXPECT_EQ(buffer.GetCapacity(), 16u);
}

TEST(CTextBuffer, CopiesAndAppendsBuffers) {
    CTextBuffer first("first", 16);
    CTextBuffer copy(first);
    EXPECT_STREQ(copy.GetText(), "first");
    EXPECT_EQ(copy.GetCapacity(), first.GetCapacity());
    EXPECT_EQ(copy.GetGrowthStep(), 16u);
    copy.Append(first);
    copy.Append(copy);  // its own text, across a growth
    EXPECT_STREQ(copy.GetText(), "firstfirstfirstfirst");
    EXPECT_STREQ(first.GetText(), "first");
}

// A step of 0 divided by zero when the buffer grew.
TEST(CTextBuffer, AStepBelowTheMinimumIsRaised) {
    CTextBuffer buffer("", 0);
    EXPECT_EQ(buffer.GetGrowthStep(), CTextBuffer::kMinimumStep);
    buffer.Append(std::string(100, 'z').c_str());
    EXPECT_EQ(buffer.GetLength(), 100u);
    EXPECT_GT(buffer.GetCapacity(), 100u);
}

}  // namespace
