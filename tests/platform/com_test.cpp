#include "platform/com.h"

#include "tests/platform/com_fakes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

namespace {

using namespace std::string_literals;

constexpr GUID kSample = {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

// What StringFromCLSID answers, freed at once.
std::u16string TextOfGuid(const GUID& guid) {
    LPOLESTR text = nullptr;
    EXPECT_EQ(S_OK, StringFromCLSID(guid, &text));
    if (text == nullptr) {
        return {};
    }
    std::u16string result(text);
    CoTaskMemFree(text);
    return result;
}

TEST(GuidText, IsBracedUpperCaseHexWithData4InMemoryOrder) {
    struct Case {
        GUID guid;
        std::u16string text;
    };
    const Case cases[] = {
        {kSample, u"{12345678-9ABC-DEF0-0123-456789ABCDEF}"},
        {IID_IUnknown, u"{00000000-0000-0000-C000-000000000046}"},
        {GUID{}, u"{00000000-0000-0000-0000-000000000000}"},
        {{0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
         u"{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"},
        {{0x0000000A, 0x000B, 0x000C, {0x0D, 0x0E, 0x0F, 0x10, 0x20, 0x30, 0x40, 0x50}},
         u"{0000000A-000B-000C-0D0E-0F1020304050}"},
    };
    for (const Case& c : cases) {
        const std::u16string text = TextOfGuid(c.guid);
        EXPECT_EQ(c.text, text);
        GUID parsed{};
        EXPECT_EQ(S_OK, CLSIDFromString(text.c_str(), &parsed));
        EXPECT_EQ(c.guid, parsed);
        IID iid{};
        EXPECT_EQ(S_OK, IIDFromString(text.c_str(), &iid));
        EXPECT_EQ(c.guid, iid);
    }
}

TEST(GuidText, AcceptsLowerAndMixedCaseDigits) {
    for (const char16_t* text :
         {u"{12345678-9abc-def0-0123-456789abcdef}", u"{12345678-9aBc-DeF0-0123-456789AbCdEf}"}) {
        CLSID clsid{};
        EXPECT_EQ(S_OK, CLSIDFromString(text, &clsid));
        EXPECT_EQ(kSample, clsid);
    }
}

// A text that is not exactly the braced form is refused and the output zeroed.
TEST(GuidText, RefusesMalformedTextAndZeroesTheResult) {
    const char16_t* cases[] = {
        u"",
        u"{",
        u"12345678-9ABC-DEF0-0123-456789ABCDEF",     // no braces
        u"{12345678-9ABC-DEF0-0123-456789ABCDEF",    // no closing brace
        u"12345678-9ABC-DEF0-0123-456789ABCDEF}",    // no opening brace
        u"{12345678-9ABC-DEF0-0123-456789ABCDE}",    // a digit short
        u"{12345678-9ABC-DEF0-0123-456789ABCDEF0}",  // a digit long
        u"{12345678-9ABC-DEF0-0123-456789ABCDEF}x",  // text after it
        u" {12345678-9ABC-DEF0-0123-456789ABCDEF}",  // text before it
        u"{1234567G-9ABC-DEF0-0123-456789ABCDEF}",   // not a hex digit
        u"{12345678-9ABC-DEF0-0123-456789ABCDEg}",
        u"{12345678_9ABC-DEF0-0123-456789ABCDEF}",   // not a dash
        u"{123456789-ABC-DEF0-0123-456789ABCDEF}",   // a dash out of place
        u"{12345678-9ABC-DEF0-012-3456789ABCDEF}",
        u"{12345678-9ABC-DEF0-0123-456789ABCDEF]",
        u"(12345678-9ABC-DEF0-0123-456789ABCDEF)",
        u"{12345678-9ABC-DEF0-0123-456789ABC\0EF}",  // a NUL inside
        u"{12345678-9ABC-DEF0-0123-456789ABCD\uFF25F}",  // a full-width 'E'
    };
    for (std::size_t index = 0; index < std::size(cases); ++index) {
        CLSID clsid = kSample;
        EXPECT_EQ(CO_E_CLASSSTRING, CLSIDFromString(cases[index], &clsid)) << "case " << index;
        EXPECT_EQ(GUID{}, clsid) << "case " << index;
        IID iid = kSample;
        EXPECT_EQ(CO_E_CLASSSTRING, IIDFromString(cases[index], &iid)) << "case " << index;
        EXPECT_EQ(GUID{}, iid) << "case " << index;
    }
}

TEST(GuidText, NullArgumentsAreRefused) {
    GUID guid{};
    EXPECT_EQ(E_INVALIDARG, StringFromCLSID(kSample, nullptr));
    EXPECT_EQ(E_INVALIDARG, CLSIDFromString(nullptr, &guid));
    EXPECT_EQ(E_INVALIDARG, CLSIDFromString(u"{12345678-9ABC-DEF0-0123-456789ABCDEF}", nullptr));
    EXPECT_EQ(E_INVALIDARG, IIDFromString(nullptr, &guid));
    EXPECT_EQ(E_INVALIDARG, IIDFromString(u"{12345678-9ABC-DEF0-0123-456789ABCDEF}", nullptr));
}

TEST(TaskMemory, ZeroBytesStillGivesAPointerAndNullFreesNothing) {
    void* first = CoTaskMemAlloc(0);
    void* second = CoTaskMemAlloc(0);
    EXPECT_NE(nullptr, first);
    EXPECT_NE(first, second);
    CoTaskMemFree(first);
    CoTaskMemFree(second);
    CoTaskMemFree(nullptr);
}

// The 32-bit byte length Windows keeps just before the characters.
std::uint32_t LengthPrefix(BSTR text) {
    std::uint32_t prefix = 0;
    std::memcpy(&prefix, reinterpret_cast<const unsigned char*>(text) - sizeof(prefix), sizeof(prefix));
    return prefix;
}

TEST(SysString, KeepsItsByteLengthBeforeTheCharactersAndEndsWithNul) {
    struct Case {
        const char* what;
        BSTR text;
        std::u16string characters;
        UINT byteLength;
    };
    const Case cases[] = {
        {"text", SysAllocString(u"hello"), u"hello", 10},
        {"empty text", SysAllocString(u""), u"", 0},
        {"counted text", SysAllocStringLen(u"abcdef", 3), u"abc", 6},
        {"embedded NUL", SysAllocStringLen(u"a\0b", 3), u"a\0b"s, 6},
        {"no source: zeroed", SysAllocStringLen(nullptr, 4), u"\0\0\0\0"s, 8},
        {"bytes", SysAllocStringByteLen("abcd", 4), u"\x6261\x6463", 4},
        {"no bytes: zeroed", SysAllocStringByteLen(nullptr, 6), u"\0\0\0"s, 6},
    };
    for (const Case& c : cases) {
        OwnedBstr owner(c.text);
        ASSERT_NE(nullptr, c.text) << c.what;
        EXPECT_EQ(c.byteLength, LengthPrefix(c.text)) << c.what;
        EXPECT_EQ(c.byteLength, SysStringByteLen(c.text)) << c.what;
        EXPECT_EQ(c.byteLength / 2, SysStringLen(c.text)) << c.what;
        EXPECT_EQ(c.characters, TextOf(c.text)) << c.what;
        EXPECT_EQ(u'\0', c.text[SysStringLen(c.text)]) << c.what;
    }
}

// An odd byte length counts the whole bytes only as characters; the bytes are
// still followed by a NUL byte and then a whole NUL character.
TEST(SysString, OddByteLengthKeepsEveryByte) {
    OwnedBstr text(SysAllocStringByteLen("abc", 3));
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(3u, SysStringByteLen(text.get()));
    EXPECT_EQ(1u, SysStringLen(text.get()));
    const auto* bytes = reinterpret_cast<const char*>(text.get());
    EXPECT_EQ("abc\0"s, std::string(bytes, 4));
    EXPECT_EQ(u'\0', text.get()[2]);
}

TEST(SysString, NullIsTheEmptyText) {
    EXPECT_EQ(nullptr, SysAllocString(nullptr));
    EXPECT_EQ(0u, SysStringLen(nullptr));
    EXPECT_EQ(0u, SysStringByteLen(nullptr));
    SysFreeString(nullptr);
}

TEST(SysString, EachAllocationIsItsOwn) {
    const char16_t source[] = u"same";
    OwnedBstr first(SysAllocString(source));
    OwnedBstr second(SysAllocString(source));
    EXPECT_NE(first.get(), second.get());
    EXPECT_NE(source, first.get());
    first.get()[0] = u'S';
    EXPECT_EQ(u"same", TextOf(second.get()));
}

}  // namespace
