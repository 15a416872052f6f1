#include "util/string_text.h"

#include "tests/platform/code_page_scope.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr const char* kTable = "\x95\x5C";  // one 932 character whose trail byte is '\\'

TEST(StringSearch, FindsOnCharacterBoundaries) {
    EXPECT_EQ(FindSubstring("abcabc", "ca"), 2);
    EXPECT_EQ(FindSubstring("abc", "x"), -1);
    AnsiCodePageScope scope(932);
    const std::string text = std::string("a") + kTable + "\\b";
    EXPECT_EQ(FindSubstring(text.c_str(), "\\b"), 3);
    EXPECT_EQ(FindLastChar(text.c_str(), '\\'), text.c_str() + 3);
    EXPECT_EQ(LastCharPointer(text.c_str()), text.c_str() + 4);
    const std::string ending = std::string("a") + kTable;
    EXPECT_EQ(LastCharPointer(ending.c_str()), ending.c_str() + 1);
    EXPECT_EQ(FindLastChar(ending.c_str(), '\\'), nullptr);
    const char* empty = "";
    EXPECT_EQ(LastCharPointer(empty), empty);
    EXPECT_EQ(FindLastChar(nullptr, 'a'), nullptr);
}

TEST(StringSearch, NthCharacter) {
    const char* text = "a,b,";
    EXPECT_EQ(FindNthChar(text, ',', 1), text + 1);
    EXPECT_EQ(FindNthChar(text, ',', 2), text + 3);
    EXPECT_EQ(FindNthChar(text, ',', 3), nullptr);
    EXPECT_EQ(FindNthChar("a,", ',', 2), nullptr);
    EXPECT_EQ(FindNthChar(text, ',', 0), nullptr);
    EXPECT_EQ(FindNthChar(nullptr, ',', 1), nullptr);
}

TEST(StringSearch, TextRanges) {
    const char* text = "hello world";
    EXPECT_STREQ(CopyTextRange(text + 2, text + 6).get(), "llo w");
    EXPECT_STREQ(CopyTextRange(text + 6, text + 2).get(), "");
    CString out;
    AssignTextRange(text, text + 4, out);
    EXPECT_EQ(out, "hello");
    AnsiCodePageScope scope(932);
    const std::string wide = std::string("x") + kTable + "y";
    EXPECT_STREQ(CopyTextRange(wide.c_str(), wide.c_str() + 1).get(), (std::string("x") + kTable).c_str());
}

TEST(StringText, PartsOfTexts) {
    EXPECT_EQ(LeftChars("abcdef", 3), "abc");
    EXPECT_EQ(LeftChars("ab", 3), "ab");
    EXPECT_EQ(TextBeforeLast("a.b.c", '.'), "a.b");
    EXPECT_EQ(TextAfterLast("a.b.c", '.'), "c");
    EXPECT_EQ(TextBeforeLast("abc.", '.'), "");
    EXPECT_EQ(TextAfterLast("abc.", '.'), "");
    EXPECT_EQ(TextAfterLast("abc", '.'), "");

    CString rest = "unchanged";
    EXPECT_TRUE(StripPrefix("PREFIXrest", "prefix", rest));
    EXPECT_EQ(rest, "rest");
    EXPECT_TRUE(StripPrefix("same", "SAME", rest));
    EXPECT_EQ(rest, "");
    EXPECT_FALSE(StripPrefix("ab", "abc", rest));
    EXPECT_FALSE(StripPrefix("", "a", rest));

    CString front = "unchanged";
    EXPECT_TRUE(StripSuffix("name.MOT", ".mot", front));
    EXPECT_EQ(front, "name");
    EXPECT_FALSE(StripSuffix("a.x.x", ".x", front));  // the first occurrence does not end the text
    EXPECT_EQ(front, "name");
}

TEST(StringText, CaseAndCharacters) {
    EXPECT_EQ(MakeLowerCopy("D:\\Dir\\File.TXT"), "d:\\dir\\file.txt");
    CString text = "a,b,,c";
    RemoveChar(text, ',');
    EXPECT_EQ(text, "abc");
    {
        AnsiCodePageScope scope(932);
        CString path = std::string(kTable) + "\\x";
        RemoveChar(path, '\\');
        EXPECT_EQ(path, std::string(kTable) + "x");
        const std::string upper = std::string("\x83\x41") + "B";  // a katakana whose trail byte is 'A'
        EXPECT_EQ(MakeLowerCopy(upper.c_str()), std::string("\x83\x41") + "b");
    }
    EXPECT_EQ(EscapeChar("a|b\\c", '|', '\\'), "a\\|b\\\\c");
    EXPECT_EQ(UndoubleChar("a''b'''c", '\''), "a'b''c");
    EXPECT_EQ(UnquoteText("\"quoted\""), "quoted");
    EXPECT_EQ(UnquoteText("plain"), "plain");
    EXPECT_EQ(UnquoteText("\""), "");
    EXPECT_EQ(CrLfToLf("a\r\nb\rc\n"), "a\nb\rc\n");
    EXPECT_EQ(SpacesText(3), "   ");
    EXPECT_EQ(SpacesText(-1), "");
}

// ShortenWithDots took a negative count for lengths below 3.
TEST(StringText, ShortenWithDots) {
    EXPECT_EQ(ShortenWithDots("abcdefgh", 6), "abc...");
    EXPECT_EQ(ShortenWithDots("abc", 6), "abc");
    EXPECT_EQ(ShortenWithDots("abcdefgh", 3), "...");
    EXPECT_EQ(ShortenWithDots("abcdefgh", 1), "...");
    EXPECT_EQ(ShortenWithDots("abcdefgh", -5), "...");
    AnsiCodePageScope scope(932);
    const std::string text = std::string("a") + kTable + "bcdef";
    EXPECT_EQ(ShortenWithDots(text.c_str(), 5), "a...");  // never half a character
}

TEST(StringText, ReplaceAll) {
    EXPECT_EQ(ReplaceAll("a-b-c", "-", "+-+"), "a+-+b+-+c");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    AnsiCodePageScope scope(932);
    const std::string text = std::string(kTable) + "\\";
    EXPECT_EQ(ReplaceAll(text.c_str(), "\\", "/"), std::string(kTable) + "/");
}

TEST(StringText, ReplaceAllNoCaseRestartsFromTheBeginning) {
    // Restarting finds the occurrence that a replacement forms with the text
    // before it.
    EXPECT_EQ(ReplaceAllNoCase("aAbB", "ab", ""), "");
    EXPECT_EQ(ReplaceAllNoCase("x-Y-x", "x", "z"), "z-Y-z");
    EXPECT_EQ(ReplaceAllNoCase("abc", "", "z"), "abc");
}

// A replacement holding the find text made the restart loop for ever.
TEST(StringText, ReplaceAllNoCaseEndsWhenTheReplacementHoldsTheFindText) {
    EXPECT_EQ(ReplaceAllNoCase("a-A", "a", "[A]"), "[A]-[A]");
    EXPECT_EQ(ReplaceAllNoCase("ab", "B", "bb"), "abb");
}

TEST(StringText, CharacterTests) {
    AnsiCodePageScope scope(932);
    const std::string text = std::string("a") + kTable;
    EXPECT_TRUE(IsSingleByteChar(text.c_str(), 0));
    EXPECT_FALSE(IsSingleByteChar(text.c_str(), 1));
    EXPECT_FALSE(IsSingleByteChar(text.c_str(), 2));
    EXPECT_FALSE(IsSingleByteChar(text.c_str(), 3));
    EXPECT_EQ(CharByteCount(text.c_str() + 1), 2);
    EXPECT_EQ(CharByteCount(text.c_str()), 1);
    EXPECT_EQ(TextByteCount(text.c_str()), 3);
    EXPECT_TRUE(ContainsWhitespace("a\x81\x40" "b"));  // the ideographic space
    EXPECT_FALSE(ContainsWhitespace(text.c_str()));
    EXPECT_TRUE(IsBlankText(" \t\x81\x40"));
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_FALSE(IsBlankText(" x"));
}

}  // namespace
