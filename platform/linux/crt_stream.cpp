#include "platform/linux/crt_stream.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <string>
#include <string_view>
#include <utility>

namespace platform {
namespace {

constexpr char kEndOfText = '\x1A';  // Ctrl-Z

class Stream {
public:
    Stream(int fd, bool text, std::unique_ptr<FileShare> share) : fd_(fd), text_(text), share_(std::move(share)) {}
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    ~Stream() { close(fd_); }

    ssize_t Read(char* buffer, std::size_t size) {
        if (!text_) {
            return ReadRaw(buffer, size);
        }
        std::size_t count = 0;
        while (count < size && !atEndOfText_) {
            const int byte = Next();
            if (byte < 0) {
                if (byte == kError) {
                    return count > 0 ? static_cast<ssize_t>(count) : -1;
                }
                break;
            }
            if (byte == kEndOfText) {
                // The Ctrl-Z stays unread: the position is at it, and reading
                // goes on past it only after a seek.
                --pending_;
                atEndOfText_ = true;
                break;
            }
            char out = static_cast<char>(byte);
            if (out == '\r') {
                const int after = Next();
                if (after == '\n') {
                    out = '\n';
                } else if (after >= 0) {
                    --pending_;  // a lone CR is kept, the byte after it read afresh
                }
            }
            buffer[count++] = out;
        }
        return static_cast<ssize_t>(count);
    }

    ssize_t Write(const char* data, std::size_t size) {
        if (!Discard()) {
            return -1;
        }
        if (!text_) {
            return WriteAll(std::string_view(data, size)) ? static_cast<ssize_t>(size) : -1;
        }
        std::string translated;
        translated.reserve(size + size / 8);
        for (std::size_t index = 0; index < size; ++index) {
            if (data[index] == '\n') {
                translated += '\r';
            }
            translated += data[index];
        }
        return WriteAll(translated) ? static_cast<ssize_t>(size) : -1;
    }

    // Offsets are the file's own, whatever the mode.
    int Seek(off64_t* offset, int whence) {
        off64_t target = *offset;
        if (whence == SEEK_CUR) {
            const off64_t current = lseek64(fd_, 0, SEEK_CUR);
            if (current < 0) {
                return -1;
            }
            target += current - Unread();
            whence = SEEK_SET;
        }
        const off64_t result = lseek64(fd_, target, whence);
        if (result < 0) {
            return -1;
        }
        filled_ = pending_ = 0;
        atEndOfText_ = false;
        *offset = result;
        return 0;
    }

private:
    static constexpr int kEnd = -1;
    static constexpr int kError = -2;

    ssize_t ReadRaw(char* buffer, std::size_t size) {
        for (;;) {
            const ssize_t count = read(fd_, buffer, size);
            if (count >= 0 || errno != EINTR) {
                return count;
            }
        }
    }

    // The next byte of the file, through a buffer of bytes read ahead.
    int Next() {
        if (pending_ == filled_) {
            const ssize_t count = ReadRaw(ahead_.data(), ahead_.size());
            if (count <= 0) {
                filled_ = pending_ = 0;
                return count == 0 ? kEnd : kError;
            }
            filled_ = static_cast<std::size_t>(count);
            pending_ = 0;
        }
        return static_cast<unsigned char>(ahead_[pending_++]);
    }

    // Bytes read ahead from the file but not handed out.
    off64_t Unread() const { return static_cast<off64_t>(filled_ - pending_); }

    // Gives the bytes read ahead back to the file before a write.
    bool Discard() {
        if (filled_ != pending_ && lseek64(fd_, -Unread(), SEEK_CUR) < 0) {
            return false;
        }
        filled_ = pending_ = 0;
        atEndOfText_ = false;
        return true;
    }

    bool WriteAll(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = write(fd_, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    int fd_;
    bool text_;
    std::unique_ptr<FileShare> share_;
    std::array<char, 4096> ahead_{};
    std::size_t filled_ = 0;   // bytes in ahead_
    std::size_t pending_ = 0;  // the first of them not yet handed out
    bool atEndOfText_ = false;
};

ssize_t ReadStream(void* cookie, char* buffer, std::size_t size) {
    return static_cast<Stream*>(cookie)->Read(buffer, size);
}

ssize_t WriteStream(void* cookie, const char* data, std::size_t size) {
    return static_cast<Stream*>(cookie)->Write(data, size);
}

int SeekStream(void* cookie, off64_t* offset, int whence) {
    return static_cast<Stream*>(cookie)->Seek(offset, whence);
}

int CloseStream(void* cookie) {
    delete static_cast<Stream*>(cookie);
    return 0;
}

}  // namespace

FILE* OpenStream(int fd, const char* mode, bool text, std::unique_ptr<FileShare> share) {
    auto stream = std::make_unique<Stream>(fd, text, std::move(share));
    const cookie_io_functions_t functions{ReadStream, WriteStream, SeekStream, CloseStream};
    FILE* file = fopencookie(stream.get(), mode, functions);
    if (file == nullptr) {
        return nullptr;  // errno set; the stream's destructor closes the descriptor
    }
    stream.release();  // owned by the FILE, deleted by CloseStream
    // A translated stream is read and written as it comes, so that the C
    // library's buffer never holds translated bytes whose file offsets it
    // could not know: ftell then answers the file's own offset.
    if (text) {
        std::setvbuf(file, nullptr, _IONBF, 0);
    }
    return file;
}

}  // namespace platform
