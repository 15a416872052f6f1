#include "events/event_engine.h"

#include "events/event_editor_rules.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr LONG kEventA = 0;
constexpr LONG kEventB = 1;

CEventDescriptor InitialEvent(LONG id) {
    CEventDescriptor event;
    event.id = id;
    return event;
}

}  // namespace

CEventEngine::CEventEngine(const char* deviceFile, const char* deviceSection, DWORD traceAreaBase,
                           IHostServiceProvider* host)
    : m_traceAreaBase(traceAreaBase) {
    LoadEventRegisterMap(deviceFile, deviceSection);
    m_events[kEventA] = InitialEvent(kEventA);
    m_events[kEventB] = InitialEvent(kEventB);
    ReadAddressFormat(host);
}

void CEventEngine::LoadEventRegisterMap(const char* file, const char* section) {
    const EventRegisterMap map = ReadEventRegisterMap(file, section);
    std::lock_guard lock(m_mutex);
    m_map = map;
    m_traceBufferAddress = m_traceAreaBase + map.traceBufferOffset;
}

void CEventEngine::ReadAddressFormat(IHostServiceProvider* host) {
    // The host's address range, as the Event Setting dialog reads it, so the
    // event list and the dialog show addresses with the same digits.
    m_addressDigits = ReadEditorAddressRange(host).digits;
}

bool CEventEngine::SetAddressInterrupt(DWORD channel, DWORD address, LONG enable) {
    std::lock_guard lock(m_mutex);
    if (channel >= m_interrupts.size()) {
        return false;
    }
    const AddressInterruptRegisters& registers = m_map.interrupts[channel];
    // In register space 0 the registers lie at the base; in the others the
    // firmware reaches them by number through the DCR registers.
    const DWORD offset = registers.space == 0 ? m_map.base : 0;
    CEventCommandQ command(m_link, static_cast<BYTE>(registers.space), offset + registers.low,
                           offset + registers.high, offset + registers.enable, address, enable == 1);
    if (command.Execute() == 0) {
        return false;
    }
    m_interrupts[channel] = {address, enable};
    return true;
}

bool CEventEngine::SendDcrAddresses() {
    std::lock_guard lock(m_mutex);
    return SendDcrAddressesLocked();
}

bool CEventEngine::SendDcrAddressesLocked() {
    CEventCommandP command(m_link, m_map.base + m_map.dcrData, m_map.base + m_map.dcrCommand);
    return command.Execute() != 0;
}

bool CEventEngine::SetEvent(LONG id, LONG kind, LONG accessSize, LONG accessType, DWORD address, WORD data,
                            LONG maskBits, WORD dataMask, const char* name) {
    CEventDescriptor event;
    event.id = id;
    event.kind = kind;
    event.accessSize = accessSize;
    event.accessType = accessType;
    event.address = address;
    event.data = data;
    event.maskBits = maskBits;
    event.dataMask = dataMask;
    if (name != nullptr) {
        std::strncpy(event.name.data(), name, event.name.size() - 1);
    }
    std::lock_guard lock(m_mutex);
    return SetEventLocked(event);
}

bool CEventEngine::SetEventLocked(const CEventDescriptor& event) {
    if (m_attached) {
        const EventRegisterRow& registers = event.id == kEventB ? m_map.eventB : m_map.eventA;
        if (CEventCommandR(m_link, registers, event).Execute() == 0) {
            return false;
        }
    }
    m_events[event.id] = event;
    return true;
}

bool CEventEngine::SetBreakCombination(LONG value) {
    std::lock_guard lock(m_mutex);
    return SetBreakCombinationLocked(value);
}

bool CEventEngine::SetBreakCombinationLocked(LONG value) {
    if (m_attached && CEventCommandS(m_link, m_map.trigger, static_cast<BYTE>(value)).Execute() == 0) {
        return false;
    }
    m_combination = value;
    return true;
}

bool CEventEngine::SetTraceCondition(LONG type, LONG start, LONG stop, LONG pickUp, LONG breakAtFull,
                                     LONG controlBit7) {
    std::lock_guard lock(m_mutex);
    return SetTraceConditionLocked(EventTraceSettings{type, start, stop, pickUp, breakAtFull, controlBit7});
}

bool CEventEngine::SetTraceConditionLocked(const EventTraceSettings& settings) {
    if (m_attached) {
        const EventTraceRegisters registers{m_map.traceCount, m_map.tracePointerOffset, m_map.traceData,
                                            m_traceBufferAddress};
        if (CEventCommandT(m_link, registers, settings, m_map.traceSize).Execute() == 0) {
            return false;
        }
    }
    m_trace = settings;
    return true;
}

bool CEventEngine::ProgramEvents() {
    std::lock_guard lock(m_mutex);
    return ProgramEventsLocked();
}

bool CEventEngine::ProgramEventsLocked() {
    // Event B first, then event A. The copies keep the map's entries out of
    // reach of the stores the calls make.
    const std::vector<CEventDescriptor> events = [this] {
        std::vector<CEventDescriptor> copies;
        for (auto it = m_events.rbegin(); it != m_events.rend(); ++it) {
            copies.push_back(it->second);
        }
        return copies;
    }();
    for (const CEventDescriptor& event : events) {
        if (!SetEventLocked(event)) {
            return false;
        }
    }
    return SetBreakCombinationLocked(m_combination) && SetTraceConditionLocked(m_trace);
}

void CEventEngine::ProgramEventsWithoutBreaksLocked() {
    const LONG combination = m_combination;
    const LONG breakAtFull = m_trace.breakAtFull;
    m_combination = 0;
    m_trace.breakAtFull = 0;
    // What fails is sent again at the next start.
    static_cast<void>(ProgramEventsLocked());
    m_combination = combination;
    m_trace.breakAtFull = breakAtFull;
}

HRESULT CEventEngine::Attach(CEmulatorLink* link) {
    std::lock_guard lock(m_mutex);
    m_link = link;
    if (!SendDcrAddressesLocked()) {
        return E_FAIL;
    }
    m_attached = true;
    const bool programmed = ProgramEventsLocked();
    m_attached = false;
    return programmed ? S_OK : E_FAIL;
}

void CEventEngine::StartEvents(LONG flag) {
    std::lock_guard lock(m_mutex);
    m_attached = true;
    if (flag == 0) {
        ProgramEventsWithoutBreaksLocked();
    } else {
        static_cast<void>(ProgramEventsLocked());  // what fails is sent again at the next start
    }
}

void CEventEngine::StopEvents() {
    std::lock_guard lock(m_mutex);
    ProgramEventsWithoutBreaksLocked();
    m_attached = false;
}

LONG CEventEngine::GetTraceSize() {
    std::lock_guard lock(m_mutex);
    return m_map.traceSize;
}

bool CEventEngine::ReadPointerLocked(DWORD* pointer, DWORD* wrapped) {
    CEventCommandU command(m_link, m_map.tracePointer);
    if (command.Execute() == 0) {
        return false;
    }
    *pointer = command.m_pointer;
    *wrapped = command.m_wrapped;
    return true;
}

bool CEventEngine::GetTraceCount(DWORD* count) {
    std::lock_guard lock(m_mutex);
    DWORD pointer = 0;
    DWORD wrapped = 0;
    if (!ReadPointerLocked(&pointer, &wrapped)) {
        return false;
    }
    const DWORD size = static_cast<DWORD>(m_map.traceSize);
    *count = wrapped != 0 ? size : std::min(pointer, size);
    return true;
}

bool CEventEngine::ReadTrace() {
    std::lock_guard lock(m_mutex);
    DWORD pointer = 0;
    DWORD wrapped = 0;
    if (!ReadPointerLocked(&pointer, &wrapped) || (wrapped == 0 && pointer == 0)) {
        m_records.clear();
        return true;
    }
    const DWORD size = static_cast<DWORD>(m_map.traceSize);
    CEventCommandV command(m_link, m_map.tracePointerOffset, m_map.traceData, size);
    if (command.Execute() == 0) {
        return false;
    }
    m_records = DecodeTraceEntries(command.m_entries, pointer, wrapped != 0, size, m_trace.type);
    return true;
}

std::optional<CEventDescriptor> CEventEngine::GetEvent(LONG id) {
    std::lock_guard lock(m_mutex);
    const auto found = m_events.find(id);
    return found != m_events.end() ? std::optional(found->second) : std::nullopt;
}

LONG CEventEngine::GetBreakCombination() {
    std::lock_guard lock(m_mutex);
    return m_combination;
}

EventTraceSettings CEventEngine::GetTraceSettings() {
    std::lock_guard lock(m_mutex);
    return m_trace;
}

std::vector<CEventTraceRecord> CEventEngine::GetRecords() {
    std::lock_guard lock(m_mutex);
    return m_records;
}

EventRegisterMap CEventEngine::GetRegisterMap() {
    std::lock_guard lock(m_mutex);
    return m_map;
}

DWORD CEventEngine::GetTraceBufferAddress() {
    std::lock_guard lock(m_mutex);
    return m_traceBufferAddress;
}

bool CEventEngine::IsTraceBusy() {
    // While a run is on the trace is still being recorded.
    std::lock_guard lock(m_mutex);
    return m_attached;
}

std::vector<EventTraceEntry> CEventEngine::GetTraceRecords() {
    std::vector<EventTraceEntry> entries;
    for (const CEventTraceRecord& record : GetRecords()) {
        EventTraceEntry entry;
        entry.access = record.kind == 0;
        entry.branchSource = record.branchSide == 1;
        entry.address = record.value;
        entry.direction = static_cast<DWORD>(record.direction);
        entry.value = record.value;
        entry.size = static_cast<DWORD>(record.size);
        // The access's event: A, B, or both.
        entry.selector = record.code < 0 ? 2 : static_cast<DWORD>(record.code);
        entries.push_back(entry);
    }
    return entries;
}

void CEventEngine::GetEventRange(DWORD event, DWORD* start, DWORD* end) {
    GetEventAddressRange(static_cast<LONG>(event), start, end);
}
