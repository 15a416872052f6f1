#include "platform/files.h"

#include "platform/codepage.h"
#include "platform/paths.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

bool MatchesNoCase(const char* pattern, const char* name) {
    // Iterative wildcard match with one backtracking point for the last "*".
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '?' ||
            (*pattern != '*' && std::tolower(static_cast<unsigned char>(*pattern)) ==
                                    std::tolower(static_cast<unsigned char>(*name)))) {
            ++pattern;
            ++name;
        } else if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') {
        ++pattern;
    }
    return *pattern == '\0';
}

DWORD AttributesOf(const struct stat& info, const std::string& leaf) {
    DWORD attributes = 0;
    if (S_ISDIR(info.st_mode)) {
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    }
    if ((info.st_mode & S_IWUSR) == 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (leaf.size() > 1 && leaf[0] == '.' && leaf != "..") {
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    }
    if (attributes == 0) {
        attributes = FILE_ATTRIBUTE_ARCHIVE;
    }
    return attributes;
}

void Fill(WIN32_FIND_DATAA& data, const std::string& name, const struct stat& info) {
    std::memset(&data, 0, sizeof(data));
    data.dwFileAttributes = AttributesOf(info, name);
    data.ftCreationTime = platform::UnixSecondsToFileTime(info.st_ctim.tv_sec, static_cast<std::uint32_t>(info.st_ctim.tv_nsec));
    data.ftLastAccessTime = platform::UnixSecondsToFileTime(info.st_atim.tv_sec, static_cast<std::uint32_t>(info.st_atim.tv_nsec));
    data.ftLastWriteTime = platform::UnixSecondsToFileTime(info.st_mtim.tv_sec, static_cast<std::uint32_t>(info.st_mtim.tv_nsec));
    const auto size = S_ISDIR(info.st_mode) ? 0 : static_cast<std::uint64_t>(info.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size);
    std::strncpy(data.cFileName, name.c_str(), MAX_PATH - 1);
}

struct Search {
    std::vector<WIN32_FIND_DATAA> entries;
    std::size_t next = 0;
};

class SearchTable {
public:
    HANDLE Add(std::unique_ptr<Search> search) {
        std::lock_guard lock(mutex_);
        const HANDLE handle = reinterpret_cast<HANDLE>(next_);
        next_ += 4;
        searches_[handle] = std::move(search);
        return handle;
    }
    bool Next(HANDLE handle, WIN32_FIND_DATAA& data, bool& found) {
        std::lock_guard lock(mutex_);
        const auto entry = searches_.find(handle);
        if (entry == searches_.end()) {
            return false;
        }
        Search& search = *entry->second;
        found = search.next < search.entries.size();
        if (found) {
            data = search.entries[search.next++];
        }
        return true;
    }
    bool Close(HANDLE handle) {
        std::lock_guard lock(mutex_);
        return searches_.erase(handle) != 0;
    }

private:
    std::mutex mutex_;
    std::uintptr_t next_ = 0x20000000;  // apart from event (0x1000 up) and file (0x40000000 up) handles
    std::map<HANDLE, std::unique_ptr<Search>> searches_;
};

SearchTable& Searches() {
    static SearchTable* table = new SearchTable;  // threads still running at exit use it
    return *table;
}

}  // namespace

DWORD GetFileAttributesA(LPCSTR fileName) {
    if (fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    const auto native = platform::ToNativePath(fileName);
    struct stat info {};
    if (!native || stat(native->c_str(), &info) != 0) {
        SetLastError(errno == ENOTDIR || errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
        return INVALID_FILE_ATTRIBUTES;
    }
    const std::size_t slash = native->rfind('/');
    return AttributesOf(info, slash == std::string::npos ? *native : native->substr(slash + 1));
}

BOOL SetFileAttributesA(LPCSTR fileName, DWORD attributes) {
    const auto native = fileName != nullptr ? platform::ToNativePath(fileName) : std::nullopt;
    struct stat info {};
    if (!native || stat(native->c_str(), &info) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    constexpr mode_t kWrite = S_IWUSR | S_IWGRP | S_IWOTH;
    const mode_t permissions =
        (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? (info.st_mode & ~kWrite) : (info.st_mode | S_IWUSR);
    if (chmod(native->c_str(), permissions & 07777) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
    if (pattern == nullptr || data == nullptr || *pattern == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::string text = pattern;
    // The last separator that is a character of its own, not the trail byte
    // of a double-byte character.
    std::size_t separator = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) {
            ++i;
        } else if (text[i] == '\\' || text[i] == '/' || text[i] == ':') {
            separator = i;
        }
    }
    const std::string folder = separator == std::string::npos ? "." : text.substr(0, separator + 1);
    std::string leaf = separator == std::string::npos ? text : text.substr(separator + 1);
    if (leaf == "*.*") {
        leaf = "*";  // every name, with or without an extension
    }
    const auto nativeFolder = platform::ToNativePath(folder);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(nativeFolder ? opendir(nativeFolder->c_str()) : nullptr, closedir);
    if (!dir) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto search = std::make_unique<Search>();
    while (const dirent* entry = readdir(dir.get())) {
        if (!MatchesNoCase(leaf.c_str(), entry->d_name)) {
            continue;
        }
        struct stat info {};
        if (stat((*nativeFolder + "/" + entry->d_name).c_str(), &info) != 0) {
            continue;  // a dangling link
        }
        WIN32_FIND_DATAA found;
        Fill(found, entry->d_name, info);
        search->entries.push_back(found);
    }
    // Names in the order a Windows volume keeps them: by name, without regard to case.
    std::sort(search->entries.begin(), search->entries.end(),
              [](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) { return strcasecmp(a.cFileName, b.cFileName) < 0; });
    if (search->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *data = search->entries[0];
    search->next = 1;
    SetLastError(ERROR_SUCCESS);
    return Searches().Add(std::move(search));
}

BOOL FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data) {
    if (data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool found = false;
    if (!Searches().Next(search, *data, found)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!found) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    return TRUE;
}

BOOL FindClose(HANDLE search) {
    if (!Searches().Close(search)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
