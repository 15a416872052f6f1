// A temporary folder for tests that touch the file system, removed with its
// contents when the test ends; and the current directory kept for a scope.
#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Native() const { return path_; }
    // The folder as the plug-in sees it: a Windows path without a trailing
    // backslash.
    std::string Windows() const;
    // A file or folder inside, as a Windows path.
    std::string Windows(const std::string& name) const;
    // Writes a file inside (bytes as given) and answers its native path.
    std::filesystem::path Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// Puts the current directory back however the test ends.
class CurrentDirectoryScope {
public:
    CurrentDirectoryScope();
    ~CurrentDirectoryScope();
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    std::string saved_;
};

// The folder of the test program (where the modules and data files are), as a
// Windows path with a trailing backslash.
std::string ProgramFolder();

}  // namespace testing_support
