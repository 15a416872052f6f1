#include "breaks/break_manager.h"

#include "breaks/break_file_registry.h"
#include "breaks/break_services.h"

#include <algorithm>

namespace {

constexpr std::array<DWORD, kBreakKindCount> kCapacities = {255, 2, 8, 8, 1, 255, 2, 8};

constexpr std::array<BreakKind, kBreakKindCount> kKinds = {
    BreakKind::Pc,       BreakKind::Access, BreakKind::Data,      BreakKind::Register,
    BreakKind::Sequence, BreakKind::Cycle,  BreakKind::CfgAccess, BreakKind::CfgData};

}  // namespace

CTBreakManager::CTBreakManager(IHostServiceProvider* host)
    : CTargetBreakVk3(host),
      m_lists{&m_pc, &m_access, &m_data, &m_register, &m_sequence, &m_cycle, &m_cfgAccess, &m_cfgData} {
    if (m_host != nullptr) {
        m_host->AdviseEventReceiver(static_cast<IHEventReceiver*>(this));
        void* service = nullptr;
        if (SUCCEEDED(m_host->QueryService(IID_IHBreakpointService, &service))) {
            m_breakpointService = static_cast<IHBreakpointService*>(service);
        }
    }
    g_breakFileRegistry.SetHost(m_host);
    for (std::size_t kind = 0; kind < kBreakKindCount; ++kind) {
        m_lists[kind]->SetHost(m_host);
        m_lists[kind]->SetCapacity(kCapacities[kind]);
    }
    m_pc.SetBreakpointService(m_breakpointService);
    m_pc.SetAddressUsers(this);
}

CTBreakManager::~CTBreakManager() {
    m_pc.RemovePcBreakAt(CTBreakList::kAll, 0, false);
    for (std::size_t kind = 1; kind < kBreakKindCount; ++kind) {
        m_lists[kind]->RemoveBreakAt(CTBreakList::kAll);
    }
    if (m_host != nullptr) {
        m_host->UnadviseEventReceiver(static_cast<IHEventReceiver*>(this));
    }
    if (g_breakFileRegistry.GetHost() == m_host) {
        g_breakFileRegistry.SetHost(nullptr);
    }
}

HRESULT CTBreakManager::QueryInterface(REFIID iid, void** object) {
    if (object != nullptr && IsEqualIID(iid, IID_IHEventReceiver)) {
        *object = static_cast<IHEventReceiver*>(this);
        return S_OK;
    }
    return CTargetBreakVk3::QueryInterface(iid, object);
}

bool CTBreakManager::IsAddressNeeded(DWORD address, const CTBreakContents* except) {
    if (m_pc.HasOtherOnTarget(address, except)) {
        return true;
    }
    if (m_sequence.FindAddress(address) == nullptr) {
        return false;
    }
    if (std::find(m_heldForSequence.begin(), m_heldForSequence.end(), address) == m_heldForSequence.end()) {
        m_heldForSequence.push_back(address);
    }
    return true;
}

void CTBreakManager::ReleaseHeldAddresses() {
    std::erase_if(m_heldForSequence, [this](DWORD address) {
        if (m_pc.HasOtherOnTarget(address, nullptr)) {
            return true;  // that record clears it when it goes
        }
        if (m_sequence.FindAddress(address) != nullptr) {
            return false;
        }
        BreakServices().BreakpointCommand(CBreakServices::kClearBreakpoint, address);
        return true;
    });
}

DWORD CTBreakManager::GetKindBreakCount(int kind) const {
    return kind >= 0 && static_cast<std::size_t>(kind) < kBreakKindCount ? m_lists[kind]->GetCount() : 0;
}

DWORD CTBreakManager::TotalCount() const {
    DWORD total = 0;
    for (const CTBreakList* list : m_lists) {
        total += list->GetCount();
    }
    return total;
}

CTBreakPcContents* CTBreakManager::GetPcBreakAt(DWORD position) const {
    CTBreakContents* record = m_pc.GetAt(position);
    return record != nullptr ? &CTBreakPcList::Pc(*record) : nullptr;
}

WORD CTBreakManager::TestPcBreak(DWORD pc) {
    return GetDefaultWord() == 1 ? m_pc.TestBreak(pc) : 0;
}
WORD CTBreakManager::TestAccessBreak(DWORD address, WORD size, WORD accessType) {
    return GetDefaultWord() == 1 ? m_access.TestBreak(address, size, accessType) : 0;
}
WORD CTBreakManager::TestDataBreak(DWORD address, WORD size) {
    return GetDefaultWord() == 1 ? m_data.TestBreak(address, size) : 0;
}
WORD CTBreakManager::TestRegisterBreak(WORD registerNumber) {
    return GetDefaultWord() == 1 ? m_register.TestBreak(registerNumber) : 0;
}
WORD CTBreakManager::TestSequenceBreak(DWORD pc) {
    return GetDefaultWord() == 1 ? m_sequence.TestBreak(pc) : 0;
}
WORD CTBreakManager::TestCycleBreak(DWORD counter) {
    return GetDefaultWord() == 1 ? m_cycle.TestBreak(counter) : 0;
}
WORD CTBreakManager::TestCfgAccessBreak(DWORD address, WORD accessType) {
    return GetDefaultWord() == 1 ? m_cfgAccess.TestBreak(address, accessType) : 0;
}
WORD CTBreakManager::TestCfgDataBreak(DWORD address) {
    return GetDefaultWord() == 1 ? m_cfgData.TestBreak(address) : 0;
}

WORD CTBreakManager::HasRoom() const {
    for (const CTBreakList* list : m_lists) {
        if (list->GetStopCount() < list->GetCapacity()) {
            return 1;
        }
    }
    return 0;
}

WORD CTBreakManager::IsSequenceIndex(LONG index) const {
    if (index < 0) {
        return 0;
    }
    DWORD remaining = static_cast<DWORD>(index);
    for (std::size_t kind = 0; kind < kBreakKindCount; ++kind) {
        const DWORD count = m_lists[kind]->GetStopCount();
        if (remaining < count) {
            return kKinds[kind] == BreakKind::Sequence ? 1 : 0;
        }
        remaining -= count;
    }
    return 0;
}

WORD CTBreakManager::AddPcBreak(DWORD address, DWORD passCount, const BreakActionDesc& desc) {
    return m_pc.CreatePcBreak(address, passCount, desc);
}
WORD CTBreakManager::AddAccessBreak(DWORD address, DWORD secondAddress, WORD accessType,
                                    const BreakActionDesc* desc) {
    return m_access.CreateBreak(address, secondAddress, accessType, desc);
}
WORD CTBreakManager::AddDataBreak(DWORD address, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                                  const BreakActionDesc* desc) {
    return m_data.CreateBreak(address, valueLow, size, compareMode, valueHigh, desc);
}
WORD CTBreakManager::AddRegisterBreak(WORD registerNumber, DWORD valueLow, WORD size, WORD compareMode,
                                      DWORD valueHigh, const BreakActionDesc* desc) {
    return m_register.CreateBreak(registerNumber, valueLow, size, compareMode, valueHigh, desc);
}
WORD CTBreakManager::AddSequenceBreak(WORD stepCount, const CTBreakSequenceContents::Addresses& addresses,
                                      const BreakActionDesc* desc) {
    const WORD made = m_sequence.CreateBreak(stepCount, addresses, desc);
    ReleaseHeldAddresses();  // the new break replaced the old one
    return made;
}
WORD CTBreakManager::AddCycleBreak(DWORD period, DWORD count, const BreakActionDesc* desc) {
    return m_cycle.CreateBreak(period, count, desc);
}
WORD CTBreakManager::AddCfgAccessBreak(DWORD address, DWORD secondAddress, WORD accessType,
                                       const BreakActionDesc* desc) {
    return m_cfgAccess.CreateBreak(address, secondAddress, accessType, desc);
}
WORD CTBreakManager::AddCfgDataBreak(DWORD address, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                                     const BreakActionDesc* desc) {
    return m_cfgData.CreateBreak(address, valueLow, size, compareMode, valueHigh, desc);
}

bool CTBreakManager::Resolve(LONG index, BreakKind& kind, DWORD& position) const {
    if (index < 0) {
        return false;
    }
    DWORD remaining = static_cast<DWORD>(index);
    for (std::size_t n = 0; n < kBreakKindCount; ++n) {
        const DWORD count = m_lists[n]->GetCount();
        if (remaining < count) {
            kind = kKinds[n];
            position = remaining;
            return true;
        }
        remaining -= count;
    }
    return false;
}

CBreakItemSlot& CTBreakManager::SlotOf(BreakKind kind) {
    switch (kind) {
        case BreakKind::Register:
            return m_registerSlot;
        case BreakKind::Cycle:
            return m_cycleSlot;
        default:
            return m_addressSlot;
    }
}

WORD CTBreakManager::GetItemByGlobalIndex(LONG index, BreakItemInfo** item) {
    BreakKind kind{};
    DWORD position = 0;
    if (!Resolve(index, kind, position)) {
        return 0;
    }
    CBreakItemSlot& slot = SlotOf(kind);
    List(kind).DescribeBreak(position, slot);
    if (item != nullptr) {
        *item = &slot.info;
    }
    return 1;
}

WORD CTBreakManager::EnableByGlobalIndex(LONG index, WORD flag) {
    if (index == CTBreakList::kAll) {
        bool any = m_pc.EnablePcBreak(flag, CTBreakList::kAll) != 0;
        for (std::size_t kind = 1; kind < kBreakKindCount; ++kind) {
            any = m_lists[kind]->EnableBreak(flag, CTBreakList::kAll) != 0 || any;
        }
        return any ? 1 : 0;
    }
    BreakKind kind{};
    DWORD position = 0;
    if (!Resolve(index, kind, position)) {
        return 0;
    }
    const LONG at = static_cast<LONG>(position);
    return kind == BreakKind::Pc ? m_pc.EnablePcBreak(flag, at) : List(kind).EnableBreak(flag, at);
}

void CTBreakManager::RemoveByGlobalIndex(LONG index, WORD flag) {
    if (index == CTBreakList::kAll) {
        m_pc.RemovePcBreakAt(CTBreakList::kAll, flag);
        for (std::size_t kind = 1; kind < kBreakKindCount; ++kind) {
            m_lists[kind]->RemoveBreakAt(CTBreakList::kAll);
        }
        ReleaseHeldAddresses();
        return;
    }
    BreakKind kind{};
    DWORD position = 0;
    if (!Resolve(index, kind, position)) {
        return;
    }
    const LONG at = static_cast<LONG>(position);
    if (kind == BreakKind::Pc) {
        m_pc.RemovePcBreakAt(at, 1);
    } else {
        List(kind).RemoveBreakAt(at);
        ReleaseHeldAddresses();
    }
}

WORD CTBreakManager::UpdatePcBreak(DWORD position, BreakItemInfo** item) {
    if (position >= m_pc.GetCount()) {
        return 0;
    }
    m_pc.DescribeBreak(position, m_addressSlot);
    if (item != nullptr) {
        *item = &m_addressSlot.info;
    }
    return 1;
}

HRESULT CTBreakManager::GetNextItem(LONG previous, BreakItemInfo** item) {
    if (previous < -1) {
        return kBreakListRefused;
    }
    return GetItemByGlobalIndex(previous + 1, item) != 0 ? S_OK : kBreakListRefused;
}

HRESULT CTBreakManager::EnableItem(LONG index, WORD flag) {
    if (index < -1 || index >= static_cast<LONG>(TotalCount())) {
        return kBreakListRefused;
    }
    static_cast<void>(EnableByGlobalIndex(index, flag));  // the list answers 0 whatever changed
    return S_OK;
}

HRESULT CTBreakManager::RemoveItem(LONG index) {
    if (index < -1 || index >= static_cast<LONG>(TotalCount())) {
        return kBreakListRefused;
    }
    RemoveByGlobalIndex(index, 1);
    return S_OK;
}

HRESULT CTBreakManager::ReleaseItemFiles(LONG index) {
    if (index < -1) {
        return kBreakListRefused;
    }
    if (index == CTBreakList::kAll) {
        g_breakFileRegistry.CloseAll();
        return S_OK;
    }
    BreakKind kind{};
    DWORD position = 0;
    if (!Resolve(index, kind, position)) {
        return kBreakListRefused;
    }
    List(kind).ReleaseFiles(position);
    return S_OK;
}

HRESULT CTBreakManager::OnEvent(const GUID* eventId) {
    if (eventId != nullptr) {
        HandleHostEvent(*eventId);
    }
    return S_OK;
}

void CTBreakManager::HandleHostEvent(const GUID& eventId) {
    if (IsEqualGUID(eventId, EVENT_CloseAllFiles)) {
        g_breakFileRegistry.CloseAll();
    }
}
