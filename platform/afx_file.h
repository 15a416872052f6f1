// CFile (binary files by Windows path), CFileStatus and CFileFind.
#pragma once

#include "platform/afx_exceptions.h"
#include "platform/afx_time.h"
#include "platform/files.h"

#include <cstdio>

struct CFileStatus {
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;
    char m_szFullName[MAX_PATH] = {};
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)

public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens the file or throws a CFileException.
    CFile(LPCSTR fileName, UINT openFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // FALSE (and the cause in exception, when given) when it cannot be opened.
    virtual BOOL Open(LPCSTR fileName, UINT openFlags, CFileException* exception = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    // Throws a CFileException when not everything could be written.
    virtual void Write(const void* buffer, UINT count);
    virtual LONG Seek(LONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return static_cast<ULONGLONG>(Seek(0, end)); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG length);
    virtual ULONGLONG GetPosition() const;
    virtual void Flush();
    virtual void Close();
    virtual void Abort();
    BOOL IsOpen() const { return stream_ != nullptr ? TRUE : FALSE; }

    CString GetFilePath() const { return path_; }
    CString GetFileName() const;

    BOOL GetStatus(CFileStatus& status) const;
    static BOOL GetStatus(LPCSTR fileName, CFileStatus& status);
    static void Remove(LPCSTR fileName);
    static void Rename(LPCSTR oldName, LPCSTR newName);

private:
    std::FILE* stream_ = nullptr;
    CString path_;
};

// Directory search: FindFile starts a search; each FindNextFile moves to the
// next match and answers FALSE when the match it moved to is the last one.
class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)

public:
    CFileFind() = default;
    ~CFileFind() override;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    virtual BOOL FindFile(LPCSTR pattern = nullptr, DWORD unused = 0);
    virtual BOOL FindNextFile();
    void Close();

    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    virtual CString GetRoot() const;
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(CTime& time) const;
    BOOL GetLastWriteTime(FILETIME* time) const;

    BOOL MatchesMask(DWORD mask) const;
    virtual BOOL IsDots() const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

private:
    HANDLE search_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA next_ = {};     // the match FindNextFile moves to
    WIN32_FIND_DATAA current_ = {};  // the match the queries answer about
    bool haveNext_ = false;
    bool haveCurrent_ = false;
    CString root_;
};
