// CArchive: the class library's binary serialisation of objects to a CFile.
// Values are written little-endian, as the class library writes them on
// Windows.
#pragma once

#include "platform/afx_exceptions.h"
#include "platform/afx_file.h"

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)

public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    explicit CArchiveException(int cause = none) : m_cause(cause) {}
    BOOL GetErrorMessage(LPSTR buffer, UINT size, UINT* helpContext = nullptr) override;

    int m_cause;
};

[[noreturn]] void AfxThrowArchiveException(int cause);

class CArchive {
public:
    enum Mode : UINT { store = 0, load = 1 };

    // The archive reads from or writes to the open file; it does not own it.
    CArchive(CFile* file, UINT mode);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return loading_ ? TRUE : FALSE; }
    BOOL IsStoring() const { return loading_ ? FALSE : TRUE; }
    CFile* GetFile() const { return file_; }

    // Writing to a loading archive, or reading from a storing one, throws
    // CArchiveException (writeOnly, readOnly); reading past the end of the
    // file throws endOfFile.
    void Write(const void* buffer, UINT count);
    UINT Read(void* buffer, UINT count);

    CArchive& operator<<(BYTE value);
    CArchive& operator<<(WORD value);
    CArchive& operator<<(DWORD value);
    CArchive& operator<<(LONG value);
    CArchive& operator>>(BYTE& value);
    CArchive& operator>>(WORD& value);
    CArchive& operator>>(DWORD& value);
    CArchive& operator>>(LONG& value);

private:
    template <typename T>
    void WriteValue(T value);
    template <typename T>
    void ReadValue(T& value);

    CFile* file_;
    bool loading_;
};
