#include "console/pc_break_rows.h"

#include "breaks/break_manager.h"
#include "frame/error_codes.h"
#include "target/target_vk3.h"

CPcBreakRows::CPcBreakRows() {
    const CTargetVk3* target = GetTarget();
    m_manager = target != nullptr ? dynamic_cast<CTBreakManager*>(target->GetBreakHandler()) : nullptr;
}

std::mutex& CPcBreakRows::Lock() {
    static std::mutex lock;
    return lock;
}

DWORD CPcBreakRows::CountAllKinds() const {
    if (m_manager == nullptr) {
        return 0;
    }
    std::lock_guard lock(Lock());
    DWORD total = 0;
    for (int kind = 0; kind < CTargetBreakVk3::kKindCount; ++kind) {
        total += m_manager->GetKindBreakCount(kind);
    }
    return total;
}

DWORD CPcBreakRows::CountPcBreaks() const {
    if (m_manager == nullptr) {
        return 0;
    }
    std::lock_guard lock(Lock());
    return m_manager->GetPcCount();
}

std::optional<PcBreakRow> CPcBreakRows::GetRow(DWORD index) const {
    if (m_manager == nullptr) {
        return std::nullopt;
    }
    std::lock_guard lock(Lock());
    const CTBreakPcContents* record = m_manager->GetPcBreakAt(index);
    if (record == nullptr) {
        return std::nullopt;
    }
    return PcBreakRow{record->GetAddress(), record->IsEnabled()};
}

std::optional<DWORD> CPcBreakRows::Find(DWORD address) const {
    if (m_manager == nullptr) {
        return std::nullopt;
    }
    std::lock_guard lock(Lock());
    DWORD position = 0;
    if (m_manager->FindPcBreak(address, &position) != 1) {
        return std::nullopt;
    }
    return position;
}

HRESULT CPcBreakRows::Enable(DWORD index, WORD flag) {
    if (m_manager == nullptr) {
        return TE_INVALID_INDEX;
    }
    std::lock_guard lock(Lock());
    if (index >= m_manager->GetPcCount()) {
        return TE_INVALID_INDEX;
    }
    m_manager->SetPcBreakEnable(index, flag);
    return S_OK;
}

HRESULT CPcBreakRows::Remove(LONG index) {
    if (m_manager == nullptr) {
        return TE_INVALID_INDEX;
    }
    std::lock_guard lock(Lock());
    if (index < -1 || (index >= 0 && static_cast<DWORD>(index) >= m_manager->GetPcCount())) {
        return TE_INVALID_INDEX;
    }
    m_manager->RemovePcBreak(static_cast<DWORD>(index));
    return S_OK;
}

bool CPcBreakRows::Add(DWORD address) {
    if (m_manager == nullptr) {
        return false;
    }
    std::lock_guard lock(Lock());
    const BreakActionDesc stop;
    return m_manager->AddPcBreak(address, 0, stop) == 1;
}
