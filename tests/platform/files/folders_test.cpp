#include "platform/files.h"

#include "platform/module.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::TempFolder;

TEST(Folders, CreateAndRemoveWithTheSystemsErrors) {
    TempFolder folder;
    folder.Write("file.txt", "x");
    const std::string sub = folder.Windows("Sub");
    EXPECT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    EXPECT_NE(GetFileAttributesA(sub.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

    struct Case {
        std::string path;
        DWORD error;
    };
    const Case failedCreates[] = {
        {sub, ERROR_ALREADY_EXISTS},
        {folder.Windows("file.txt"), ERROR_ALREADY_EXISTS},
        {folder.Windows("Missing\\Deeper"), ERROR_PATH_NOT_FOUND},
        {folder.Windows("file.txt\\Below"), ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : failedCreates) {
        EXPECT_FALSE(CreateDirectoryA(c.path.c_str(), nullptr)) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }

    folder.Write("Sub/inner.txt", "");
    const Case failedRemoves[] = {
        {sub, ERROR_DIR_NOT_EMPTY},
        {folder.Windows("file.txt"), ERROR_DIRECTORY},
        {folder.Windows("Missing"), ERROR_FILE_NOT_FOUND},
    };
    for (const Case& c : failedRemoves) {
        EXPECT_FALSE(RemoveDirectoryA(c.path.c_str())) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    EXPECT_TRUE(DeleteFileA(folder.Windows("SUB\\INNER.TXT").c_str()));  // names without regard to case
    EXPECT_TRUE(RemoveDirectoryA(sub.c_str()));
    EXPECT_EQ(GetFileAttributesA(sub.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Folders, DeleteRefusesFoldersReadOnlyFilesAndMissingOnes) {
    TempFolder folder;
    folder.Write("Sub/x", "");
    folder.Write("locked.txt", "");
    const std::string locked = folder.Windows("locked.txt");
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));

    struct Case {
        std::string path;
        DWORD error;
    };
    const Case cases[] = {
        {folder.Windows("Sub"), ERROR_ACCESS_DENIED},
        {locked, ERROR_ACCESS_DENIED},
        {folder.Windows("missing.txt"), ERROR_FILE_NOT_FOUND},
        {folder.Windows("Missing\\x.txt"), ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(DeleteFileA(c.path.c_str())) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    EXPECT_NE(GetFileAttributesA(locked.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileA(locked.c_str()));
}

TEST(FileHandles, OpenForReadingAndReadTheLastWriteTime) {
    TempFolder folder;
    folder.Write("data.bin", "12345");
    const std::string path = folder.Windows("data.bin");
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME written{};
    EXPECT_TRUE(GetFileTime(file, nullptr, nullptr, &written));
    EXPECT_TRUE(CloseHandle(file));

    // The same time as the directory search reports.
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path.c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ(written.dwLowDateTime, found.ftLastWriteTime.dwLowDateTime);
    EXPECT_EQ(written.dwHighDateTime, found.ftLastWriteTime.dwHighDateTime);

    EXPECT_FALSE(GetFileTime(file, nullptr, nullptr, &written));  // closed
}

TEST(FileHandles, RefusalsSayWhy) {
    TempFolder folder;
    folder.Write("Sub/x", "");
    folder.Write("there.txt", "");
    struct Case {
        std::string path;
        DWORD creation;
        DWORD error;
    };
    const Case cases[] = {
        {folder.Windows("missing.txt"), OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
        {folder.Windows("Missing\\x.txt"), OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
        {folder.Windows("Sub"), OPEN_EXISTING, ERROR_ACCESS_DENIED},
        {folder.Windows("there.txt"), CREATE_NEW, ERROR_FILE_EXISTS},
    };
    for (const Case& c : cases) {
        const HANDLE file = CreateFileA(c.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, c.creation,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(file, INVALID_HANDLE_VALUE) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    const HANDLE created = CreateFileA(folder.Windows("new.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(created));
    EXPECT_NE(GetFileAttributesA(folder.Windows("new.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(BinaryType, ProgramsAreBinariesAndTextIsNot) {
    char program[MAX_PATH];
    ASSERT_NE(GetModuleFileNameA(nullptr, program, MAX_PATH), 0u);
    DWORD type = 99;
    EXPECT_TRUE(GetBinaryTypeA(program, &type));
    EXPECT_TRUE(type == SCS_32BIT_BINARY || type == SCS_64BIT_BINARY) << type;

    TempFolder folder;
    folder.Write("text.txt", "plain text, no program");
    type = 99;
    EXPECT_FALSE(GetBinaryTypeA(folder.Windows("text.txt").c_str(), &type));
    EXPECT_EQ(type, 99u);
    EXPECT_FALSE(GetBinaryTypeA(folder.Windows("missing.exe").c_str(), &type));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
