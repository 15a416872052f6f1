#include "platform/linux/file_handles.h"

#include "platform/files.h"
#include "platform/linux/file_errors.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <optional>

namespace platform::detail {
namespace {

struct Entry {
    int descriptor;
    FileHandleKind kind;
};

// File handles lie in a range of their own, apart from the event and search
// handles.
class FileTable {
public:
    HANDLE Add(int descriptor, FileHandleKind kind) {
        std::lock_guard lock(mutex_);
        const HANDLE handle = reinterpret_cast<HANDLE>(next_);
        next_ += 4;
        files_[handle] = Entry{descriptor, kind};
        return handle;
    }
    int Find(HANDLE handle, FileHandleKind kind) {
        std::lock_guard lock(mutex_);
        const auto found = files_.find(handle);
        return found == files_.end() || found->second.kind != kind ? -1 : found->second.descriptor;
    }
    bool Close(HANDLE handle) {
        int descriptor = -1;
        {
            std::lock_guard lock(mutex_);
            const auto found = files_.find(handle);
            if (found == files_.end()) {
                return false;
            }
            descriptor = found->second.descriptor;
            files_.erase(found);
        }
        close(descriptor);
        return true;
    }

private:
    std::mutex mutex_;
    std::uintptr_t next_ = 0x40000000;
    std::map<HANDLE, Entry> files_;
};

FileTable& Files() {
    static FileTable* table = new FileTable;  // threads still running at exit use it
    return *table;
}

}  // namespace

HANDLE AddFileHandle(int descriptor, FileHandleKind kind) {
    return Files().Add(descriptor, kind);
}

int FileDescriptor(HANDLE handle, FileHandleKind kind) {
    return Files().Find(handle, kind);
}

bool CloseFileHandle(HANDLE handle) {
    return Files().Close(handle);
}

}  // namespace platform::detail

namespace {

HANDLE Fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD creation, DWORD, HANDLE) {
    const auto native = fileName != nullptr ? platform::ToNativePath(fileName) : std::nullopt;
    if (!native) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    const bool reading = (access & GENERIC_READ) != 0;
    const bool writing = (access & GENERIC_WRITE) != 0;
    struct stat info {};
    const bool exists = stat(native->c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (exists && writing && (info.st_mode & S_IWUSR) == 0) {
        return Fail(ERROR_ACCESS_DENIED);  // the read-only attribute
    }
    int flags = writing ? (reading ? O_RDWR : O_WRONLY) : O_RDONLY;
    switch (creation) {
        case CREATE_NEW:
            if (exists) {
                return Fail(ERROR_FILE_EXISTS);
            }
            flags |= O_CREAT | O_EXCL;
            break;
        case CREATE_ALWAYS:
            flags |= O_CREAT | O_TRUNC;
            break;
        case OPEN_EXISTING:
            break;
        case OPEN_ALWAYS:
            flags |= O_CREAT;
            break;
        case TRUNCATE_EXISTING:
            if (!writing) {
                return Fail(ERROR_INVALID_PARAMETER);
            }
            flags |= O_TRUNC;
            break;
        default:
            return Fail(ERROR_INVALID_PARAMETER);
    }
    if (!exists && (creation == OPEN_EXISTING || creation == TRUNCATE_EXISTING)) {
        return Fail(platform::detail::MissingPathError(*native));
    }
    const int descriptor = open(native->c_str(), flags | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return Fail(errno == ENOENT || errno == ENOTDIR ? platform::detail::MissingPathError(*native)
                                                        : ERROR_ACCESS_DENIED);
    }
    // Opening an existing file with a disposition that may create one says so.
    SetLastError(exists && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                 : ERROR_SUCCESS);
    return platform::detail::AddFileHandle(descriptor);
}

BOOL GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite) {
    const int descriptor = platform::detail::FileDescriptor(file);
    struct stat info {};
    if (descriptor < 0 || fstat(descriptor, &info) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const auto time = [](const timespec& when) {
        return platform::UnixSecondsToFileTime(when.tv_sec, static_cast<std::uint32_t>(when.tv_nsec));
    };
    if (creation != nullptr) {
        *creation = time(info.st_ctim);
    }
    if (lastAccess != nullptr) {
        *lastAccess = time(info.st_atim);
    }
    if (lastWrite != nullptr) {
        *lastWrite = time(info.st_mtim);
    }
    return TRUE;
}
