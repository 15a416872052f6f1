#include "util/path_arithmetic.h"
#include "util/path_names.h"
#include "util/path_rebase.h"

#include "platform/crt.h"
#include "tests/util/list_helpers.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using test_lists::Fill;
using test_lists::Items;
using test_lists::Texts;
using testing_support::TempFolder;

TEST(PathArithmetic, MakeAbsolutePath) {
    struct Case {
        const char* relative;
        const char* base;
        const char* absolute;
    };
    const Case cases[] = {
        {"..\\b\\", "D:\\x\\y", "D:\\x\\b\\"},
        {"..\\..\\..\\b", "D:\\x", "D:\\b"},  // ".." at the root stays at the root
        {"\\b", "D:\\x\\y", "D:\\b"},
        {".\\c\\.\\d", "D:\\x", "D:\\x\\c\\d"},
        {"a\\\\b", "\\\\srv\\share", "\\\\srv\\share\\a\\b"},
        {"..", "D:\\x", "D:\\"},
    };
    for (const Case& c : cases) {
        CString out;
        EXPECT_TRUE(MakeAbsolutePath(c.relative, c.base, out)) << c.relative << " on " << c.base;
        EXPECT_EQ(out, c.absolute) << c.relative << " on " << c.base;
    }
    CString out = "unchanged";
    EXPECT_FALSE(MakeAbsolutePath("D:\\a", "D:\\x", out));
    EXPECT_FALSE(MakeAbsolutePath("a", "relative", out));
    EXPECT_FALSE(MakeAbsolutePath("a", "D:\\x\\", out));  // a trailing backslash on no root
    EXPECT_FALSE(MakeAbsolutePath("", "D:\\x", out));
    EXPECT_FALSE(MakeAbsolutePath("a|b", "D:\\x", out));
    EXPECT_EQ(out, "unchanged");
}

TEST(PathArithmetic, NormalisePath) {
    struct Case {
        const char* path;
        const char* normal;
    };
    const Case cases[] = {
        {"D:\\a\\b\\..\\c", "D:\\a\\c"},
        {"D:\\a\\b\\c\\..\\..\\d", "D:\\a\\d"},
        {"D:\\a\\.\\b", "D:\\a\\b"},
        {"D:\\a\\\\b\\", "D:\\a\\b"},
        {"\\\\srv\\share\\x\\..\\y", "\\\\srv\\share\\y"},
        {"D:", "D:\\"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormalisePath(c.path), c.normal) << c.path;
    }
}

TEST(PathArithmetic, MakeRelativePath) {
    struct Case {
        const char* path;
        const char* base;
        int result;
        const char* relative;
    };
    const Case cases[] = {
        {"D:\\a\\b\\f.c", "D:\\a\\b", 0, "f.c"},
        {"D:\\a\\b\\f.c", "D:\\A\\B", 0, "f.c"},
        {"D:\\a\\b\\f.c", "D:\\a", 0, "b\\f.c"},
        {"D:\\a\\b\\f.c", "D:\\a\\b\\c\\d", 0, "..\\..\\f.c"},
        {"D:\\a\\b\\f.c", "D:\\a\\x\\y", 0, "..\\..\\b\\f.c"},
        {"D:\\a\\b\\f.c", "D:\\", 0, "a\\b\\f.c"},
        {"D:\\f.c", "D:\\a\\b", 0, "..\\..\\f.c"},  // the base lies within the path's folder, a root
        {"\\\\srv\\share\\a\\f.c", "\\\\srv\\share\\b", 0, "..\\a\\f.c"},
        // A walk that reaches a root finds no common ancestor.
        {"D:\\a\\b\\f.c", "D:\\x\\y", 1, ""},
        {"D:\\a\\f.c", "D:\\x", 1, ""},
        {"\\\\srv\\one\\a\\f.c", "\\\\srv\\two\\b", 1, ""},  // the server is the root
        {"D:\\a\\f.c", "E:\\a", 1, ""},
    };
    for (const Case& c : cases) {
        CString out = "unchanged";
        EXPECT_EQ(MakeRelativePath(c.path, c.base, out, 10), c.result) << c.path << " from " << c.base;
        EXPECT_EQ(out, c.relative) << c.path << " from " << c.base;
    }
    CString out = "unchanged";
    EXPECT_EQ(MakeRelativePath("D:\\a\\b\\f.c", "D:\\a\\b\\c\\d", out, 1), 1);  // needs two steps up
    EXPECT_EQ(out, "");
    out = "unchanged";
    EXPECT_EQ(MakeRelativePath("D:\\a\\b\\f.c", "D:\\a\\x\\y", out, 1), 1);
    EXPECT_EQ(out, "");
    out = "unchanged";
    EXPECT_EQ(MakeRelativePath("relative\\f.c", "D:\\a", out, 10), 1);
    EXPECT_EQ(out, "unchanged");
}

TEST(PathArithmetic, Components) {
    CStringList components;
    SplitPathComponents("\\\\srv\\share\\x", components);
    EXPECT_EQ(Items(components), (Texts{"\\\\srv", "share", "x"}));
    components.RemoveAll();
    SplitPathComponents("D:\\a\\\\b\\", components);
    EXPECT_EQ(Items(components), (Texts{"D:", "a", "\\b"}));

    CString leaf;
    CString root;
    CStringArray folders;
    EXPECT_TRUE(SplitAllComponents("D:\\a\\b\\f.c", leaf, folders, root));
    EXPECT_EQ(leaf, "f.c");
    EXPECT_EQ(Items(folders), (Texts{"b", "a"}));
    EXPECT_EQ(root, "D:\\");
    CStringArray topDown;
    EXPECT_TRUE(SplitIntoComponents("\\\\srv\\share\\f.c", root, topDown));
    EXPECT_EQ(root, "\\\\srv\\");
    EXPECT_EQ(Items(topDown), (Texts{"share", "f.c"}));
    EXPECT_FALSE(SplitIntoComponents("relative\\x", root, topDown));

    CString drive;
    CString folder;
    CString name;
    CString extension;
    EXPECT_TRUE(SplitFullPath("D:\\dir\\name.ext", &drive, &folder, &name, &extension));
    EXPECT_EQ(drive + "|" + folder + "|" + name + "|" + extension, "D:|\\dir\\|name|.ext");
    EXPECT_TRUE(SplitFullPath("D:\\dir\\name.ext", nullptr, nullptr, &name, nullptr));
    EXPECT_FALSE(SplitFullPath("D:\\dir\\..\\x", &drive, nullptr, nullptr, nullptr));

    EXPECT_TRUE(IsFileInFolder("D:\\Dir\\Sub\\f.c", "d:\\dir"));
    EXPECT_TRUE(IsFileInFolder("D:\\dir\\f.c", "D:\\dir\\"));
    EXPECT_FALSE(IsFileInFolder("D:\\dirx\\f.c", "D:\\dir"));
    EXPECT_FALSE(IsFileInFolder("", "D:\\dir"));
}

TEST(PathArithmetic, ExistingAncestorAndNormalisedResolution) {
    TempFolder folder;
    folder.Write("Sub/file.txt", "x");
    CString found;
    EXPECT_TRUE(FindExistingAncestor(folder.Windows("Sub\\missing\\deeper").c_str(), found));
    EXPECT_EQ(found, folder.Windows("Sub"));
    EXPECT_FALSE(FindExistingAncestor(folder.Windows("Sub\\file.txt\\below").c_str(), found));
    BOOL writable = FALSE;
    EXPECT_TRUE(ResolveNormaliseAndTestPath(folder.Windows("Sub\\..\\Sub\\file.txt").c_str(), &writable));
    EXPECT_TRUE(writable);
}

TEST(PathRebase, MovingPathsBetweenBases) {
    CString out;
    EXPECT_TRUE(RebaseFilePath("D:\\Old\\Sub\\F.c", "d:\\old", "E:\\New", out));
    EXPECT_EQ(out, "E:\\New\\sub\\f.c");  // the rest below the base comes lower-cased
    EXPECT_TRUE(RebaseFilePath("D:\\Old", "d:\\old", "E:\\New", out));
    EXPECT_EQ(out, "E:\\New");
    EXPECT_FALSE(RebaseFilePath("D:\\Other\\f.c", "D:\\Old", "E:\\New", out));
    EXPECT_EQ(out, "D:\\Other\\f.c");

    EXPECT_EQ(RebaseIfWithin("D:\\Old\\Sub\\F.c", "D:\\old\\", "E:\\New\\", out), 0);
    EXPECT_EQ(out, "E:\\New\\Sub\\F.c");
    EXPECT_EQ(RebaseIfWithin("D:\\Other\\f.c", "D:\\Old", "E:\\New", out), 1);
    EXPECT_EQ(ReplacePathPart("D:\\x\\OLD\\y", "old\\", "new"), "D:\\x\\new\\y");
    EXPECT_EQ(ReplacePathPart("D:\\x\\y", "z", "new"), "D:\\x\\y");

    CStringList paths;
    Fill(paths, {"D:\\Old\\a.c", "D:\\Other\\b.c"});
    CStringList moved;
    RebaseStringList("D:\\Old", "E:\\New", paths, moved);
    EXPECT_EQ(Items(moved), (Texts{"E:\\New\\a.c", "D:\\Other\\b.c"}));
    CMapStringToString map;
    map.SetAt("first", "D:\\Old\\a.c");
    CMapStringToString movedMap;
    RebaseStringMap("D:\\Old", "E:\\New", map, movedMap);
    CString value;
    EXPECT_TRUE(movedMap.Lookup("first", value));
    EXPECT_EQ(value, "E:\\New\\a.c");

    EXPECT_EQ(MapPathBetweenBases("D:\\proj\\a", "d:\\PROJ\\A", "E:\\new\\a", out), 0);
    EXPECT_EQ(out, "E:\\new\\a");
    MapPathBetweenBases("D:\\proj\\other\\f.c", "D:\\proj\\a", "E:\\new\\a", out);
    EXPECT_EQ(out, "E:\\new\\other\\f.c");
    MapPathBetweenBases("F:\\elsewhere\\f.c", "D:\\proj\\a", "E:\\new\\a", out);
    EXPECT_EQ(out, "F:\\elsewhere\\f.c");
}

TEST(PathRebase, CheckOutputPaths) {
    TempFolder folder;
    folder.Write("Out/old.bin", "x");
    folder.Write("Out/locked.bin", "x");
    folder.Write("file.txt", "x");
    _chmod(folder.Windows("Out\\locked.bin").c_str(), _S_IREAD);

    CStringList fine;
    fine.AddTail(folder.Windows("Out\\old.bin").c_str());
    fine.AddTail(folder.Windows("Out\\new.bin").c_str());
    fine.AddTail(folder.Windows("New\\Deeper\\a.bin").c_str());
    CStringList create;
    BOOL problem = TRUE;
    EXPECT_EQ(CheckOutputPaths(fine, create, problem), 0);
    EXPECT_FALSE(problem);
    EXPECT_EQ(Items(create), (Texts{folder.Windows("New\\Deeper")}));

    for (const std::string& bad : {folder.Windows("Out\\locked.bin"), folder.Windows("Out"),
                                   folder.Windows("file.txt\\x.bin"), std::string("relative\\x.bin")}) {
        CStringList one;
        one.AddTail(bad.c_str());
        CStringList none;
        problem = FALSE;
        CheckOutputPaths(one, none, problem);
        EXPECT_TRUE(problem) << bad;
    }
    _chmod(folder.Windows("Out\\locked.bin").c_str(), _S_IWRITE);
}

TEST(PathNames, NumberedNames) {
    TempFolder folder;
    folder.Write("log.001", "");
    folder.Write("log.002", "");
    const std::string log = folder.Windows("log.txt");
    CString out;
    EXPECT_TRUE(MakeNumberedFileName(log.c_str(), out));
    EXPECT_EQ(out, folder.Windows("log.003"));
    CStringArray names;
    EXPECT_EQ(MakeNumberedFileNames(log.c_str(), 2, names), 2);
    EXPECT_EQ(Items(names), (Texts{folder.Windows("log.003"), folder.Windows("log.004")}));

    folder.Write("out.bin", "");
    folder.Write("out.b01", "");
    EXPECT_TRUE(MakeNumberedExtension(folder.Windows("out.bin").c_str(), 'b', out));
    EXPECT_EQ(out, folder.Windows("out.b02"));
    EXPECT_TRUE(MakeNumberedExtension(folder.Windows("plain").c_str(), 'x', out));
    EXPECT_EQ(out, folder.Windows("plain.x01"));
    EXPECT_TRUE(MakeNumberedExtension(folder.Windows("dot.").c_str(), 'x', out));
    EXPECT_EQ(out, folder.Windows("dot.x01"));
}

TEST(PathNames, ExtensionsQuotesAndSlashes) {
    EXPECT_TRUE(HasExtension("D:\\dir.x\\name.c"));
    EXPECT_FALSE(HasExtension("D:\\dir.x\\name"));
    EXPECT_FALSE(HasExtension("name."));
    CString out;
    EXPECT_TRUE(AddExtension("name.c", "mot", out));
    EXPECT_EQ(out, "name.c");
    EXPECT_FALSE(AddExtension("name.", "mot", out));
    EXPECT_EQ(out, "name.mot");
    EXPECT_FALSE(AddExtension("D:\\dir.x\\name", "mot", out));
    EXPECT_EQ(out, "D:\\dir.x\\name.mot");
    EXPECT_EQ(ForwardToBackslash("D:/a/b"), "D:\\a\\b");
    EXPECT_EQ(UnquotePath("\"D:\\a b\\c\""), "D:\\a b\\c");
}

TEST(PathNames, EightDotThreeRules) {
    struct Case {
        const char* path;
        BOOL not83;
    };
    const Case cases[] = {
        {"D:\\DIR\\FILE.TXT", FALSE},
        {"\"D:\\DIR\\FILE.TXT\"", FALSE},
        {"D:\\DIR\\LONGNAME9.TXT", TRUE},
        {"D:\\DIR\\FILE.TEXT", TRUE},
        {"D:\\MY DIR\\FILE.TXT", TRUE},
        {"D:\\DIRECTORY\\FILE.TXT", TRUE},
        {"D:\\DIR.LONG\\FILE.TXT", TRUE},
        {"D:\\ABCDEFGH.ABC\\FILE.TXT", TRUE},  // 12 characters
        {"D:\\ABCDEFG.ABC\\FILE.TXT", FALSE},
        {"", FALSE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNot83Path(c.path), c.not83) << c.path;
    }
}

TEST(PathNames, ShortenedForms) {
    CString out;
    EXPECT_TRUE(AbbreviatePath("D:\\a\\b\\c\\d\\f.txt", 1, 1, out));
    EXPECT_EQ(out, "D:\\a\\...\\d\\f.txt");
    EXPECT_TRUE(AbbreviatePath("D:\\a\\b\\f.txt", 1, 1, out));
    EXPECT_EQ(out, "D:\\a\\b\\f.txt");
    EXPECT_FALSE(AbbreviatePath("relative\\f.txt", 1, 1, out));

    const char* path = "D:\\a\\b\\c\\d\\e\\f.txt";
    struct Width {
        int width;
        const char* abbreviated;
        const char* fitted;
    };
    const Width widths[] = {
        {12, "...d\\e\\f.txt", "D:\\...\\f.txt"},
        {14, "D...\\d\\e\\f.txt", "D:\\...\\e\\f.txt"},
        {15, "D:...\\d\\e\\f.txt", "D:\\...\\e\\f.txt"},
        {17, "D:\\a...\\d\\e\\f.txt", "D:\\a\\...\\e\\f.txt"},
        {20, "D:\\a\\b\\...\\d\\e\\f.txt", "D:\\a\\b\\c\\d\\e\\f.txt"},
    };
    for (const Width& w : widths) {
        out = "unchanged";
        AbbreviatePathToWidth(path, out, w.width);
        EXPECT_EQ(out, w.abbreviated) << w.width;
        FitPathToWidth(path, out, w.width);
        EXPECT_EQ(out, w.fitted) << w.width;
    }
    out = "unchanged";
    AbbreviatePathToWidth(path, out, 30);  // it all fits: out stays
    EXPECT_EQ(out, "unchanged");
    FitPathToWidth(path, out, 3);  // below 4: out stays
    EXPECT_EQ(out, "unchanged");
    FitPathToWidth("D:\\dir\\averylongname.txt", out, 8);
    EXPECT_EQ(out, "...e.txt");
    FitPathToWidth("D:\\dir\\name.txt", out, 10);
    EXPECT_EQ(out, "name.txt");
}

TEST(PathNames, ShortAndDisplayPaths) {
    TempFolder folder;
    folder.Write("MixedCase/Data.q3v", "x");
    const std::string typed = folder.Windows("mixedcase\\Data.q3v");
    EXPECT_FALSE(GetShortPath(("\"" + typed + "\"").c_str()).IsEmpty());
    EXPECT_TRUE(GetShortPath(folder.Windows("missing").c_str()).IsEmpty());

    CString shown;
    ASSERT_TRUE(GetDisplayPath(typed.c_str(), shown));
    EXPECT_EQ(shown.Right(static_cast<int>(std::string("MixedCase\\Data.q3v").size())), "MixedCase\\Data.q3v");
    EXPECT_EQ(shown.CompareNoCase(typed.c_str()), 0);
    EXPECT_FALSE(GetDisplayPath(folder.Windows("missing.txt").c_str(), shown));
}

}  // namespace
