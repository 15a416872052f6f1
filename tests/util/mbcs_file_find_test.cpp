#include "util/mbcs_file_find.h"

#include "platform/files.h"
#include "util/path_split.h"
#include "tests/platform/code_page_scope.h"
#include "tests/support/sides.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using testing_support::TempFolder;

std::set<std::string> FoundPaths(LPCSTR pattern) {
    std::set<std::string> paths;
    CMbcsFileFind finder;
    if (!finder.FindFile(pattern)) {
        return paths;
    }
    for (BOOL more = TRUE; more;) {
        more = finder.FindNextFile();
        if (!finder.IsDots()) {
            paths.insert(finder.GetFilePath().Str());
        }
    }
    return paths;
}

TEST(CMbcsFileFind, FullPathsJoinTheRootAndTheName) {
    TempFolder folder;
    folder.Write("a.txt", "");
    folder.Write("Sub/b.txt", "");
    const std::string root = folder.Windows();
    EXPECT_EQ(FoundPaths((root + "\\*.*").c_str()),
              (std::set<std::string>{root + "\\a.txt", root + "\\Sub"}));
    CMbcsFileFind unused;
    EXPECT_EQ(unused.GetFilePath(), "");
}

TEST(CMbcsFileFind, AFolderEndingInATrailByteGetsItsSeparator) {
    Q3V_SKIP_ON_WINDOWS("the system's file functions read names in its own code page (1252 under Wine), "
                        "not the layer's");
    TempFolder folder;
    AnsiCodePageScope scope(932);
    // "\x95\x5C" is one character whose trail byte is '\\'.
    const CString sub = CombinePath(folder.Windows().c_str(), "\x95\x5C");
    ASSERT_TRUE(CreateDirectoryA(sub, nullptr));
    const HANDLE file = CreateFileA(CombinePath(sub, "x.txt"), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const std::set<std::string> found = FoundPaths(CombinePath(sub, "*.txt"));
    EXPECT_EQ(found, (std::set<std::string>{(sub + "\\x.txt").Str()}));
}

}  // namespace
