#include "platform/codepage.h"

#include "tests/platform/code_page_scope.h"
#include "tests/support/sides.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <iconv.h>
#endif

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// WCHAR is char16_t on Linux and wchar_t on Windows: both hold UTF-16 code
// units, so the tests keep their wide texts as char16_t on either side.
LPWSTR AsWide(char16_t* text) {
    return reinterpret_cast<LPWSTR>(text);
}
LPCWSTR AsWide(const char16_t* text) {
    return reinterpret_cast<LPCWSTR>(text);
}

// Converts as callers do: a size query, then the conversion into a buffer of
// exactly that size. Nothing when either call fails.
std::optional<std::u16string> Decode(UINT codePage, const std::string& bytes, DWORD flags = 0) {
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::u16string text(static_cast<std::size_t>(needed), u'\0');
    if (MultiByteToWideChar(codePage, flags, bytes.data(), length, AsWide(text.data()), needed) != needed) {
        return std::nullopt;
    }
    return text;
}

struct Encoded {
    std::string bytes;
    BOOL usedDefault = -1;
};

std::optional<Encoded> Encode(UINT codePage, const std::u16string& text, LPCSTR defaultChar = nullptr,
                              DWORD flags = 0) {
    const int length = static_cast<int>(text.size());
    Encoded result;
    const int needed =
        WideCharToMultiByte(codePage, flags, AsWide(text.data()), length, nullptr, 0, defaultChar, nullptr);
    if (needed == 0) {
        return std::nullopt;
    }
    result.bytes.assign(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(codePage, flags, AsWide(text.data()), length, result.bytes.data(), needed, defaultChar,
                            codePage == CP_UTF8 ? nullptr : &result.usedDefault) != needed) {
        return std::nullopt;
    }
    return result;
}

std::string Hex(const std::string& bytes) {
    std::string text;
    for (const char byte : bytes) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        text += kDigits[static_cast<unsigned char>(byte) >> 4];
        text += kDigits[static_cast<unsigned char>(byte) & 0xF];
        text += ' ';
    }
    return text;
}

// The last error a failing call leaves, starting from a clean slate.
template <typename Call>
DWORD FailureOf(Call call) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(0, call());
    return GetLastError();
}

TEST(AnsiCodePage, StartsAsWesternWithoutLeadBytes) {
    EXPECT_EQ(1252u, GetACP());
    EXPECT_EQ(1252u, platform::AnsiCodePage());
    for (unsigned byte = 0; byte <= 0xFF; ++byte) {
        EXPECT_FALSE(IsDBCSLeadByte(static_cast<BYTE>(byte))) << byte;
    }
}

TEST(AnsiCodePage, OffersOnlyWesternAndJapanese) {
    struct Case {
        UINT codePage;
        bool offered;
    };
    const Case cases[] = {{932, true}, {1252, true}, {CP_ACP, false}, {CP_UTF8, false}, {437, false}, {936, false}};
    AnsiCodePageScope scope(932);
    for (const Case& c : cases) {
        ASSERT_TRUE(platform::SetAnsiCodePage(932));
        EXPECT_EQ(c.offered, platform::SetAnsiCodePage(c.codePage)) << c.codePage;
        // A refused code page leaves the current one in place.
        EXPECT_EQ(c.offered ? c.codePage : 932u, GetACP()) << c.codePage;
        EXPECT_EQ(GetACP(), platform::AnsiCodePage());
    }
}

TEST(AnsiCodePage, JapaneseLeadBytesEndAtTheirRanges) {
    AnsiCodePageScope japanese(932);
    struct Case {
        BYTE byte;
        bool lead;
    };
    const Case cases[] = {{0x00, false}, {0x40, false}, {0x5C, false}, {0x7C, false}, {0x80, false},
                          {0x81, true},  {0x83, true},  {0x9F, true},  {0xA0, false}, {0xA1, false},
                          {0xDF, false}, {0xE0, true},  {0xEF, true},  {0xFC, true},  {0xFD, false},
                          {0xFF, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.lead ? TRUE : FALSE, IsDBCSLeadByte(c.byte)) << int{c.byte};
    }
}

TEST(Western, EveryByteRoundTrips) {
    std::string bytes;
    for (unsigned byte = 0; byte <= 0xFF; ++byte) {
        bytes += static_cast<char>(byte);
    }
    const auto wide = Decode(1252, bytes, MB_ERR_INVALID_CHARS);
    ASSERT_TRUE(wide);
    ASSERT_EQ(256u, wide->size());
    const auto back = Encode(1252, *wide);
    ASSERT_TRUE(back);
    EXPECT_EQ(Hex(bytes), Hex(back->bytes));
    EXPECT_EQ(FALSE, back->usedDefault);
}

TEST(Western, MapsTheBytesAbove0x7FAsWindowsDoes) {
    struct Case {
        unsigned char byte;
        char16_t character;
    };
    const Case cases[] = {
        {0x41, u'A'},      {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x8A, u'\u0160'}, {0x8D, u'\u008D'},
        {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x92, u'\u2019'}, {0x9D, u'\u009D'}, {0x9F, u'\u0178'},
        {0xA0, u'\u00A0'}, {0xE9, u'\u00E9'}, {0xFF, u'\u00FF'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::u16string(1, c.character), Decode(1252, std::string(1, static_cast<char>(c.byte))))
            << int{c.byte};
    }
}

// An independent check of the table: the system's converter agrees on every
// byte it assigns (it leaves out the five bytes Windows maps to C1 controls).
TEST(Western, AgreesWithTheSystemConverter) {
    Q3V_SKIP_ON_WINDOWS("the check is of our own table against iconv, which only the Linux side has");
#ifndef _WIN32
    const iconv_t converter = iconv_open("UTF-16BE", "CP1252");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        GTEST_SKIP() << "no CP1252 converter on this system";
    }
    int compared = 0;
    for (unsigned byte = 0x01; byte <= 0xFF; ++byte) {
        char input = static_cast<char>(byte);
        char* in = &input;
        std::size_t inLeft = 1;
        std::array<char, 4> output{};
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            continue;
        }
        const auto expected = static_cast<char16_t>(static_cast<unsigned char>(output[0]) << 8 |
                                                    static_cast<unsigned char>(output[1]));
        EXPECT_EQ(std::u16string(1, expected), Decode(1252, std::string(1, input))) << byte;
        ++compared;
    }
    iconv_close(converter);
    EXPECT_EQ(250, compared);
#endif
}

// The default character is the first byte of the one given, a NUL too.
TEST(Western, UnmappableCharactersBecomeTheDefaultCharacter) {
    struct Case {
        std::u16string text;
        LPCSTR defaultChar;
        std::string bytes;
        BOOL usedDefault;
    };
    const Case cases[] = {
        {u"caf\u00E9 \u20AC", nullptr, "caf\xE9 \x80", FALSE},
        {u"a\u3042b", nullptr, "a?b", TRUE},
        {u"a\u3042b", "*", "a*b", TRUE},
        {u"\u3042\u4E00", "#", "##", TRUE},
        {u"\u3042", "XY", "X", TRUE},
        {u"a\u3042", "", "a\0"s, TRUE},
        {u"\xD83D\xDE00", nullptr, "??", TRUE},  // each half of a surrogate pair
    };
    for (const Case& c : cases) {
        const auto encoded = Encode(1252, c.text, c.defaultChar);
        ASSERT_TRUE(encoded);
        EXPECT_EQ(Hex(c.bytes), Hex(encoded->bytes));
        EXPECT_EQ(c.usedDefault, encoded->usedDefault);
    }
}

// A character the code page cannot hold becomes a look-alike it can (its
// "best fit"), which is not the default character; WC_NO_BEST_FIT_CHARS asks
// for the default character instead.
TEST(Western, CharactersWithoutAByteBecomeTheirBestFit) {
    struct Case {
        std::u16string text;
        std::string bestFit;
    };
    const Case cases[] = {
        {u"\u0100\u0101\u0110", "Aa\xD0"},     // Latin letters with marks the code page lacks
        {u"\u2002\u2212\u2264", " -="},         // spaces and symbols
        {u"\uFF21\uFF41\uFF10", "Aa0"},         // full-width forms
        {u"e\u0301", "e\xB4"},                   // a combining accent becomes the spacing one
        {u"\u0393\u03B1\u03C0", "Gap"},         // Greek letters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.bestFit));
        const auto fitted = Encode(1252, c.text);
        ASSERT_TRUE(fitted);
        EXPECT_EQ(Hex(c.bestFit), Hex(fitted->bytes));
        EXPECT_EQ(FALSE, fitted->usedDefault);
        const auto strict = Encode(1252, c.text, "#", WC_NO_BEST_FIT_CHARS);
        ASSERT_TRUE(strict);
        EXPECT_EQ(TRUE, strict->usedDefault);
        EXPECT_NE(Hex(c.bestFit), Hex(strict->bytes));
    }
    // Best fit and the default character side by side.
    const auto mixed = Encode(1252, u"\u0100\u3042", "#");
    ASSERT_TRUE(mixed);
    EXPECT_EQ("A#", mixed->bytes);
    EXPECT_EQ(TRUE, mixed->usedDefault);
    // One way only: the bytes convert back to the look-alike.
    EXPECT_EQ(u"A", Decode(1252, "A"));
}

TEST(Japanese, DecodesDoubleByteCharactersWhoseTrailByteIsAsciiPunctuation) {
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"\x83\x5C", u"\u30BD"},                    // trail byte equal to '\\'
        {"\x83\x7C", u"\u30DD"},                    // trail byte equal to '|'
        {"\x83\x5C\x5C", u"\u30BD\\"},              // a real backslash after it
        {"A\x83\x5C|\x83\x7C", u"A\u30BD|\u30DD"},  // mixed with ASCII
        {"\x82\xA0\x81\x60", u"\u3042\uFF5E"},
        {"\x87\x40\xFA\x40", u"\u2460\u2170"},
        {"\xF0\x40", u"\uE000"},                 // user-defined area
        {"\xB1\xDF\xA1", u"\uFF71\uFF9F\uFF61"},  // half-width katakana
        {"\x5C\x7E\x80", u"\\~\u0080"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text, Decode(932, c.bytes, MB_ERR_INVALID_CHARS)) << Hex(c.bytes);
    }
}

// Single bytes outside both ranges are characters of their own, private-use
// ones but for 0x80, and only 0x80 is a valid character.
TEST(Japanese, SingleBytesOutsideTheRangesConvertButAreNotValidCharacters) {
    EXPECT_EQ(u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3", Decode(932, "\x80\xA0\xFD\xFE\xFF"));
    for (const char byte : {'\xA0', '\xFD', '\xFE', '\xFF'}) {
        const std::string bytes(1, byte);
        EXPECT_EQ(ERROR_NO_UNICODE_TRANSLATION, FailureOf([&] {
                      return MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), 1, nullptr, 0);
                  }))
            << Hex(bytes);
    }
}

TEST(Japanese, EncodesBackToTheSameBytes) {
    const std::string bytes = "A\x83\x5C|\x83\x7C\\\x82\xA0\xB1\x80\xA0\xFD\xF0\x40";
    const auto wide = Decode(932, bytes);
    ASSERT_TRUE(wide);
    const auto back = Encode(932, *wide);
    ASSERT_TRUE(back);
    EXPECT_EQ(Hex(bytes), Hex(back->bytes));
    EXPECT_EQ(FALSE, back->usedDefault);
}

// Without MB_ERR_INVALID_CHARS a broken or unassigned character becomes U+30FB.
// A lead byte takes the byte after it whatever that is, so a pair with an
// invalid trail byte is one broken character; only a NUL (or the end of the
// text) leaves the lead byte standing alone.
TEST(Japanese, InvalidSequencesBecomeTheMiddleDotOrFail) {
    struct Case {
        std::string bytes;
        std::u16string lenient;
    };
    const Case cases[] = {
        {"\x83", u"\u30FB"},                // lead byte at the end
        {"ab\x83", u"ab\u30FB"},
        {"\x83\x20", u"\u30FB"},            // trail byte below the range
        {"\x81\x7F", u"\u30FB"},            // 0x7F is no trail byte
        {"\x83\x0A!", u"\u30FB!"},          // not even a line feed stands alone
        {"\x83\xFD", u"\u30FB"},            // trail byte above the range
        {"\x83\x00"s, u"\u30FB\0"s},        // a NUL is never swallowed
        {"\x81\xAD", u"\u30FB"},            // valid form, unassigned
        {"\x85\x40x", u"\u30FBx"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.lenient, Decode(932, c.bytes)) << Hex(c.bytes);
        EXPECT_EQ(ERROR_NO_UNICODE_TRANSLATION,
                  FailureOf([&] {
                      return MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, c.bytes.data(),
                                                 static_cast<int>(c.bytes.size()), nullptr, 0);
                  }))
            << Hex(c.bytes);
    }
}

TEST(Japanese, UnmappableCharactersBecomeTheDefaultCharacter) {
    struct Case {
        std::u16string text;
        LPCSTR defaultChar;
        std::string bytes;
        BOOL usedDefault;
    };
    const Case cases[] = {
        {u"\u30BD", nullptr, "\x83\x5C", FALSE},
        {u"x\u0100y", nullptr, "x?y", TRUE},
        {u"\u0100", "\x81\x45", "\x81\x45", TRUE},  // a double-byte default character
        {u"\u0100", "\x81", "\x81", TRUE},          // a lone lead byte is taken as it is
        {u"\u0100", "XY", "XY", TRUE},              // two bytes given are two bytes written
    };
    for (const Case& c : cases) {
        const auto encoded = Encode(932, c.text, c.defaultChar);
        ASSERT_TRUE(encoded);
        EXPECT_EQ(Hex(c.bytes), Hex(encoded->bytes));
        EXPECT_EQ(c.usedDefault, encoded->usedDefault);
    }
}

// Best fit in the double-byte code page: accented Latin letters lose their
// marks and some symbols take a double-byte look-alike. Characters that the
// system's converter maps one way but Windows does not map at all (U+2014,
// whose bytes belong to U+2015) become the default character.
TEST(Japanese, CharactersWithoutBytesBecomeTheirBestFitOrTheDefault) {
    struct Case {
        std::u16string text;
        std::string bytes;
        BOOL usedDefault;
    };
    const Case cases[] = {
        {u"\u00E9\u00FC", "eu", FALSE},
        {u"\u00AB\u00B7", "\x81\xE1\x81\x45", FALSE},
        {u"\u00A5\u00A2", "\x5C\x81\x91", FALSE},
        {u"\u2014\u2015", "?\x81\x5C", TRUE},
        {u"\u2016\u2225", "?\x81\x61", TRUE},
    };
    for (const Case& c : cases) {
        const auto encoded = Encode(932, c.text);
        ASSERT_TRUE(encoded);
        EXPECT_EQ(Hex(c.bytes), Hex(encoded->bytes));
        EXPECT_EQ(c.usedDefault, encoded->usedDefault);
    }
    const auto strict = Encode(932, u"\u00E9", nullptr, WC_NO_BEST_FIT_CHARS);
    ASSERT_TRUE(strict);
    EXPECT_EQ("?", strict->bytes);
    EXPECT_EQ(TRUE, strict->usedDefault);
}

TEST(CodePageSelection, AnsiFollowsTheCurrentCodePageAndExplicitPagesDoNot) {
    const std::string bytes = "\x83\x5C";
    EXPECT_EQ(u"\u0192\\", Decode(CP_ACP, bytes));
    EXPECT_EQ(u"\u30BD", Decode(932, bytes));
    {
        AnsiCodePageScope japanese(932);
        EXPECT_EQ(u"\u30BD", Decode(CP_ACP, bytes));
        EXPECT_EQ(u"\u0192\\", Decode(1252, bytes));
        const auto encoded = Encode(CP_ACP, u"\u30BD");
        ASSERT_TRUE(encoded);
        EXPECT_EQ(bytes, encoded->bytes);
    }
    EXPECT_EQ(1252u, GetACP());
}

TEST(CodePageSelection, TheThreadCodePageIsTheAnsiCodePage) {
    const std::string bytes = "\x83\x5C";
    EXPECT_EQ(u"\u0192\\", Decode(CP_THREAD_ACP, bytes));
    AnsiCodePageScope japanese(932);
    EXPECT_EQ(u"\u30BD", Decode(CP_THREAD_ACP, bytes));
    const auto encoded = Encode(CP_THREAD_ACP, u"\u30BD");
    ASSERT_TRUE(encoded);
    EXPECT_EQ(bytes, encoded->bytes);
}

TEST(Utf8, DecodesWellFormedText) {
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"A", u"A"},
        {"\xC3\xA9", u"\u00E9"},
        {"\xE3\x82\xBD", u"\u30BD"},
        {"\xEF\xBF\xBF", u"\uFFFF"},
        {"\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
        {"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text, Decode(CP_UTF8, c.bytes, MB_ERR_INVALID_CHARS)) << Hex(c.bytes);
        const auto back = Encode(CP_UTF8, c.text);
        ASSERT_TRUE(back);
        EXPECT_EQ(Hex(c.bytes), Hex(back->bytes));
    }
}

// One U+FFFD per broken part; the bytes after it are read afresh. A
// continuation byte right after a lead byte belongs to the lead's part even
// when it is out of the range that lead allows.
TEST(Utf8, IllFormedTextBecomesReplacementCharactersOrFails) {
    struct Case {
        std::string bytes;
        std::u16string lenient;
    };
    const Case cases[] = {
        {"\xC3", u"\uFFFD"},                          // cut short
        {"\xE3\x82" "A", u"\uFFFD" "A"},              // cut short before ASCII
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                // C0 never starts a sequence
        {"\xE0\x80\x80", u"\uFFFD\uFFFD"},             // overlong: E0 80 is one part
        {"\xE0\x80", u"\uFFFD"},
        {"\xF0\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD"},    // overlong four-byte form
        {"\xED\xA0\x80", u"\uFFFD\uFFFD"},             // an encoded surrogate
        {"\xED\xBF\xBF", u"\uFFFD\uFFFD"},
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD"},    // above U+10FFFF
        {"\xE1\x80" "A", u"\uFFFD" "A"},              // an in-range start cut short
        {"\x80x", u"\uFFFDx"},                        // a stray continuation byte
        {"\xFF", u"\uFFFD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.lenient, Decode(CP_UTF8, c.bytes)) << Hex(c.bytes);
        EXPECT_FALSE(Decode(CP_UTF8, c.bytes, MB_ERR_INVALID_CHARS)) << Hex(c.bytes);
        EXPECT_EQ(ERROR_NO_UNICODE_TRANSLATION, GetLastError());
    }
}

TEST(Utf8, LoneSurrogatesEncodeAsReplacementCharactersOrFail) {
    const auto encoded = Encode(CP_UTF8, u"a\xD83D" "b\xDE00");
    ASSERT_TRUE(encoded);
    EXPECT_EQ(Hex("a\xEF\xBF\xBD" "b\xEF\xBF\xBD"), Hex(encoded->bytes));
    for (const std::u16string& text : {u"\xD800"s, u"a\xDC00"s, u"\xDE00\xD83D"s}) {
        EXPECT_FALSE(Encode(CP_UTF8, text, nullptr, WC_ERR_INVALID_CHARS));
        EXPECT_EQ(ERROR_NO_UNICODE_TRANSLATION, GetLastError());
    }
    EXPECT_TRUE(Encode(CP_UTF8, u"\xD83D\xDE00", nullptr, WC_ERR_INVALID_CHARS));
}

TEST(Conversion, NulTerminatedSourceCountsItsNul) {
    const char bytes[] = "A\x83\x5C";
    EXPECT_EQ(4, MultiByteToWideChar(1252, 0, bytes, -1, nullptr, 0));
    EXPECT_EQ(3, MultiByteToWideChar(932, 0, bytes, -1, nullptr, 0));
    std::array<char16_t, 3> wide{};
    ASSERT_EQ(3, MultiByteToWideChar(932, 0, bytes, -1, AsWide(wide.data()), 3));
    EXPECT_EQ(u"A\u30BD"s + u'\0', std::u16string(wide.data(), 3));

    const char16_t text[] = u"A\u30BD";
    EXPECT_EQ(4, WideCharToMultiByte(932, 0, AsWide(text), -1, nullptr, 0, nullptr, nullptr));
    std::array<char, 4> narrow{};
    ASSERT_EQ(4, WideCharToMultiByte(932, 0, AsWide(text), -1, narrow.data(), 4, nullptr, nullptr));
    EXPECT_EQ("A\x83\x5C"s + '\0', std::string(narrow.data(), 4));
}

TEST(Conversion, TooSmallDestinationsFail) {
    const char bytes[] = "A\x83\x5C";  // 3 characters with the NUL in 932
    const char16_t text[] = u"A\u30BD";   // 4 bytes with the NUL in 932
    std::array<char16_t, 8> wide{};
    std::array<char, 8> narrow{};
    for (int size = 1; size < 3; ++size) {
        EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER,
                  FailureOf([&] { return MultiByteToWideChar(932, 0, bytes, -1, AsWide(wide.data()), size); }))
            << size;
    }
    for (int size = 1; size < 4; ++size) {
        EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, FailureOf([&] {
                      return WideCharToMultiByte(932, 0, AsWide(text), -1, narrow.data(), size, nullptr, nullptr);
                  }))
            << size;
    }
    // A larger destination than needed is fine and answers the written size.
    EXPECT_EQ(3, MultiByteToWideChar(932, 0, bytes, -1, AsWide(wide.data()), 8));
    EXPECT_EQ(4, WideCharToMultiByte(932, 0, AsWide(text), -1, narrow.data(), 8, nullptr, nullptr));
}

TEST(Conversion, RejectsInvalidParameters) {
    const char bytes[] = "abc";
    const char16_t text[] = u"abc";
    std::array<char16_t, 8> wide{};
    std::array<char, 8> narrow{};
    struct Case {
        const char* what;
        std::function<int()> call;
        DWORD error;
    };
    const Case cases[] = {
        {"null source", [&] { return MultiByteToWideChar(1252, 0, nullptr, 3, AsWide(wide.data()), 8); },
         ERROR_INVALID_PARAMETER},
        {"empty source", [&] { return MultiByteToWideChar(1252, 0, bytes, 0, AsWide(wide.data()), 8); },
         ERROR_INVALID_PARAMETER},
        {"negative size", [&] { return MultiByteToWideChar(1252, 0, bytes, 3, AsWide(wide.data()), -1); },
         ERROR_INVALID_PARAMETER},
        {"null destination with a size", [&] { return MultiByteToWideChar(1252, 0, bytes, 3, nullptr, 8); },
         ERROR_INVALID_PARAMETER},
        {"unknown code page", [&] { return MultiByteToWideChar(4321, 0, bytes, 3, AsWide(wide.data()), 8); },
         ERROR_INVALID_PARAMETER},
        {"unknown flag", [&] { return MultiByteToWideChar(1252, 0x1000, bytes, 3, AsWide(wide.data()), 8); },
         ERROR_INVALID_FLAGS},
        {"wide: null source",
         [&] { return WideCharToMultiByte(1252, 0, nullptr, 3, narrow.data(), 8, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"wide: empty source",
         [&] { return WideCharToMultiByte(1252, 0, AsWide(text), 0, narrow.data(), 8, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"wide: negative size",
         [&] { return WideCharToMultiByte(1252, 0, AsWide(text), 3, narrow.data(), -1, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"wide: null destination with a size",
         [&] { return WideCharToMultiByte(1252, 0, AsWide(text), 3, nullptr, 8, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"wide: unknown code page",
         [&] { return WideCharToMultiByte(4321, 0, AsWide(text), 3, narrow.data(), 8, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"wide: unknown flag",
         [&] { return WideCharToMultiByte(1252, 0x1000, AsWide(text), 3, narrow.data(), 8, nullptr, nullptr); },
         ERROR_INVALID_FLAGS},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.error, FailureOf(c.call)) << c.what;
    }
}

// Windows takes a length below -1 as -1 too: the text up to and including its NUL.
TEST(Conversion, AnyNegativeLengthMeansNulTerminated) {
    const char bytes[] = "abc";
    const char16_t text[] = u"abc";
    for (const int length : {-2, -100}) {
        EXPECT_EQ(4, MultiByteToWideChar(1252, 0, bytes, length, nullptr, 0)) << length;
        EXPECT_EQ(4, WideCharToMultiByte(1252, 0, AsWide(text), length, nullptr, 0, nullptr, nullptr)) << length;
    }
}

// Flags whose work does not arise in these code pages are accepted.
TEST(Conversion, FlagsThatChangeNothingHereAreAccepted) {
    const std::string bytes = "a\x01\xE9\x83\x5C";
    const std::u16string text = u"a\x01\u00E9\u30BD";
    for (const UINT codePage : {1252u, 932u}) {
        SCOPED_TRACE(codePage);
        for (const DWORD flags : {DWORD{MB_PRECOMPOSED}, DWORD{MB_USEGLYPHCHARS}}) {
            EXPECT_EQ(Decode(codePage, bytes), Decode(codePage, bytes, flags)) << flags;
        }
        const auto plain = Encode(codePage, text);
        ASSERT_TRUE(plain);
        for (const DWORD flags : {DWORD{WC_DISCARDNS}, DWORD{WC_SEPCHARS}, DWORD{WC_DEFAULTCHAR}}) {
            const auto flagged = Encode(codePage, text, nullptr, flags);
            ASSERT_TRUE(flagged) << flags;
            EXPECT_EQ(Hex(plain->bytes), Hex(flagged->bytes)) << flags;
        }
    }
}

TEST(Conversion, CompositionFlagsAreNotOffered) {
    Q3V_SKIP_ON_WINDOWS("Windows decomposes characters under MB_COMPOSITE and composes them under "
                        "WC_COMPOSITECHECK; the Linux side does not offer these flags");
    const char bytes[] = "\xE9";
    const char16_t text[] = u"e\u0301";
    EXPECT_EQ(ERROR_INVALID_FLAGS,
              FailureOf([&] { return MultiByteToWideChar(1252, MB_COMPOSITE, bytes, 1, nullptr, 0); }));
    EXPECT_EQ(ERROR_INVALID_FLAGS, FailureOf([&] {
                  return WideCharToMultiByte(1252, WC_COMPOSITECHECK, AsWide(text), 2, nullptr, 0, nullptr, nullptr);
              }));
}

// Windows documents that UTF-8 takes no default character and no flag but
// the invalid-character one, and that WC_ERR_INVALID_CHARS is for UTF-8 only.
TEST(Conversion, Utf8TakesNoDefaultCharacterAndOnlyTheInvalidCharacterFlag) {
    Q3V_SKIP_ON_WINDOWS("Wine differs from Windows here: it accepts a default character and any flag with UTF-8, "
                        "and WC_ERR_INVALID_CHARS with other code pages");
    const char bytes[] = "abc";
    const char16_t text[] = u"abc";
    BOOL used = FALSE;
    struct Case {
        const char* what;
        std::function<int()> call;
        DWORD error;
    };
    const Case cases[] = {
        {"a default character",
         [&] { return WideCharToMultiByte(CP_UTF8, 0, AsWide(text), 3, nullptr, 0, "?", nullptr); },
         ERROR_INVALID_PARAMETER},
        {"asking about the default character",
         [&] { return WideCharToMultiByte(CP_UTF8, 0, AsWide(text), 3, nullptr, 0, nullptr, &used); },
         ERROR_INVALID_PARAMETER},
        {"MB_PRECOMPOSED", [&] { return MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, bytes, 3, nullptr, 0); },
         ERROR_INVALID_FLAGS},
        {"WC_NO_BEST_FIT_CHARS",
         [&] {
             return WideCharToMultiByte(CP_UTF8, WC_NO_BEST_FIT_CHARS, AsWide(text), 3, nullptr, 0, nullptr, nullptr);
         },
         ERROR_INVALID_FLAGS},
        {"WC_ERR_INVALID_CHARS with 1252",
         [&] { return WideCharToMultiByte(1252, WC_ERR_INVALID_CHARS, AsWide(text), 3, nullptr, 0, nullptr, nullptr); },
         ERROR_INVALID_FLAGS},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.error, FailureOf(c.call)) << c.what;
    }
}

TEST(AnsiHelpers, ConvertThroughTheCurrentCodePage) {
    EXPECT_EQ(u"", platform::AnsiToWide(""));
    EXPECT_EQ("", platform::WideToAnsi(u""));
    EXPECT_EQ(u"a\0b\u20AC"s, platform::AnsiToWide("a\0b\x80"s));
    EXPECT_EQ("a\0b\x80?"s, platform::WideToAnsi(u"a\0b\u20AC\u30BD"s));
    EXPECT_EQ(u"\u0192\\", platform::AnsiToWide("\x83\x5C"));

    EXPECT_EQ("A", platform::WideToAnsi(u"\u0100"));  // best fit

    AnsiCodePageScope japanese(932);
    EXPECT_EQ(u"\u30BD|\u30FB", platform::AnsiToWide("\x83\x5C|\x83"));
    EXPECT_EQ("\x83\x5C\x83\x7C" "e?", platform::WideToAnsi(u"\u30BD\u30DD\u00E9\u0100"));
}

}  // namespace
