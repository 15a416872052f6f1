#include "util/path_files.h"

#include "platform/crt.h"
#include "platform/debug.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/systime.h"
#include "util/os_version.h"
#include "util/path_form.h"
#include "util/path_split.h"

#include <cstring>

namespace {

constexpr int kMaxFolderLevels = 20;

DWORD Attributes(LPCSTR path) {
    return path != nullptr ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Set(BOOL* out, BOOL value) {
    if (out != nullptr) {
        *out = value;
    }
}

// The system's text for an error code, "" when it has none.
CString SystemMessage(DWORD error) {
    char text[512] = {};
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0x400, text,
                       sizeof(text), nullptr) == 0) {
        return CString();
    }
    return text;
}

HANDLE OpenForReading(LPCSTR path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

BOOL CreateFolderTree(LPCSTR path, int level) {
    if (level >= kMaxFolderLevels) {
        return FALSE;
    }
    BOOL creatable = FALSE;
    if (FolderExists(path, &creatable)) {
        return TRUE;
    }
    CString parent;
    if (!creatable || !GetParentFolder(path, parent) || !CreateFolderTree(parent, level + 1)) {
        return FALSE;
    }
    return CreateDirectoryA(path, nullptr);
}

}  // namespace

BOOL ResolveAndTestPath(LPCSTR path, BOOL* writable) {
    CString full = path != nullptr ? path : "";
    if (!IsValidFullPath(full)) {
        full = CombinePath(GetCurrentDirectoryText(), full);
    }
    if (!IsValidFullPath(full)) {
        Set(writable, FALSE);
        return FALSE;
    }
    const DWORD attributes = GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        Set(writable, TRUE);
        return FALSE;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        Set(writable, FALSE);
        return FALSE;
    }
    Set(writable, (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? FALSE : TRUE);
    return TRUE;
}

BOOL FolderExists(LPCSTR path, BOOL* creatable) {
    Set(creatable, TRUE);
    // The path itself, then its ancestors for what they say about creating it.
    CString current = path != nullptr ? path : "";
    for (bool first = true;; first = false) {
        if (!IsValidFolderPath(current)) {
            Set(creatable, FALSE);
            return FALSE;
        }
        const DWORD attributes = GetFileAttributesA(current);
        if (IsFolder(attributes)) {
            return first ? TRUE : FALSE;
        }
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            Set(creatable, FALSE);
            return FALSE;
        }
        if (IsRootPath(current)) {
            return FALSE;
        }
        CString parent;
        if (!GetParentFolder(current, parent)) {
            Set(creatable, FALSE);
            return FALSE;
        }
        current = parent;
    }
}

BOOL IsDirectory(LPCSTR path) {
    return IsFolder(Attributes(path)) ? TRUE : FALSE;
}

BOOL CanOpenForReading(LPCSTR path) {
    const HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    CloseHandle(file);
    return TRUE;
}

BOOL IsReadWriteAccessible(LPCSTR path) {
    return path != nullptr && _access(path, 6) == 0 ? TRUE : FALSE;
}

BOOL IsWritableOrMissing(LPCSTR path) {
    if (!ResolveAndTestPath(path)) {
        return TRUE;
    }
    return _access(path, 2) == 0 ? TRUE : FALSE;
}

BOOL IsReadOnlyFile(LPCSTR path) {
    return IsFile(Attributes(path)) && _access(path, 2) != 0 ? TRUE : FALSE;
}

int SetReadOnly(LPCSTR path) {
    if (Attributes(path) == INVALID_FILE_ATTRIBUTES) {
        return 0;
    }
    return _chmod(path, _S_IREAD) == 0 ? 0 : -1;
}

int SetWritable(LPCSTR path) {
    if (Attributes(path) == INVALID_FILE_ATTRIBUTES) {
        return 0;
    }
    return _chmod(path, _S_IWRITE) == 0 ? 0 : -1;
}

BOOL IsExecutableFile(LPCSTR path) {
    if (!IsWindowsNT()) {
        return TRUE;
    }
    DWORD type = 0;
    return path != nullptr && GetBinaryTypeA(path, &type) ? TRUE : FALSE;
}

ULONGLONG GetFileLength(LPCSTR path) {
    CFileStatus status;
    return path != nullptr && CFile::GetStatus(path, status) ? status.m_size : 0;
}

int GetFileModifiedTime(LPCSTR path, CFileTime& time, CString* message) {
    const HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) {
        CString text;
        text.Format("Cannot access file %s,%s\n", path != nullptr ? path : "",
                    static_cast<LPCSTR>(SystemMessage(GetLastError())));
        if (message != nullptr) {
            *message = text;
        } else {
            OutputDebugStringA(text);
        }
        return 1;
    }
    FILETIME written{};
    FILETIME local{};
    const bool read = GetFileTime(file, nullptr, nullptr, &written) && FileTimeToLocalFileTime(&written, &local);
    CloseHandle(file);
    if (!read) {
        return 1;
    }
    time = CFileTime(local);
    return 0;
}

int GetFileModifiedTimeText(LPCSTR path, CString& text) {
    CFileTime time;
    CString message;
    if (!ResolveAndTestPath(path) || GetFileModifiedTime(path, time, &message) != 0) {
        return 1;
    }
    text = time.Format();
    return 0;
}

BOOL CreateFolderTree(LPCSTR path) {
    return CreateFolderTree(path, 0);
}

void DeleteDirectoryTree(LPCSTR folder, BOOL recurse) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(CombinePath(folder, "*.*"), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) {
            continue;
        }
        const CString entry = CombinePath(folder, found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            DeleteFileA(entry);
        } else if (recurse) {
            DeleteDirectoryTree(entry, recurse);
            RemoveDirectoryA(entry);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

CString GetCurrentDirectoryText() {
    char buffer[kMaxPathLength];
    return _getcwd(buffer, sizeof(buffer)) != nullptr ? CString(buffer) : CString();
}

BOOL ChangeCurrentDirectory(LPCSTR path, CString& previous) {
    previous = GetCurrentDirectoryText();
    return path != nullptr && _chdir(path) == 0 ? TRUE : FALSE;
}
