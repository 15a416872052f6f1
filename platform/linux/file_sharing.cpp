#include "platform/linux/file_sharing.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace platform {
namespace {

struct OpenFile {
    FileAccess access;
    FileAccess shared;
    const FileShare* owner;
};

// Every registered open, by file.
class ShareTable {
public:
    bool Add(dev_t device, ino_t inode, FileAccess access, FileAccess shared, const FileShare* owner) {
        std::lock_guard lock(mutex_);
        std::vector<OpenFile>& opens = files_[{device, inode}];
        const bool conflict = std::ranges::any_of(opens, [&](const OpenFile& open) {
            return !Allows(open.shared, access) || !Allows(shared, open.access);
        });
        if (conflict) {
            if (opens.empty()) {
                files_.erase({device, inode});
            }
            return false;
        }
        opens.push_back({access, shared, owner});
        return true;
    }

    void Remove(dev_t device, ino_t inode, const FileShare* owner) {
        std::lock_guard lock(mutex_);
        const auto found = files_.find({device, inode});
        if (found == files_.end()) {
            return;
        }
        std::erase_if(found->second, [owner](const OpenFile& open) { return open.owner == owner; });
        if (found->second.empty()) {
            files_.erase(found);
        }
    }

private:
    // True when sharing lets an open with this access in.
    static bool Allows(FileAccess sharing, FileAccess access) {
        return (!access.read || sharing.read) && (!access.write || sharing.write);
    }

    std::mutex mutex_;
    std::map<std::pair<dev_t, ino_t>, std::vector<OpenFile>> files_;
};

ShareTable& Table() {
    static ShareTable* table = new ShareTable;  // threads still running at exit use it
    return *table;
}

}  // namespace

FileShare::FileShare(dev_t device, ino_t inode, FileAccess access, FileAccess shared)
    : device_(device), inode_(inode), registered_(Table().Add(device, inode, access, shared, this)) {}

FileShare::~FileShare() {
    if (registered_) {
        Table().Remove(device_, inode_, this);
    }
}

}  // namespace platform
