#include "util/path_form.h"

#include "platform/crt.h"
#include "util/mbcs.h"

#include <cstring>

namespace {

const unsigned char* U(const char* text) {
    return reinterpret_cast<const unsigned char*>(text);
}

bool IsChar(const char* p, char c) {
    return mbcs::CharBytes(p) == 1 && *p == c;
}

// True when text holds any character of the set as a single-byte character.
bool HoldsAnyOf(const char* text, const char* set) {
    for (const char* p = text; *p != '\0'; p = mbcs::Next(p)) {
        if (mbcs::CharBytes(p) == 1 && std::strchr(set, *p) != nullptr) {
            return true;
        }
    }
    return false;
}

int CountOf(const char* text, char c) {
    int count = 0;
    for (const char* p = text; *p != '\0'; p = mbcs::Next(p)) {
        count += IsChar(p, c) ? 1 : 0;
    }
    return count;
}

// The drive form: a letter, ':' and '\\'.
bool ParseDrive(const char* path, PathRoot& parsed) {
    const char* colon = mbcs::Next(path);
    if (*path == '\0' || _ismbcalpha(_mbsnextc(U(path))) == 0 || !IsChar(colon, ':') || !IsChar(colon + 1, '\\')) {
        return false;
    }
    parsed.root = CString(path, static_cast<int>(colon + 2 - path));
    parsed.rest = colon + 2;
    parsed.isUnc = false;
    return true;
}

// The UNC form: at least 5 characters, "\\\\", a non-empty server and '\\'.
bool ParseUnc(const char* path, PathRoot& parsed) {
    if (CharCount(path) < 5 || !IsChar(path, '\\') || !IsChar(path + 1, '\\')) {
        return false;
    }
    const char* third = mbcs::FindChar(path + 2, '\\');
    if (third == nullptr || third == path + 2) {
        return false;
    }
    parsed.root = CString(path, static_cast<int>(third + 1 - path));
    parsed.rest = third + 1;
    parsed.isUnc = true;
    return true;
}

}  // namespace

bool EndsWithBackslash(LPCSTR text) {
    const char* last = mbcs::FindLastChar(text, '\\');
    return last != nullptr && last[1] == '\0';
}

int CharCount(LPCSTR text) {
    return text != nullptr ? static_cast<int>(_mbslen(U(text))) : 0;
}

bool ParsePathRoot(LPCSTR path, PathRoot& parsed) {
    return path != nullptr && (ParseDrive(path, parsed) || ParseUnc(path, parsed));
}

BOOL HasInvalidPathChars(LPCSTR text) {
    return text != nullptr && HoldsAnyOf(text, "*?/<>|\"") ? TRUE : FALSE;
}

BOOL IsDriveSpec(LPCSTR text) {
    if (text == nullptr || CharCount(text) != 2 || _ismbcalpha(_mbsnextc(U(text))) == 0) {
        return FALSE;
    }
    return IsChar(mbcs::Next(text), ':') ? TRUE : FALSE;
}

BOOL IsDrivePath(LPCSTR text) {
    PathRoot parsed;
    return text != nullptr && ParseDrive(text, parsed) ? TRUE : FALSE;
}

BOOL SplitDrivePath(LPCSTR path, CString& letter, CString& rest) {
    PathRoot parsed;
    if (path == nullptr || !ParseDrive(path, parsed)) {
        return FALSE;
    }
    letter = CString(path, static_cast<int>(mbcs::CharBytes(path)));
    if (CharCount(path) >= 4) {
        rest = parsed.rest;
    }
    return TRUE;
}

BOOL IsUncPath(LPCSTR text) {
    PathRoot parsed;
    return text != nullptr && ParseUnc(text, parsed) ? TRUE : FALSE;
}

BOOL SplitUncPath(LPCSTR path, CString& server, CString& rest) {
    PathRoot parsed;
    if (path == nullptr || !ParseUnc(path, parsed)) {
        return FALSE;
    }
    server = parsed.root.Mid(2, parsed.root.GetLength() - 3);
    rest = parsed.rest;
    return TRUE;
}

BOOL IsRootPath(LPCSTR path) {
    PathRoot parsed;
    if (path == nullptr || !ParsePathRoot(path, parsed)) {
        return FALSE;
    }
    return parsed.rest.IsEmpty() && (parsed.isUnc || CharCount(path) == 3) ? TRUE : FALSE;
}

BOOL IsValidPathText(LPCSTR text) {
    if (text == nullptr || *text == '\0' || HasInvalidPathChars(text)) {
        return FALSE;
    }
    return CountOf(text, ':') <= 1 ? TRUE : FALSE;
}

BOOL GetCanonicalFullPath(LPCSTR path, CString& fullPath) {
    PathRoot parsed;
    if (!ParsePathRoot(path, parsed)) {
        return FALSE;
    }
    char buffer[kMaxPathLength];
    if (_fullpath(buffer, path, sizeof(buffer)) == nullptr) {
        return FALSE;
    }
    fullPath = buffer;
    return TRUE;
}

BOOL IsCanonicalFullPath(LPCSTR path) {
    CString fullPath;
    return GetCanonicalFullPath(path, fullPath) && std::strcmp(fullPath, path) == 0 ? TRUE : FALSE;
}

BOOL IsValidFullPath(LPCSTR path) {
    const int length = CharCount(path);
    PathRoot parsed;
    if (length < 4 || length > kMaxPathLength || !IsValidPathText(path) || !ParsePathRoot(path, parsed) ||
        !IsCanonicalFullPath(path)) {
        return FALSE;
    }
    return !parsed.rest.IsEmpty() && parsed.rest != "\\" ? TRUE : FALSE;
}

BOOL IsValidFolderPath(LPCSTR path) {
    PathRoot parsed;
    if (CharCount(path) < 3 || std::strlen(path) > static_cast<std::size_t>(kMaxPathLength) ||
        !IsValidPathText(path) || !ParsePathRoot(path, parsed) || !IsCanonicalFullPath(path)) {
        return FALSE;
    }
    // A trailing backslash belongs only to a root.
    return !EndsWithBackslash(path) || parsed.rest.IsEmpty() ? TRUE : FALSE;
}

BOOL IsValidFolderForTempFile(LPCSTR folder) {
    const int length = CharCount(folder);
    if (length < 3 || length > kMaxPathLength) {
        return FALSE;
    }
    CString file = folder;
    if (!EndsWithBackslash(folder)) {
        file += "\\";
    }
    return IsValidFullPath(file + "temp.tmp");
}

BOOL IsValidBaseName(LPCSTR text) {
    return text != nullptr && *text != '\0' && !HasInvalidPathChars(text) && !HoldsAnyOf(text, "\\:.") ? TRUE
                                                                                                      : FALSE;
}

BOOL IsValidPlainName(LPCSTR text) {
    return IsValidBaseName(text) && !HoldsAnyOf(text, " ") ? TRUE : FALSE;
}
