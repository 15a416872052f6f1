#include "sim/host/scratch_session.h"

#include "platform/paths.h"

#include <atomic>
#include <random>

namespace simhost {

ScratchSession::ScratchSession(const std::string& seed, std::string name) : name_(std::move(name)) {
    static std::atomic<unsigned> counter{0};
    std::error_code failure;
    const auto base = std::filesystem::temp_directory_path(failure);
    if (failure) {
        error_ = "no folder for temporary files: " + failure.message();
        return;
    }
    std::random_device random;
    do {
        folder_ = base / ("simhost-session-" + std::to_string(random()) + "-" + std::to_string(counter++));
    } while (std::filesystem::exists(folder_, failure));
    if (!std::filesystem::create_directories(folder_, failure)) {
        error_ = "cannot make " + folder_.string() + ": " + failure.message();
        folder_.clear();
        return;
    }
    const auto source = platform::ToNativePath(seed);
    if (!source || !std::filesystem::copy_file(*source, folder_ / (name_ + ".ini"), failure)) {
        error_ = "cannot copy the seed session file " + seed + (failure ? ": " + failure.message() : "");
    }
}

ScratchSession::~ScratchSession() {
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

std::string ScratchSession::Folder() const {
    return platform::ToWindowsPath(folder_.string());
}

std::string ScratchSession::File(const std::string& fileName) const {
    return Folder() + "\\" + fileName;
}

}  // namespace simhost
