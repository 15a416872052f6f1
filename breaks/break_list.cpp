#include "breaks/break_list.h"

#include "breaks/break_services.h"
#include "frame/host_event.h"

#include <algorithm>

void CBreakItemSlot::SetTexts(const char* kindId, const std::string& actionText, bool withExtraText) {
    m_kindId = platform::Bstr(kindId);
    m_actionText = platform::Bstr(actionText);
    info.kindId = m_kindId.Get();
    info.actionText = m_actionText.Get();
    if (withExtraText) {
        m_extraText = platform::Bstr("");
        info.extraText = m_extraText.Get();
    }
}

CTBreakContents* CTBreakList::GetAt(DWORD position) const {
    return position < m_all.size() ? m_all[position].get() : nullptr;
}

CTBreakContents* CTBreakList::GetStopAt(DWORD position) const {
    return position < m_stop.size() ? m_stop[position] : nullptr;
}

CTBreakContents* CTBreakList::GetLastAdded() const {
    const bool listed = std::any_of(m_all.begin(), m_all.end(), [&](const auto& one) { return one.get() == m_lastAdded; });
    return listed ? m_lastAdded : nullptr;
}

bool CTBreakList::IsInStopList(const CTBreakContents* record) const {
    return std::find(m_stop.begin(), m_stop.end(), record) != m_stop.end();
}

void CTBreakList::MarkModified() const {
    BreakServices().SetModified();
}

std::size_t CTBreakList::FindPlace(const CTBreakContents& record, DWORD key, bool& replaces) const {
    replaces = false;
    const LONG type = record.GetActionType();
    std::size_t at = 0;
    while (at < m_all.size() && KeyOf(*m_all[at]) < key) {
        ++at;
    }
    const auto sameKey = [&](std::size_t index) { return index < m_all.size() && KeyOf(*m_all[index]) == key; };
    if (!sameKey(at)) {
        return at;
    }
    if (type == break_action::kStop) {
        replaces = m_all[at]->GetActionType() == break_action::kStop;
        return at;
    }
    if (type != break_action::kInterrupt) {
        // File actions go after those of their own type: first in, first listed.
        while (sameKey(at) && m_all[at]->GetActionType() <= type) {
            ++at;
        }
        return at;
    }
    const auto& added = static_cast<const CTBreakActionInterrupt&>(*record.GetAction());
    const bool bothTypes = CpuTypeHasSecondInterruptType(BreakServices().GetCpuTypeCode());
    for (; sameKey(at); ++at) {
        if (m_all[at]->GetActionType() != break_action::kInterrupt) {
            continue;
        }
        const auto& there = static_cast<const CTBreakActionInterrupt&>(*m_all[at]->GetAction());
        if (added.GetInterruptType1() != there.GetInterruptType1()) {
            if (added.GetInterruptType1() < there.GetInterruptType1()) {
                return at;
            }
            continue;
        }
        if (!bothTypes || added.GetInterruptType2() == there.GetInterruptType2()) {
            replaces = true;
            return at;
        }
        if (added.GetInterruptType2() < there.GetInterruptType2()) {
            return at;
        }
    }
    return at;
}

WORD CTBreakList::Insert(std::unique_ptr<CTBreakContents> record) {
    const DWORD key = KeyOf(*record);
    bool replaces = false;
    const std::size_t at = FindPlace(*record, key, replaces);
    if (!replaces && m_all.size() >= m_capacity) {
        return 0;
    }
    CTBreakContents* inserted = record.get();
    std::unique_ptr<CTBreakContents> replaced;
    if (replaces) {
        replaced = std::exchange(m_all[at], std::move(record));
    } else {
        m_all.insert(m_all.begin() + static_cast<std::ptrdiff_t>(at), std::move(record));
    }
    if (inserted->GetActionType() == break_action::kStop) {
        InsertStop(key, inserted);
    }
    m_lastAdded = inserted;
    SyncCount();
    return 1;  // a replaced record goes here
}

void CTBreakList::InsertStop(DWORD key, CTBreakContents* record) {
    auto node = m_stop.begin();
    while (node != m_stop.end() && KeyOf(**node) < key) {
        ++node;
    }
    if (node != m_stop.end() && KeyOf(**node) == key) {
        *node = record;  // the record it referred to was replaced in allList
    } else {
        m_stop.insert(node, record);
    }
}

WORD CTBreakList::AddRecord(std::unique_ptr<CTBreakContents> record) {
    if (Insert(std::move(record)) == 0) {
        return 0;
    }
    MarkModified();
    return 1;
}

std::unique_ptr<CTBreakContents> CTBreakList::TakeAt(std::size_t index) {
    std::unique_ptr<CTBreakContents> record = std::move(m_all[index]);
    m_all.erase(m_all.begin() + static_cast<std::ptrdiff_t>(index));
    std::erase(m_stop, record.get());
    SyncCount();
    return record;
}

void CTBreakList::RemoveBreakAt(LONG position) {
    if (position == kAll) {
        for (CTBreakContents* record : m_stop) {
            record->RemoveFromTarget();
        }
        m_stop.clear();
        m_all.clear();
        SyncCount();
    } else if (position >= 0 && static_cast<std::size_t>(position) < m_all.size()) {
        const bool wasStop = IsInStopList(m_all[position].get());
        const std::unique_ptr<CTBreakContents> record = TakeAt(static_cast<std::size_t>(position));
        if (wasStop) {
            record->RemoveFromTarget();
        }
    }
    MarkModified();
}

WORD CTBreakList::SetEnableWord(WORD flag, CTBreakContents* record, bool stopListOnly) {
    const auto set = [flag](CTBreakContents& one) {
        const bool changed = one.GetEnable() != flag;
        one.SetEnable(flag);
        return changed;
    };
    if (record != nullptr) {
        const bool listed = stopListOnly ? IsInStopList(record)
                                         : std::any_of(m_all.begin(), m_all.end(),
                                                       [record](const auto& one) { return one.get() == record; });
        return listed && set(*record) ? 1 : 0;
    }
    bool changed = false;
    if (stopListOnly) {
        for (CTBreakContents* one : m_stop) {
            changed = set(*one) || changed;
        }
    } else {
        for (const auto& one : m_all) {
            changed = set(*one) || changed;
        }
    }
    return changed ? 1 : 0;
}

WORD CTBreakList::EnableStop(WORD flag, LONG position) {
    CTBreakContents* record = nullptr;
    if (position != kAll && (record = GetStopAt(static_cast<DWORD>(position))) == nullptr) {
        return 0;
    }
    const WORD changed = SetEnableWord(flag, record, true);
    if (changed != 0) {
        MarkModified();
    }
    return changed;
}

WORD CTBreakList::EnableBreak(WORD flag, LONG position) {
    CTBreakContents* record = nullptr;
    if (position != kAll && (record = GetAt(static_cast<DWORD>(position))) == nullptr) {
        return 0;
    }
    const WORD changed = SetEnableWord(flag, record, false);
    if (changed != 0) {
        MarkModified();
    }
    return changed;
}

void CTBreakList::DescribeBreak(DWORD position, CBreakItemSlot& slot) const {
    const CTBreakContents* record = GetAt(position);
    if (record == nullptr) {
        return;
    }
    slot.info.index = position;
    slot.info.enabled = record->IsEnabled() ? 1 : 0;
    DescribeKind(*record, slot);
}

void CTBreakList::DescribeKind(const CTBreakContents& record, CBreakItemSlot& slot) const {
    slot.info.address = record.GetAddress();
    slot.SetTexts(m_kindId, record.GetAction()->GetText(), false);
}

void CTBreakList::ReleaseFiles(DWORD position) {
    const CTBreakContents* record = GetAt(position);
    if (record == nullptr) {
        return;
    }
    const LONG type = record->GetActionType();
    if (type == break_action::kFileInput || type == break_action::kFileOutput) {
        static_cast<CTBreakActionFile*>(record->GetAction())->ReleaseFile();
    }
}

WORD CTBreakList::RunAction(CTBreakContents& record) {
    switch (record.GetActionType()) {
        case break_action::kStop:
            ResetHitState(&record);
            return 1;
        case break_action::kFileInput:
        case break_action::kFileOutput:
            if (!static_cast<CTBreakActionFile&>(*record.GetAction()).Execute()) {
                record.SetEnable(0);
                if (m_host != nullptr) {
                    const CHostEvent changed(EVENT_BreakChanged);
                    static_cast<void>(m_host->PostEvent(changed.GetNotice()));  // the host's answer is not read
                }
            }
            return 0;
        default:
            return 0;
    }
}
