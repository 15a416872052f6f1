#include "platform/com.h"

#include "tests/platform/com_fakes.h"
#include "tests/support/sides.h"

#include <gtest/gtest.h>

#include <cstring>
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
    std::u16string result(Utf16Of(text));
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
        EXPECT_EQ(S_OK, CLSIDFromString(OleTextOf(text), &parsed));
        EXPECT_EQ(c.guid, parsed);
        IID iid{};
        EXPECT_EQ(S_OK, IIDFromString(OleTextOf(text), &iid));
        EXPECT_EQ(c.guid, iid);
    }
}

TEST(GuidText, AcceptsLowerAndMixedCaseDigits) {
    for (const OLECHAR* text :
         {OLESTR("{12345678-9abc-def0-0123-456789abcdef}"), OLESTR("{12345678-9aBc-DeF0-0123-456789AbCdEf}")}) {
        CLSID clsid{};
        EXPECT_EQ(S_OK, CLSIDFromString(text, &clsid));
        EXPECT_EQ(kSample, clsid);
    }
}

// Results start filled, so that a test sees exactly which fields a call stored.
constexpr GUID kFilled = {0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};

// A malformed text fails, and the fields read before the fault stay stored
// (the digits already read of a faulty Data1, Data2 or Data3 too, but not a
// faulty Data4 byte). CLSIDFromString takes a text without the opening brace
// for a program id, which names no class, and clears the result;
// IIDFromString refuses a text of the wrong length before storing anything.
TEST(GuidText, MalformedTextFailsAndKeepsWhatWasRead) {
    struct Case {
        const char* what;
        const OLECHAR* text;
        GUID clsid;  // as CLSIDFromString leaves it; it always answers CO_E_CLASSSTRING
        HRESULT iidResult;
        GUID iid;
    };
    constexpr GUID kCleared{};
    constexpr GUID kSampleButLast = {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xFF}};
    constexpr GUID kData1Only = {0x12345678, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
    const Case cases[] = {
        {"empty", OLESTR(""), kCleared, E_INVALIDARG, kFilled},
        {"brace only", OLESTR("{"), {0, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}, E_INVALIDARG,
         kFilled},
        {"no braces", OLESTR("12345678-9ABC-DEF0-0123-456789ABCDEF"), kCleared, E_INVALIDARG, kFilled},
        {"no opening brace", OLESTR("12345678-9ABC-DEF0-0123-456789ABCDEF}"), kCleared, E_INVALIDARG, kFilled},
        {"text before it", OLESTR(" {12345678-9ABC-DEF0-0123-456789ABCDEF}"), kCleared, E_INVALIDARG, kFilled},
        {"a program id", OLESTR("Q3v.NoSuch.Class"), kCleared, E_INVALIDARG, kFilled},
        {"other brackets", OLESTR("(12345678-9ABC-DEF0-0123-456789ABCDEF)"), kCleared, CO_E_IIDSTRING, kFilled},
        {"no closing brace", OLESTR("{12345678-9ABC-DEF0-0123-456789ABCDEF"), kSample, E_INVALIDARG, kFilled},
        {"a digit short", OLESTR("{12345678-9ABC-DEF0-0123-456789ABCDE}"), kSampleButLast, E_INVALIDARG, kFilled},
        {"a digit long", OLESTR("{12345678-9ABC-DEF0-0123-456789ABCDEF0}"), kSample, E_INVALIDARG, kFilled},
        {"text after it", OLESTR("{12345678-9ABC-DEF0-0123-456789ABCDEF}x"), kSample, E_INVALIDARG, kFilled},
        {"a NUL inside", OLESTR("{12345678-9ABC-DEF0-0123-456789ABC\0EF}"),
         {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xFF, 0xFF}}, E_INVALIDARG, kFilled},
        {"wrong closing bracket", OLESTR("{12345678-9ABC-DEF0-0123-456789ABCDEF]"), kSample, CO_E_IIDSTRING, kSample},
        {"not a hex digit in Data1", OLESTR("{1234567G-9ABC-DEF0-0123-456789ABCDEF}"),
         {0x01234567, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}, CO_E_IIDSTRING,
         {0x01234567, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}},
        {"not a hex digit in Data2", OLESTR("{12345678-9AXC-DEF0-0123-456789ABCDEF}"),
         {0x12345678, 0x009A, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}, CO_E_IIDSTRING,
         {0x12345678, 0x009A, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}},
        {"not a hex digit in Data4", OLESTR("{12345678-9ABC-DEF0-0123-456789ABCDEg}"), kSampleButLast, CO_E_IIDSTRING,
         kSampleButLast},
        {"a full-width digit", OLESTR("{12345678-9ABC-DEF0-0123-456789ABCD\uFF25F}"), kSampleButLast, CO_E_IIDSTRING,
         kSampleButLast},
        {"not a dash", OLESTR("{12345678_9ABC-DEF0-0123-456789ABCDEF}"), kData1Only, CO_E_IIDSTRING, kData1Only},
        {"a dash out of place", OLESTR("{123456789-ABC-DEF0-0123-456789ABCDEF}"), kData1Only, CO_E_IIDSTRING,
         kData1Only},
        {"a short Data4 group", OLESTR("{12345678-9ABC-DEF0-012-3456789ABCDEF}"),
         {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}, CO_E_IIDSTRING,
         {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLSID clsid = kFilled;
        EXPECT_EQ(CO_E_CLASSSTRING, CLSIDFromString(c.text, &clsid));
        EXPECT_EQ(c.clsid, clsid);
        IID iid = kFilled;
        EXPECT_EQ(c.iidResult, IIDFromString(c.text, &iid));
        EXPECT_EQ(c.iid, iid);
    }
}

TEST(GuidText, NullTextIsTheNullIdAndANullClassIdIsRefused) {
    GUID clsid = kFilled;
    EXPECT_EQ(S_OK, CLSIDFromString(nullptr, &clsid));
    EXPECT_EQ(GUID{}, clsid);
    GUID iid = kFilled;
    EXPECT_EQ(S_OK, IIDFromString(nullptr, &iid));
    EXPECT_EQ(GUID{}, iid);
    EXPECT_EQ(E_INVALIDARG, CLSIDFromString(OLESTR("{12345678-9ABC-DEF0-0123-456789ABCDEF}"), nullptr));
}

TEST(GuidText, NullResultPointersAreRefused) {
    Q3V_SKIP_ON_WINDOWS("the system's StringFromCLSID and IIDFromString do not check these pointers (they fault)");
    EXPECT_EQ(E_INVALIDARG, StringFromCLSID(kSample, nullptr));
    EXPECT_EQ(E_INVALIDARG, IIDFromString(OLESTR("{12345678-9ABC-DEF0-0123-456789ABCDEF}"), nullptr));
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
        {"text", SysAllocString(OLESTR("hello")), u"hello", 10},
        {"empty text", SysAllocString(OLESTR("")), u"", 0},
        {"counted text", SysAllocStringLen(OLESTR("abcdef"), 3), u"abc", 6},
        {"embedded NUL", SysAllocStringLen(OLESTR("a\0b"), 3), u"a\0b"s, 6},
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
    const OLECHAR source[] = OLESTR("same");
    OwnedBstr first(SysAllocString(source));
    OwnedBstr second(SysAllocString(source));
    EXPECT_NE(first.get(), second.get());
    EXPECT_NE(source, first.get());
    first.get()[0] = u'S';
    EXPECT_EQ(u"same", TextOf(second.get()));
}

}  // namespace
