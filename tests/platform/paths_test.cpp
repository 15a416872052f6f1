#include "platform/paths.h"

#include "tests/support/sides.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::TempFolder;

// On Windows the paths the plug-in sees are the system's own, and the layer
// hands them through unchanged.
constexpr const char* kLinuxMapping = "the Z: drive and the case-blind lookup map Windows paths onto Linux only";

TEST(Paths, DriveZIsTheNativeTree) {
    Q3V_SKIP_ON_WINDOWS(kLinuxMapping);
    EXPECT_EQ(platform::ToNativePath("Z:\\"), "/");
    EXPECT_EQ(platform::ToWindowsPath("/tmp/x"), "Z:\\tmp\\x");
    EXPECT_EQ(platform::ToNativePath("z:\\no-such-folder-q3v\\File.TXT"), "/no-such-folder-q3v/File.TXT");
}

TEST(Paths, OtherDrivesAndSharesHaveNoNativePath) {
    Q3V_SKIP_ON_WINDOWS(kLinuxMapping);
    EXPECT_FALSE(platform::ToNativePath("C:\\Windows"));
    EXPECT_FALSE(platform::ToNativePath("\\\\server\\share\\file"));
    EXPECT_FALSE(platform::ToNativePath(""));
}

TEST(Paths, NamesResolveWithoutRegardToCase) {
    Q3V_SKIP_ON_WINDOWS(kLinuxMapping);
    TempFolder folder;
    folder.Write("Sub/Q3vVk3.cnf", "x");
    const auto native = platform::ToNativePath(folder.Windows("SUB\\q3vvk3.CNF"));
    ASSERT_TRUE(native);
    EXPECT_EQ(*native, (folder.Native() / "Sub" / "Q3vVk3.cnf").string());
    // A missing leaf keeps its spelling, so that a new file can be created.
    EXPECT_EQ(*platform::ToNativePath(folder.Windows("sub\\New.ini")), (folder.Native() / "Sub" / "New.ini").string());
}

TEST(Paths, DotsAndMixedSeparatorsFold) {
    Q3V_SKIP_ON_WINDOWS(kLinuxMapping);
    TempFolder folder;
    folder.Write("a/b.txt", "x");
    EXPECT_EQ(*platform::ToNativePath(folder.Windows("A\\.\\x\\..\\B.TXT")), (folder.Native() / "a" / "b.txt").string());
    EXPECT_EQ(*platform::ToNativePath(folder.Windows() + "/a/b.txt"), (folder.Native() / "a" / "b.txt").string());
}

TEST(Paths, RelativePathsStartAtTheCurrentDirectory) {
    Q3V_SKIP_ON_WINDOWS(kLinuxMapping);
    TempFolder folder;
    folder.Write("Data.bin", "x");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Native());
    const auto native = platform::ToNativePath("DATA.BIN");
    const auto driveRelative = platform::ToNativePath("Z:data.bin");
    std::filesystem::current_path(previous);
    EXPECT_EQ(native, (folder.Native() / "Data.bin").string());
    EXPECT_EQ(driveRelative, (folder.Native() / "Data.bin").string());
}

}  // namespace
