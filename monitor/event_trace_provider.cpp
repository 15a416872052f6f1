#include "monitor/event_trace_provider.h"

#include "monitor/trace_row_format.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char kHeader[] = "PTR\tIP\tType\tAddress\tData\tInstruction";
constexpr LONG kColumnKinds[] = {1, -1, 3, 2, -1, 5};
constexpr DWORD kCapacityWithoutEngine = 64;
constexpr DWORD kCapabilityIndex = 4;

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%08X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

CTraceListProvider::CTraceListProvider(IHostServiceProvider* host, CTraceMemoryAccess* memory,
                                       CEventTraceSource* source)
    : CTraceHandler(host, memory), m_source(source) {}

HRESULT CTraceListProvider::QueryCapability(DWORD index, WORD* offered) {
    const HRESULT result = CTraceHandler::QueryCapability(index, offered);
    if (SUCCEEDED(result) && index == kCapabilityIndex && m_source != nullptr && !m_source->IsTraceBusy() &&
        !m_source->GetTraceRecords().empty()) {
        *offered = 1;
    }
    return result;
}

DWORD CTraceListProvider::GetCapacity() {
    return m_source != nullptr ? m_source->GetTraceCapacity() : kCapacityWithoutEngine;
}

void CTraceListProvider::BuildRecords() {
    if (m_source == nullptr) {
        return;
    }
    // A read that fails lists the records of the read before.
    static_cast<void>(m_source->ReadTrace());
    for (const EventTraceEntry& entry : m_source->GetTraceRecords()) {
        if (entry.access) {
            AddAtTail(std::make_unique<CTraceAccessRecord>(entry.value, entry.direction == 1 ? "READ" : "WRITE",
                                                          entry.size, entry.selector));
        } else {
            AddAtTail(std::make_unique<CTraceRecord>(entry.address, entry.branchSource ? "BRANCH" : "DESTINATION"));
        }
    }
    Renumber();
}

std::string CTraceListProvider::AddressText(DWORD selector) {
    DWORD start = 0;
    DWORD end = 0;
    if (selector == 0 || selector == 1) {
        m_source->GetEventRange(selector, &start, &end);
    } else {
        // Both events: where their ranges overlap.
        DWORD start1 = 0;
        DWORD end1 = 0;
        m_source->GetEventRange(0, &start, &end);
        m_source->GetEventRange(1, &start1, &end1);
        start = std::max(start, start1);
        end = std::min(end, end1);
    }
    return start == end ? Hex(start) : Hex(start) + "-" + Hex(end);
}

std::string CTraceListProvider::FormatRow(CTraceRecord& record) {
    const LONG pointer = Pointer(record);
    const long ip = pointer < 0 ? -pointer : pointer;
    char text[128];
    if (const auto* access = dynamic_cast<const CTraceAccessRecord*>(&record)) {
        char data[16];
        std::snprintf(data, sizeof(data), access->m_size == 2 ? "%04X" : "%02X",
                      static_cast<unsigned>(access->m_address & 0xFFFF));
        const std::string address = m_source != nullptr ? AddressText(access->m_selector) : std::string();
        std::snprintf(text, sizeof(text), "%+07ld\t\t%s\t%s\t%s\t", static_cast<long>(pointer),
                      record.m_type.c_str(), address.c_str(), data);
        return text;
    }
    const std::string instruction =
        record.m_valid != 0 ? FormatInstructionAt(GetHost(), Memory(), record.m_address) : std::string();
    std::snprintf(text, sizeof(text), "%+07ld\t%04ld\t%s\t%08X\t\t", static_cast<long>(pointer), ip,
                  record.m_type.c_str(), static_cast<unsigned>(record.m_address));
    return text + instruction;
}

const char* CTraceListProvider::GetHeaderText() const {
    return kHeader;
}

std::span<const LONG> CTraceListProvider::GetColumnKinds() const {
    return kColumnKinds;
}
