#include "platform/afx_file.h"

#include "platform/codepage.h"
#include "platform/crt.h"
#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

int CauseOf(int error) {
    switch (error) {
        case ENOENT:
            return CFileException::fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
            return CFileException::badPath;
        case EMFILE:
        case ENFILE:
            return CFileException::tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return CFileException::accessDenied;
        case ENOSPC:
            return CFileException::diskFull;
        default:
            return CFileException::genericException;
    }
}

// The C run time's mode for the class library's open flags. Files are always
// binary here; the text translation belongs to the stream classes.
const char* ModeFor(UINT flags, const char* nativePath) {
    const UINT access = flags & 0x3u;
    if ((flags & CFile::modeCreate) != 0) {
        if ((flags & CFile::modeNoTruncate) != 0 && nativePath != nullptr) {
            if (std::FILE* probe = std::fopen(nativePath, "rb"); probe != nullptr) {
                std::fclose(probe);
                return "r+b";  // keep the existing content
            }
        }
        return access == CFile::modeRead ? "w+b" : (access == CFile::modeWrite ? "wb" : "w+b");
    }
    return access == CFile::modeRead ? "rb" : "r+b";
}

}  // namespace

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFile::CFile(LPCSTR fileName, UINT openFlags) {
    CFileException error;
    if (!Open(fileName, openFlags, &error)) {
        AfxThrowFileException(error.m_cause, error.m_lOsError, fileName);
    }
}

CFile::~CFile() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
}

BOOL CFile::Open(LPCSTR fileName, UINT openFlags, CFileException* exception) {
    Close();
    const auto native = fileName != nullptr ? platform::ToNativePath(fileName) : std::nullopt;
    if (native) {
        stream_ = _fsopen(fileName, ModeFor(openFlags, native->c_str()), _SH_DENYNO);
    }
    if (stream_ == nullptr) {
        if (exception != nullptr) {
            exception->m_cause = native ? CauseOf(errno) : CFileException::badPath;
            exception->m_lOsError = errno;
            exception->m_strFileName = fileName;
        }
        return FALSE;
    }
    path_ = fileName;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
    if (stream_ == nullptr || buffer == nullptr || count == 0) {
        return 0;
    }
    const std::size_t read = std::fread(buffer, 1, count, stream_);
    if (read < count && std::ferror(stream_) != 0) {
        AfxThrowFileException(CFileException::hardIO, errno, path_);
    }
    return static_cast<UINT>(read);
}

void CFile::Write(const void* buffer, UINT count) {
    if (count == 0) {
        return;
    }
    if (stream_ == nullptr || buffer == nullptr) {
        AfxThrowFileException(CFileException::invalidFile, -1, path_);
    }
    if (std::fwrite(buffer, 1, count, stream_) != count) {
        AfxThrowFileException(CauseOf(errno), errno, path_);
    }
}

LONG CFile::Seek(LONG offset, UINT from) {
    static constexpr int kOrigins[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (stream_ == nullptr || from > end || std::fseek(stream_, offset, kOrigins[from]) != 0) {
        AfxThrowFileException(CFileException::badSeek, errno, path_);
    }
    return static_cast<LONG>(std::ftell(stream_));
}

ULONGLONG CFile::GetLength() const {
    if (stream_ == nullptr) {
        return 0;
    }
    const long position = std::ftell(stream_);
    std::fseek(stream_, 0, SEEK_END);
    const long length = std::ftell(stream_);
    std::fseek(stream_, position, SEEK_SET);
    return length < 0 ? 0 : static_cast<ULONGLONG>(length);
}

void CFile::SetLength(ULONGLONG length) {
    if (stream_ == nullptr) {
        AfxThrowFileException(CFileException::invalidFile, -1, path_);
    }
    std::fflush(stream_);
#ifdef _WIN32
    const int result = _chsize_s(_fileno(stream_), static_cast<long long>(length));
#else
    // The layer's streams are not plain descriptors: the file is cut by name.
    const auto native = platform::ToNativePath(path_.Str());
    const int result = native ? truncate(native->c_str(), static_cast<off_t>(length)) : -1;
#endif
    if (result != 0) {
        AfxThrowFileException(CauseOf(errno), errno, path_);
    }
}

ULONGLONG CFile::GetPosition() const {
    if (stream_ == nullptr) {
        return 0;
    }
    const long position = std::ftell(stream_);
    return position < 0 ? 0 : static_cast<ULONGLONG>(position);
}

void CFile::Flush() {
    if (stream_ != nullptr) {
        std::fflush(stream_);
    }
}

void CFile::Close() {
    if (stream_ != nullptr) {
        const bool failed = std::fclose(stream_) != 0;
        stream_ = nullptr;
        if (failed) {
            AfxThrowFileException(CauseOf(errno), errno, path_);
        }
    }
}

void CFile::Abort() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
}

CString CFile::GetFileName() const {
    const int separator = path_.ReverseFind('\\');
    return separator < 0 ? path_ : path_.Mid(separator + 1);
}

BOOL CFile::GetStatus(CFileStatus& status) const {
    return GetStatus(path_, status);
}

BOOL CFile::GetStatus(LPCSTR fileName, CFileStatus& status) {
    if (fileName == nullptr) {
        return FALSE;
    }
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA(fileName, &data);
    if (search == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    FindClose(search);
    status.m_ctime = CTime(data.ftCreationTime);
    status.m_mtime = CTime(data.ftLastWriteTime);
    status.m_atime = CTime(data.ftLastAccessTime);
    status.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.m_attribute = static_cast<BYTE>(data.dwFileAttributes);
    std::strncpy(status.m_szFullName, fileName, MAX_PATH - 1);
    status.m_szFullName[MAX_PATH - 1] = '\0';
    return TRUE;
}

void CFile::Remove(LPCSTR fileName) {
    const auto native = fileName != nullptr ? platform::ToNativePath(fileName) : std::nullopt;
    if (!native || std::remove(native->c_str()) != 0) {
        AfxThrowFileException(native ? CauseOf(errno) : CFileException::badPath, errno, fileName);
    }
}

void CFile::Rename(LPCSTR oldName, LPCSTR newName) {
    const auto from = oldName != nullptr ? platform::ToNativePath(oldName) : std::nullopt;
    const auto to = newName != nullptr ? platform::ToNativePath(newName) : std::nullopt;
    if (!from || !to || std::rename(from->c_str(), to->c_str()) != 0) {
        AfxThrowFileException(from && to ? CauseOf(errno) : CFileException::badPath, errno, oldName);
    }
}

CFileFind::~CFileFind() {
    Close();
}

BOOL CFileFind::FindFile(LPCSTR pattern, DWORD) {
    Close();
    const CString text = pattern != nullptr ? pattern : "*.*";
    search_ = FindFirstFileA(text, &next_);
    if (search_ == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    haveNext_ = true;
    // The last separator that is a character of its own, not the trail byte
    // of a double-byte character.
    int separator = -1;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.GetLength()) {
            ++i;
        } else if (text[i] == '\\' || text[i] == '/') {
            separator = i;
        }
    }
    root_ = separator < 0 ? CString() : text.Left(separator);
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (!haveNext_) {
        return FALSE;
    }
    current_ = next_;
    haveCurrent_ = true;
    haveNext_ = ::FindNextFileA(search_, &next_) != FALSE;
    return haveNext_ ? TRUE : FALSE;
}

void CFileFind::Close() {
    if (search_ != INVALID_HANDLE_VALUE) {
        FindClose(search_);
        search_ = INVALID_HANDLE_VALUE;
    }
    haveNext_ = false;
    haveCurrent_ = false;
    root_.Empty();
}

CString CFileFind::GetFileName() const {
    return haveCurrent_ ? CString(current_.cFileName) : CString();
}

CString CFileFind::GetFilePath() const {
    if (!haveCurrent_) {
        return CString();
    }
    return root_.IsEmpty() ? GetFileName() : root_ + "\\" + GetFileName();
}

CString CFileFind::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot <= 0 ? name : name.Left(dot);
}

CString CFileFind::GetRoot() const {
    return root_;
}

ULONGLONG CFileFind::GetLength() const {
    return haveCurrent_ ? (static_cast<ULONGLONG>(current_.nFileSizeHigh) << 32) | current_.nFileSizeLow : 0;
}

BOOL CFileFind::GetLastWriteTime(CTime& time) const {
    if (!haveCurrent_) {
        return FALSE;
    }
    time = CTime(current_.ftLastWriteTime);
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* time) const {
    if (!haveCurrent_ || time == nullptr) {
        return FALSE;
    }
    *time = current_.ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD mask) const {
    return haveCurrent_ && (current_.dwFileAttributes & mask) != 0 ? TRUE : FALSE;
}

BOOL CFileFind::IsDots() const {
    if (!haveCurrent_ || !IsDirectory()) {
        return FALSE;
    }
    return std::strcmp(current_.cFileName, ".") == 0 || std::strcmp(current_.cFileName, "..") == 0 ? TRUE : FALSE;
}
