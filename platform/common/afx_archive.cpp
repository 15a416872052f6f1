#include "platform/afx_archive.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

IMPLEMENT_DYNAMIC(CArchiveException, CException)

BOOL CArchiveException::GetErrorMessage(LPSTR buffer, UINT size, UINT* helpContext) {
    static const char* const kCauses[] = {
        "No error.",       "Archive error.",      "Tried to write to an archive opened for loading.",
        "End of file.",    "Tried to read from an archive opened for storing.",
        "Bad index.",      "Bad class.",          "Bad schema.",
    };
    if (helpContext != nullptr) {
        *helpContext = 0;
    }
    if (buffer == nullptr || size == 0) {
        return FALSE;
    }
    const char* text = m_cause >= 0 && m_cause <= badSchema ? kCauses[m_cause] : kCauses[genericException];
    const std::size_t length = std::min<std::size_t>(std::strlen(text), size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return TRUE;
}

void AfxThrowArchiveException(int cause) {
    throw new CArchiveException(cause);
}

CArchive::CArchive(CFile* file, UINT mode) : file_(file), loading_((mode & load) != 0) {}

void CArchive::Write(const void* buffer, UINT count) {
    if (loading_) {
        AfxThrowArchiveException(CArchiveException::readOnly);
    }
    file_->Write(buffer, count);
}

UINT CArchive::Read(void* buffer, UINT count) {
    if (!loading_) {
        AfxThrowArchiveException(CArchiveException::writeOnly);
    }
    return file_->Read(buffer, count);
}

template <typename T>
void CArchive::WriteValue(T value) {
    using Unsigned = std::make_unsigned_t<T>;
    unsigned char bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<unsigned char>(static_cast<Unsigned>(value) >> (8 * i));
    }
    Write(bytes, sizeof(T));
}

template <typename T>
void CArchive::ReadValue(T& value) {
    using Unsigned = std::make_unsigned_t<T>;
    unsigned char bytes[sizeof(T)];
    if (Read(bytes, sizeof(T)) != sizeof(T)) {
        AfxThrowArchiveException(CArchiveException::endOfFile);
    }
    Unsigned result = 0;
    for (std::size_t i = sizeof(T); i > 0; --i) {
        result = static_cast<Unsigned>((result << 8) | bytes[i - 1]);
    }
    value = static_cast<T>(result);
}

CArchive& CArchive::operator<<(BYTE value) {
    WriteValue(value);
    return *this;
}

CArchive& CArchive::operator<<(WORD value) {
    WriteValue(value);
    return *this;
}

CArchive& CArchive::operator<<(DWORD value) {
    WriteValue(value);
    return *this;
}

CArchive& CArchive::operator<<(LONG value) {
    WriteValue(value);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& value) {
    ReadValue(value);
    return *this;
}

CArchive& CArchive::operator>>(WORD& value) {
    ReadValue(value);
    return *this;
}

CArchive& CArchive::operator>>(DWORD& value) {
    ReadValue(value);
    return *this;
}

CArchive& CArchive::operator>>(LONG& value) {
    ReadValue(value);
    return *this;
}
