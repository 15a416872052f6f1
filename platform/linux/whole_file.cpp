#include "platform/linux/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

    // Closes now, for the caller to see the error a late write reports.
    int Close() {
        const int result = close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// A temporary file that is removed unless it has been renamed into place.
class TemporaryFile {
public:
    TemporaryFile(std::string path, int fd) : path_(std::move(path)), file_(fd) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty()) {
            unlink(path_.c_str());
        }
    }

    FileDescriptor& file() { return file_; }

    int RenameTo(const std::string& target) {
        if (rename(path_.c_str(), target.c_str()) != 0) {
            return errno;
        }
        path_.clear();
        return 0;
    }

private:
    std::string path_;
    FileDescriptor file_;
};

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// The file a write to path lands in: the target of a symbolic link, so that
// the rename replaces the file and not the link.
std::filesystem::path WriteTarget(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
        if (!error) {
            return target;
        }
    }
    return path;
}

// A new file beside target, named so that no other caller, thread or process
// picks the same name.
std::unique_ptr<TemporaryFile> CreateTemporaryBeside(const std::filesystem::path& target, int& error) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target.filename().string().substr(0, 64) + "." + std::to_string(getpid()) +
                                 "." + std::to_string(counter++) + ".tmp";
        const std::string path = (target.parent_path() / name).string();
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            return std::make_unique<TemporaryFile>(path, fd);
        }
        if (errno != EEXIST) {
            error = errno;
            return nullptr;
        }
    }
    error = EEXIST;
    return nullptr;
}

}  // namespace

FileBytes ReadWholeFile(const std::string& path) {
    FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file) {
        return {{}, errno};
    }
    struct stat info {};
    if (fstat(file.get(), &info) != 0) {
        return {{}, errno};
    }
    if (S_ISDIR(info.st_mode)) {
        return {{}, EISDIR};
    }
    FileBytes result;
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        const ssize_t count = read(file.get(), chunk.data(), chunk.size());
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {{}, errno};
        }
        if (count == 0) {
            return result;
        }
        result.bytes.append(chunk.data(), static_cast<std::size_t>(count));
    }
}

int ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    const std::filesystem::path target = WriteTarget(path);
    int error = 0;
    const std::unique_ptr<TemporaryFile> temporary = CreateTemporaryBeside(target, error);
    if (!temporary) {
        return error;
    }
    const int fd = temporary->file().get();
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0 && fchmod(fd, existing.st_mode & 07777) != 0) {
        return errno;
    }
    if (const int written = WriteAll(fd, bytes)) {
        return written;
    }
    // On the disk before the rename, so that a crash cannot leave the name
    // pointing at a file whose content never arrived.
    if (fsync(fd) != 0) {
        return errno;
    }
    if (const int closed = temporary->file().Close()) {
        return closed;
    }
    return temporary->RenameTo(target.string());
}

}  // namespace platform
