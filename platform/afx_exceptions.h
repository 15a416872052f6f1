// The class library's exceptions. They are thrown as pointers to objects on
// the heap, and whoever catches one deletes it with Delete().
#pragma once

#include "platform/afx_object.h"
#include "platform/afx_string.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)

public:
    CException() = default;
    ~CException() override = default;
    void Delete() { delete this; }
    virtual BOOL GetErrorMessage(LPSTR buffer, UINT size, UINT* helpContext = nullptr);
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)

public:
    BOOL GetErrorMessage(LPSTR buffer, UINT size, UINT* helpContext = nullptr) override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)

public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG osError = -1, LPCSTR fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}
    BOOL GetErrorMessage(LPSTR buffer, UINT size, UINT* helpContext = nullptr) override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCSTR fileName = nullptr);
