#include "platform/afx_string.h"

#include "platform/bstr.h"

#include <gtest/gtest.h>

namespace {

TEST(CString, SlicingClampsToTheText) {
    const CString text("Hello, world");
    EXPECT_EQ(text.Left(5), "Hello");
    EXPECT_EQ(text.Right(5), "world");
    EXPECT_EQ(text.Mid(7), "world");
    EXPECT_EQ(text.Mid(7, 2), "wo");
    EXPECT_EQ(text.Left(100), "Hello, world");
    EXPECT_EQ(text.Left(-1), "");
    EXPECT_EQ(text.Mid(50), "");
    EXPECT_EQ(text.Mid(-3, 2), "He");
    EXPECT_EQ(text.Right(-2), "");
    EXPECT_EQ(text.GetAt(99), '\0');
}

TEST(CString, FindAndReplace) {
    CString text("a__b__c");
    EXPECT_EQ(text.Find("__"), 1);
    EXPECT_EQ(text.Find("__", 2), 4);
    EXPECT_EQ(text.Find('x'), -1);
    EXPECT_EQ(text.Find('a', 99), -1);
    EXPECT_EQ(text.ReverseFind('_'), 5);
    EXPECT_EQ(text.FindOneOf("cb"), 3);
    EXPECT_EQ(text.Replace("__", "/"), 2);
    EXPECT_EQ(text, "a/b/c");
    EXPECT_EQ(text.Replace("/", "//"), 2);  // the replacement is not searched again
    EXPECT_EQ(text, "a//b//c");
    EXPECT_EQ(text.Replace("", "x"), 0);
    EXPECT_EQ(text.Remove('/'), 4);
    EXPECT_EQ(text, "abc");
}

TEST(CString, TrimCaseAndCompare) {
    CString text("  \tMixed Case \r\n");
    text.Trim();
    EXPECT_EQ(text, "Mixed Case");
    text.MakeUpper();
    EXPECT_EQ(text, "MIXED CASE");
    EXPECT_EQ(text.CompareNoCase("mixed case"), 0);
    EXPECT_LT(text.Compare("MIXED CASF"), 0);
    EXPECT_GT(text.CompareNoCase("mixed"), 0);
    CString dots("..x..");
    dots.Trim('.');
    EXPECT_EQ(dots, "x");
    CString mixed("xyabcyx");
    mixed.TrimLeft("xy");
    EXPECT_EQ(mixed, "abcyx");
    mixed.TrimRight("xy");
    EXPECT_EQ(mixed, "abc");
}

TEST(CString, BufferAccessSetsTheLength) {
    CString text;
    char* buffer = text.GetBuffer(16);
    std::snprintf(buffer, 17, "%s", "written");
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 7);
    EXPECT_EQ(text, "written");
    text.GetBuffer(0)[3] = '\0';
    text.ReleaseBuffer(-1);
    EXPECT_EQ(text, "wri");
    text.GetBufferSetLength(2);
    text.ReleaseBuffer(2);
    EXPECT_EQ(text, "wr");
}

TEST(CString, FormatInsertAndDelete) {
    CString text;
    text.Format("%s=%08lX", "VALUE", 0x1234u);
    EXPECT_EQ(text, "VALUE=00001234");
    text.AppendFormat(" (%d)", 5);
    EXPECT_EQ(text, "VALUE=00001234 (5)");
    text.Insert(0, '[');
    text.Insert(999, "]");
    EXPECT_EQ(text, "[VALUE=00001234 (5)]");
    text.Delete(1, 6);
    EXPECT_EQ(text, "[00001234 (5)]");
}

TEST(CString, ConcatenationAndSysString) {
    const CString a("abc");
    EXPECT_EQ(a + "def", "abcdef");
    EXPECT_EQ("x" + a, "xabc");
    EXPECT_EQ(a + '!', "abc!");
    EXPECT_TRUE(a < CString("abd"));
    platform::Bstr wide;
    *wide.Out() = a.AllocSysString();
    EXPECT_EQ(wide.Ansi(), "abc");
    EXPECT_EQ(CString('-', 3), "---");
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)), "");
}

}  // namespace
