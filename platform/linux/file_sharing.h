// The sharing modes of files opened with _fsopen, enforced within the
// process as Windows enforces them: an open succeeds only when its access is
// allowed by every open of the same file and its sharing allows theirs.
#pragma once

#include <sys/types.h>

namespace platform {

struct FileAccess {
    bool read = false;
    bool write = false;
};

// One open of a file, registered for as long as the object lives.
class FileShare {
public:
    // Registers the open of the file (device, inode) with its access and the
    // access it shares with later opens; fails (Registered() false) when an
    // open already registered conflicts.
    FileShare(dev_t device, ino_t inode, FileAccess access, FileAccess shared);
    ~FileShare();
    FileShare(const FileShare&) = delete;
    FileShare& operator=(const FileShare&) = delete;

    bool Registered() const { return registered_; }

private:
    dev_t device_;
    ino_t inode_;
    bool registered_ = false;
};

}  // namespace platform
