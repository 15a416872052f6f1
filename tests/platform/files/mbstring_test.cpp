#include "platform/mbstring.h"

#include "tests/platform/code_page_scope.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const unsigned char* U(const char* text) {
    return reinterpret_cast<const unsigned char*>(text);
}

// Offset of a found character, -1 for none.
int At(const char* text, const unsigned char* found) {
    return found == nullptr ? -1 : static_cast<int>(found - U(text));
}

// In 932, 0x95 0x5C is one character whose trail byte is '\\', and 0x83 0x7C
// one whose trail byte is '|'.
constexpr const char* kTable = "\x95\x5C";
constexpr const char* kPo = "\x83\x7C";

TEST(MultibyteSearch, TrailBytesAreNeverFoundOnTheirOwn) {
    AnsiCodePageScope scope(932);
    const std::string text = std::string("a") + kTable + "\\b" + kPo + "|";  // a, 表, \, b, ポ, |
    const char* t = text.c_str();
    EXPECT_EQ(At(t, _mbschr(U(t), '\\')), 3);
    EXPECT_EQ(At(t, _mbsrchr(U(t), '\\')), 3);
    EXPECT_EQ(At(t, _mbschr(U(t), '|')), 7);
    EXPECT_EQ(At(t, _mbsrchr(U(t), '|')), 7);
    EXPECT_EQ(At(t, _mbschr(U(t), 0x955C)), 1);  // a double-byte character by its code
    EXPECT_EQ(At(t, _mbschr(U(t), 0)), 8);       // the terminator
    EXPECT_EQ(At(t, _mbsstr(U(t), U("\\b"))), 3);
    EXPECT_EQ(At(t, _mbsstr(U(t), U(kTable))), 1);
    EXPECT_EQ(At(t, _mbsstr(U(t), U(""))), 0);
    EXPECT_EQ(At(t, _mbsstr(U(t), U("|x"))), -1);
    EXPECT_EQ(At(t, _mbspbrk(U(t), U("|\\"))), 3);
    EXPECT_EQ(At(t, _mbspbrk(U(t), U(kPo))), 5);
    EXPECT_EQ(At(t, _mbschr(U("x\x95"), 0x95)), -1);  // a lead byte at the end is no character
}

TEST(MultibyteSearch, EverySingleByteIsACharacterIn1252) {
    const char* t = "a\x95\\b";
    EXPECT_EQ(At(t, _mbschr(U(t), '\\')), 2);
    EXPECT_EQ(At(t, _mbsinc(U(t) + 1)), 2);
    EXPECT_EQ(_mbslen(U(t)), 4u);
}

TEST(MultibyteStepping, StepsOverWholeCharacters) {
    AnsiCodePageScope scope(932);
    const std::string text = std::string("a") + kTable + kTable + "b";
    const char* t = text.c_str();
    EXPECT_EQ(At(t, _mbsinc(U(t))), 1);
    EXPECT_EQ(At(t, _mbsinc(U(t) + 1)), 3);
    EXPECT_EQ(At(t, _mbsdec(U(t), U(t) + 5)), 3);
    EXPECT_EQ(At(t, _mbsdec(U(t), U(t) + 3)), 1);
    EXPECT_EQ(At(t, _mbsdec(U(t), U(t) + 1)), 0);
    EXPECT_EQ(_mbsdec(U(t), U(t)), nullptr);
    EXPECT_EQ(_mbslen(U(t)), 4u);
    EXPECT_EQ(_mbsnextc(U(t) + 1), 0x955Cu);

    const char* truncated = "a\x95";  // a lead byte without its trail byte
    EXPECT_EQ(At(truncated, _mbsinc(U(truncated) + 1)), 2);
    EXPECT_EQ(_mbslen(U(truncated)), 1u);
}

TEST(MultibyteStepping, ByteTypes) {
    AnsiCodePageScope scope(932);
    const std::string text = std::string("a") + kTable + "b";
    const unsigned char* t = U(text.c_str());
    EXPECT_EQ(_mbsbtype(t, 0), _MBC_SINGLE);
    EXPECT_EQ(_mbsbtype(t, 1), _MBC_LEAD);
    EXPECT_EQ(_mbsbtype(t, 2), _MBC_TRAIL);
    EXPECT_EQ(_mbsbtype(t, 3), _MBC_SINGLE);
    EXPECT_EQ(_mbsbtype(t, 4), _MBC_SINGLE);   // the terminator
    EXPECT_EQ(_mbsbtype(t, 5), _MBC_ILLEGAL);  // past it
    EXPECT_EQ(_mbsbtype(U("\x95"), 1), _MBC_ILLEGAL);
    EXPECT_TRUE(_ismbblead(0x95));
    EXPECT_FALSE(_ismbblead('\\'));
}

TEST(MultibyteCase, FoldsAsciiAndDoubleByteLettersIn932) {
    AnsiCodePageScope scope(932);
    // Full-width A, Greek Alpha, Cyrillic A, ASCII Z, a half-width katakana.
    unsigned char text[] = "\x82\x60\x83\x9F\x84\x40Z\xB1";
    _mbslwr(text);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "\x82\x81\x83\xBF\x84\x70z\xB1");
    _mbsupr(text);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "\x82\x60\x83\x9F\x84\x40Z\xB1");
    // A trail byte that happens to be an upper-case ASCII letter stays.
    unsigned char po[] = "\x83\x41";
    _mbslwr(po);
    EXPECT_STREQ(reinterpret_cast<char*>(po), "\x83\x41");
}

TEST(MultibyteCase, FoldsOnlyAsciiIn1252) {
    unsigned char text[] = "\xC0Z\xE0";
    _mbslwr(text);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "\xC0z\xE0");
    EXPECT_NE(_mbsicmp(U("\xC0"), U("\xE0")), 0);
}

TEST(MultibyteCompare, ComparesByCharacterCode) {
    AnsiCodePageScope scope(932);
    struct Case {
        const char* a;
        const char* b;
        int exact;
        int folded;
    };
    const Case cases[] = {
        {"abc", "abc", 0, 0},
        {"abc", "ABC", 1, 0},
        {"ab", "a", 1, 1},
        {"a", "ab", -1, -1},
        {"[", "a", -1, -1},  // folding to lower case puts '[' before the letters
        {"_", "a", -1, -1},
        {"\x81\x40", "A", 1, 1},  // a double-byte character after every single byte
        {"\x82\x60", "\x82\x81", -1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(_mbscmp(U(c.a), U(c.b)), c.exact) << c.a << " / " << c.b;
        EXPECT_EQ(_mbsicmp(U(c.a), U(c.b)), c.folded) << c.a << " / " << c.b;
    }
    EXPECT_EQ(_mbsnbicmp(U("abcX"), U("ABCy"), 3), 0);
    EXPECT_EQ(_mbsnbicmp(U("abc"), U("ABD"), 3), -1);
    EXPECT_EQ(_mbsnbicmp(U("\x82\x60x"), U("\x82\x81y"), 2), 0);
    EXPECT_EQ(_mbsnbcmp(U("abc"), U("abD"), 3), 1);
}

TEST(MultibyteClasses, LettersAndSpaces) {
    {
        AnsiCodePageScope scope(932);
        EXPECT_TRUE(_ismbcalpha('A'));
        EXPECT_TRUE(_ismbcalpha(0x8260));  // full-width A
        EXPECT_TRUE(_ismbcalpha(0x88EA));  // a kanji
        EXPECT_TRUE(_ismbcalpha(0xB1));    // a half-width katakana
        EXPECT_FALSE(_ismbcalpha('0'));
        EXPECT_FALSE(_ismbcalpha(0x824F));  // full-width digit 0
        EXPECT_FALSE(_ismbcalpha(0x8140));
        EXPECT_TRUE(_ismbcspace(0x8140));  // the ideographic space
        EXPECT_TRUE(_ismbcspace('\t'));
        EXPECT_FALSE(_ismbcspace(0xA0));
    }
    EXPECT_TRUE(_ismbcalpha(0xC0));
    EXPECT_TRUE(_ismbcalpha(0x8A));
    EXPECT_FALSE(_ismbcalpha(0xD7));  // the multiplication sign
    EXPECT_TRUE(_ismbcspace(0xA0));   // the no-break space
    EXPECT_FALSE(_ismbcspace(0x85));
}

}  // namespace
