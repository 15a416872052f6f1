#include "util/file_reading.h"

#include "platform/crt.h"
#include "platform/file_mapping.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "util/os_version.h"
#include "util/path_files.h"
#include "util/path_form.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr std::size_t kBlockSize = 4000;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

// One line of a text file without its line end; false at the end.
bool ReadLine(std::FILE* file, std::string& line) {
    line.clear();
    for (int c; (c = std::fgetc(file)) != EOF;) {
        if (c == '\n') {
            return true;
        }
        line += static_cast<char>(c);
    }
    return !line.empty();
}

// The mapped text of a file, up to its first zero byte.
bool ReadMapped(LPCSTR path, CString& out) {
    const HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    if (size == 0 && high == 0) {
        CloseHandle(file);
        return true;  // an empty file: nothing to map, nothing changes
    }
    const HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    CloseHandle(file);
    if (mapping == nullptr) {
        return false;
    }
    const auto* view = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    if (view != nullptr) {
        out = CString(view, static_cast<int>(std::find(view, view + size, '\0') - view));
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return view != nullptr;
}

}  // namespace

BOOL IsOnNetworkDrive(LPCSTR path, BOOL& flag) {
    flag = TRUE;
    struct _stat status {};
    if (IsDrivePath(path) && _stat(path, &status) == 0) {
        const char root[] = {static_cast<char>('A' + status.st_dev), ':', '\\', '\0'};
        flag = GetDriveTypeA(root) == DRIVE_REMOTE ? TRUE : FALSE;
    }
    return flag;
}

BOOL IsBinaryFile(LPCSTR path) {
    DWORD type = 0;
    if (path == nullptr) {
        return FALSE;
    }
    if (GetBinaryTypeA(path, &type)) {
        return TRUE;
    }
    FilePointer file(_fsopen(path, "rb", _SH_DENYNO));
    if (!file) {
        return FALSE;
    }
    char block[kBlockSize];
    for (std::size_t read; (read = std::fread(block, 1, sizeof(block), file.get())) > 0;) {
        if (std::memchr(block, 0, read) != nullptr) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ReadTextFile(LPCSTR path, CString& out) {
    if (!ResolveAndTestPath(path)) {
        return FALSE;
    }
    if (IsWindowsNT()) {
        return ReadMapped(path, out) ? TRUE : FALSE;
    }
    FilePointer file(_fsopen(path, "r", _SH_DENYNO));
    if (!file) {
        return FALSE;
    }
    CString text;
    for (std::string line; ReadLine(file.get(), line);) {
        text += CString(line) + "\n";
    }
    out = text;
    return TRUE;
}

int FindLineInFile(LPCSTR path, LPCSTR text, int& line) {
    if (path == nullptr || text == nullptr || *text == '\0') {
        return 3;
    }
    FilePointer file(ResolveAndTestPath(path) ? _fsopen(path, "r", _SH_DENYNO) : nullptr);
    if (!file) {
        return 2;
    }
    int number = 0;
    for (std::string read; ReadLine(file.get(), read);) {
        ++number;
        if (read == text) {
            line = number;
            return 0;
        }
    }
    return 1;
}

int GetFileStatusTexts(LPCSTR path, CString& size, CString& created, CString& modified) {
    CFileStatus status;
    if (path == nullptr || !CFile::GetStatus(path, status)) {
        return 1;
    }
    size.Format("%d", static_cast<int>(status.m_size));
    created = status.m_ctime.Format("%m/%d/%Y\t%I:%M %p");
    modified = status.m_mtime.Format("%m/%d/%Y\t%I:%M %p");
    return 0;
}

void ConvertCrLf(CString& text) {
    for (int i = 0; i + 1 < text.GetLength(); ++i) {
        if (text[i] == '\r' && text[i + 1] == '\n') {
            text.SetAt(i, ' ');
        }
    }
}

BOOL IsLoadableBitmapFile(LPCSTR path) {
    return platform::IsLoadableBitmapFile(path) ? TRUE : FALSE;
}
