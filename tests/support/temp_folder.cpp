#include "tests/support/temp_folder.h"

#include "platform/crt.h"
#include "platform/module.h"
#include "platform/paths.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

namespace testing_support {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do {
        path_ = base / ("q3v-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    } while (std::filesystem::exists(path_));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Windows() const {
    return platform::ToWindowsPath(path_.string());
}

std::string TempFolder::Windows(const std::string& name) const {
    std::string relative = name;
    for (char& c : relative) {
        if (c == '/') {
            c = '\\';
        }
    }
    return Windows() + "\\" + relative;
}

std::filesystem::path TempFolder::Write(const std::string& name, const std::string& content) const {
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << content;
    return file;
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CurrentDirectoryScope::CurrentDirectoryScope() {
    char buffer[MAX_PATH];
    saved_ = _getcwd(buffer, sizeof(buffer)) != nullptr ? buffer : "";
}

CurrentDirectoryScope::~CurrentDirectoryScope() {
    _chdir(saved_.c_str());
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

}  // namespace testing_support
