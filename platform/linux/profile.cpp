#include "platform/profile.h"

#include "platform/linux/profile_document.h"
#include "platform/linux/whole_file.h"
#include "platform/paths.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using platform::profile::Document;

// The Windows error for a file the functions cannot read: a missing file is
// "file not found" only when its folder is there; a folder, or a file the
// system refuses, is "access denied".
DWORD ReadError(const std::string& path, int error) {
    switch (error) {
        case ENOENT: {
            struct stat info {};
            const std::string folder = std::filesystem::path(path).parent_path().string();
            return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? ERROR_FILE_NOT_FOUND
                                                                              : ERROR_PATH_NOT_FOUND;
        }
        case ENOTDIR:
        case ENAMETOOLONG:
            return ERROR_PATH_NOT_FOUND;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        default:
            return ERROR_ACCESS_DENIED;
    }
}

// The native path of a profile's file name, or the Windows error for a name
// that has none. On Windows a name without a folder (and any relative name)
// means a file in the Windows folder, and a null name the Windows folder's
// own WIN.INI; there is no such folder here, so relative names are taken from
// the current directory, as every other relative path of the layer is, and a
// null name names no file. An empty name names the folder itself.
std::optional<std::string> NativeFileName(LPCSTR fileName, DWORD& error) {
    if (fileName == nullptr) {
        error = ERROR_FILE_NOT_FOUND;
        return std::nullopt;
    }
    if (*fileName == '\0') {
        error = ERROR_ACCESS_DENIED;
        return std::nullopt;
    }
    std::optional<std::string> path = platform::ToNativePath(fileName);
    if (!path) {
        error = ERROR_PATH_NOT_FOUND;  // a drive that does not exist here
    }
    return path;
}

// The file's document, or nothing (with the Windows error set) when it cannot
// be read; the readers then give their defaults. A file read clears the
// error, as on Windows, so that a caller can tell an empty value from a
// missing file.
std::optional<Document> Load(LPCSTR fileName) {
    DWORD error = ERROR_SUCCESS;
    const std::optional<std::string> path = NativeFileName(fileName, error);
    if (!path) {
        SetLastError(error);
        return std::nullopt;
    }
    const platform::FileBytes file = platform::ReadWholeFile(*path);
    if (file.error != 0) {
        SetLastError(ReadError(*path, file.error));
        return std::nullopt;
    }
    SetLastError(ERROR_SUCCESS);
    return Document(file.bytes);
}

// One pair of quotes enclosing the whole text is not part of it; a quote at
// one end only is.
std::string_view Unquote(std::string_view text) {
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

std::string_view DefaultText(LPCSTR defaultValue) {
    return defaultValue == nullptr ? std::string_view() : std::string_view(defaultValue);
}

// The default of a key that is not found: Windows documents that it cuts the
// trailing blanks off (only spaces count there, a trailing tab stays); like a
// value, one pair of enclosing quotes is then taken off.
std::string_view KeyDefault(LPCSTR defaultValue) {
    std::string_view text = DefaultText(defaultValue);
    while (text.ends_with(' ')) {
        text.remove_suffix(1);
    }
    return Unquote(text);
}

// As much of text as fits with its NUL; the number of characters copied.
DWORD CopyText(std::string_view text, LPSTR buffer, DWORD size) {
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::copy_n(text.data(), count, buffer);  // not memcpy: an empty view's data may be null
    buffer[count] = '\0';
    return static_cast<DWORD>(count);
}

// Names each followed by a NUL, the list ending in one more. A list that does
// not fit is cut to size - 2 characters and ended by two NULs, and the result
// is size - 2: Windows' documented rule, by which a caller tells a full list
// from a cut one.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    list += '\0';
    if (list.size() <= size) {
        std::copy_n(list.data(), list.size(), buffer);
        return static_cast<DWORD>(list.size() - 1);
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::copy_n(list.data(), size - 2, buffer);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

// A section's keys, or its default: Windows gives the default (with its
// enclosing quotes taken off, but nothing else) for a missing section, one
// without keys, and one whose first key has no name (its list would read
// as empty).
DWORD CopyKeyList(const std::optional<Document>& document, LPCSTR section, LPCSTR defaultValue, LPSTR buffer,
                  DWORD size) {
    if (document) {
        if (const auto names = document->KeyNames(section); names && !names->empty() && !names->front().empty()) {
            return CopyList(*names, buffer, size);
        }
    }
    return CopyText(Unquote(DefaultText(defaultValue)), buffer, size);
}

// Windows reads the number as RtlCharToInteger does with no base given:
// blanks, an optional sign, then "0x", "0o" or "0b" for base 16, 8 or 2
// (lower case only), else decimal; digits up to the first other character
// ("12abc" is 12, "abc" is 0), the total wrapping around at 32 bits.
UINT LeadingInteger(std::string_view text) {
    std::size_t index = text.find_first_not_of(" \t");
    if (index == std::string_view::npos) {
        return 0;
    }
    bool negative = false;
    if (text[index] == '-' || text[index] == '+') {
        negative = text[index] == '-';
        ++index;
    }
    UINT base = 10;
    if (text.substr(index, 2) == "0x") {
        base = 16;
    } else if (text.substr(index, 2) == "0o") {
        base = 8;
    } else if (text.substr(index, 2) == "0b") {
        base = 2;
    }
    if (base != 10) {
        index += 2;
    }
    UINT total = 0;
    for (; index < text.size(); ++index) {
        const char c = text[index];
        UINT digit = base;
        if (c >= '0' && c <= '9') {
            digit = static_cast<UINT>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<UINT>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<UINT>(c - 'A' + 10);
        }
        if (digit >= base) {
            break;
        }
        total = total * base + digit;
    }
    return negative ? 0u - total : total;
}

// A write reads, edits and replaces the whole file: writers take turns so that
// none overwrites another's change with an older copy. Readers need no turn:
// the file is replaced by a rename, so they see the old or the new file whole.
std::mutex& WriterMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::optional<Document> document = Load(fileName);
    if (section == nullptr) {
        return CopyList(document ? document->SectionNames() : std::vector<std::string>(), buffer, size);
    }
    if (key == nullptr) {
        return CopyKeyList(document, section, defaultValue, buffer, size);
    }
    if (document) {
        if (const std::optional<std::string> value = document->Value(section, key)) {
            return CopyText(Unquote(*value), buffer, size);
        }
    }
    return CopyText(KeyDefault(defaultValue), buffer, size);
}

// Windows reads the text as GetPrivateProfileStringA gives it, so a null
// section or key reads the first name of the listing; no text at all (an
// empty value included) gives the default.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
    std::vector<char> text(1024);
    const DWORD length =
        GetPrivateProfileStringA(section, key, "", text.data(), static_cast<DWORD>(text.size()), fileName);
    if (length == 0 || text[0] == '\0') {
        return static_cast<UINT>(defaultValue);
    }
    return LeadingInteger(text.data());
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
    if (section == nullptr) {
        // All names null is Windows' request to flush its cache, which fails
        // without an error; this layer keeps no cache.
        if (key == nullptr) {
            if (fileName != nullptr) {
                SetLastError(ERROR_SUCCESS);
            }
            return FALSE;
        }
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (fileName == nullptr) {
        // Windows writes WIN.INI in its own folder; there is none here.
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD error = ERROR_SUCCESS;
    const std::optional<std::string> path = NativeFileName(fileName, error);
    if (!path) {
        SetLastError(error);
        return FALSE;
    }

    std::lock_guard lock(WriterMutex());
    const platform::FileBytes file = platform::ReadWholeFile(*path);
    // A missing file is an empty one, in a folder that is there; a file that
    // exists but cannot be read is never replaced: its content would be lost.
    if (file.error != 0) {
        if (const DWORD readError = ReadError(*path, file.error); readError != ERROR_FILE_NOT_FOUND) {
            SetLastError(readError);
            return FALSE;
        }
    }
    Document document(file.bytes);
    const bool changed = key == nullptr     ? document.DeleteSection(section)
                         : value == nullptr ? document.DeleteKey(section, key)
                                            : document.SetValue(section, key, value);
    // Nothing changed (the value was already there, or there was nothing to
    // delete): the file stays untouched, and a missing one is not created.
    if (!changed) {
        return TRUE;
    }
    if (const int writeError = platform::ReplaceWholeFile(*path, document.Bytes())) {
        SetLastError(ReadError(*path, writeError));
        return FALSE;
    }
    return TRUE;
}
