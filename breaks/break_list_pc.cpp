#include "breaks/break_list.h"

#include "breaks/break_services.h"
#include "frame/number_text.h"

#include <algorithm>
#include <cstdio>

namespace {

BreakText ToBreakText(BSTR text) {
    return text != nullptr ? BreakText(text, SysStringLen(text)) : BreakText();
}

}  // namespace

void CTBreakPcList::ResetHitState(CTBreakContents* record) {
    if (record != nullptr) {
        Pc(*record).ResetHitCount();
        return;
    }
    for (const auto& one : m_all) {
        Pc(*one).ResetHitCount();
    }
}

WORD CTBreakPcList::CreatePcBreak(DWORD address, DWORD passCount, const BreakActionDesc& desc) {
    if (!CTBreakContents::IsValidDesc(&desc)) {
        return 0;
    }
    char text[16] = {};
    std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(passCount));
    const platform::Bstr hostText(text);
    if (desc.type == break_action::kStop) {
        if (m_service == nullptr) {
            return 0;
        }
        DWORD position = 0;
        if (FindPcBreak(address, &position) != 0) {
            RemovePcBreakAt(static_cast<LONG>(position), 1);
        }
        DWORD word = 0;
        if (FAILED(m_service->AddBreakpoint(address, BreakServices().GetComponentClassId(), hostText.Get(), &word))) {
            return 0;
        }
        MarkModified();
        return 1;
    }
    auto record = std::make_unique<CTBreakPcContents>(address, passCount, BreakServices().GetComponentClassId(),
                                                      ToBreakText(hostText.Get()), static_cast<DWORD>(m_lastId + 1),
                                                      &desc, m_users);
    ++m_lastId;
    CTBreakPcContents* made = record.get();
    if (Insert(std::move(record)) == 0) {
        return 0;
    }
    made->SetOnTarget();
    MarkModified();
    return 1;
}

WORD CTBreakPcList::CreateHostPcBreak(DWORD address, const GUID& ownerId, BSTR text, DWORD* id) {
    DWORD passCount = 1;
    if (IsEqualGUID(ownerId, BreakServices().GetComponentClassId())) {
        if (!EvaluateAddressExpression(platform::BstrToAnsi(text).c_str(), &passCount, 16)) {
            return 0;
        }
    }
    auto record = std::make_unique<CTBreakPcContents>(address, passCount, ownerId, ToBreakText(text),
                                                      static_cast<DWORD>(m_lastId + 1), nullptr, m_users);
    ++m_lastId;
    CTBreakPcContents* made = record.get();
    if (Insert(std::move(record)) == 0) {
        return 0;
    }
    made->SetOnTarget();
    if (id != nullptr) {
        *id = made->GetId();
    }
    if (IsEqualGUID(ownerId, HostBreakpointOwnerId)) {
        MarkModified();
    }
    return 1;
}

void CTBreakPcList::Discard(std::unique_ptr<CTBreakContents> record, bool takeOff) {
    if (takeOff) {
        record->RemoveFromTarget();
    }
}

void CTBreakPcList::RemovePcBreakAt(LONG position, WORD flag, bool takeOff) {
    if (position == kAll) {
        if (flag == 1) {
            // The host's call back removes each one; the ids are taken first,
            // as the call back changes the list.
            std::vector<DWORD> ids;
            for (const CTBreakContents* record : m_stop) {
                ids.push_back(Pc(*record).GetId());
            }
            for (const DWORD id : ids) {
                if (m_service != nullptr) {
                    static_cast<void>(m_service->RemoveBreakpoint(id));  // the host's answer is not read
                }
            }
            // Those the host did not remove go all the same (below).
            m_stop.clear();
        }
        for (std::size_t index = m_all.size(); index-- > 0;) {
            if (flag == 1 || m_all[index]->GetActionType() != break_action::kStop) {
                Discard(TakeAt(index), takeOff);
                MarkModified();
            }
        }
        return;
    }
    if (position < 0 || static_cast<std::size_t>(position) >= m_all.size()) {
        return;
    }
    CTBreakContents& record = *m_all[position];
    if (record.GetActionType() == break_action::kStop) {
        if (flag == 1 && m_service != nullptr) {
            static_cast<void>(m_service->RemoveBreakpoint(Pc(record).GetId()));  // the host's call back removes it
        }
        return;
    }
    Discard(TakeAt(static_cast<std::size_t>(position)), takeOff);
    MarkModified();
}

void CTBreakPcList::RemoveHostPcBreak(LONG position) {
    if (position == kAll || position == -2) {
        if (position == kAll) {
            for (CTBreakContents* record : m_stop) {
                record->RemoveFromTarget();
            }
        }
        m_stop.clear();
        std::erase_if(m_all, [](const auto& record) { return record->GetActionType() == break_action::kStop; });
        SyncCount();
    } else if (CTBreakContents* record = GetStopAt(static_cast<DWORD>(position)); record != nullptr) {
        const auto owned = std::find_if(m_all.begin(), m_all.end(),
                                        [record](const auto& one) { return one.get() == record; });
        std::erase(m_stop, record);
        record->RemoveFromTarget();
        if (owned != m_all.end()) {
            m_all.erase(owned);
            SyncCount();
        }
    }
    MarkModified();
}

WORD CTBreakPcList::EnablePcBreak(WORD flag, LONG position) {
    const auto enableOne = [&](CTBreakContents& record) {
        if (record.GetActionType() == break_action::kStop) {
            return m_service != nullptr && SUCCEEDED(m_service->EnableBreakpoint(Pc(record).GetId(), flag));
        }
        if (SetEnableWord(flag, &record, false) == 0) {
            return false;
        }
        MarkModified();
        return true;
    };
    if (position != kAll) {
        CTBreakContents* record = GetAt(static_cast<DWORD>(position));
        return record != nullptr && enableOne(*record) ? 1 : 0;
    }
    // The host's call backs change enable words only, never the list.
    bool done = false;
    for (std::size_t index = 0; index < m_all.size(); ++index) {
        done = enableOne(*m_all[index]) || done;
    }
    return done ? 1 : 0;
}

WORD CTBreakPcList::FindPcBreak(DWORD address, DWORD* position) const {
    for (std::size_t index = 0; index < m_all.size(); ++index) {
        const CTBreakContents& record = *m_all[index];
        if (record.GetAddress() > address) {
            return 0;
        }
        if (record.GetAddress() == address && record.GetActionType() == break_action::kStop) {
            *position = static_cast<DWORD>(index);
            return 1;
        }
    }
    return 0;
}

WORD CTBreakPcList::FindPcStopById(DWORD id, DWORD* position) const {
    for (std::size_t index = 0; index < m_stop.size(); ++index) {
        if (Pc(*m_stop[index]).GetId() == id) {
            *position = static_cast<DWORD>(index);
            return 1;
        }
    }
    return 0;
}

CTBreakPcContents* CTBreakPcList::FindPcStopBreak(DWORD address) const {
    for (CTBreakContents* record : m_stop) {
        if (record->GetAddress() > address) {
            break;
        }
        if (record->GetAddress() == address) {
            return &Pc(*record);
        }
    }
    return nullptr;
}

bool CTBreakPcList::HasOtherOnTarget(DWORD address, const CTBreakContents* except) const {
    return std::any_of(m_all.begin(), m_all.end(), [&](const auto& record) {
        return record.get() != except && record->GetAddress() == address && Pc(*record).IsOnTarget();
    });
}

WORD CTBreakPcList::TestBreak(DWORD pc) {
    const auto first = std::lower_bound(m_all.begin(), m_all.end(), pc,
                                        [](const auto& record, DWORD value) { return record->GetAddress() < value; });
    WORD answer = 0;
    for (auto node = first; node != m_all.end() && (*node)->GetAddress() == pc; ++node) {
        CTBreakPcContents& record = Pc(**node);
        if (record.IsEnabled() && record.IsHit(pc) && record.IsCountReached()) {
            answer = RunAction(record);
        }
    }
    return answer;
}
