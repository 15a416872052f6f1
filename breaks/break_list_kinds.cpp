#include "breaks/break_list.h"

#include <algorithm>

WORD CTBreakAccessList::CreateBreak(DWORD address, DWORD secondAddress, WORD accessType,
                                    const BreakActionDesc* desc) {
    if (!CTBreakContents::IsValidDesc(desc)) {
        return 0;
    }
    return AddRecord(std::make_unique<CTBreakAccessContents>(address, secondAddress, accessType, desc));
}

WORD CTBreakAccessList::TestBreak(DWORD address, WORD size, WORD accessType) {
    WORD answer = 0;
    for (const auto& node : m_all) {
        const auto& record = static_cast<const CTBreakAccessContents&>(*node);
        if (record.IsEnabled() && record.MatchesRange(address, size) && record.MatchesAccessType(accessType)) {
            answer = RunAction(*node);
        }
    }
    return answer;
}

WORD CTBreakDataList::CreateBreak(DWORD address, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                                  const BreakActionDesc* desc) {
    if (!CTBreakContents::IsValidDesc(desc)) {
        return 0;
    }
    return AddRecord(std::make_unique<CTBreakDataContents>(address, valueLow, size, compareMode, valueHigh, desc));
}

WORD CTBreakDataList::TestBreak(DWORD address, WORD size) {
    const bool hit = std::any_of(m_all.begin(), m_all.end(), [&](const auto& node) {
        const auto& record = static_cast<const CTBreakDataContents&>(*node);
        return record.IsEnabled() && record.MatchesRange(address, size);
    });
    return hit ? 1 : 0;
}

WORD CTBreakRegisterList::CreateBreak(WORD registerNumber, DWORD valueLow, WORD size, WORD compareMode,
                                      DWORD valueHigh, const BreakActionDesc* desc) {
    if (!CTBreakContents::IsValidDesc(desc)) {
        return 0;
    }
    return AddRecord(
        std::make_unique<CTBreakRegisterContents>(registerNumber, valueLow, size, compareMode, valueHigh, desc));
}

WORD CTBreakRegisterList::TestBreak(WORD registerNumber) {
    const bool hit = std::any_of(m_all.begin(), m_all.end(), [&](const auto& node) {
        const auto& record = static_cast<const CTBreakRegisterContents&>(*node);
        return record.IsEnabled() && record.MatchesRegister(registerNumber);
    });
    return hit ? 1 : 0;
}

void CTBreakRegisterList::DescribeKind(const CTBreakContents& record, CBreakItemSlot& slot) const {
    slot.info.address = 0;
    slot.SetTexts(GetKindId(), record.GetAction()->GetText(), true);
}

void CTBreakSequenceList::ResetHitState(CTBreakContents* record) {
    if (record != nullptr) {
        static_cast<CTBreakSequenceContents&>(*record).ResetStep();
        return;
    }
    for (const auto& one : m_all) {
        static_cast<CTBreakSequenceContents&>(*one).ResetStep();
    }
}

WORD CTBreakSequenceList::CreateBreak(WORD stepCount, const CTBreakSequenceContents::Addresses& addresses,
                                      const BreakActionDesc* desc) {
    if (!CTBreakContents::IsValidDesc(desc) || !CTBreakSequenceContents::IsValidStepCount(stepCount)) {
        return 0;
    }
    auto record = std::make_unique<CTBreakSequenceContents>(stepCount, addresses, desc);
    CTBreakContents* made = record.get();
    if (AddRecord(std::move(record)) == 0) {
        return 0;
    }
    made->SetOnTarget();
    return 1;
}

WORD CTBreakSequenceList::Insert(std::unique_ptr<CTBreakContents> record) {
    if (!m_all.empty()) {
        const std::unique_ptr<CTBreakContents> old = TakeAt(0);
        old->RemoveFromTarget();
    }
    m_stop.clear();
    if (record->GetActionType() == break_action::kStop) {
        m_stop.push_back(record.get());
    }
    m_lastAdded = record.get();
    m_all.push_back(std::move(record));
    SyncCount();
    return 1;
}

const CTBreakSequenceContents* CTBreakSequenceList::FindAddress(DWORD address) const {
    for (const CTBreakContents* record : m_stop) {
        const auto& sequence = static_cast<const CTBreakSequenceContents&>(*record);
        if (sequence.ListsAddress(address)) {
            return &sequence;
        }
    }
    return nullptr;
}

WORD CTBreakSequenceList::TestBreak(DWORD pc) {
    WORD answer = 0;
    for (const auto& node : m_all) {
        auto& record = static_cast<CTBreakSequenceContents&>(*node);
        if (record.IsEnabled() && record.IsHit(pc)) {
            answer = RunAction(record);
        }
    }
    return answer;
}

WORD CTBreakCycleList::CreateBreak(DWORD period, DWORD count, const BreakActionDesc* desc) {
    if (!CTBreakContents::IsValidDesc(desc)) {
        return 0;
    }
    return AddRecord(std::make_unique<CTBreakCycleContents>(period, count, desc));
}

WORD CTBreakCycleList::TestBreak(DWORD counter) {
    WORD answer = 0;
    for (const auto& node : m_all) {
        const auto& record = static_cast<const CTBreakCycleContents&>(*node);
        if (record.IsEnabled() && record.IsHit(counter)) {
            answer = RunAction(*node);
        }
    }
    SetCycleCounter(counter);
    return answer;
}

void CTBreakCycleList::SetCycleCounter(DWORD counter) {
    for (const auto& node : m_all) {
        static_cast<CTBreakCycleContents&>(*node).SetCycle(counter);
    }
}

void CTBreakCycleList::DescribeKind(const CTBreakContents& record, CBreakItemSlot& slot) const {
    slot.info.period = static_cast<const CTBreakCycleContents&>(record).GetPeriod();
    slot.SetTexts(GetKindId(), record.GetAction()->GetText(), false);
}

WORD CTBreakCfgAccessList::CreateBreak(DWORD address, DWORD secondAddress, WORD accessType,
                                       const BreakActionDesc* desc) {
    if (!CTBreakContents::IsValidDesc(desc)) {
        return 0;
    }
    return AddRecord(std::make_unique<CTBreakCfgAccessContents>(address, secondAddress, accessType, desc));
}

WORD CTBreakCfgAccessList::TestBreak(DWORD address, WORD accessType) {
    WORD answer = 0;
    for (const auto& node : m_all) {
        const auto& record = static_cast<const CTBreakCfgAccessContents&>(*node);
        if (record.IsEnabled() && record.MatchesRange(address) && record.MatchesAccessType(accessType)) {
            answer = RunAction(*node);
        }
    }
    return answer;
}

WORD CTBreakCfgDataList::CreateBreak(DWORD address, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                                     const BreakActionDesc* desc) {
    if (!CTBreakContents::IsValidDesc(desc)) {
        return 0;
    }
    return AddRecord(
        std::make_unique<CTBreakCfgDataContents>(address, valueLow, size, compareMode, valueHigh, desc));
}

WORD CTBreakCfgDataList::TestBreak(DWORD address) {
    const bool hit = std::any_of(m_all.begin(), m_all.end(), [&](const auto& node) {
        const auto& record = static_cast<const CTBreakCfgDataContents&>(*node);
        return record.IsEnabled() && record.MatchesAddress(address);
    });
    return hit ? 1 : 0;
}
