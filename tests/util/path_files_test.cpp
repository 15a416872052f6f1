#include "util/path_files.h"

#include "platform/crt.h"
#include "platform/debug.h"
#include "platform/files.h"
#include "platform/module.h"
#include "util/path_split.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::TempFolder;

// Puts the current directory back however the test ends.
class CurrentDirectoryScope {
public:
    CurrentDirectoryScope() : saved_(GetCurrentDirectoryText()) {}
    ~CurrentDirectoryScope() { _chdir(saved_); }
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    CString saved_;
};

class PathFilesTest : public ::testing::Test {
protected:
    PathFilesTest() {
        folder.Write("file.txt", "12345");
        folder.Write("Sub/inner.txt", "");
        folder.Write("locked.txt", "x");
        _chmod(Path("locked.txt"), _S_IREAD);
    }
    ~PathFilesTest() override { _chmod(Path("locked.txt"), _S_IWRITE); }

    CString Path(const char* name) const { return folder.Windows(name).c_str(); }

    TempFolder folder;
};

TEST_F(PathFilesTest, ResolveAndTestPath) {
    struct Case {
        CString path;
        BOOL result;
        BOOL writable;
    };
    const Case cases[] = {
        {Path("file.txt"), TRUE, TRUE},
        {Path("locked.txt"), TRUE, FALSE},
        {Path("Sub"), FALSE, FALSE},
        {Path("missing.txt"), FALSE, TRUE},
        {Path("Missing\\deeper.txt"), FALSE, TRUE},
        {Path("Sub\\..\\file.txt"), FALSE, FALSE},  // no valid full path, even joined to the current folder
    };
    for (const Case& c : cases) {
        BOOL writable = 99;
        EXPECT_EQ(ResolveAndTestPath(c.path, &writable), c.result) << c.path;
        EXPECT_EQ(writable, c.writable) << c.path;
    }
    EXPECT_TRUE(ResolveAndTestPath(Path("FILE.TXT")));  // names without regard to case

    CurrentDirectoryScope scope;
    ASSERT_EQ(_chdir(folder.Windows().c_str()), 0);
    BOOL writable = 99;
    EXPECT_TRUE(ResolveAndTestPath("file.txt", &writable));  // joined to the current folder
    EXPECT_TRUE(writable);
    EXPECT_TRUE(ResolveAndTestPath("Sub\\inner.txt"));
}

TEST_F(PathFilesTest, FolderExistsAndWhetherItCouldBeMade) {
    struct Case {
        CString path;
        BOOL exists;
        BOOL creatable;
    };
    const Case cases[] = {
        {Path("Sub"), TRUE, TRUE},
        {Path("Missing"), FALSE, TRUE},
        {Path("Missing\\Deeper"), FALSE, TRUE},
        {Path("file.txt"), FALSE, FALSE},
        {Path("file.txt\\Below"), FALSE, FALSE},
        {Path("Sub\\"), FALSE, FALSE},  // a trailing backslash on a folder that is no root
        {"relative", FALSE, FALSE},
    };
    for (const Case& c : cases) {
        BOOL creatable = 99;
        EXPECT_EQ(FolderExists(c.path, &creatable), c.exists) << c.path;
        EXPECT_EQ(creatable, c.creatable) << c.path;
    }
    EXPECT_TRUE(IsDirectory(Path("Sub")));
    EXPECT_FALSE(IsDirectory(Path("file.txt")));
}

TEST_F(PathFilesTest, AccessTests) {
    EXPECT_TRUE(CanOpenForReading(Path("file.txt")));
    EXPECT_TRUE(CanOpenForReading(Path("locked.txt")));
    EXPECT_FALSE(CanOpenForReading(Path("Sub")));
    EXPECT_FALSE(CanOpenForReading(Path("missing.txt")));
    EXPECT_TRUE(IsReadWriteAccessible(Path("file.txt")));
    EXPECT_FALSE(IsReadWriteAccessible(Path("locked.txt")));
    EXPECT_TRUE(IsWritableOrMissing(Path("missing.txt")));
    EXPECT_TRUE(IsWritableOrMissing(Path("file.txt")));
    EXPECT_FALSE(IsWritableOrMissing(Path("locked.txt")));
    EXPECT_TRUE(IsReadOnlyFile(Path("locked.txt")));
    EXPECT_FALSE(IsReadOnlyFile(Path("file.txt")));
    EXPECT_FALSE(IsReadOnlyFile(Path("missing.txt")));

    EXPECT_EQ(SetReadOnly(Path("file.txt")), 0);
    EXPECT_TRUE(IsReadOnlyFile(Path("file.txt")));
    EXPECT_EQ(SetWritable(Path("file.txt")), 0);
    EXPECT_FALSE(IsReadOnlyFile(Path("file.txt")));
    EXPECT_EQ(SetReadOnly(Path("missing.txt")), 0);

    EXPECT_EQ(GetFileLength(Path("file.txt")), 5u);
    EXPECT_EQ(GetFileLength(Path("missing.txt")), 0u);
    EXPECT_FALSE(IsExecutableFile(Path("file.txt")));
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    EXPECT_TRUE(IsExecutableFile(program));
}

TEST_F(PathFilesTest, ModifiedTimes) {
    CFileTime time;
    EXPECT_EQ(GetFileModifiedTime(Path("file.txt"), time), 0);
    // Written within the last minute, on the local clock.
    const auto ticks = [](const CFileTime& t) { return (static_cast<ULONGLONG>(t.GetHigh()) << 32) | t.GetLow(); };
    const ULONGLONG now = ticks(CFileTime::Now());
    constexpr ULONGLONG kMinute = 600'000'000;
    EXPECT_LT(ticks(time), now + kMinute);
    EXPECT_GT(ticks(time), now - kMinute);
    CString text;
    EXPECT_EQ(GetFileModifiedTimeText(Path("file.txt"), text), 0);
    EXPECT_EQ(text, time.Format());
    EXPECT_EQ(GetFileModifiedTimeText(Path("missing.txt"), text), 1);

    CString message;
    EXPECT_EQ(GetFileModifiedTime(Path("missing.txt"), time, &message), 1);
    EXPECT_EQ(message.Find("Cannot access file " + Path("missing.txt") + ","), 0) << message;
    EXPECT_EQ(message.Right(1), "\n");
    platform::DebugOutputCapture output;
    EXPECT_EQ(GetFileModifiedTime(Path("missing.txt"), time), 1);
    EXPECT_EQ(output.Text().find("Cannot access file"), 0u);
}

TEST_F(PathFilesTest, CreateAndDeleteFolderTrees) {
    EXPECT_TRUE(CreateFolderTree(Path("A\\B\\C")));
    EXPECT_TRUE(IsDirectory(Path("A\\B\\C")));
    EXPECT_TRUE(CreateFolderTree(Path("A\\B\\C")));  // already there
    EXPECT_FALSE(CreateFolderTree(Path("file.txt\\X")));

    folder.Write("A/one.txt", "");
    folder.Write("A/B/two.txt", "");
    DeleteDirectoryTree(Path("A"), FALSE);
    EXPECT_EQ(GetFileAttributesA(Path("A\\one.txt")), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(Path("A\\B\\two.txt")), INVALID_FILE_ATTRIBUTES);
    DeleteDirectoryTree(Path("A"), TRUE);
    EXPECT_TRUE(IsDirectory(Path("A")));  // the folder itself stays, empty
    EXPECT_EQ(GetFileAttributesA(Path("A\\B")), INVALID_FILE_ATTRIBUTES);
    DeleteDirectoryTree(Path("Missing"), TRUE);
}

TEST_F(PathFilesTest, CurrentDirectory) {
    CurrentDirectoryScope scope;
    CString previous;
    const CString before = GetCurrentDirectoryText();
    EXPECT_TRUE(ChangeCurrentDirectory(Path("Sub"), previous));
    EXPECT_EQ(previous, before);
    EXPECT_EQ(GetCurrentDirectoryText(), Path("Sub"));
    EXPECT_FALSE(ChangeCurrentDirectory(Path("Missing"), previous));
    EXPECT_EQ(GetCurrentDirectoryText(), Path("Sub"));
}

}  // namespace
