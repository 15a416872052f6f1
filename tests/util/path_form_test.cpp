#include "util/path_form.h"

#include "tests/platform/code_page_scope.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PathForm, ValidFullPaths) {
    struct Case {
        std::string path;
        BOOL valid;
    };
    const Case cases[] = {
        {"D:\\a", TRUE},
        {"D:\\dir\\file.mot", TRUE},
        {"\\\\srv\\x", TRUE},
        {"\\\\srv\\share\\a.mot", TRUE},
        {"D:\\", FALSE},              // a drive root alone
        {"\\\\srv\\", FALSE},         // a server root alone
        {"D:\\a\\\\b", FALSE},        // a doubled backslash
        {"D:\\a:b", FALSE},           // a second colon
        {"\\\\\\srv\\x", FALSE},      // three leading backslashes
        {"D:\\a\\..\\b", FALSE},
        {"D:\\a\\.\\b", FALSE},
        {"D:\\a.", FALSE},            // the system drops the trailing dot
        {"D:/a", FALSE},
        {"D:\\a*", FALSE},
        {"a\\b", FALSE},
        {"D:a", FALSE},
        {"", FALSE},
        {"D:\\" + std::string(256, 'a'), TRUE},   // 260 characters
        {"D:\\" + std::string(257, 'a'), FALSE},  // 261
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidFullPath(c.path.c_str()), c.valid) << c.path;
    }
    EXPECT_FALSE(IsValidFullPath(nullptr));
}

TEST(PathForm, ValidFolderPaths) {
    struct Case {
        const char* path;
        BOOL valid;
    };
    const Case cases[] = {
        {"D:\\", TRUE},          {"\\\\srv\\", TRUE}, {"D:\\a", TRUE},   {"\\\\srv\\share", TRUE},
        {"D:\\a\\", FALSE},      {"D:", FALSE},       {"D:\\a\\..", FALSE}, {"D:\\a|b", FALSE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidFolderPath(c.path), c.valid) << c.path;
    }
    EXPECT_TRUE(IsValidFolderForTempFile("D:\\dir"));
    EXPECT_TRUE(IsValidFolderForTempFile("D:\\"));
    EXPECT_FALSE(IsValidFolderForTempFile("D:"));
    EXPECT_FALSE(IsValidFolderForTempFile("D:\\a\\..\\b"));
}

TEST(PathForm, DriveAndUncForms) {
    EXPECT_TRUE(IsDriveSpec("D:"));
    EXPECT_FALSE(IsDriveSpec("D:\\"));
    EXPECT_FALSE(IsDriveSpec("1:"));
    EXPECT_TRUE(IsDrivePath("d:\\"));
    EXPECT_FALSE(IsDrivePath("D:x\\"));

    CString letter;
    CString rest = "untouched";
    EXPECT_TRUE(SplitDrivePath("D:\\", letter, rest));
    EXPECT_EQ(letter, "D");
    EXPECT_EQ(rest, "untouched");  // only set with a fourth character
    EXPECT_TRUE(SplitDrivePath("D:\\dir\\f", letter, rest));
    EXPECT_EQ(rest, "dir\\f");
    EXPECT_FALSE(SplitDrivePath("\\\\srv\\x", letter, rest));

    CString server;
    EXPECT_TRUE(SplitUncPath("\\\\srv\\share\\a.mot", server, rest));
    EXPECT_EQ(server, "srv");
    EXPECT_EQ(rest, "share\\a.mot");
    EXPECT_FALSE(IsUncPath("\\\\\\srv\\x"));
    EXPECT_FALSE(IsUncPath("\\\\srv"));
    EXPECT_TRUE(IsUncPath("\\\\s\\x"));

    EXPECT_TRUE(IsRootPath("D:\\"));
    EXPECT_TRUE(IsRootPath("\\\\srv\\"));
    EXPECT_FALSE(IsRootPath("D:\\a"));
    EXPECT_FALSE(IsRootPath("\\\\srv\\x"));
    EXPECT_FALSE(IsRootPath("D:"));
}

TEST(PathForm, TextsAndNames) {
    for (const char* bad : {"a*", "a?", "a/b", "<", ">", "a|b", "\"x\""}) {
        EXPECT_TRUE(HasInvalidPathChars(bad)) << bad;
    }
    EXPECT_FALSE(HasInvalidPathChars("D:\\a b.c"));
    EXPECT_TRUE(IsValidPathText("D:\\a"));
    EXPECT_FALSE(IsValidPathText(""));
    EXPECT_FALSE(IsValidPathText("a:b:c"));
    EXPECT_TRUE(IsValidBaseName("name"));
    EXPECT_TRUE(IsValidBaseName("two words"));
    EXPECT_FALSE(IsValidPlainName("two words"));
    EXPECT_TRUE(IsValidPlainName("plain"));
    for (const char* bad : {"", "a.b", "a\\b", "a:b", "a*"}) {
        EXPECT_FALSE(IsValidBaseName(bad)) << bad;
    }
}

TEST(PathForm, TrailBytesAreNoSeparators) {
    AnsiCodePageScope scope(932);
    // "\x95\x5C" is one character whose trail byte is '\\'.
    EXPECT_FALSE(IsRootPath("\\\\\x95\x5C"));  // the third backslash is a trail byte
    EXPECT_FALSE(IsUncPath("\\\\\x95\x5Cx"));
    EXPECT_TRUE(IsUncPath("\\\\\x95\x5C\\x"));
    CString server;
    CString rest;
    EXPECT_TRUE(SplitUncPath("\\\\\x95\x5C\\x", server, rest));
    EXPECT_EQ(server, "\x95\x5C");
    EXPECT_FALSE(EndsWithBackslash("D:\\\x95\x5C"));
    EXPECT_TRUE(EndsWithBackslash("D:\\\x95\x5C\\"));
    EXPECT_EQ(CharCount("D:\\\x95\x5C"), 4);
    EXPECT_FALSE(HasInvalidPathChars("\x83\x7C"));  // a trail byte equal to '|'
}

}  // namespace
