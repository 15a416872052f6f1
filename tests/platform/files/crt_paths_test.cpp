#include "platform/crt.h"
#include "platform/files.h"

#include "tests/platform/code_page_scope.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using testing_support::CurrentDirectoryScope;
using testing_support::TempFolder;

std::string FullPath(const char* path) {
    char buffer[MAX_PATH];
    const char* full = _fullpath(buffer, path, sizeof(buffer));
    return full != nullptr ? full : "(null)";
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    return _getcwd(buffer, sizeof(buffer)) != nullptr ? buffer : "";
}

TEST(FullPath, FoldsAbsolutePathsAsTheSystemDoes) {
    struct Case {
        const char* path;
        const char* full;
    };
    const Case cases[] = {
        {"Z:\\a\\..\\b", "Z:\\b"},
        {"Z:\\a\\\\b", "Z:\\a\\b"},
        {"Z:\\a\\.", "Z:\\a"},
        {"Z:\\a\\", "Z:\\a\\"},
        {"Z:\\a.", "Z:\\a"},
        {"Z:\\a ", "Z:\\a"},
        {"Z:\\a. \\b", "Z:\\a. \\b"},
        {"Z:\\a.\\", "Z:\\a\\"},
        {"Z:\\a\\..\\", "Z:\\"},
        {"Z:\\..", "Z:\\"},
        {"Z:\\a\\b\\..\\..\\..\\c", "Z:\\c"},
        {"Z:/a/b", "Z:\\a\\b"},
        {"z:\\a", "z:\\a"},
        {"Z:\\", "Z:\\"},
        {"Z:\\a\\...\\b", "Z:\\a\\..\\b"},
        {"Z:\\...", "Z:\\"},
        {"Z:\\ a", "Z:\\ a"},
        {"D:\\x\\y", "D:\\x\\y"},
        {"D:a\\b", "D:\\a\\b"},
        {"d:", "d:\\"},
        {"\\\\srv\\share\\x", "\\\\srv\\share\\x"},
        {"\\\\srv\\share\\..\\..\\y", "\\\\srv\\share\\y"},
        {"\\\\srv\\share\\x\\", "\\\\srv\\share\\x\\"},
        {"//srv/share/x", "\\\\srv\\share\\x"},
        {"\\\\srv", "\\\\srv"},
        {"\\\\srv\\", "\\\\srv\\"},
        {"\\\\srv\\share", "\\\\srv\\share"},
        {"\\\\\\srv\\x", "\\\\\\srv\\x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FullPath(c.path), c.full) << c.path;
    }
}

TEST(FullPath, ResolvesRelativePathsAgainstTheCurrentDirectory) {
    TempFolder folder;
    CurrentDirectoryScope scope;
    ASSERT_EQ(_chdir(folder.Windows().c_str()), 0);
    const std::string current = CurrentDirectory();
    ASSERT_GE(current.size(), 3u);
    EXPECT_EQ(FullPath("a\\b"), current + "\\a\\b");
    EXPECT_EQ(FullPath(".\\x"), current + "\\x");
    EXPECT_EQ(FullPath("."), current);
    EXPECT_EQ(FullPath(""), current);
    EXPECT_EQ(FullPath(".."), current.substr(0, current.rfind('\\')));
    EXPECT_EQ(FullPath("\\a"), current.substr(0, 2) + "\\a");
    EXPECT_EQ(FullPath((current.substr(0, 2) + "x").c_str()), current + "\\x");
}

TEST(FullPath, RefusesAResultThatDoesNotFit) {
    char small[6];
    EXPECT_NE(_fullpath(small, "Z:\\ab", 6), nullptr);
    EXPECT_EQ(_fullpath(small, "Z:\\abc", 6), nullptr);
    char buffer[300];
    const std::string longPath = "Z:\\" + std::string(280, 'a');
    EXPECT_EQ(_fullpath(buffer, longPath.c_str(), 260), nullptr);
    char* allocated = _fullpath(nullptr, "Z:\\a\\..\\b", 0);
    ASSERT_NE(allocated, nullptr);
    EXPECT_STREQ(allocated, "Z:\\b");
    std::free(allocated);
}

TEST(SplitPath, APartLongerThanItsBufferLeavesEveryPartEmpty) {
    char drive[_MAX_DRIVE] = "x";
    char folder[_MAX_DIR] = "x";
    char name[_MAX_FNAME] = "x";
    char extension[_MAX_EXT] = "x";
    for (const std::string& path : {"C:\\dir\\" + std::string(_MAX_FNAME, 'n') + ".mot",
                                    "C:\\" + std::string(_MAX_DIR, 'd') + "\\name.mot"}) {
        _splitpath(path.c_str(), drive, folder, name, extension);
        EXPECT_STREQ(drive, "");
        EXPECT_STREQ(folder, "");
        EXPECT_STREQ(name, "");
        EXPECT_STREQ(extension, "");
    }
    const std::string fits = "C:\\dir\\" + std::string(_MAX_FNAME - 1, 'n') + ".mot";
    _splitpath(fits.c_str(), drive, folder, name, extension);
    EXPECT_EQ(std::strlen(name), static_cast<std::size_t>(_MAX_FNAME - 1));
    EXPECT_STREQ(extension, ".mot");
}

TEST(SplitPath, SplitsDriveFolderNameAndExtension) {
    struct Case {
        const char* path;
        const char* drive;
        const char* folder;
        const char* name;
        const char* extension;
    };
    const Case cases[] = {
        {"D:\\dir.x\\name.ext", "D:", "\\dir.x\\", "name", ".ext"},
        {"name", "", "", "name", ""},
        {"D:name.e", "D:", "", "name", ".e"},
        {"\\\\srv\\share\\f.t", "", "\\\\srv\\share\\", "f", ".t"},
        {"a.b.c", "", "", "a.b", ".c"},
        {"D:\\dir\\", "D:", "\\dir\\", "", ""},
        {"", "", "", "", ""},
        {".ext", "", "", "", ".ext"},
        {"D:\\a/b.c", "D:", "\\a/", "b", ".c"},
    };
    for (const Case& c : cases) {
        char drive[_MAX_DRIVE];
        char folder[_MAX_DIR];
        char name[_MAX_FNAME];
        char extension[_MAX_EXT];
        _splitpath(c.path, drive, folder, name, extension);
        EXPECT_STREQ(drive, c.drive) << c.path;
        EXPECT_STREQ(folder, c.folder) << c.path;
        EXPECT_STREQ(name, c.name) << c.path;
        EXPECT_STREQ(extension, c.extension) << c.path;
    }
    char name[_MAX_FNAME];
    _splitpath("D:\\x\\y.z", nullptr, nullptr, name, nullptr);
    EXPECT_STREQ(name, "y");
}

// In 932, "\x95\x5C" is one character whose trail byte is '\\'.
TEST(PathFunctions, ReadTextsInTheLayersCodePage) {
    AnsiCodePageScope scope(932);
    EXPECT_EQ(FullPath("Z:\\\x95\x5C"), "Z:\\\x95\x5C");
    EXPECT_EQ(FullPath("Z:\\\x95\x5C\\x"), "Z:\\\x95\x5C\\x");
    EXPECT_EQ(FullPath("Z:\\\x95\x5C\\..\\x"), "Z:\\x");
    EXPECT_EQ(FullPath("\\\\\x95\x5C\\share\\..\\y"), "\\\\\x95\x5C\\share\\y");
    char drive[_MAX_DRIVE];
    char folder[_MAX_DIR];
    char name[_MAX_FNAME];
    char extension[_MAX_EXT];
    _splitpath("D:\\\x95\x5C.e", drive, folder, name, extension);
    EXPECT_STREQ(drive, "D:");
    EXPECT_STREQ(folder, "\\");
    EXPECT_STREQ(name, "\x95\x5C");
    EXPECT_STREQ(extension, ".e");
}

TEST(Access, ReadOnlyFilesRefuseWriting) {
    TempFolder folder;
    folder.Write("f.txt", "x");
    const std::string file = folder.Windows("f.txt");
    EXPECT_EQ(_access(file.c_str(), 0), 0);
    EXPECT_EQ(_access(file.c_str(), 6), 0);
    EXPECT_EQ(_access(folder.Windows().c_str(), 2), 0);
    ASSERT_EQ(_chmod(file.c_str(), _S_IREAD), 0);
    EXPECT_NE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(_access(file.c_str(), 4), 0);
    EXPECT_EQ(_access(file.c_str(), 2), -1);
    EXPECT_EQ(_access(file.c_str(), 6), -1);
    ASSERT_EQ(_chmod(file.c_str(), _S_IWRITE), 0);
    EXPECT_EQ(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(_access(file.c_str(), 2), 0);

    const std::string missing = folder.Windows("missing.txt");
    errno = 0;
    EXPECT_EQ(_access(missing.c_str(), 0), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(_chmod(missing.c_str(), _S_IWRITE), -1);
}

TEST(CurrentDirectory, ChangesAndReadsBackAsWindowsPaths) {
    TempFolder folder;
    folder.Write("Sub/x.txt", "");
    CurrentDirectoryScope scope;
    ASSERT_EQ(_chdir(folder.Windows("Sub").c_str()), 0);
    const std::string current = CurrentDirectory();
    EXPECT_EQ(current.back(), 'b');
    EXPECT_NE(GetFileAttributesA("x.txt"), INVALID_FILE_ATTRIBUTES);  // relative names follow it

    char buffer[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof(buffer), buffer), current.size());
    EXPECT_EQ(buffer, current);
    EXPECT_EQ(GetCurrentDirectoryA(2, buffer), current.size() + 1);  // the size it needs
    char small[2];
    errno = 0;
    EXPECT_EQ(_getcwd(small, sizeof(small)), nullptr);
    EXPECT_EQ(errno, ERANGE);

    EXPECT_TRUE(SetCurrentDirectoryA(folder.Windows().c_str()));
    EXPECT_EQ(CurrentDirectory(), folder.Windows());
    EXPECT_EQ(_chdir(folder.Windows("missing").c_str()), -1);
    EXPECT_FALSE(SetCurrentDirectoryA(folder.Windows("missing").c_str()));
    EXPECT_EQ(CurrentDirectory(), folder.Windows());
}

}  // namespace
