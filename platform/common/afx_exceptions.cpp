#include "platform/afx_exceptions.h"

#include <algorithm>
#include <cstring>

namespace {

BOOL CopyMessage(const char* text, LPSTR buffer, UINT size) {
    if (buffer == nullptr || size == 0) {
        return FALSE;
    }
    const std::size_t length = std::min<std::size_t>(std::strlen(text), size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return TRUE;
}

}  // namespace

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)

BOOL CException::GetErrorMessage(LPSTR buffer, UINT size, UINT* helpContext) {
    if (helpContext != nullptr) {
        *helpContext = 0;
    }
    if (buffer != nullptr && size > 0) {
        buffer[0] = '\0';
    }
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPSTR buffer, UINT size, UINT* helpContext) {
    if (helpContext != nullptr) {
        *helpContext = 0;
    }
    return CopyMessage("Out of memory.", buffer, size);
}

BOOL CFileException::GetErrorMessage(LPSTR buffer, UINT size, UINT* helpContext) {
    static const char* const kCauses[] = {
        "No error.",
        "File error.",
        "File not found.",
        "Bad path.",
        "Too many open files.",
        "Access denied.",
        "Invalid file.",
        "Cannot remove the current folder.",
        "Folder full.",
        "Bad seek.",
        "Input/output error.",
        "Sharing violation.",
        "Lock violation.",
        "Disk full.",
        "End of file.",
    };
    if (helpContext != nullptr) {
        *helpContext = 0;
    }
    const int cause = m_cause >= 0 && m_cause <= endOfFile ? m_cause : genericException;
    CString text = kCauses[cause];
    if (!m_strFileName.IsEmpty()) {
        text += " (";
        text += m_strFileName;
        text += ")";
    }
    return CopyMessage(text, buffer, size);
}

void AfxThrowMemoryException() {
    throw new CMemoryException;
}

void AfxThrowFileException(int cause, LONG osError, LPCSTR fileName) {
    throw new CFileException(cause, osError, fileName);
}
