// The actions of the software breaks: Stop, File Input, File Output and
// Interrupt. A break record owns its action. The file actions share their
// open files through the open-file registry (break_file_registry.h), so that
// every action naming one file reads or writes at one file position.
#pragma once

#include "breaks/break_action_desc.h"

#include "platform/afx.h"

#include <memory>
#include <string>

class CBreakFileEntry;

class CTBreakAction : public CObject {
public:
    // Display texts hold at most this many characters.
    static constexpr std::size_t kTextLimit = 299;

    explicit CTBreakAction(LONG type) : m_type(type) {}
    LONG GetType() const { return m_type; }
    // The display text, cut at kTextLimit characters.
    virtual std::string GetText() const = 0;

private:
    LONG m_type;
};

class CTBreakActionStop final : public CTBreakAction {
public:
    CTBreakActionStop() : CTBreakAction(break_action::kStop) {}
    std::string GetText() const override { return "Stop"; }
};

class CTBreakActionFile : public CTBreakAction {
public:
    CTBreakActionFile(LONG type, const BreakActionDesc& desc);
    // Hands the open file back to the registry.
    ~CTBreakActionFile() override;

    // Opens the file through the registry unless it is open; false when it
    // cannot be opened.
    virtual bool OpenFile() = 0;
    // Releases the registry's entry: the file is closed for every action
    // that shared it.
    void ReleaseFile();
    // One run at a hit; false after the failure was reported to the host.
    virtual bool Execute() = 0;

    const std::string& GetFileName() const { return m_fileName; }
    DWORD GetAddress() const { return m_address; }
    DWORD GetDataSize() const { return m_dataSize; }
    DWORD GetCount() const { return m_count; }
    bool IsOpen() const { return m_fileEntry != nullptr; }
    // The registry sets and clears the entry.
    void SetFileEntry(CBreakFileEntry* entry) { m_fileEntry = entry; }
    CBreakFileEntry* GetFileEntry() const { return m_fileEntry; }

protected:
    // "<kind>(<name>) [open]" or " [close]".
    std::string FileText(const char* kind) const;
    // Opens through the registry with the flags; raises the host's
    // break-changed event once the file is open.
    bool OpenWithFlags(UINT flags);
    // Reports "<kind> Error(<name>)" to the host's error output.
    void ReportError(const char* kind) const;

private:
    std::string m_fileName;
    CBreakFileEntry* m_fileEntry = nullptr;  // the registry's, not owned
    DWORD m_address;
    DWORD m_dataSize;
    DWORD m_count;
};

class CTBreakActionFileInput final : public CTBreakActionFile {
public:
    explicit CTBreakActionFileInput(const BreakActionDesc& desc)
        : CTBreakActionFile(break_action::kFileInput, desc) {}
    std::string GetText() const override { return FileText("File Input"); }
    bool OpenFile() override;
    // Reads count units from the file (from its start again at its end) and
    // writes each to target memory.
    bool Execute() override;
};

class CTBreakActionFileOutput final : public CTBreakActionFile {
public:
    explicit CTBreakActionFileOutput(const BreakActionDesc& desc)
        : CTBreakActionFile(break_action::kFileOutput, desc), m_append(desc.append) {}
    std::string GetText() const override { return FileText("File Output"); }
    bool OpenFile() override;
    // Reads count units of target memory and writes each to the file.
    bool Execute() override;
    DWORD GetAppend() const { return m_append; }

private:
    DWORD m_append;
};

class CTBreakActionInterrupt final : public CTBreakAction {
public:
    explicit CTBreakActionInterrupt(const BreakActionDesc& desc)
        : CTBreakAction(break_action::kInterrupt),
          m_interruptType1(desc.interruptType1),
          m_interruptType2(desc.interruptType2),
          m_priority(desc.priority) {}
    // "Interrupt(t1,t2/p)" for the CPU types that know the second type,
    // else "Interrupt(t1/p)".
    std::string GetText() const override;
    DWORD GetInterruptType1() const { return m_interruptType1; }
    DWORD GetInterruptType2() const { return m_interruptType2; }
    DWORD GetPriority() const { return m_priority; }

private:
    DWORD m_interruptType1;
    DWORD m_interruptType2;
    DWORD m_priority;
};

// Whether the configuration's CPU-type code is one whose interrupts carry a
// second type (13, 14, 23, 24).
bool CpuTypeHasSecondInterruptType(DWORD cpuTypeCode);

// The description that makes the same action again.
BreakActionDesc DescribeBreakAction(const CTBreakAction& action);

// The action a description of type 0 to 3 asks for (none: Stop).
std::unique_ptr<CTBreakAction> MakeBreakAction(const BreakActionDesc* desc);
