#include "platform/crt.h"
#include "platform/file_mapping.h"
#include "platform/files.h"
#include "platform/shell.h"

#include "tests/platform/files/bitmap_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

namespace {

using testing_support::TempFolder;

HANDLE OpenForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

TEST(FileMapping, MapsAWholeFileForReading) {
    TempFolder folder;
    folder.Write("data.txt", std::string("hello\0world", 11));
    const HANDLE file = OpenForReading(folder.Windows("data.txt"));
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD high = 99;
    EXPECT_EQ(GetFileSize(file, &high), 11u);
    EXPECT_EQ(high, 0u);
    const HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_NE(mapping, nullptr);
    EXPECT_TRUE(CloseHandle(file));  // the mapping keeps the file
    const auto* view = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::string(view, 11), std::string("hello\0world", 11));
    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_TRUE(CloseHandle(mapping));
    EXPECT_FALSE(CloseHandle(mapping));
}

TEST(FileMapping, AnEmptyFileCannotBeMapped) {
    TempFolder folder;
    folder.Write("empty.txt", "");
    const HANDLE file = OpenForReading(folder.Windows("empty.txt"));
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(file, nullptr), 0u);
    EXPECT_EQ(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_INVALID));
    CloseHandle(file);
}

TEST(Drives, ShortPathsDriveTypesAndStatus) {
    TempFolder folder;
    folder.Write("a file.txt", "12345");
    const std::string path = folder.Windows("a file.txt");
    char shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(length, std::strlen(shortPath));
    EXPECT_NE(GetFileAttributesA(shortPath), INVALID_FILE_ATTRIBUTES);  // the same file
    EXPECT_EQ(GetShortPathNameA(path.c_str(), shortPath, 2), length + 1);
    EXPECT_EQ(GetShortPathNameA(folder.Windows("missing.txt").c_str(), shortPath, MAX_PATH), 0u);

    const std::string root = path.substr(0, 3);
    EXPECT_EQ(GetDriveTypeA(root.c_str()), static_cast<UINT>(DRIVE_FIXED));

    struct _stat status {};
    ASSERT_EQ(_stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_size, 5);
    EXPECT_NE(status.st_mode & _S_IFREG, 0);
    EXPECT_EQ(static_cast<char>('A' + status.st_dev), std::toupper(static_cast<unsigned char>(path[0])));
    ASSERT_EQ(_stat(folder.Windows().c_str(), &status), 0);
    EXPECT_NE(status.st_mode & _S_IFDIR, 0);
    EXPECT_EQ(_stat(folder.Windows("missing.txt").c_str(), &status), -1);
}

TEST(Shell, DisplayNamesSpellNamesAsStored) {
    TempFolder folder;
    folder.Write("MixedCase/x.txt", "");
    std::string name;
    ASSERT_TRUE(platform::ShellDisplayName(folder.Windows("mixedcase").c_str(), name));
    EXPECT_EQ(name, "MixedCase");
    EXPECT_FALSE(platform::ShellDisplayName(folder.Windows("missing").c_str(), name));
}

TEST(Shell, BitmapFilesLoadWhenTheirHeadersAreThere) {
    TempFolder folder;
    const std::string bitmap = test_bitmaps::SmallBitmap();
    folder.Write("good.bmp", bitmap);
    folder.Write("short.bmp", bitmap.substr(0, bitmap.size() - 10));  // pixels missing: still taken
    folder.Write("headless.bmp", "BM" + std::string(18, '\0'));       // no information header
    folder.Write("text.bmp", "not a bitmap at all, just some text in a file");
    EXPECT_TRUE(platform::IsLoadableBitmapFile(folder.Windows("good.bmp").c_str()));
    EXPECT_TRUE(platform::IsLoadableBitmapFile(folder.Windows("short.bmp").c_str()));
    EXPECT_FALSE(platform::IsLoadableBitmapFile(folder.Windows("headless.bmp").c_str()));
    EXPECT_FALSE(platform::IsLoadableBitmapFile(folder.Windows("text.bmp").c_str()));
    EXPECT_FALSE(platform::IsLoadableBitmapFile(folder.Windows("missing.bmp").c_str()));
}

}  // namespace
