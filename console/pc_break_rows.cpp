#include "console/pc_break_rows.h"

#include "breaks/break_manager.h"
#include "events/target_event_vk3.h"
#include "frame/error_codes.h"
#include "target/target_vk3.h"

CPcBreakRows::CPcBreakRows() {
    const CTargetVk3* target = GetTarget();
    m_manager = target != nullptr ? dynamic_cast<CTBreakManager*>(target->GetBreakHandler()) : nullptr;
    m_events = target != nullptr ? target->GetEventHandler() : nullptr;
    if (m_events == nullptr) {
        m_manager = nullptr;  // no rows, and no breaks to count or change either
    }
}

DWORD CPcBreakRows::CountAllKinds() const {
    if (m_manager == nullptr) {
        return 0;
    }
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
    return static_cast<DWORD>(m_events->GetConditionCount(CTargetEventVk3::kPcList));
}

std::optional<PcBreakRow> CPcBreakRows::GetRow(DWORD index) const {
    if (m_manager == nullptr) {
        return std::nullopt;
    }
    CEventItemInfo* row = nullptr;
    if (index > 0x7FFFFFFFu ||
        FAILED(m_events->GetItemText(CTargetEventVk3::kPcList, static_cast<LONG>(index), &row)) || row == nullptr) {
        return std::nullopt;
    }
    return PcBreakRow{row->value, row->state == 1};
}

std::optional<DWORD> CPcBreakRows::Find(DWORD address) const {
    if (m_manager == nullptr) {
        return std::nullopt;
    }
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
    if (index > 0x7FFFFFFFu) {
        return TE_INVALID_INDEX;
    }
    return m_events->EnableItem(CTargetEventVk3::kPcList, static_cast<LONG>(index), flag);
}

HRESULT CPcBreakRows::Remove(LONG index) {
    if (m_manager == nullptr) {
        return TE_INVALID_INDEX;
    }
    // The list answers 0 for a position it has no break at.
    if (index < -1 || index >= m_events->GetConditionCount(CTargetEventVk3::kPcList)) {
        return TE_INVALID_INDEX;
    }
    return m_events->RemoveItem(CTargetEventVk3::kPcList, index);
}

bool CPcBreakRows::Add(DWORD address) {
    if (m_manager == nullptr) {
        return false;
    }
    const BreakActionDesc stop;
    return m_manager->AddPcBreak(address, 0, stop) == 1;
}
