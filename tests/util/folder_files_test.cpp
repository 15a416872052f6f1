#include "util/file_reading.h"
#include "util/folder_search.h"
#include "util/path_lists.h"

#include "platform/module.h"
#include "util/string_text.h"
#include "tests/platform/files/bitmap_files.h"
#include "tests/util/list_helpers.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using test_lists::Fill;
using test_lists::Items;
using test_lists::Texts;
using testing_support::TempFolder;

// A folder tree: top files, two sub-folders, one of them with a deeper one.
class FolderTest : public ::testing::Test {
protected:
    FolderTest() {
        folder.Write("one.txt", "12");
        folder.Write("two.MOT", "12345");
        folder.Write("beta/inner.mot", "123");
        folder.Write("Alpha/x.c", "1");
        folder.Write("Alpha/Deep/y.mot", "1234");
        folder.Write("Empty/.keep", "");
    }
    std::string Path(const std::string& name) const { return folder.Windows(name); }

    TempFolder folder;
};

TEST_F(FolderTest, SubfoldersSortedWithoutCase) {
    CStringList list;
    ListSubfolders(folder.Windows().c_str(), list, FALSE);
    EXPECT_EQ(Items(list), (Texts{Path("Alpha"), Path("beta"), Path("Empty")}));
    CStringList all;
    ListSubfolders(folder.Windows().c_str(), all, TRUE);
    EXPECT_EQ(Items(all), (Texts{Path("Alpha"), Path("Alpha\\Deep"), Path("beta"), Path("Empty")}));
}

TEST_F(FolderTest, ContentsSizesAndExtensions) {
    CStringList files;
    CStringList folders;
    CStringList exclusions;
    exclusions.AddTail(MakeLowerCopy(Path("beta").c_str()));
    EXPECT_TRUE(CollectFolderContents(folder.Windows().c_str(), &files, &folders, &exclusions, TRUE));
    EXPECT_EQ(files.GetCount(), 5);  // one, two, x, y and .keep
    EXPECT_EQ(folders.Find(Path("beta").c_str()), nullptr);
    EXPECT_NE(folders.Find(Path("Alpha\\Deep").c_str()), nullptr);
    EXPECT_FALSE(CollectFolderContents(Path("missing").c_str(), &files, nullptr, nullptr, TRUE));
    EXPECT_FALSE(CollectFolderContents(folder.Windows().c_str(), nullptr, nullptr, nullptr, TRUE));

    CStringList subfolders;
    EXPECT_EQ(GetFolderSize(folder.Windows().c_str(), FALSE, &subfolders), 7u);
    EXPECT_EQ(subfolders.GetCount(), 3);
    EXPECT_EQ(GetFolderSize(folder.Windows().c_str(), TRUE, nullptr), 15u);

    EXPECT_TRUE(FolderHasFileWithExtension(folder.Windows().c_str(), "mot"));
    EXPECT_FALSE(FolderHasFileWithExtension(folder.Windows().c_str(), "c"));
    EXPECT_TRUE(FolderHasFileWithExtension(Path("Alpha").c_str(), "*"));
    EXPECT_FALSE(FolderHasFileWithExtension(Path("Alpha\\Deep\\..\\..\\Empty").c_str(), "txt"));

    CStringList found;
    EXPECT_EQ(FindFilesWithExtension(folder.Windows().c_str(), "mot", TRUE, found), 0);
    // Breadth first: the top folder's file before those in deeper folders.
    EXPECT_EQ(Items(found), (Texts{Path("two.MOT"), Path("beta\\inner.mot"), Path("Alpha\\Deep\\y.mot")}));
    found.RemoveAll();
    FindFilesWithExtension(folder.Windows().c_str(), "mot", FALSE, found);
    EXPECT_EQ(Items(found), (Texts{Path("two.MOT")}));

    EXPECT_FALSE(IsFolderEmpty(Path("beta").c_str()));
    EXPECT_FALSE(IsFolderEmpty(Path("missing").c_str()));
    folder.Write("Void/.x", "");
    std::remove((folder.Native() / "Void" / ".x").string().c_str());
    EXPECT_TRUE(IsFolderEmpty(Path("Void").c_str()));
}

TEST_F(FolderTest, OrderingLists) {
    CStringList files;
    files.AddTail(Path("two.MOT").c_str());
    files.AddTail(Path("missing.txt").c_str());
    files.AddTail(Path("one.txt").c_str());
    files.AddTail(Path("beta\\inner.mot").c_str());
    SortFilesBySize(files);
    EXPECT_EQ(Items(files), (Texts{Path("one.txt"), Path("beta\\inner.mot"), Path("two.MOT")}));

    CStringList leaves;
    Fill(leaves, {"D:\\b\\x.c", "D:\\a\\y.c", "D:\\a\\X.c"});
    GroupByLeafName(leaves, TRUE);
    EXPECT_EQ(Items(leaves), (Texts{"D:\\a\\X.c", "D:\\b\\x.c", "D:\\a\\y.c"}));
    GroupByLeafName(leaves, FALSE);
    EXPECT_EQ(Items(leaves), (Texts{"D:\\a\\y.c", "D:\\a\\X.c", "D:\\b\\x.c"}));
}

TEST_F(FolderTest, FileReaders) {
    folder.Write("zero.txt", std::string("ab\0cd", 5));
    folder.Write("lines.txt", "first\r\nsecond\r\n\r\nlast");
    folder.Write("empty.txt", "");
    CString text = "unchanged";
    EXPECT_TRUE(ReadTextFile(Path("zero.txt").c_str(), text));
    EXPECT_EQ(text, "ab");
    EXPECT_TRUE(ReadTextFile(Path("one.txt").c_str(), text));
    EXPECT_EQ(text, "12");
    text = "unchanged";
    EXPECT_TRUE(ReadTextFile(Path("empty.txt").c_str(), text));
    EXPECT_EQ(text, "unchanged");
    EXPECT_FALSE(ReadTextFile(Path("missing.txt").c_str(), text));

    int line = 0;
    EXPECT_EQ(FindLineInFile(Path("lines.txt").c_str(), "second", line), 0);
    EXPECT_EQ(line, 2);
    EXPECT_EQ(FindLineInFile(Path("lines.txt").c_str(), "last", line), 0);
    EXPECT_EQ(line, 4);
    EXPECT_EQ(FindLineInFile(Path("lines.txt").c_str(), "secon", line), 1);
    EXPECT_EQ(FindLineInFile(Path("missing.txt").c_str(), "x", line), 2);
    EXPECT_EQ(FindLineInFile(Path("lines.txt").c_str(), "", line), 3);
    EXPECT_EQ(FindLineInFile(nullptr, "x", line), 3);

    EXPECT_TRUE(IsBinaryFile(Path("zero.txt").c_str()));
    EXPECT_FALSE(IsBinaryFile(Path("lines.txt").c_str()));
    EXPECT_FALSE(IsBinaryFile(Path("missing.txt").c_str()));
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    EXPECT_TRUE(IsBinaryFile(program));

    CString size;
    CString created;
    CString modified;
    EXPECT_EQ(GetFileStatusTexts(Path("two.MOT").c_str(), size, created, modified), 0);
    EXPECT_EQ(size, "5");
    ASSERT_EQ(modified.GetLength(), 19) << modified;  // "mm/dd/yyyy\thh:mm AM"
    EXPECT_EQ(modified[10], '\t');
    EXPECT_EQ(GetFileStatusTexts(Path("missing.txt").c_str(), size, created, modified), 1);

    BOOL flag = TRUE;
    EXPECT_FALSE(IsOnNetworkDrive(Path("one.txt").c_str(), flag));
    EXPECT_FALSE(flag);
    EXPECT_TRUE(IsOnNetworkDrive("relative.txt", flag));

    folder.Write("picture.bmp", test_bitmaps::SmallBitmap());
    EXPECT_TRUE(IsLoadableBitmapFile(Path("picture.bmp").c_str()));
    EXPECT_FALSE(IsLoadableBitmapFile(Path("one.txt").c_str()));
}

TEST(FileTexts, ConvertCrLf) {
    CString text = "a\r\nb\rc\r\n";
    ConvertCrLf(text);
    EXPECT_EQ(text, "a \nb\rc \n");
}

TEST(PathLists, WithoutRegardToCase) {
    CStringList list;
    Fill(list, {"D:\\A"});
    EXPECT_FALSE(AddStringNoCase(list, "d:\\a"));
    EXPECT_TRUE(AddStringNoCase(list, "D:\\B"));
    EXPECT_TRUE(ContainsStringNoCase(list, "d:\\b"));
    CStringList other;
    Fill(other, {"d:\\b", "D:\\C"});
    MergeStringListsNoCase(list, other);
    EXPECT_EQ(Items(list), (Texts{"D:\\A", "D:\\B", "D:\\C"}));
    CStringList same;
    Fill(same, {"d:\\c", "d:\\a", "d:\\b"});
    EXPECT_TRUE(StringListsEqualNoCase(list, same));
    same.RemoveTail();
    EXPECT_FALSE(StringListsEqualNoCase(list, same));
}

}  // namespace
