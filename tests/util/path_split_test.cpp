#include "util/path_split.h"

#include "tests/platform/code_page_scope.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr const char* kTable = "\x95\x5C";  // one 932 character whose trail byte is '\\'

TEST(CombinePath, JoinsWithExactlyOneBackslash) {
    struct Case {
        const char* folder;
        const char* name;
        const char* joined;
    };
    const Case cases[] = {
        {"D:\\dir\\", "\\file", "D:\\dir\\file"},
        {"D:\\dir", "file", "D:\\dir\\file"},
        {"D:\\dir\\", "file", "D:\\dir\\file"},
        {"D:\\dir", "\\file", "D:\\dir\\file"},
        {"D:\\dir\\", "\\", "D:\\dir\\"},
        {"", "file", "\\file"},
        {"D:\\", "a\\b", "D:\\a\\b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CombinePath(c.folder, c.name), c.joined) << c.folder << " + " << c.name;
    }
}

TEST(CombinePath, AFolderEndingInATrailByteGetsItsSeparator) {
    AnsiCodePageScope scope(932);
    const std::string folder = std::string("D:\\") + kTable;
    EXPECT_EQ(CombinePath(folder.c_str(), "file"), folder + "\\file");
    CString path = folder.c_str();
    EnsureTrailingBackslash(path);
    EXPECT_EQ(path, folder + "\\");
    RemoveTrailingBackslash(path);
    EXPECT_EQ(path, folder);
    RemoveTrailingBackslash(path);  // the trail byte stays
    EXPECT_EQ(path, folder);
}

TEST(GetPathFolder, DriveUncRelativeAndInvalidPaths) {
    struct Case {
        const char* path;
        const char* folder;
    };
    const Case cases[] = {
        {"D:\\file.mot", "D:\\"},
        {"D:\\dir\\sub\\file.mot", "D:\\dir\\sub"},
        {"\\\\srv\\share\\a.mot", "\\\\srv\\share"},
        {"\\\\srv\\a.mot", "\\\\srv\\"},
        {"dir\\file.mot", ""},
        {"D:\\", ""},
        {"D:\\dir\\..\\file.mot", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetPathFolder(c.path), c.folder) << c.path;
    }
    AnsiCodePageScope scope(932);
    const std::string path = std::string("D:\\") + kTable + "\\x.mot";
    EXPECT_EQ(GetPathFolder(path.c_str()), std::string("D:\\") + kTable);
}

TEST(SplitPath, RootsFailAndEntriesInARootKeepItsBackslash) {
    CString folder = "unchanged";
    CString leaf;
    EXPECT_FALSE(SplitPath("D:\\", folder, leaf));
    EXPECT_FALSE(SplitPath("relative\\x", folder, leaf));
    EXPECT_EQ(folder, "unchanged");
    EXPECT_TRUE(SplitPath("D:\\dir\\", folder, leaf));
    EXPECT_EQ(folder, "D:\\dir");
    EXPECT_EQ(leaf, "");
    EXPECT_TRUE(GetParentFolder("D:\\a\\b", folder));
    EXPECT_EQ(folder, "D:\\a");

    CString root;
    EXPECT_TRUE(GetRootPath("D:\\a\\b\\c", root));
    EXPECT_EQ(root, "D:\\");
    EXPECT_TRUE(GetRootPath("\\\\srv\\share\\x", root));
    EXPECT_EQ(root, "\\\\srv\\");
    EXPECT_FALSE(GetRootPath("a\\b", root));
}

TEST(PathParts, LeafTitleAndExtension) {
    EXPECT_EQ(GetPathLeaf("D:\\dir\\name.ext"), "name.ext");
    EXPECT_EQ(GetPathLeaf("D:name.ext"), "name.ext");
    EXPECT_EQ(GetPathLeaf("name"), "name");
    EXPECT_EQ(GetPathTitle("D:\\dir.x\\name"), "name");  // the period in the folder is ignored
    EXPECT_EQ(GetPathTitle("D:\\dir\\.profile"), "");
    EXPECT_EQ(GetPathTitle("D:\\dir\\a.b.c"), "a.b");
    EXPECT_EQ(GetPathExtension("D:\\dir.x\\name"), "");
    EXPECT_EQ(GetPathExtension("D:\\dir\\name.MOT"), "MOT");
    EXPECT_EQ(GetPathExtension("name."), "");
    EXPECT_EQ(RemoveExtension("D:\\dir\\name.ext"), "D:\\dir\\name");
    EXPECT_EQ(RemoveExtension(".ext"), "");
    EXPECT_EQ(RemoveExtension("noext"), "noext");

    CString folder;
    CString leaf;
    EXPECT_TRUE(SplitAtLastBackslash("D:\\x", folder, leaf));
    EXPECT_EQ(folder, "D:\\");
    EXPECT_TRUE(SplitAtLastBackslash("\\x", folder, leaf));
    EXPECT_EQ(folder, "");
    EXPECT_TRUE(SplitAtLastBackslash("\\\\x", folder, leaf));
    EXPECT_EQ(folder, "\\\\");
    EXPECT_EQ(leaf, "x");
    EXPECT_FALSE(SplitAtLastBackslash("x", folder, leaf));
}

TEST(PathParts, WithinAndBelow) {
    EXPECT_TRUE(IsPathWithin("D:\\Dir\\Sub\\f", "d:\\dir"));
    EXPECT_TRUE(IsPathWithin("D:\\dir", "D:\\dir\\"));
    EXPECT_FALSE(IsPathWithin("D:\\dirx\\f", "D:\\dir"));
    CString rest;
    EXPECT_TRUE(GetPathBelow("D:\\Dir\\Sub\\F.txt", "d:\\dir", rest));
    EXPECT_EQ(rest, "sub\\f.txt");
    EXPECT_TRUE(GetPathBelow("D:\\Dir", "d:\\dir", rest));
    EXPECT_EQ(rest, "");
    EXPECT_FALSE(GetPathBelow("E:\\dir", "d:\\dir", rest));

    const char* text = "a\\b\\c";
    EXPECT_EQ(FindLastBackslash(text), text + 3);
    EXPECT_EQ(FindNthBackslash(text, 1), text + 1);
    EXPECT_EQ(FindNthBackslash(text, 3), nullptr);
    EXPECT_EQ(FindNthBackslash(text, 0), nullptr);
    EXPECT_TRUE(EqualsNoCase("D:\\A", "d:\\a"));
    EXPECT_EQ(RemoveTrailingBackslashCopy("D:\\a\\"), "D:\\a");
    char buffer[8];
    std::strcpy(buffer, "x\\");
    StripTrailingBackslashInPlace(buffer);
    EXPECT_STREQ(buffer, "x");
}

}  // namespace
