#include "platform/profile.h"

#include "platform/linux/profile_document.h"
#include "platform/linux/whole_file.h"
#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using platform::profile::Document;

// The native path of a profile's file name. On Windows a name without a
// folder (and any relative name) means a file in the Windows folder; there is
// no such folder here, so relative names are taken from the current
// directory, as every other relative path of the layer is.
std::optional<std::string> NativeFileName(LPCSTR fileName) {
    if (fileName == nullptr) {
        return std::nullopt;
    }
    return platform::ToNativePath(fileName);
}

// The file's lines, or nothing when it is missing or unreadable, which the
// readers treat alike (as Windows does, reporting ERROR_FILE_NOT_FOUND).
std::optional<Document> Load(LPCSTR fileName) {
    if (const std::optional<std::string> path = NativeFileName(fileName)) {
        if (const platform::FileBytes file = platform::ReadWholeFile(*path); file.error == 0) {
            return Document(file.bytes);
        }
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return std::nullopt;
}

// Windows documents that it cuts trailing blanks off the default; only
// spaces count there, a trailing tab stays.
std::string_view DefaultText(LPCSTR defaultValue) {
    std::string_view text = defaultValue == nullptr ? std::string_view() : std::string_view(defaultValue);
    while (text.ends_with(' ')) {
        text.remove_suffix(1);
    }
    return text;
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
// is size - 2: Windows' rule, by which a caller tells a full list from a cut
// one.
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

// Windows reads the number as RtlUnicodeStringToInteger does in base 10:
// blanks, an optional sign, then decimal digits up to the first other
// character ("12abc" is 12, "abc" and "0x10" are 0), the total wrapping
// around at 32 bits.
UINT LeadingDecimal(std::string_view text) {
    std::size_t index = text.find_first_not_of(" \t");
    if (index == std::string_view::npos) {
        return 0;
    }
    bool negative = false;
    if (text[index] == '-' || text[index] == '+') {
        negative = text[index] == '-';
        ++index;
    }
    UINT total = 0;
    for (; index < text.size() && text[index] >= '0' && text[index] <= '9'; ++index) {
        total = total * 10u + static_cast<UINT>(text[index] - '0');
    }
    return negative ? 0u - total : total;
}

DWORD WindowsError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
        return ERROR_PATH_NOT_FOUND;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_ACCESS_DENIED;  // the file system refused the write (rights, a folder, a full disk)
    }
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
    if (document) {
        if (key == nullptr) {
            // A missing section, or one without keys, gives the default as a
            // missing key does.
            if (const auto names = document->KeyNames(section); names && !names->empty()) {
                return CopyList(*names, buffer, size);
            }
        } else if (const std::optional<std::string> value = document->Value(section, key)) {
            return CopyText(*value, buffer, size);
        }
    }
    return CopyText(DefaultText(defaultValue), buffer, size);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
    const UINT fallback = static_cast<UINT>(defaultValue);
    if (section == nullptr || key == nullptr) {
        return fallback;
    }
    const std::optional<Document> document = Load(fileName);
    if (!document) {
        return fallback;
    }
    const std::optional<std::string> value = document->Value(section, key);
    // Windows gives the default for an empty value too: it tells "no value"
    // from a value only by the length of the text it reads.
    if (!value || value->empty()) {
        return fallback;
    }
    return LeadingDecimal(*value);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
    // All three names null is Windows' request to flush its cache, which also
    // fails; this layer keeps no cache.
    if (section == nullptr || fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::optional<std::string> path = NativeFileName(fileName);
    if (!path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }

    std::lock_guard lock(WriterMutex());
    const platform::FileBytes file = platform::ReadWholeFile(*path);
    // A file that exists but cannot be read is never replaced: its content
    // would be lost.
    if (file.error != 0 && file.error != ENOENT && file.error != ENOTDIR) {
        SetLastError(WindowsError(file.error));
        return FALSE;
    }
    Document document(file.bytes);
    if (key == nullptr) {
        document.DeleteSection(section);
    } else if (value == nullptr) {
        document.DeleteKey(section, key);
    } else {
        document.SetValue(section, key, value);
    }
    const std::string bytes = document.Bytes();
    // Nothing changed (the value was already there, or there was nothing to
    // delete): the file stays untouched, and a missing one is not created.
    if (bytes == file.bytes) {
        return TRUE;
    }
    if (const int error = platform::ReplaceWholeFile(*path, bytes)) {
        SetLastError(WindowsError(error));
        return FALSE;
    }
    return TRUE;
}
