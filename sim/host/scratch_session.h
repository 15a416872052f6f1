// The simulated host's scratch session: a fresh folder holding a copy of
// the seed session file, so that every run connects alike; removed with it.
#pragma once

#include <filesystem>
#include <string>

namespace simhost {

class ScratchSession {
public:
    // seed: the session file to start from (a Windows path); name: the
    // session's name, which its file takes with ".ini".
    ScratchSession(const std::string& seed, std::string name);
    ~ScratchSession();
    ScratchSession(const ScratchSession&) = delete;
    ScratchSession& operator=(const ScratchSession&) = delete;

    // False (and why) when the folder or the copy could not be made.
    bool Ready() const { return error_.empty(); }
    const std::string& Error() const { return error_; }
    // The folder as a Windows path, without the closing backslash.
    std::string Folder() const;
    const std::string& Name() const { return name_; }
    // A file in the folder, as a Windows path.
    std::string File(const std::string& fileName) const;

private:
    std::filesystem::path folder_;
    std::string name_;
    std::string error_;
};

}  // namespace simhost
