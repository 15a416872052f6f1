#include "platform/paths.h"
#include "platform/profile.h"

#include "tests/support/sides.h"

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
    "\x1A" "CtrlZ=blank\x1A\r\n"
    "=nameless\r\n"
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
                      // A comment line is a line like any other when asked for by its
                      // whole name, ';' included.
                      LookupCase{"CommentFoundByItsWholeName", "General", ";Commented", "out"},
                      LookupCase{"CommentedKeyMissing", "General", "Commented", kDefault},
                      LookupCase{"CtrlZIsABlank", "General", "ctrlz", "blank"},
                      LookupCase{"NamelessKey", "General", " ", "nameless"},
                      LookupCase{"BrokenHeaderStartsNoSection", "General", "AfterBroken", "still General"},
                      LookupCase{"BrokenHeaderIsNoSection", "broken header", "AfterBroken", kDefault},
                      LookupCase{"PaddedSectionName", "padded section", "key", "padded"},
                      LookupCase{"LastBracketClosesName", "odd]name", "key", "odd"},
                      LookupCase{"FirstDuplicateSectionWins", "general", "name", "Alpha"},
                      LookupCase{"DuplicateSectionNotSearched", "General", "Late", kDefault},
                      LookupCase{"LinesBeforeFirstSectionBelongToNoNamedSection", "General", "orphan", kDefault},
                      LookupCase{"LinesBeforeFirstSectionFormTheNamelessSection", "", "orphan", "before any section"},
                      LookupCase{"MissingSection", "Missing", "Name", kDefault},
                      LookupCase{"MissingKey", "General", "Missing", kDefault}),
    CaseName<LookupCase>);

// ---------------------------------------------------------------------------
// Line ends and damaged files: the good lines are found, and adding a key
// writes the whole file anew, as Windows does: CR LF line ends, no blank
// lines, every line trimmed, names and values cut at a NUL, and the lines it
// cannot read (junk, a "[" without "]") kept.

struct DamagedFileCase {
    const char* name;
    std::string bytes;
    std::string written;  // after adding d=4 to [second]
};

using ProfileDamagedFileTest = ProfileCaseTest<DamagedFileCase>;

TEST_P(ProfileDamagedFileTest, ReadsGoodLinesAndWritesTheFileAnew) {
    const DamagedFileCase& c = GetParam();
    folder_.Put("test.ini", c.bytes);

    EXPECT_EQ(ReadString("first", "a", file_), "1");
    EXPECT_EQ(ReadString("first", "b", file_), "2");
    EXPECT_EQ(ReadString("second", "c", file_), "3");

    ASSERT_TRUE(WritePrivateProfileStringA("second", "d", "4", file_.c_str()));
    EXPECT_EQ(folder_.Get("test.ini"), c.written);
    EXPECT_EQ(ReadString("first", "a", file_), "1");
    EXPECT_EQ(ReadString("second", "c", file_), "3");
    EXPECT_EQ(ReadString("second", "d", file_), "4");
}

const std::string kWrittenAnew = "[first]\r\na=1\r\nb=2\r\n[second]\r\nc=3\r\nd=4\r\n";

INSTANTIATE_TEST_SUITE_P(
    ProfileDamagedFiles, ProfileDamagedFileTest,
    ::testing::Values(
        DamagedFileCase{"CrLf", "[first]\r\na=1\r\nb=2\r\n[second]\r\nc=3\r\n", kWrittenAnew},
        DamagedFileCase{"Lf", "[first]\na=1\nb=2\n[second]\nc=3\n", kWrittenAnew},
        DamagedFileCase{"LoneCr", "[first]\ra=1\rb=2\r[second]\rc=3\r", kWrittenAnew},
        DamagedFileCase{"MixedLineEnds", "[first]\na=1\r\nb=2\r[second]\nc=3\r\n", kWrittenAnew},
        DamagedFileCase{"NoFinalNewline", "[first]\r\na=1\r\nb=2\r\n[second]\r\nc=3", kWrittenAnew},
        DamagedFileCase{"EmptyAndBlankLines", "\r\n \t\r\n[first]\r\n\r\na=1\r\n\t\r\nb=2\r\n\r\n[second]\r\nc=3\r\n",
                        kWrittenAnew},
        DamagedFileCase{"IndentedLines", "  [first]\r\n\ta = 1 \r\n b=2\r\n[ second ] \r\nc=3\r\n", kWrittenAnew},
        DamagedFileCase{"NulInJunkLine", "[first]\r\na=1\r\nju\0nk=x\r\nb=2\r\n[second]\r\nc=3\r\n"s,
                        "[first]\r\na=1\r\nju=x\r\nb=2\r\n[second]\r\nc=3\r\nd=4\r\n"},
        DamagedFileCase{"NulEndsValue", "[first]\r\na=1\0 and more\r\nb=2\r\n[second]\r\nc=3\r\n"s, kWrittenAnew},
        DamagedFileCase{"BinaryJunk", "[first]\r\n\x01\x02\xff\xfe\x80=\x7f\x1b\r\na=1\r\nb=2\r\n[second]\r\nc=3\r\n",
                        "[first]\r\n\x01\x02\xff\xfe\x80=\x7f\x1b\r\na=1\r\nb=2\r\n[second]\r\nc=3\r\nd=4\r\n"},
        DamagedFileCase{"UnclosedBracket", "[first]\r\na=1\r\n[unclosed \r\nb=2\r\n[second]\r\nc=3\r\n",
                        "[first]\r\na=1\r\n[unclosed\r\nb=2\r\n[second]\r\nc=3\r\nd=4\r\n"},
        DamagedFileCase{"LoneBracket", "[\r\n[first]\r\na=1\r\n]\r\nb=2\r\n[second]\r\nc=3\r\n",
                        "[\r\n[first]\r\na=1\r\n]\r\nb=2\r\n[second]\r\nc=3\r\nd=4\r\n"},
        DamagedFileCase{"HundredKilobyteLine",
                        "[first]\r\na=1\r\n" + std::string(100 * 1024, 'x') + "\r\nb=2\r\n[second]\r\nc=3\r\n",
                        "[first]\r\na=1\r\n" + std::string(100 * 1024, 'x') + "\r\nb=2\r\n[second]\r\nc=3\r\nd=4\r\n"},
        DamagedFileCase{"HundredKilobyteKeyLine",
                        "[first]\r\na=1\r\nhuge=" + std::string(100 * 1024, 'y') + "\r\nb=2\r\n[second]\r\nc=3\r\n",
                        "[first]\r\na=1\r\nhuge=" + std::string(100 * 1024, 'y') +
                            "\r\nb=2\r\n[second]\r\nc=3\r\nd=4\r\n"},
        DamagedFileCase{"Utf8ByteOrderMark", "\xEF\xBB\xBF[first]\r\na=1\r\nb=2\r\n[second]\r\nc=3\r\n",
                        "\xEF\xBB\xBF" + kWrittenAnew}),
    CaseName<DamagedFileCase>);

// ---------------------------------------------------------------------------
// Defaults.

// The error tells why: a missing file, a missing folder, a folder (or an
// empty name, which names the folder itself).
TEST_F(ProfileTest, UnreadableFileNamesGiveTheDefault) {
    folder_.Put("folder/inside.ini", "[s]\r\nk=v\r\n");
    struct Case {
        std::string name;
        DWORD error;
    };
    const Case cases[] = {
        {folder_.WindowsName("missing.ini"), ERROR_FILE_NOT_FOUND},
        {folder_.WindowsName("no such folder\\test.ini"), ERROR_PATH_NOT_FOUND},
        {folder_.WindowsName("folder"), ERROR_ACCESS_DENIED},
        {"", ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(ReadString("s", "k", c.name), kDefault);
        EXPECT_EQ(GetLastError(), c.error);
        EXPECT_EQ(GetPrivateProfileIntA("s", "k", 7, c.name.c_str()), 7u);
    }
}

// Reading a file clears the error, so that an empty value tells itself from
// a missing file.
TEST_F(ProfileTest, ReadingAFileClearsTheError) {
    folder_.Put("test.ini", "[s]\r\nempty=\r\n");
    for (const char* key : {"empty", "missing"}) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        ReadString("s", key, file_);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << key;
    }
}

TEST_F(ProfileTest, OtherDrivesAndNoFileNameHaveNoFile) {
    Q3V_SKIP_ON_WINDOWS("the Linux side has drive Z: only, and no Windows folder with a WIN.INI for a null name");
    for (const char* name : {"C:\\windows\\test.ini", "D:test.ini"}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(ReadString("s", "k", name), kDefault) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND)) << name;
    }
    std::array<char, 16> buffer{};
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "dflt", buffer.data(), 16, nullptr), 4u);
    EXPECT_STREQ(buffer.data(), "dflt");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// The default of a missing key loses its trailing spaces (not a tab), then
// one pair of enclosing quotes, as a value does.
TEST_F(ProfileTest, DefaultLosesTrailingSpacesAndEnclosingQuotes) {
    folder_.Put("test.ini", "[s]\r\n");
    struct Case {
        const char* defaultValue;
        std::string expected;
    };
    for (const Case& c : {Case{nullptr, ""}, Case{"", ""}, Case{"dflt   ", "dflt"}, Case{"  dflt", "  dflt"},
                          Case{"a b ", "a b"}, Case{"a\t", "a\t"}, Case{" \t ", " \t"}, Case{"\"quoted\"", "quoted"},
                          Case{"'single'  ", "single"}, Case{"\"  \"", "  "}, Case{"\"left", "\"left"},
                          Case{"'mixed\"", "'mixed\""}}) {
        SCOPED_TRACE(c.defaultValue == nullptr ? "(null)" : c.defaultValue);
        EXPECT_EQ(ReadString("s", "missing", file_, c.defaultValue), c.expected);
        EXPECT_EQ(ReadString("s", "missing", folder_.WindowsName("missing.ini"), c.defaultValue), c.expected);
    }
}

TEST_F(ProfileTest, ADefaultOfSpacesOnlyIsEmpty) {
    Q3V_SKIP_ON_WINDOWS("Wine differs from Windows here: it keeps one space of a default made of spaces only, "
                        "where Windows documents that it cuts the trailing blanks off");
    folder_.Put("test.ini", "[s]\r\n");
    for (const char* spaces : {" ", "   "}) {
        EXPECT_EQ(ReadString("s", "missing", file_, spaces), "") << '"' << spaces << '"';
    }
}

// The default of a listing is taken as given but for enclosing quotes: its
// trailing spaces stay.
TEST_F(ProfileTest, AListingsDefaultKeepsItsSpaces) {
    folder_.Put("test.ini", "[empty]\r\n");
    for (const char* section : {"missing", "empty"}) {
        EXPECT_EQ(ReadList(section, file_, "dflt  "), "dflt  \0"s) << section;
        EXPECT_EQ(ReadList(section, file_, "\"dflt\""), "dflt\0"s) << section;
    }
    EXPECT_EQ(ReadList("s", folder_.WindowsName("missing.ini"), "dflt  "), "dflt  \0"s);
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

// A quoted value is cut like any other, its quotes not counted.
TEST_F(ProfileTest, QuotedValueIsCutToTheBuffer) {
    folder_.Put("test.ini", "[s]\r\nk=\"abcdef\"\r\n");
    for (const SizeCase& c : {SizeCase{1, 0, "\0"s}, SizeCase{2, 1, "a\0"s}, SizeCase{6, 5, "abcde\0"s},
                              SizeCase{8, 6, "abcdef\0#"s}}) {
        ExpectCopies(c, [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA("s", "k", "", buffer, size, file_.c_str());
        });
    }
}

TEST_F(ProfileTest, AQuotedTextThatJustFitsIsCopiedWhole) {
    Q3V_SKIP_ON_WINDOWS("Wine differs from Windows here: it drops the last character of a quoted value or default "
                        "when the buffer holds the text and its NUL exactly; Windows documents that a text that "
                        "fits is copied whole");
    folder_.Put("test.ini", "[s]\r\nk=\"abcdef\"\r\n");
    ExpectCopies({7, 6, "abcdef\0"s}, [&](char* buffer, DWORD size) {
        return GetPrivateProfileStringA("s", "k", "", buffer, size, file_.c_str());
    });
    ExpectCopies({5, 4, "dflt\0"s}, [&](char* buffer, DWORD size) {
        return GetPrivateProfileStringA("s", "missing", "\"dflt\"", buffer, size, file_.c_str());
    });
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
    // Duplicate keys are listed as often as they appear, a key without a
    // name as an empty name; comments and lines without '=' are not listed.
    EXPECT_EQ(ReadList("KEYS", file_), "one\0Two\0\0one\0three\0\0"s);
    EXPECT_EQ(ReadList("Spaced", file_), "(default)\0"s) << "a section without keys gives the default";
    EXPECT_EQ(ReadList("Empty", file_), "(default)\0"s);
    EXPECT_EQ(ReadList("Missing", file_), "(default)\0"s);
    EXPECT_EQ(ReadList("Missing", file_, nullptr), "\0"s);
}

// A list that would start with an empty name would read as no list: it is
// the default instead. A nameless key right after another is dropped.
TEST_F(ProfileTest, NamelessKeysInListings) {
    folder_.Put("test.ini", "[a]\r\n=x\r\nk=1\r\n[b]\r\nk=1\r\n=x\r\n=y\r\nj=2\r\n[c]\r\n=x\r\nk\r\n=y\r\n");
    EXPECT_EQ(ReadList("a", file_), "(default)\0"s);
    EXPECT_EQ(ReadList("b", file_), "k\0\0j\0\0"s);
    EXPECT_EQ(ReadString("b", "", file_), "x");
    EXPECT_EQ(ReadList("c", file_), "(default)\0"s);
    ASSERT_TRUE(WritePrivateProfileStringA("b", "z", "3", file_.c_str()));
    EXPECT_EQ(folder_.Get("test.ini"),
              "[a]\r\n=x\r\nk=1\r\n[b]\r\nk=1\r\n=x\r\nj=2\r\nz=3\r\n[c]\r\n=x\r\nk\r\n=y\r\n");
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

// A list that does not fit is cut, its last name too, the result being
// size - 2.
TEST_F(ProfileTest, ListThatDoesNotFitAnswersSizeMinusTwo) {
    folder_.Put("test.ini", "[s]\r\none=1\r\ntwo=2\r\nthree=3\r\n[tt]\r\n");
    struct Case {
        const char* section;
        std::string list;
    };
    for (const Case& c : {Case{"s", "one\0two\0three\0\0"s}, Case{nullptr, "s\0tt\0\0"s}}) {
        for (DWORD size = 3; size < c.list.size(); ++size) {
            SCOPED_TRACE("size " + std::to_string(size));
            std::array<char, 32> buffer{};
            buffer.fill('#');
            EXPECT_EQ(GetPrivateProfileStringA(c.section, nullptr, "dflt", buffer.data(), size, file_.c_str()),
                      size - 2);
            EXPECT_EQ(std::string(buffer.data(), size - 1), c.list.substr(0, size - 2) + '\0');
        }
    }
}

TEST_F(ProfileTest, ListThatDoesNotFitIsCutWithTwoNuls) {
    Q3V_SKIP_ON_WINDOWS("Wine differs from Windows here: it ends a cut list with one NUL, not the two Windows "
                        "documents; takes a list that fits its buffer exactly for one that does not; and gives "
                        "the default for a key list cut to nothing");
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

// Blanks, a sign, then "0x", "0o" or "0b" (lower case only) for base 16, 8
// or 2, else decimal; digits up to the first other character; wrapping
// around at 32 bits.
TEST_F(ProfileTest, IntReadsLeadingDigits) {
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
                "negativeHex=-0x10\r\n"
                "hexThenText=0x1g\r\n"
                "upperX=0X1f\r\n"
                "prefixOnly=0x\r\n"
                "octal=0o17\r\n"
                "binary=0b101\r\n"
                "binaryStops=0b102\r\n"
                "quotedHex='0x10'\r\n"
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
             Case{"hex", 16},
             Case{"negativeHex", 0xFFFFFFF0u},
             Case{"hexThenText", 1},
             Case{"upperX", 0},  // decimal: "0" then 'X' stops
             Case{"prefixOnly", 0},
             Case{"octal", 15},
             Case{"binary", 5},
             Case{"binaryStops", 2},
             Case{"quotedHex", 16},
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
    EXPECT_EQ(GetPrivateProfileIntA("n", "hex", -1, folder_.WindowsName("missing.ini").c_str()), 0xFFFFFFFFu);
    EXPECT_EQ(GetPrivateProfileIntA("other", "negative", 3, file_.c_str()), 3u);
    EXPECT_EQ(GetPrivateProfileIntA("N", "NEGATIVE", 3, file_.c_str()), 0xFFFFFFFBu);
}

// The text read is what GetPrivateProfileStringA gives: a null section or key
// reads the first name of the listing.
TEST_F(ProfileTest, IntWithoutSectionOrKeyReadsTheFirstListedName) {
    folder_.Put("test.ini", "[42]\r\n7=x\r\n[empty]\r\n");
    EXPECT_EQ(GetPrivateProfileIntA(nullptr, "k", 3, file_.c_str()), 42u);
    EXPECT_EQ(GetPrivateProfileIntA("42", nullptr, 3, file_.c_str()), 7u);
    EXPECT_EQ(GetPrivateProfileIntA("empty", nullptr, 3, file_.c_str()), 3u);
    EXPECT_EQ(GetPrivateProfileIntA("missing", nullptr, 3, file_.c_str()), 3u);
}

// ---------------------------------------------------------------------------
// Writing: each edit writes the file anew as Windows writes it, and an edit
// that changes nothing leaves the file untouched.

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
        // Replacing a value writes every line anew: CR LF, no blank lines,
        // lines trimmed; the key keeps its spelling.
        EditCase{"ReplaceWritesTheFileAnew", "; settings\n[Main]\n  Speed = 10 \nmode=fast\n\n[Other]\nSpeed=1\n",
                 "MAIN", "SPEED", "20", "; settings\r\n[Main]\r\nSpeed=20\r\nmode=fast\r\n[Other]\r\nSpeed=1\r\n"},
        EditCase{"ReplaceInCrLfFile", "[a]\r\nk=1\r\nj=2\r\n", "a", "k", "3", "[a]\r\nk=3\r\nj=2\r\n"},
        EditCase{"ReplaceInLoneCrFile", "[a]\rk=1\rj=2\r", "a", "k", "3", "[a]\r\nk=3\r\nj=2\r\n"},
        EditCase{"ReplaceLastLineWithoutNewline", "[a]\r\nk=1", "a", "k", "3", "[a]\r\nk=3\r\n"},
        EditCase{"ReplaceFirstOfDuplicateKeys", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", "3", "[a]\r\nk=3\r\nk=2\r\n"},
        EditCase{"ReplaceQuotedValue", "[a]\r\nk=\"old\"\r\n", "a", "k", "new", "[a]\r\nk=new\r\n"},
        EditCase{"ReplaceWithEmptyValue", "[a]\r\nk=1\r\n", "a", "k", "", "[a]\r\nk=\r\n"},
        EditCase{"ReplaceInTrimmedCaseFoldedSection", "[ Main ]\r\nk=1\r\n", "main", "K", "2", "[Main]\r\nk=2\r\n"},
        EditCase{"ReplaceLineWhoseValueHasNul", "[a]\r\nk=1\0tail\r\nj=2\r\n"s, "a", "j", "3", "[a]\r\nk=1\r\nj=3\r\n"},
        EditCase{"JunkKeptUpToANul", "[a]\r\n\x01\xfe\xff junk\r\n[unclosed\r\nnu\0ll=1\r\nk=1\r\n"s, "a", "k", "2",
                 "[a]\r\n\x01\xfe\xff junk\r\n[unclosed\r\nnu=1\r\nk=2\r\n"},
        EditCase{"CtrlZIsABlank", "[a]\x1A\r\n\x1A\r\nk=1\x1A\r\n", "a", "j", "2", "[a]\r\nk=1\r\nj=2\r\n"},
        EditCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "k", "2", "\xEF\xBB\xBF[a]\r\nk=2\r\n"},
        EditCase{"LineWithoutValueGetsOne", "[a]\r\nk\r\nj=1\r\n", "a", "k", "2", "[a]\r\nk=2\r\nj=1\r\n"},
        EditCase{"CommentReplacedByItsWholeName", "[a]\r\n;k=1\r\n", "a", ";k", "2", "[a]\r\n;k=2\r\n"},
        EditCase{"ValueLosesLeadingBlanksOnly", "[a]\r\nk=1\r\n", "a", "k", "  two  ", "[a]\r\nk=two  \r\n"},
        // A value that reads back the same changes nothing: the file is not
        // written anew.
        EditCase{"SameValueLeavesTheFileAsWritten", "[a]\n  k = 1 \n\n", "a", "k", "1", "[a]\n  k = 1 \n\n"},
        EditCase{"SameValueAfterItsLeadingBlanks", "[a]\r\nk=1\r\n\r\n", "a", " k", " 1", "[a]\r\nk=1\r\n\r\n"},
        // Adding a key to an existing section: at its end.
        EditCase{"AddKeyAtTheEndOfItsSection", "[a]\r\nx=1\r\n; note\r\n\r\n \r\n[b]\r\ny=2\r\n", "a", "z", "3",
                 "[a]\r\nx=1\r\n; note\r\nz=3\r\n[b]\r\ny=2\r\n"},
        EditCase{"AddKeyToSectionWithoutKeys", "[a]\r\n\r\n[b]\r\n", "a", "z", "3", "[a]\r\nz=3\r\n[b]\r\n"},
        EditCase{"AddKeyAfterLastLineWithoutNewline", "[a]\nx=1", "a", "z", "3", "[a]\r\nx=1\r\nz=3\r\n"},
        EditCase{"AddKeyAfterHeaderWithoutNewline", "[a]", "a", "z", "3", "[a]\r\nz=3\r\n"},
        EditCase{"AddKeyToFirstOfDuplicateSections", "[a]\r\nx=1\r\n[A]\r\nk=1\r\n", "a", "k", "3",
                 "[a]\r\nx=1\r\nk=3\r\n[A]\r\nk=1\r\n"},
        EditCase{"CommentedKeyIsNoKey", "[a]\r\n;k=1\r\n", "a", "k", "2", "[a]\r\n;k=1\r\nk=2\r\n"},
        EditCase{"LinesBeforeFirstSectionAreNoNamedSection", "k=1\r\n[a]\r\n", "a", "k", "2", "k=1\r\n[a]\r\nk=2\r\n"},
        EditCase{"NamelessSectionIsTheLinesBeforeTheFirstHeader", "k=1\r\n[a]\r\nj=1\r\n", "", "k", "2",
                 "k=2\r\n[a]\r\nj=1\r\n"},
        EditCase{"AddToNamelessSection", "[a]\r\nj=1\r\n", " ", "k", "2", "k=2\r\n[a]\r\nj=1\r\n"},
        EditCase{"EmptyBracketsHeaderIsNotWritten", "x=0\r\n[]\r\nk=1\r\n[a]\r\nj=1\r\n", "a", "j", "2",
                 "x=0\r\nk=1\r\n[a]\r\nj=2\r\n"},
        // Adding a section: at the end of the file.
        EditCase{"AddSection", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        EditCase{"AddSectionToFileEndingInBlankLine", "[a]\nx=1\n\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        EditCase{"AddSectionToFileWithoutNewline", "[a]\nx=1", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        EditCase{"AddSectionToEmptyFile", "", "b", "y", "2", "[b]\r\ny=2\r\n"},
        EditCase{"AddSectionToBlankFile", "\r\n\r\n", "b", "y", "2", "[b]\r\ny=2\r\n"},
        EditCase{"NamesAndValueLoseLeadingBlanks", "", " b ", "\ty ", " v w", "[b ]\r\ny =v w\r\n"},
        // Deleting a key.
        EditCase{"DeleteKey", "[a]\r\nx=1\r\nk=2\r\ny=3\r\n", "A", "K", nullptr, "[a]\r\nx=1\r\ny=3\r\n"},
        EditCase{"DeleteFirstOfDuplicateKeys", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", nullptr, "[a]\r\nk=2\r\n"},
        EditCase{"DeleteLastLineWithoutNewline", "[a]\r\nx=1\r\nk=2", "a", "k", nullptr, "[a]\r\nx=1\r\n"},
        EditCase{"DeleteLineWithoutValue", "[a]\r\nx\r\nk=2\r\n", "a", "x", nullptr, "[a]\r\nk=2\r\n"},
        EditCase{"DeleteMissingKeyChangesNothing", "[a]\nx=1\n\n", "a", "k", nullptr, "[a]\nx=1\n\n"},
        EditCase{"DeleteKeyOfMissingSectionChangesNothing", "[a]\nk=1\n\n", "b", "k", nullptr, "[a]\nk=1\n\n"},
        // Deleting a section.
        EditCase{"DeleteSectionUpToNext", "; top\r\n[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n; note\r\n\r\n[c]\r\nz=3\r\n", "B",
                 nullptr, nullptr, "; top\r\n[a]\r\nx=1\r\n[c]\r\nz=3\r\n"},
        EditCase{"DeleteLastSection", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2", "b", nullptr, nullptr, "[a]\r\nx=1\r\n"},
        EditCase{"DeleteSectionIgnoresValue", "[a]\r\nx=1\r\n[b]\r\n", "a", nullptr, "value", "[b]\r\n"},
        EditCase{"DeleteFirstOfDuplicateSections", "[a]\r\nx=1\r\n[A]\r\nx=2\r\n", "a", nullptr, nullptr,
                 "[A]\r\nx=2\r\n"},
        EditCase{"DeleteSectionKeepsByteOrderMark", "\xEF\xBB\xBF[a]\r\nx=1\r\n", "a", nullptr, nullptr,
                 "\xEF\xBB\xBF"},
        EditCase{"DeleteNamelessSection", "k=0\r\n[a]\r\nj=1\r\n", "", nullptr, nullptr, "[a]\r\nj=1\r\n"},
        EditCase{"DeleteMissingSectionChangesNothing", "[a]\nx=1\n\n", "b", nullptr, nullptr, "[a]\nx=1\n\n"}),
    CaseName<EditCase>);

TEST_F(ProfileTest, WriteCreatesFileThenAddsSections) {
    ASSERT_TRUE(WritePrivateProfileStringA("First", "key", "value", file_.c_str()));
    EXPECT_EQ(folder_.Get("test.ini"), "[First]\r\nkey=value\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("Second", "other", "2", file_.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("first", "more", "3", file_.c_str()));
    EXPECT_EQ(folder_.Get("test.ini"), "[First]\r\nkey=value\r\nmore=3\r\n[Second]\r\nother=2\r\n");
    EXPECT_EQ(ReadString("FIRST", "KEY", file_), "value");
    EXPECT_EQ(GetPrivateProfileIntA("second", "other", 0, file_.c_str()), 2u);
}

TEST_F(ProfileTest, DeletingFromMissingFileCreatesNothing) {
    EXPECT_TRUE(WritePrivateProfileStringA("s", "k", nullptr, file_.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringA("s", nullptr, nullptr, file_.c_str()));
    EXPECT_TRUE(folder_.Entries().empty());
}

// A null section with a key fails with "file not found"; all names null is
// the request to flush Windows' cache, which fails without an error.
TEST_F(ProfileTest, WriteRejectsANullSection) {
    constexpr DWORD kStaleError = 0x12345;
    folder_.Put("test.ini", "[s]\r\nk=v\r\n");
    for (const char* value : {"x", static_cast<const char*>(nullptr)}) {
        SetLastError(kStaleError);
        EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", value, file_.c_str()));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    }
    SetLastError(kStaleError);
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, file_.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(folder_.Get("test.ini"), "[s]\r\nk=v\r\n");
}

TEST_F(ProfileTest, WriteWithoutAFileNameFails) {
    Q3V_SKIP_ON_WINDOWS("Windows writes WIN.INI in its own folder for a null file name; the Linux side has no "
                        "such folder");
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "x", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// Even deleting from a file in a missing folder fails; an empty name names a
// folder, which cannot be written.
TEST_F(ProfileTest, WriteIntoMissingFolderFails) {
    const std::string name = folder_.WindowsName("missing\\test.ini");
    struct Case {
        const char* key;
        const char* value;
    };
    for (const Case& c : {Case{"k", "v"}, Case{"k", nullptr}, Case{nullptr, nullptr}}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(WritePrivateProfileStringA("s", c.key, c.value, name.c_str()));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    }
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", ""));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(folder_.Entries().empty());
}

TEST_F(ProfileTest, WriteOnAnotherDriveFails) {
    Q3V_SKIP_ON_WINDOWS("the Linux side has drive Z: only");
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", "C:\\test.ini"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(ProfileTest, FailedWriteLeavesNoTrace) {
    fs::create_directory(folder_.path() / "folder.ini");
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", folder_.WindowsName("folder.ini").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(fs::is_directory(folder_.path() / "folder.ini"));
    EXPECT_EQ(folder_.Entries(), std::set<std::string>{"folder.ini"});
}

TEST_F(ProfileTest, WriteLeavesOnlyTheFile) {
    folder_.Put("test.ini", "[s]\r\nk=1\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "2", file_.c_str()));
    EXPECT_EQ(folder_.Entries(), std::set<std::string>{"test.ini"});
    EXPECT_EQ(folder_.Get("test.ini"), "[s]\r\nk=2\r\n");
}

TEST_F(ProfileTest, WriteKeepsTheFilesPermissions) {
    Q3V_SKIP_ON_WINDOWS("Windows files have no owner, group and other permissions");
    folder_.Put("test.ini", "[s]\r\nk=1\r\n");
    fs::permissions(folder_.path() / "test.ini", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "2", file_.c_str()));
    EXPECT_EQ(fs::status(folder_.path() / "test.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ProfileTest, WriteThroughSymbolicLinkKeepsTheLink) {
    Q3V_SKIP_ON_WINDOWS("making a symbolic link needs a privilege on Windows, and Wine does not make them");
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
    Q3V_SKIP_ON_WINDOWS("Windows looks for a profile named without a folder in its own folder; the Linux side has "
                        "no such folder and takes the current directory, as for every relative path");
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
