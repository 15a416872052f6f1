#include "platform/paths.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr const char* kDefault = "(default)";

// A fresh folder for one test's files, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        static std::atomic<int> counter{0};
        path_ = fs::temp_directory_path() /
                ("profile_test_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }

    const fs::path& path() const { return path_; }

    // The name the plug-in would pass: a Windows path.
    std::string WindowsName(const std::string& name) const { return platform::ToWindowsPath((path_ / name).string()); }

    void Put(const std::string& name, const std::string& bytes) const {
        fs::create_directories((path_ / name).parent_path());
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }

    std::string Get(const std::string& name) const {
        std::ifstream file(path_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::set<std::string> Entries(const std::string& subfolder = "") const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_ / subfolder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

private:
    fs::path path_;
};

// The text GetPrivateProfileStringA copies, as many bytes as it reports.
std::string ReadString(const char* section, const char* key, const std::string& file,
                       const char* defaultValue = kDefault) {
    std::array<char, 512> buffer{};
    const DWORD count = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), count);
}

// A NUL-separated list as copied, its final NUL included.
std::string ReadList(const char* section, const std::string& file, const char* defaultValue = kDefault) {
    std::array<char, 512> buffer{};
    const DWORD count = GetPrivateProfileStringA(section, nullptr, defaultValue, buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), count + 1);
}

class ProfileTest : public ::testing::Test {
protected:
    TemporaryFolder folder_;
    const std::string file_ = folder_.WindowsName("test.ini");
};

template <typename Case>
class ProfileCaseTest : public ProfileTest, public ::testing::WithParamInterface<Case> {};

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// Test names already tell the cases apart; a dump of their bytes would only
// clutter the test listing.
template <typename Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

// ---------------------------------------------------------------------------
// Lookups in one file that holds every kind of line.

const std::string kLookupFile =
    "; leading comment\r\n"
    "orphan=before any section\r\n"
    "[General]\r\n"
    "Name=Alpha\r\n"
    "  Spaced Key  =  spaced value  \r\n"
    "Tabbed\t=\tvalue\t\r\n"
    "Quoted=\"  kept blanks  \"\r\n"
    "Single='single'\r\n"
    "Mismatched=\"left only\r\n"
    "MixedQuotes=\"mixed'\r\n"
    "OneQuote=\"\r\n"
    "BothEnds=\"a\" and \"b\"\r\n"
    "Empty=\r\n"
    "EmptyQuotes=\"\"\r\n"
    "NoEquals line\r\n"
    "Inline=value ; not a comment\r\n"
    "Equals=a=b\r\n"
    "Dup=first\r\n"
    "Dup=second\r\n"
    ";Commented=out\r\n"
    "[broken header\r\n"
    "AfterBroken=still General\r\n"
    "[ Padded Section ]  \r\n"
    "Key=padded\r\n"
    "[Odd]Name] trailing text\r\n"
    "Key=odd\r\n"
    "[general]\r\n"
    "Name=second section of the same name\r\n"
    "Late=only in the duplicate\r\n";

struct LookupCase {
    const char* name;
    const char* section;
    const char* key;
    std::string expected;
};

using ProfileLookupTest = ProfileCaseTest<LookupCase>;

TEST_P(ProfileLookupTest, FindsValue) {
    folder_.Put("test.ini", kLookupFile);
    const LookupCase& c = GetParam();
    EXPECT_EQ(ReadString(c.section, c.key, file_), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ProfileLookups, ProfileLookupTest,
    ::testing::Values(LookupCase{"Plain", "General", "Name", "Alpha"},
                      LookupCase{"SectionCaseFolded", "GENERAL", "Name", "Alpha"},
                      LookupCase{"KeyCaseFolded", "General", "nAME", "Alpha"},
                      LookupCase{"BlanksTrimmed", "General", "Spaced Key", "spaced value"},
                      LookupCase{"QueryTrimmed", "  General ", "  spaced key\t", "spaced value"},
                      LookupCase{"TabsTrimmed", "General", "Tabbed", "value"},
                      LookupCase{"DoubleQuotesStrippedBlanksKept", "General", "Quoted", "  kept blanks  "},
                      LookupCase{"SingleQuotesStripped", "General", "Single", "single"},
                      LookupCase{"QuoteAtOneEndKept", "General", "Mismatched", "\"left only"},
                      LookupCase{"DifferentQuotesKept", "General", "MixedQuotes", "\"mixed'"},
                      LookupCase{"LoneQuoteKept", "General", "OneQuote", "\""},
                      LookupCase{"OnlyOuterQuotesStripped", "General", "BothEnds", "a\" and \"b"},
                      LookupCase{"EmptyValueIsNotDefault", "General", "Empty", ""},
                      LookupCase{"EmptyQuotes", "General", "EmptyQuotes", ""},
                      LookupCase{"LineWithoutEqualsIgnored", "General", "NoEquals line", kDefault},
                      LookupCase{"NoInlineComments", "General", "Inline", "value ; not a comment"},
                      LookupCase{"FirstEqualsSplits", "General", "Equals", "a=b"},
                      LookupCase{"FirstDuplicateKeyWins", "General", "Dup", "first"},
                      LookupCase{"CommentIsNoKey", "General", ";Commented", kDefault},
                      LookupCase{"CommentedKeyMissing", "General", "Commented", kDefault},
                      LookupCase{"BrokenHeaderStartsNoSection", "General", "AfterBroken", "still General"},
                      LookupCase{"BrokenHeaderIsNoSection", "broken header", "AfterBroken", kDefault},
                      LookupCase{"PaddedSectionName", "padded section", "key", "padded"},
                      LookupCase{"LastBracketClosesName", "odd]name", "key", "odd"},
                      LookupCase{"FirstDuplicateSectionWins", "general", "name", "Alpha"},
                      LookupCase{"DuplicateSectionNotSearched", "General", "Late", kDefault},
                      LookupCase{"LinesBeforeFirstSectionBelongToNone", "General", "orphan", kDefault},
                      LookupCase{"MissingSection", "Missing", "Name", kDefault},
                      LookupCase{"MissingKey", "General", "Missing", kDefault}),
    CaseName<LookupCase>);

// ---------------------------------------------------------------------------
// Line ends and damaged files: the good lines are found, and adding a key
// keeps every byte that was there.

struct DamagedFileCase {
    const char* name;
    std::string bytes;
};

using ProfileDamagedFileTest = ProfileCaseTest<DamagedFileCase>;

TEST_P(ProfileDamagedFileTest, ReadsGoodLinesAndKeepsEveryByteOnWrite) {
    const std::string& before = GetParam().bytes;
    folder_.Put("test.ini", before);

    EXPECT_EQ(ReadString("first", "a", file_), "1");
    EXPECT_EQ(ReadString("first", "b", file_), "2");
    EXPECT_EQ(ReadString("second", "c", file_), "3");

    ASSERT_TRUE(WritePrivateProfileStringA("second", "d", "4", file_.c_str()));
    // The last line gains a line end only when it had none.
    const bool ended = before.ends_with('\n') || before.ends_with('\r');
    EXPECT_EQ(folder_.Get("test.ini"), before + (ended ? "" : "\r\n") + "d=4\r\n");
    EXPECT_EQ(ReadString("first", "a", file_), "1");
    EXPECT_EQ(ReadString("second", "c", file_), "3");
    EXPECT_EQ(ReadString("second", "d", file_), "4");
}

INSTANTIATE_TEST_SUITE_P(
    ProfileDamagedFiles, ProfileDamagedFileTest,
    ::testing::Values(
        DamagedFileCase{"CrLf", "[first]\r\na=1\r\nb=2\r\n[second]\r\nc=3\r\n"},
        DamagedFileCase{"Lf", "[first]\na=1\nb=2\n[second]\nc=3\n"},
        DamagedFileCase{"LoneCr", "[first]\ra=1\rb=2\r[second]\rc=3\r"},
        DamagedFileCase{"MixedLineEnds", "[first]\na=1\r\nb=2\r[second]\nc=3\r\n"},
        DamagedFileCase{"NoFinalNewline", "[first]\r\na=1\r\nb=2\r\n[second]\r\nc=3"},
        DamagedFileCase{"EmptyAndBlankLines", "\r\n \t\r\n[first]\r\n\r\na=1\r\n\t\r\nb=2\r\n\r\n[second]\r\nc=3\r\n"},
        DamagedFileCase{"NulInJunkLine", "[first]\r\na=1\r\nju\0nk=x\r\nb=2\r\n[second]\r\nc=3\r\n"s},
        DamagedFileCase{"NulEndsValue", "[first]\r\na=1\0 and more\r\nb=2\r\n[second]\r\nc=3\r\n"s},
        DamagedFileCase{"BinaryJunk", "[first]\r\n\x01\x02\xff\xfe\x80=\x7f\x1b\r\na=1\r\nb=2\r\n[second]\r\nc=3\r\n"},
        DamagedFileCase{"UnclosedBracket", "[first]\r\na=1\r\n[unclosed\r\nb=2\r\n[second]\r\nc=3\r\n"},
        DamagedFileCase{"LoneBracket", "[\r\n[first]\r\na=1\r\n]\r\nb=2\r\n[second]\r\nc=3\r\n"},
        DamagedFileCase{"HundredKilobyteLine",
                        "[first]\r\na=1\r\n" + std::string(100 * 1024, 'x') + "\r\nb=2\r\n[second]\r\nc=3\r\n"},
        DamagedFileCase{"HundredKilobyteKeyLine",
                        "[first]\r\na=1\r\nhuge=" + std::string(100 * 1024, 'y') + "\r\nb=2\r\n[second]\r\nc=3\r\n"},
        DamagedFileCase{"Utf8ByteOrderMark", "\xEF\xBB\xBF[first]\r\na=1\r\nb=2\r\n[second]\r\nc=3\r\n"}),
    CaseName<DamagedFileCase>);

// ---------------------------------------------------------------------------
// Defaults.

TEST_F(ProfileTest, UnreadableFileNamesGiveTheDefault) {
    folder_.Put("folder/inside.ini", "[s]\r\nk=v\r\n");
    const std::vector<std::string> names = {
        folder_.WindowsName("missing.ini"),
        folder_.WindowsName("no such folder\\test.ini"),
        folder_.WindowsName("folder"),  // a folder, not a file
        "C:\\windows\\test.ini",        // only drive Z: exists here
        "",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(ReadString("s", "k", name), kDefault);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(GetPrivateProfileIntA("s", "k", 7, name.c_str()), 7u);
    }
    std::array<char, 16> buffer{};
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "dflt", buffer.data(), 16, nullptr), 4u);
    EXPECT_STREQ(buffer.data(), "dflt");
}

TEST_F(ProfileTest, DefaultLosesTrailingSpacesOnly) {
    folder_.Put("test.ini", "[s]\r\n");
    struct Case {
        const char* defaultValue;
        std::string expected;
    };
    for (const Case& c : {Case{nullptr, ""}, Case{"", ""}, Case{"dflt   ", "dflt"}, Case{"  dflt", "  dflt"},
                          Case{"a b ", "a b"}, Case{"   ", ""}, Case{"\"quoted\"", "\"quoted\""}}) {
        SCOPED_TRACE(c.defaultValue == nullptr ? "(null)" : c.defaultValue);
        EXPECT_EQ(ReadString("s", "missing", file_, c.defaultValue), c.expected);
        EXPECT_EQ(ReadString("s", "missing", folder_.WindowsName("missing.ini"), c.defaultValue), c.expected);
    }
}

// ---------------------------------------------------------------------------
// Copied length and truncation, the buffer checked byte by byte for overruns.

struct SizeCase {
    DWORD size;
    DWORD result;
    std::string copied;  // the first size bytes of the buffer afterwards
};

// Runs call on a buffer of '#' and checks the result and every byte.
template <typename Call>
void ExpectCopies(const SizeCase& c, Call call) {
    SCOPED_TRACE("size " + std::to_string(c.size));
    std::array<char, 32> buffer{};
    buffer.fill('#');
    EXPECT_EQ(call(buffer.data(), c.size), c.result);
    EXPECT_EQ(std::string(buffer.data(), c.size), c.copied);
    EXPECT_EQ(std::string(buffer.data() + c.size, buffer.size() - c.size), std::string(buffer.size() - c.size, '#'));
}

TEST_F(ProfileTest, ValueIsCutToTheBuffer) {
    folder_.Put("test.ini", "[s]\r\nk=abcdef\r\n");
    const std::vector<SizeCase> cases = {
        {0, 0, ""},
        {1, 0, "\0"s},
        {2, 1, "a\0"s},
        {6, 5, "abcde\0"s},
        {7, 6, "abcdef\0"s},
        {10, 6, "abcdef\0###"s},
    };
    for (const SizeCase& c : cases) {
        ExpectCopies(c, [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA("s", "k", "dflt", buffer, size, file_.c_str());
        });
    }
}

TEST_F(ProfileTest, DefaultIsCutToTheBuffer) {
    for (const SizeCase& c : {SizeCase{0, 0, ""}, SizeCase{3, 2, "df\0"s}, SizeCase{6, 4, "dflt\0#"s}}) {
        ExpectCopies(c, [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA("s", "missing", "dflt  ", buffer, size, file_.c_str());
        });
    }
}

TEST_F(ProfileTest, HugeValueIsCut) {
    folder_.Put("test.ini", "[s]\r\nk=" + std::string(100 * 1024, 'v') + "\r\n");
    std::vector<char> buffer(300, '#');
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer.data(), 256, file_.c_str()), 255u);
    EXPECT_EQ(std::string(buffer.data()), std::string(255, 'v'));
    EXPECT_EQ(buffer[256], '#');
}

TEST_F(ProfileTest, NullBufferReturnsZero) {
    folder_.Put("test.ini", "[s]\r\nk=v\r\n");
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "dflt", nullptr, 16, file_.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileStringA("s", nullptr, "dflt", nullptr, 16, file_.c_str()), 0u);
}

// ---------------------------------------------------------------------------
// Listings of keys and sections.

const std::string kListingFile =
    "[Keys]\r\n"
    "one=1\r\n"
    "; comment=no\r\n"
    "no equals\r\n"
    "\r\n"
    "  Two = 2\r\n"
    "=nameless\r\n"
    "one=again\r\n"
    "three=\r\n"
    "[Empty]\r\n"
    "just text\r\n"
    "[ Spaced ]\r\n"
    "[]\r\n"
    "[keys]\r\n"
    "four=4\r\n";

TEST_F(ProfileTest, ListsKeysOfFirstSectionWithThatName) {
    folder_.Put("test.ini", kListingFile);
    // Duplicate keys are listed as often as they appear; comments, lines
    // without '=' and a key without a name are not.
    EXPECT_EQ(ReadList("KEYS", file_), "one\0Two\0one\0three\0\0"s);
    EXPECT_EQ(ReadList("Spaced", file_), "(default)\0"s) << "a section without keys gives the default";
    EXPECT_EQ(ReadList("Empty", file_), "(default)\0"s);
    EXPECT_EQ(ReadList("Missing", file_), "(default)\0"s);
    EXPECT_EQ(ReadList("Missing", file_, nullptr), "\0"s);
}

TEST_F(ProfileTest, ListsSectionNames) {
    folder_.Put("test.ini", kListingFile);
    EXPECT_EQ(ReadList(nullptr, file_), "Keys\0Empty\0Spaced\0keys\0\0"s);
    // The key is not looked at when there is no section.
    std::array<char, 64> buffer{};
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, "one", "dflt", buffer.data(), 64, file_.c_str()), 23u);
    EXPECT_EQ(std::string(buffer.data(), 24), "Keys\0Empty\0Spaced\0keys\0\0"s);

    folder_.Put("empty.ini", "no sections here\r\n");
    EXPECT_EQ(ReadList(nullptr, folder_.WindowsName("empty.ini")), "\0"s);
    EXPECT_EQ(ReadList(nullptr, folder_.WindowsName("missing.ini")), "\0"s);
}

TEST_F(ProfileTest, ListThatDoesNotFitIsCutWithTwoNuls) {
    folder_.Put("test.ini", "[s]\r\none=1\r\ntwo=2\r\nthree=3\r\n");
    // The whole list, "one\0two\0three\0\0", is 15 bytes.
    const std::vector<SizeCase> cases = {
        {0, 0, ""},
        {1, 0, "\0"s},
        {2, 0, "\0\0"s},
        {5, 3, "one\0\0"s},
        {6, 4, "one\0\0\0"s},
        {7, 5, "one\0t\0\0"s},
        {14, 12, "one\0two\0thre\0\0"s},
        {15, 14, "one\0two\0three\0\0"s},
        {16, 14, "one\0two\0three\0\0#"s},
    };
    for (const SizeCase& c : cases) {
        ExpectCopies(c, [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA("s", nullptr, "dflt", buffer, size, file_.c_str());
        });
    }
    for (const SizeCase& c : {SizeCase{3, 2, "s\0\0"s}, SizeCase{2, 0, "\0\0"s}}) {
        ExpectCopies(c, [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA(nullptr, nullptr, "dflt", buffer, size, file_.c_str());
        });
    }
}

// ---------------------------------------------------------------------------
// Numbers.

TEST_F(ProfileTest, IntReadsLeadingDecimalDigits) {
    folder_.Put("test.ini",
                "[n]\r\n"
                "digitsThenText=12abc\r\n"
                "negative=-5\r\n"
                "plus=+7\r\n"
                "padded=  42  \r\n"
                "quotedPadded=' 42'\r\n"
                "quoted=\"42\"\r\n"
                "leadingZeros=007\r\n"
                "text=abc\r\n"
                "hex=0x10\r\n"
                "blankAfterSign=- 5\r\n"
                "signOnly=-\r\n"
                "empty=\r\n"
                "emptyQuotes=\"\"\r\n"
                "wraps=4294967298\r\n"
                "noEquals\r\n");
    struct Case {
        const char* key;
        UINT expected;
    };
    constexpr UINT kFallback = 77;
    for (const Case& c : {
             Case{"digitsThenText", 12},
             Case{"negative", 0xFFFFFFFBu},  // -5 as UINT
             Case{"plus", 7},
             Case{"padded", 42},
             Case{"quotedPadded", 42},
             Case{"quoted", 42},
             Case{"leadingZeros", 7},
             // A value that does not start with a number is 0, not the default.
             Case{"text", 0},
             Case{"hex", 0},  // decimal only: "0" then 'x' stops
             Case{"blankAfterSign", 0},
             Case{"signOnly", 0},
             // An empty value reads as no value at all.
             Case{"empty", kFallback},
             Case{"emptyQuotes", kFallback},
             Case{"wraps", 2},
             Case{"noEquals", kFallback},
             Case{"missing", kFallback},
         }) {
        EXPECT_EQ(GetPrivateProfileIntA("n", c.key, static_cast<INT>(kFallback), file_.c_str()), c.expected)
            << c.key;
    }
    EXPECT_EQ(GetPrivateProfileIntA("n", "missing", -1, file_.c_str()), 0xFFFFFFFFu);
    EXPECT_EQ(GetPrivateProfileIntA("other", "negative", 3, file_.c_str()), 3u);
    EXPECT_EQ(GetPrivateProfileIntA("N", "NEGATIVE", 3, file_.c_str()), 0xFFFFFFFBu);
}

// ---------------------------------------------------------------------------
// Writing: each edit on a given file gives exactly the expected bytes.

struct EditCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

using ProfileEditTest = ProfileCaseTest<EditCase>;

TEST_P(ProfileEditTest, GivesExactBytes) {
    const EditCase& c = GetParam();
    folder_.Put("test.ini", c.before);
    EXPECT_TRUE(WritePrivateProfileStringA(c.section, c.key, c.value, file_.c_str()));
    EXPECT_EQ(folder_.Get("test.ini"), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    ProfileEdits, ProfileEditTest,
    ::testing::Values(
        // Replacing a value in place.
        EditCase{"ReplaceKeepsOtherLinesAndLineEnds", "; settings\n[Main]\n  Speed = 10 \nmode=fast\n\n[Other]\nSpeed=1\n",
                 "MAIN", "SPEED", "20", "; settings\n[Main]\nSpeed=20\nmode=fast\n\n[Other]\nSpeed=1\n"},
        EditCase{"ReplaceInCrLfFile", "[a]\r\nk=1\r\nj=2\r\n", "a", "k", "3", "[a]\r\nk=3\r\nj=2\r\n"},
        EditCase{"ReplaceInLoneCrFile", "[a]\rk=1\rj=2\r", "a", "k", "3", "[a]\rk=3\rj=2\r"},
        EditCase{"ReplaceLastLineWithoutNewline", "[a]\r\nk=1", "a", "k", "3", "[a]\r\nk=3"},
        EditCase{"ReplaceFirstOfDuplicateKeys", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", "3", "[a]\r\nk=3\r\nk=2\r\n"},
        EditCase{"ReplaceQuotedValue", "[a]\r\nk=\"old\"\r\n", "a", "k", "new", "[a]\r\nk=new\r\n"},
        EditCase{"ReplaceWithEmptyValue", "[a]\r\nk=1\r\n", "a", "k", "", "[a]\r\nk=\r\n"},
        EditCase{"SameValueLeavesLineAsWritten", "[a]\r\n  k = 1 \r\n", "a", "k", "1", "[a]\r\n  k = 1 \r\n"},
        EditCase{"ReplaceInTrimmedCaseFoldedSection", "[ Main ]\r\nk=1\r\n", "main", "K", "2", "[ Main ]\r\nk=2\r\n"},
        EditCase{"ReplaceLineWhoseValueHasNul", "[a]\r\nk=1\0tail\r\nj=2\r\n"s, "a", "k", "2", "[a]\r\nk=2\r\nj=2\r\n"},
        EditCase{"JunkKeptOnRewrite", "[a]\r\n\x01\xfe\xff junk\r\n[unclosed\r\nnu\0ll=1\r\nk=1\r\n"s, "a", "k", "2",
                 "[a]\r\n\x01\xfe\xff junk\r\n[unclosed\r\nnu\0ll=1\r\nk=2\r\n"s},
        EditCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "k", "2", "\xEF\xBB\xBF[a]\r\nk=2\r\n"},
        // Adding a key to an existing section.
        EditCase{"AddKeyAfterLastNonBlankLine", "[a]\r\nx=1\r\n; note\r\n\r\n \r\n[b]\r\ny=2\r\n", "a", "z", "3",
                 "[a]\r\nx=1\r\n; note\r\nz=3\r\n\r\n \r\n[b]\r\ny=2\r\n"},
        EditCase{"AddKeyToSectionWithoutKeys", "[a]\r\n\r\n[b]\r\n", "a", "z", "3", "[a]\r\nz=3\r\n\r\n[b]\r\n"},
        EditCase{"AddKeyAfterLastLineWithoutNewline", "[a]\nx=1", "a", "z", "3", "[a]\nx=1\r\nz=3\r\n"},
        EditCase{"AddKeyAfterHeaderWithoutNewline", "[a]", "a", "z", "3", "[a]\r\nz=3\r\n"},
        EditCase{"AddKeyToFirstOfDuplicateSections", "[a]\r\nx=1\r\n[A]\r\nk=1\r\n", "a", "k", "3",
                 "[a]\r\nx=1\r\nk=3\r\n[A]\r\nk=1\r\n"},
        EditCase{"CommentedKeyIsNoKey", "[a]\r\n;k=1\r\n", "a", "k", "2", "[a]\r\n;k=1\r\nk=2\r\n"},
        EditCase{"LinesBeforeFirstSectionAreNoSection", "k=1\r\n[a]\r\n", "a", "k", "2", "k=1\r\n[a]\r\nk=2\r\n"},
        // Adding a section.
        EditCase{"AddSectionAfterBlankLine", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n"},
        EditCase{"AddSectionToFileEndingInBlankLine", "[a]\nx=1\n\n", "b", "y", "2", "[a]\nx=1\n\n[b]\r\ny=2\r\n"},
        EditCase{"AddSectionToFileWithoutNewline", "[a]\nx=1", "b", "y", "2", "[a]\nx=1\r\n\r\n[b]\r\ny=2\r\n"},
        EditCase{"AddSectionToEmptyFile", "", "b", "y", "2", "[b]\r\ny=2\r\n"},
        EditCase{"NamesTrimmedValueVerbatim", "", " b ", "\ty ", " v w", "[b]\r\ny= v w\r\n"},
        // Deleting a key.
        EditCase{"DeleteKey", "[a]\r\nx=1\r\nk=2\r\ny=3\r\n", "A", "K", nullptr, "[a]\r\nx=1\r\ny=3\r\n"},
        EditCase{"DeleteFirstOfDuplicateKeys", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", nullptr, "[a]\r\nk=2\r\n"},
        EditCase{"DeleteLastLineWithoutNewline", "[a]\r\nx=1\r\nk=2", "a", "k", nullptr, "[a]\r\nx=1\r\n"},
        EditCase{"DeleteMissingKeyChangesNothing", "[a]\r\nx=1\r\n", "a", "k", nullptr, "[a]\r\nx=1\r\n"},
        EditCase{"DeleteKeyOfMissingSectionChangesNothing", "[a]\r\nk=1\r\n", "b", "k", nullptr, "[a]\r\nk=1\r\n"},
        // Deleting a section.
        EditCase{"DeleteSectionUpToNext", "; top\r\n[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n; note\r\n\r\n[c]\r\nz=3\r\n", "B",
                 nullptr, nullptr, "; top\r\n[a]\r\nx=1\r\n\r\n[c]\r\nz=3\r\n"},
        EditCase{"DeleteLastSection", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2", "b", nullptr, nullptr, "[a]\r\nx=1\r\n\r\n"},
        EditCase{"DeleteSectionIgnoresValue", "[a]\r\nx=1\r\n[b]\r\n", "a", nullptr, "value", "[b]\r\n"},
        EditCase{"DeleteFirstOfDuplicateSections", "[a]\r\nx=1\r\n[A]\r\nx=2\r\n", "a", nullptr, nullptr,
                 "[A]\r\nx=2\r\n"},
        EditCase{"DeleteSectionKeepsByteOrderMark", "\xEF\xBB\xBF[a]\r\nx=1\r\n", "a", nullptr, nullptr,
                 "\xEF\xBB\xBF"},
        EditCase{"DeleteMissingSectionChangesNothing", "[a]\r\nx=1\r\n", "b", nullptr, nullptr, "[a]\r\nx=1\r\n"}),
    CaseName<EditCase>);

TEST_F(ProfileTest, WriteCreatesFileThenAddsSections) {
    ASSERT_TRUE(WritePrivateProfileStringA("First", "key", "value", file_.c_str()));
    EXPECT_EQ(folder_.Get("test.ini"), "[First]\r\nkey=value\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("Second", "other", "2", file_.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("first", "more", "3", file_.c_str()));
    EXPECT_EQ(folder_.Get("test.ini"), "[First]\r\nkey=value\r\nmore=3\r\n\r\n[Second]\r\nother=2\r\n");
    EXPECT_EQ(ReadString("FIRST", "KEY", file_), "value");
    EXPECT_EQ(GetPrivateProfileIntA("second", "other", 0, file_.c_str()), 2u);
}

TEST_F(ProfileTest, DeletingFromMissingFileCreatesNothing) {
    EXPECT_TRUE(WritePrivateProfileStringA("s", "k", nullptr, file_.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringA("s", nullptr, nullptr, file_.c_str()));
    EXPECT_TRUE(folder_.Entries().empty());
}

TEST_F(ProfileTest, WriteRejectsNullSectionAndFileName) {
    folder_.Put("test.ini", "[s]\r\nk=v\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        const char* fileName;
    };
    for (const Case& c : {Case{nullptr, "k", "x", file_.c_str()}, Case{nullptr, nullptr, nullptr, file_.c_str()},
                          Case{"s", "k", "x", nullptr}}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(WritePrivateProfileStringA(c.section, c.key, c.value, c.fileName));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    EXPECT_EQ(folder_.Get("test.ini"), "[s]\r\nk=v\r\n");
}

TEST_F(ProfileTest, WriteIntoMissingFolderFails) {
    for (const std::string& name : {folder_.WindowsName("missing\\test.ini"), "C:\\test.ini"s}) {
        SCOPED_TRACE(name);
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", name.c_str()));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    }
    EXPECT_TRUE(folder_.Entries().empty());
}

TEST_F(ProfileTest, FailedWriteLeavesNoTrace) {
    fs::create_directory(folder_.path() / "folder.ini");
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", folder_.WindowsName("folder.ini").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(fs::is_directory(folder_.path() / "folder.ini"));
    EXPECT_EQ(folder_.Entries(), std::set<std::string>{"folder.ini"});
}

TEST_F(ProfileTest, WriteLeavesOnlyTheFileAndKeepsItsPermissions) {
    folder_.Put("test.ini", "[s]\r\nk=1\r\n");
    fs::permissions(folder_.path() / "test.ini", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "2", file_.c_str()));
    EXPECT_EQ(folder_.Entries(), std::set<std::string>{"test.ini"});
    EXPECT_EQ(fs::status(folder_.path() / "test.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ProfileTest, WriteThroughSymbolicLinkKeepsTheLink) {
    folder_.Put("real.ini", "[s]\r\nk=1\r\n");
    fs::create_symlink(folder_.path() / "real.ini", folder_.path() / "link.ini");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "2", folder_.WindowsName("link.ini").c_str()));
    EXPECT_TRUE(fs::is_symlink(folder_.path() / "link.ini"));
    EXPECT_EQ(folder_.Get("real.ini"), "[s]\r\nk=2\r\n");
}

// ---------------------------------------------------------------------------
// File names.

TEST_F(ProfileTest, FileNamesIgnoreCase) {
    folder_.Put("Sub/Settings.ini", "[s]\r\nk=1\r\n");
    const std::string shouted = folder_.WindowsName("SUB\\SETTINGS.INI");
    EXPECT_EQ(ReadString("s", "k", shouted), "1");
    EXPECT_EQ(GetPrivateProfileIntA("s", "k", 0, shouted.c_str()), 1u);
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "2", folder_.WindowsName("sub\\settings.ini").c_str()));
    EXPECT_EQ(folder_.Get("Sub/Settings.ini"), "[s]\r\nk=2\r\n");
    EXPECT_EQ(folder_.Entries(), std::set<std::string>{"Sub"});
    EXPECT_EQ(folder_.Entries("Sub"), std::set<std::string>{"Settings.ini"});
}

// Restores the current directory on leaving.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const fs::path& path) : saved_(fs::current_path()) { fs::current_path(path); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;
    ~CurrentDirectory() { fs::current_path(saved_); }

private:
    fs::path saved_;
};

TEST_F(ProfileTest, NameWithoutFolderIsInCurrentDirectory) {
    const CurrentDirectory inside(folder_.path());
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", "Relative.ini"));
    EXPECT_EQ(folder_.Get("Relative.ini"), "[s]\r\nk=v\r\n");
    EXPECT_EQ(ReadString("s", "k", "RELATIVE.INI"), "v");
}

// ---------------------------------------------------------------------------
// Threads.

TEST_F(ProfileTest, ConcurrentWritersLoseNothingAndReadersSeeWholeFiles) {
    folder_.Put("test.ini", "[s]\r\nstable=yes\r\n");
    constexpr int kWriters = 6;
    constexpr int kKeysEach = 20;
    std::atomic<bool> writing{true};
    std::atomic<int> badReads{0};

    std::vector<std::thread> readers;
    for (int r = 0; r < 2; ++r) {
        readers.emplace_back([&] {
            while (writing) {
                if (ReadString("s", "stable", file_) != "yes") {
                    ++badReads;
                }
            }
        });
    }
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            for (int k = 0; k < kKeysEach; ++k) {
                const std::string key = "w" + std::to_string(w) + "k" + std::to_string(k);
                WritePrivateProfileStringA("s", key.c_str(), key.c_str(), file_.c_str());
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    writing = false;
    for (std::thread& reader : readers) {
        reader.join();
    }

    EXPECT_EQ(badReads, 0);
    for (int w = 0; w < kWriters; ++w) {
        for (int k = 0; k < kKeysEach; ++k) {
            const std::string key = "w" + std::to_string(w) + "k" + std::to_string(k);
            EXPECT_EQ(ReadString("s", key.c_str(), file_), key);
        }
    }
    EXPECT_EQ(folder_.Entries(), std::set<std::string>{"test.ini"});
}

}  // namespace
