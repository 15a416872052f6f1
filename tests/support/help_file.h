// The help file beside the test program, named as the plug-in's dialogs look
// for it (the program's name with ".hlp"), made when a test asks and removed
// however the test ends.
#pragma once

#include "tests/support/temp_folder.h"

#include "platform/files.h"

#include <string>

namespace testsupport {

class HelpFile {
public:
    explicit HelpFile(const std::string& programName)
        : path_(testing_support::ProgramFolder() + programName + ".hlp") {
        DeleteFileA(path_.c_str());
    }
    ~HelpFile() { DeleteFileA(path_.c_str()); }
    HelpFile(const HelpFile&) = delete;
    HelpFile& operator=(const HelpFile&) = delete;

    const std::string& Path() const { return path_; }
    void Create() const {
        CloseHandle(CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    }

private:
    std::string path_;
};

}  // namespace testsupport
