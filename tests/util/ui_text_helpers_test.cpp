// The dialog library's text, pair, path and string-collection helpers.
#include "util/ui_string_collections.h"
#include "util/ui_text_helpers.h"

#include "tests/platform/code_page_scope.h"
#include "tests/util/list_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A string list made of texts.
class ListOf : public CStringList {
public:
    explicit ListOf(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            AddTail(CString(text));
        }
    }
};

std::vector<std::string> Texts(const CStringList& list) {
    std::vector<std::string> texts;
    for (POSITION at = list.GetHeadPosition(); at != nullptr;) {
        texts.push_back(list.GetNext(at).Str());
    }
    return texts;
}

TEST(MakeUniqueName, NumbersOnFromTheLongestNamesAndNeverAnswersANameInUse) {
    struct Case {
        std::vector<std::string> names;
        const char* expected;
    };
    const Case cases[] = {
        {{"Break1", "Break2"}, "Break3"},
        {{"Break2", "Break10"}, "Break11"},
        {{"Break007"}, "Break8"},
        {{"break7"}, "Break8"},
        {{"Breakpoint"}, "Break1"},
        {{}, "Break1"},
        {{"Watch"}, "Break1"},
        // The longest name has no number: the names in use decide.
        {{"Break1", "Breakpoint"}, "Break2"},
        {{"BREAK1", "break2", "Breakpoints"}, "Break3"},
        // The number found is taken (ignoring case): the next candidate's.
        {{"Break10", "BREAK11"}, "Break12"},
        {{"Break1", "Break2x"}, "Break2"},
        {{"Break2147483647"}, "Break2147483648"},
    };
    for (const Case& entry : cases) {
        const ListOf names(entry.names);
        EXPECT_EQ(MakeUniqueName("Break", names).Str(), entry.expected) << ::testing::PrintToString(entry.names);
    }
}

TEST(GetSortedInsertIndex, ThePlaceAmongTheSortedTexts) {
    const ListOf list({"d", "b"});
    EXPECT_EQ(GetSortedInsertIndex(list, "a"), 0);
    EXPECT_EQ(GetSortedInsertIndex(list, "c"), 1);
    EXPECT_EQ(GetSortedInsertIndex(list, "e"), 2);
    EXPECT_EQ(GetSortedInsertIndex(list, "b"), 0);
    EXPECT_EQ(GetSortedInsertIndex(list, "B"), 0);  // byte order: upper case first
    EXPECT_EQ(GetSortedInsertIndex(list, ""), 0);
    EXPECT_EQ(GetSortedInsertIndex(CStringList(), "x"), 0);
}

TEST(ReplaceWords, EveryOccurrenceOnceAndEarlierWordsFirst) {
    struct Case {
        const char* text;
        std::vector<std::string> words;
        const char* replacement;
        const char* expected;
    };
    const Case cases[] = {
        {"one two one", {"one"}, "three", "three two three"},
        {"ab", {"a", "ab"}, "X", "Xb"},
        {"one two", {"one"}, "", "one two"},           // an empty replacement changes nothing
        {"aaa", {"a"}, "aa", "aaaaaa"},                // what the replacement brings in is not searched
        {"a b", {"", "b"}, "c", "a c"},                // empty words are skipped
        {"a\x07" "b", {"a"}, "X", "a\x07" "b"},        // the text holds the marker
        {"ab", {"a\x07"}, "X", "ab"},                  // a word holds it
        {"ab", {"a"}, "X\x07", "ab"},                  // the replacement holds it
    };
    for (const Case& entry : cases) {
        CString text = entry.text;
        ReplaceWords(text, ListOf(entry.words), entry.replacement);
        EXPECT_EQ(text.Str(), entry.expected) << entry.text;
    }
}

TEST(CollectPlaceholderTokens, TokensUnlessDoubledOrUnclosed) {
    struct Case {
        const char* text;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"$(A)x$(B)", {"$(A)", "$(B)"}},
        {"$$(A)", {}},
        {"a) $(B)", {}},
        {"$(A", {}},
        {"x$()", {"$()"}},
    };
    for (const Case& entry : cases) {
        CStringList tokens;
        CollectPlaceholderTokens(entry.text, tokens);
        EXPECT_EQ(Texts(tokens), entry.tokens) << entry.text;
    }
}

TEST(SplitTextByFlags, SeparatorsAndTheirEnds) {
    struct Case {
        std::string buffer;
        DWORD flags;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"a,b", kSplitAtComma, {"a", "b"}},
        {"a,,b", kSplitAtComma, {"a"}},
        {",a", kSplitAtComma, {"", "a"}},
        {"a,", kSplitAtComma, {"a"}},
        {"a, b", kSplitAtComma | kSplitAtBlank, {"a"}},
        {std::string("a\0b\0\0", 5), kSplitAtZero, {"a", "b"}},
        {"a b", kSplitAtComma, {"a b"}},
    };
    for (const Case& entry : cases) {
        CStringList parts;
        const BOOL any = SplitTextByFlags(entry.buffer.data(), static_cast<int>(entry.buffer.size()), &parts,
                                          entry.flags, TRUE);
        EXPECT_EQ(Texts(parts), entry.parts) << entry.buffer;
        EXPECT_EQ(any, entry.parts.empty() ? FALSE : TRUE);
    }
    ListOf kept({"old"});
    EXPECT_TRUE(SplitTextByFlags("x", 1, &kept, kSplitAtComma, FALSE));
    EXPECT_EQ(Texts(kept), (std::vector<std::string>{"old", "x"}));
    EXPECT_FALSE(SplitTextByFlags("a,b", 3, nullptr, kSplitAtComma, TRUE));
    EXPECT_FALSE(SplitTextByFlags("a,b", 3, &kept, 1, TRUE));
    EXPECT_EQ(kept.GetCount(), 2);  // refused before the list was touched
}

TEST(JoinTextByFlags, KeepsWhatTheTextHeld) {
    const ListOf list({"a", "b"});
    CString zero;
    EXPECT_TRUE(JoinTextByFlags(&zero, list, kSplitAtZero));
    EXPECT_EQ(zero.Str(), std::string("a\0b", 3));
    CString comma = "x";
    EXPECT_TRUE(JoinTextByFlags(&comma, list, kSplitAtComma));
    EXPECT_EQ(comma.Str(), "x,a,b");
    CString blank;
    EXPECT_TRUE(JoinTextByFlags(&blank, list, kSplitAtBlank | kSplitAtComma));
    EXPECT_EQ(blank.Str(), "a b");
    EXPECT_FALSE(JoinTextByFlags(&blank, CStringList(), kSplitAtComma));
    EXPECT_FALSE(JoinTextByFlags(nullptr, list, kSplitAtComma));
    EXPECT_FALSE(JoinTextByFlags(&blank, list, 1));
}

TEST(PairHelpers, TheLastSeparatorDivides) {
    EXPECT_EQ(GetEqualsPairKey("a=b=c").Str(), "a=b");
    EXPECT_EQ(GetEqualsPairValue("a=b=c").Str(), "c");
    EXPECT_EQ(GetEqualsPairKey("a=").Str(), "");
    EXPECT_EQ(GetEqualsPairValue("a=").Str(), "");
    EXPECT_EQ(GetEqualsPairKey("=x").Str(), "");
    EXPECT_EQ(GetEqualsPairValue("=x").Str(), "x");
    EXPECT_EQ(GetPipePairKey("k|v").Str(), "k");
    EXPECT_EQ(GetPipePairValue(nullptr).Str(), "");
    EXPECT_EQ(JoinPipePair("k", "v").Str(), "k|v");
    EXPECT_EQ(JoinEqualsPair("k", nullptr).Str(), "");
    AnsiCodePageScope japanese(932);
    // A double-byte character whose trail byte is '|' is no separator.
    EXPECT_EQ(GetPipePairKey("\x83\x7C|v").Str(), "\x83\x7C");
    EXPECT_EQ(GetPipePairValue("k|\x83\x7C").Str(), "\x83\x7C");
}

TEST(FindTextFrom, PositionsInTheWholeText) {
    EXPECT_EQ(FindTextFrom("abcabc", "bc", 0), 1);
    EXPECT_EQ(FindTextFrom("abcabc", "bc", 2), 4);
    EXPECT_EQ(FindTextFrom("abcabc", "BC", 0), -1);
    EXPECT_EQ(FindTextFrom("abc", "c", 3), -1);
    EXPECT_EQ(FindTextFrom("", "c", 0), -1);
    EXPECT_EQ(FindTextFrom("abc", "", 0), -1);
    AnsiCodePageScope japanese(932);
    EXPECT_EQ(FindTextFrom("\x95\x5C\\", "\\", 0), 2);  // never the trail byte
    EXPECT_EQ(FindTextFrom("\x95\x5C\\", "\\", 1), 2);  // a start inside a character moves on
}

TEST(PathTexts, ExtensionsLeavesFoldersAndBuiltPaths) {
    EXPECT_EQ(GetFileExtension("C:\\a.b\\file").Str(), "b\\file");
    EXPECT_EQ(GetFileExtension("name.").Str(), "");
    EXPECT_EQ(GetFileExtension("name").Str(), "");
    EXPECT_EQ(GetFileExtension(nullptr).Str(), "");
    EXPECT_EQ(GetPathLeafFromText("C:\\dir\\file.mot").Str(), "file.mot");
    EXPECT_EQ(GetPathFolderFromText("C:\\dir\\file.mot").Str(), "C:\\dir");
    EXPECT_EQ(GetPathLeafFromText("").Str(), "");
    EXPECT_EQ(BuildFilePath("C:\\dir", "file", ".mot").Str(), "C:\\dir\\file.mot");
    EXPECT_EQ(BuildFilePath("C:\\dir\\", "file", ".mot").Str(), "C:\\dir\\file.mot");
    EXPECT_EQ(BuildFilePath("C:\\dir", "", ".mot").Str(), "C:\\dir");
    EXPECT_EQ(BuildFilePath("", "file", ".mot").Str(), "file.mot");
    EXPECT_EQ(BuildFilePath(nullptr, "file", nullptr).Str(), "file");

    CString drive;
    CString folder;
    CString name;
    CString extension;
    SplitPathToTexts("C:\\dir\\file.mot", &drive, &folder, &name, &extension);
    EXPECT_EQ(drive.Str(), "C:");
    EXPECT_EQ(folder.Str(), "\\dir\\");
    EXPECT_EQ(name.Str(), "file");
    EXPECT_EQ(extension.Str(), ".mot");
    // Each part stops at its size, whatever the path holds.
    const std::string longName(400, 'n');
    SplitPathToTexts(("C:\\dir/" + longName + ".mot").c_str(), &drive, &folder, &name, &extension);
    EXPECT_EQ(drive.Str(), "C:");
    EXPECT_EQ(folder.Str(), "\\dir/");
    EXPECT_EQ(name.GetLength(), 255);
    EXPECT_EQ(extension.Str(), ".mot");
    {
        AnsiCodePageScope japanese(932);
        // A cut never splits a double-byte character; '\\' as a trail byte
        // is no separator.
        std::string wide;
        for (int i = 0; i < 200; ++i) {
            wide += "\x95\x5C";
        }
        SplitPathToTexts(("C:\\" + wide + ".mot").c_str(), nullptr, &folder, &name, nullptr);
        EXPECT_EQ(folder.Str(), "\\");
        EXPECT_EQ(name.GetLength(), 254);
    }
}

TEST(StringCollections, CopiesFindsAndKeys) {
    const ListOf source({"a", "A", "b", "a"});
    ListOf destination({"b", "c"});
    CopyStringListUnique(source, destination, FALSE);
    EXPECT_EQ(Texts(destination), (std::vector<std::string>{"b", "c", "a", "A"}));
    CopyStringListUnique(source, destination, TRUE);
    EXPECT_EQ(Texts(destination), (std::vector<std::string>{"a", "A", "b"}));

    EXPECT_NE(FindListStringPosition("B", destination, FALSE), nullptr);
    EXPECT_EQ(FindListStringPosition("B", destination, TRUE), nullptr);

    CMapStringToString from;
    from.SetAt("k", "new");
    from.SetAt("x", "1");
    CMapStringToString to;
    to.SetAt("k", "old");
    to.SetAt("y", "2");
    CopyStringMapItems(from, to, FALSE);
    CString value;
    ASSERT_TRUE(to.Lookup("k", value));
    EXPECT_EQ(value.Str(), "new");
    EXPECT_EQ(to.GetCount(), 3);
    CopyStringMapItems(from, to, TRUE);
    EXPECT_EQ(to.GetCount(), 2);
    ListOf keys({"stale"});
    EXPECT_EQ(GetStringMapKeys(&to, keys), 2);
    EXPECT_EQ(GetStringMapKeys(nullptr, keys), 0);
    EXPECT_TRUE(keys.IsEmpty());
}

}  // namespace
