// The download-module record: a module the host downloads to the target, its
// fourth host layout CDownloadModuleRecord4 and the three older layouts, and
// the conversions of their lists to and from the host's record arrays
// (7 texts per record: file name, offset, format, option words 1 to 4).
#pragma once

#include "platform/afx.h"
#include "platform/com.h"

// Option word 3 is 1 unless a record says otherwise; the other words are 0.
inline constexpr DWORD kDefaultOptionWord3 = 1;

class CDownloadModule {
public:
    // Empty texts, offset 0, option words (0, 0, 1, 0), not modified.
    CDownloadModule();
    CDownloadModule(LPCSTR fileName, DWORD offset, LPCSTR format, DWORD word1, DWORD word2, DWORD word3, DWORD word4);
    // The offset read from its text as the run time's atoi reads it (a text,
    // so that a literal 0 for the offset picks the number form).
    CDownloadModule(LPCSTR fileName, const CString& offsetText, LPCSTR format, DWORD word1, DWORD word2, DWORD word3,
                    DWORD word4);
    // Copies are marked modified.
    CDownloadModule(const CDownloadModule& other);
    CDownloadModule& operator=(const CDownloadModule& other);
    virtual ~CDownloadModule() = default;

    // The file name and format with case, the offset and the four words; the
    // modified flag does not count.
    bool operator==(const CDownloadModule& other) const;

    // Each setter marks the record modified.
    void SetFileName(LPCSTR fileName);
    void SetOffset(DWORD offset);
    void SetFormat(LPCSTR format);
    void SetOptionWord1(DWORD value);
    void SetOptionWord2(DWORD value);
    void SetOptionWord3(DWORD value);
    void SetOptionWord4(DWORD value);

    const CString& GetFileName() const { return m_fileName; }
    DWORD GetOffset() const { return m_offset; }
    const CString& GetFormat() const { return m_format; }
    DWORD GetOptionWord1() const { return m_optionWords[0]; }
    DWORD GetOptionWord2() const { return m_optionWords[1]; }
    DWORD GetOptionWord3() const { return m_optionWords[2]; }
    DWORD GetOptionWord4() const { return m_optionWords[3]; }
    BOOL IsModified() const { return m_modified; }

private:
    CString m_fileName;
    DWORD m_offset = 0;
    CString m_format;
    DWORD m_optionWords[4] = {0, 0, kDefaultOptionWord3, 0};
    BOOL m_modified = FALSE;
};

// The older host layouts, with one, two and three option words.
struct CDownloadModuleRecord1 {
    CString fileName;
    DWORD offset = 0;
    CString format;
    DWORD optionWord1 = 0;
};
struct CDownloadModuleRecord2 {
    CString fileName;
    DWORD offset = 0;
    CString format;
    DWORD optionWord1 = 0;
    DWORD optionWord2 = 0;
};
struct CDownloadModuleRecord3 {
    CString fileName;
    DWORD offset = 0;
    CString format;
    DWORD optionWord1 = 0;
    DWORD optionWord2 = 0;
    DWORD optionWord3 = kDefaultOptionWord3;
};

// The fourth host layout: all four option words, no modified flag.
class CDownloadModuleRecord4 : public CObject {
public:
    CDownloadModuleRecord4() = default;
    CDownloadModuleRecord4(LPCSTR fileName, DWORD offset, LPCSTR format, DWORD word1, DWORD word2, DWORD word3,
                           DWORD word4);
    // What an older layout holds, the missing words at their defaults.
    explicit CDownloadModuleRecord4(const CDownloadModuleRecord1& record);
    explicit CDownloadModuleRecord4(const CDownloadModuleRecord2& record);
    explicit CDownloadModuleRecord4(const CDownloadModuleRecord3& record);
    CDownloadModuleRecord4(const CDownloadModuleRecord4& other);
    CDownloadModuleRecord4& operator=(const CDownloadModuleRecord4& other);
    ~CDownloadModuleRecord4() override = default;

    // The seven values of the download-module part of a larger host record.
    void AssignFromHostEntry(const CDownloadModule& entry);

    CString fileName;
    DWORD offset = 0;
    CString format;
    DWORD optionWord1 = 0;
    DWORD optionWord2 = 0;
    DWORD optionWord3 = kDefaultOptionWord3;
    DWORD optionWord4 = 0;
};

// A list of records held by value (appending copies, so every stored record
// is marked modified), and lists of heap records that their owner deletes.
using CDownloadModuleList = CList<CDownloadModule>;
using CDownloadModulePtrList = CList<CDownloadModule*, CDownloadModule*>;
using CDownloadModuleRecord1List = CList<CDownloadModuleRecord1*, CDownloadModuleRecord1*>;
using CDownloadModuleRecord2List = CList<CDownloadModuleRecord2*, CDownloadModuleRecord2*>;
using CDownloadModuleRecord3List = CList<CDownloadModuleRecord3*, CDownloadModuleRecord3*>;
using CDownloadModuleRecord4List = CList<CDownloadModuleRecord4*, CDownloadModuleRecord4*>;

void DownloadModuleListToVariant(const CDownloadModuleList& list, VARIANT& out);
// Appends a record per 7 texts. A VARIANT of another type, a count that is no
// multiple of 7 or an element that is no text adds nothing.
void VariantToDownloadModuleList(const VARIANT& list, CDownloadModuleList& out);
void DownloadModulePtrListToVariant(const CDownloadModulePtrList& list, VARIANT& out);
// As VariantToDownloadModuleList, appending new heap records (not modified).
void VariantToDownloadModulePtrList(const VARIANT& list, CDownloadModulePtrList& out);
// Deletes and removes the destination's records, then appends a heap copy
// (modified) of each source record.
void CopyDownloadModulePtrList(const CDownloadModulePtrList& source, CDownloadModulePtrList& destination);
// Deletes and removes the destination's records, then appends a new record
// (not modified) per source record, the missing words at their defaults.
void Layout1ListToDownloadModuleList(const CDownloadModuleRecord1List& source, CDownloadModulePtrList& destination);
void Layout2ListToDownloadModuleList(const CDownloadModuleRecord2List& source, CDownloadModulePtrList& destination);
void Layout3ListToDownloadModuleList(const CDownloadModuleRecord3List& source, CDownloadModulePtrList& destination);
void Layout4ListToDownloadModuleList(const CDownloadModuleRecord4List& source, CDownloadModulePtrList& destination);
void DownloadModuleListToRecord4List(const CDownloadModulePtrList& source, CDownloadModuleRecord4List& destination);
// Orders by file name, with case, ascending.
void SortRecord4ListByName(CDownloadModuleRecord4List& list);
