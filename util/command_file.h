// The command-file record (a file name and a mode) and the host's record
// arrays of command files (2 texts per record).
#pragma once

#include "platform/afx.h"
#include "platform/com.h"

#include <cstdint>

class CCommandFile : public CObject {
public:
    CCommandFile(LPCSTR fileName, std::int32_t mode) : m_fileName(fileName), m_mode(mode) {}
    CCommandFile(const CCommandFile& other) : CObject(), m_fileName(other.m_fileName), m_mode(other.m_mode) {}
    CCommandFile& operator=(const CCommandFile& other);
    ~CCommandFile() override = default;

    // The file name with case, and the mode.
    bool operator==(const CCommandFile& other) const {
        return m_fileName == other.m_fileName && m_mode == other.m_mode;
    }

    const CString& GetFileName() const { return m_fileName; }
    std::int32_t GetMode() const { return m_mode; }

private:
    CString m_fileName;
    std::int32_t m_mode;
};

// Heap records that the list's owner deletes.
using CCommandFileList = CList<CCommandFile*, CCommandFile*>;

void CommandFileListToVariant(const CCommandFileList& list, VARIANT& out);
// Appends a new record per 2 texts (the mode read as atoi reads it). A
// VARIANT of another type, an odd count or an element that is no text adds
// nothing.
void VariantToCommandFileList(const VARIANT& list, CCommandFileList& out);
