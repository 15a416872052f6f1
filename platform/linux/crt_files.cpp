#include "platform/crt.h"

#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// A text-mode file opened for reading: the translated content in memory.
struct TextFile {
    std::string data;
    std::size_t position = 0;
};

ssize_t TextRead(void* cookie, char* buffer, std::size_t size) {
    auto* file = static_cast<TextFile*>(cookie);
    const std::size_t count = std::min(size, file->data.size() - file->position);
    std::memcpy(buffer, file->data.data() + file->position, count);
    file->position += count;
    return static_cast<ssize_t>(count);
}

int TextSeek(void* cookie, off64_t* offset, int whence) {
    auto* file = static_cast<TextFile*>(cookie);
    off64_t base = 0;
    if (whence == SEEK_CUR) {
        base = static_cast<off64_t>(file->position);
    } else if (whence == SEEK_END) {
        base = static_cast<off64_t>(file->data.size());
    }
    const off64_t target = base + *offset;
    if (target < 0 || target > static_cast<off64_t>(file->data.size())) {
        return -1;
    }
    file->position = static_cast<std::size_t>(target);
    *offset = target;
    return 0;
}

int TextClose(void* cookie) {
    delete static_cast<TextFile*>(cookie);
    return 0;
}

FILE* OpenTextForReading(const std::string& nativePath) {
    std::ifstream in(nativePath, std::ios::binary);
    if (!in) {
        return nullptr;
    }
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto file = std::make_unique<TextFile>();
    file->data.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') {
            continue;
        }
        file->data += raw[i];
    }
    const cookie_io_functions_t functions{TextRead, nullptr, TextSeek, TextClose};
    FILE* stream = fopencookie(file.get(), "r", functions);
    if (stream != nullptr) {
        file.release();  // owned by the stream, freed by TextClose
    }
    return stream;
}

}  // namespace

FILE* _fsopen(const char* fileName, const char* mode, int) {
    if (fileName == nullptr || mode == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    const std::optional<std::string> native = platform::ToNativePath(fileName);
    if (!native) {
        errno = ENOENT;
        return nullptr;
    }
    const std::string flags = mode;
    const bool binary = flags.find('b') != std::string::npos;
    const bool readOnly = flags[0] == 'r' && flags.find('+') == std::string::npos;
    if (!binary && readOnly) {
        return OpenTextForReading(*native);
    }
    std::string nativeMode;
    for (const char c : flags) {
        if (c != 't') {
            nativeMode += c;
        }
    }
    return std::fopen(native->c_str(), nativeMode.c_str());
}
