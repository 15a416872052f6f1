#include "breaks/break_actions.h"

#include "breaks/break_file_registry.h"
#include "breaks/break_services.h"

#include "platform/bstr.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The open flags of the file actions.
constexpr UINT kInputFlags = CFile::modeRead;
constexpr UINT kOutputRewriteFlags = CFile::modeCreate | CFile::modeWrite;
constexpr UINT kOutputAppendFlags = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite;

std::string CutText(std::string text) {
    if (text.size() > CTBreakAction::kTextLimit) {
        text.resize(CTBreakAction::kTextLimit);
    }
    return text;
}

// The range of unit i of a transfer, first and last address.
DWORD UnitStart(DWORD address, DWORD dataSize, DWORD unit) {
    return address + unit * dataSize;
}

}  // namespace

bool CpuTypeHasSecondInterruptType(DWORD cpuTypeCode) {
    return cpuTypeCode == 13 || cpuTypeCode == 14 || cpuTypeCode == 23 || cpuTypeCode == 24;
}

std::unique_ptr<CTBreakAction> MakeBreakAction(const BreakActionDesc* desc) {
    if (desc == nullptr || desc->type == break_action::kStop) {
        return std::make_unique<CTBreakActionStop>();
    }
    switch (desc->type) {
        case break_action::kFileInput:
            return std::make_unique<CTBreakActionFileInput>(*desc);
        case break_action::kFileOutput:
            return std::make_unique<CTBreakActionFileOutput>(*desc);
        default:  // callers let only the four types through (CTBreakContents::IsValidDesc)
            return std::make_unique<CTBreakActionInterrupt>(*desc);
    }
}

BreakActionDesc DescribeBreakAction(const CTBreakAction& action) {
    BreakActionDesc desc;
    desc.type = action.GetType();
    if (const auto* file = dynamic_cast<const CTBreakActionFile*>(&action)) {
        desc.fileName = file->GetFileName();
        desc.address = file->GetAddress();
        desc.dataSize = file->GetDataSize();
        desc.count = file->GetCount();
        if (const auto* output = dynamic_cast<const CTBreakActionFileOutput*>(file)) {
            desc.append = output->GetAppend();
        }
    } else if (const auto* interrupt = dynamic_cast<const CTBreakActionInterrupt*>(&action)) {
        desc.interruptType1 = interrupt->GetInterruptType1();
        desc.interruptType2 = interrupt->GetInterruptType2();
        desc.priority = interrupt->GetPriority();
    }
    return desc;
}

CTBreakActionFile::CTBreakActionFile(LONG type, const BreakActionDesc& desc)
    : CTBreakAction(type),
      m_fileName(desc.fileName),
      m_address(desc.address),
      m_dataSize(desc.dataSize),
      m_count(desc.count) {}

CTBreakActionFile::~CTBreakActionFile() {
    ReleaseFile();
}

void CTBreakActionFile::ReleaseFile() {
    if (m_fileEntry != nullptr) {
        g_breakFileRegistry.Release(m_fileEntry);
        m_fileEntry = nullptr;
    }
}

std::string CTBreakActionFile::FileText(const char* kind) const {
    return CutText(std::string(kind) + "(" + m_fileName + ")" + (m_fileEntry != nullptr ? " [open]" : " [close]"));
}

bool CTBreakActionFile::OpenWithFlags(UINT flags) {
    if (m_fileEntry != nullptr) {
        return true;
    }
    CBreakFileEntry* entry = g_breakFileRegistry.Open(this, m_fileName.c_str(), flags);
    if (entry == nullptr) {
        return false;
    }
    m_fileEntry = entry;
    g_breakFileRegistry.NotifyFileOpened();
    return true;
}

void CTBreakActionFile::ReportError(const char* kind) const {
    IHostServiceProvider* host = g_breakFileRegistry.GetHost();
    if (host == nullptr) {
        return;
    }
    const platform::Bstr text(std::string(kind) + " Error(" + m_fileName + ")");
    static_cast<void>(host->ReportErrorText(text.Get()));  // the host's answer is not read
}

bool CTBreakActionFileInput::OpenFile() {
    return OpenWithFlags(kInputFlags);
}

bool CTBreakActionFileInput::Execute() {
    if (!OpenFile()) {
        ReportError("File Open");
        return false;
    }
    if (GetFileEntry()->GetLength() < GetDataSize()) {
        ReportError("File Size");
        return false;
    }
    std::vector<BYTE> unit(GetDataSize());
    for (DWORD i = 0; i < GetCount(); ++i) {
        if (!GetFileEntry()->ReadBlock(unit.data(), GetDataSize())) {
            ReportError("File Input");
            ReleaseFile();
            return false;
        }
        const DWORD start = UnitStart(GetAddress(), GetDataSize(), i);
        // The memory handler's answer is not read: a unit it cannot take is
        // the memory's to report.
        static_cast<void>(BreakServices().WriteMemoryBlock(start, start + GetDataSize() - 1, unit.data()));
    }
    return true;
}

bool CTBreakActionFileOutput::OpenFile() {
    if (IsOpen()) {
        return true;
    }
    if (!OpenWithFlags(m_append != 0 ? kOutputAppendFlags : kOutputRewriteFlags)) {
        return false;
    }
    if (m_append == 1) {
        GetFileEntry()->SeekToEndIfNotEmpty();
    }
    return true;
}

bool CTBreakActionFileOutput::Execute() {
    if (!OpenFile()) {
        ReportError("File Open");
        return false;
    }
    std::vector<BYTE> unit(GetDataSize());
    for (DWORD i = 0; i < GetCount(); ++i) {
        // Zeroed first, so nothing but memory's bytes reaches the file.
        std::fill(unit.begin(), unit.end(), BYTE{0});
        const DWORD start = UnitStart(GetAddress(), GetDataSize(), i);
        const bool read = SUCCEEDED(BreakServices().ReadMemoryBlock(start, start + GetDataSize() - 1, unit.data()));
        if (!read || !GetFileEntry()->WriteBlock(unit.data(), GetDataSize())) {
            ReportError("File Output");
            ReleaseFile();
            return false;
        }
    }
    return true;
}

std::string CTBreakActionInterrupt::GetText() const {
    char text[64] = {};
    if (CpuTypeHasSecondInterruptType(BreakServices().GetCpuTypeCode())) {
        std::snprintf(text, sizeof(text), "Interrupt(%x,%x/%x)", static_cast<unsigned>(m_interruptType1),
                      static_cast<unsigned>(m_interruptType2), static_cast<unsigned>(m_priority));
    } else {
        std::snprintf(text, sizeof(text), "Interrupt(%x/%x)", static_cast<unsigned>(m_interruptType1),
                      static_cast<unsigned>(m_priority));
    }
    return text;
}
