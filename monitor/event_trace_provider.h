// The trace list of the firmware's event function: the records come from
// the event engine's trace (branches and data accesses). Until the target
// has an event engine the list builds nothing.
#pragma once

#include "monitor/trace_handler.h"

#include <vector>

// One record of the event engine's trace.
struct EventTraceEntry {
    bool access = false;      // a data access, else a branch
    bool branchSource = false;  // a branch's source (else its destination)
    DWORD address = 0;        // a branch's address
    DWORD direction = 0;      // an access: 1 read, else write
    DWORD value = 0;          // an access's data
    DWORD size = 1;           // an access's size in bytes
    DWORD selector = 0;       // an access's event: 0, 1, or both
};

// What the trace list asks of the event engine.
class CEventTraceSource {
public:
    // Reads the trace from the emulator; false when it could not, the
    // records of the last read staying.
    virtual bool ReadTrace() = 0;
    virtual DWORD GetTraceCapacity() = 0;
    virtual bool IsTraceBusy() = 0;
    // A copy of the records of the last read, oldest first.
    virtual std::vector<EventTraceEntry> GetTraceRecords() = 0;
    // The address range of event 0 or 1.
    virtual void GetEventRange(DWORD event, DWORD* start, DWORD* end) = 0;

protected:
    ~CEventTraceSource() = default;
};

class CTraceListProvider : public CTraceHandler {
public:
    // source: the event engine's trace (none: no records, capacity 64).
    CTraceListProvider(IHostServiceProvider* host, CTraceMemoryAccess* memory, CEventTraceSource* source);

    // Index 4: whether the engine holds records and is not busy.
    HRESULT STDMETHODCALLTYPE QueryCapability(DWORD index, WORD* offered) override;

protected:
    std::string FormatRow(CTraceRecord& record) override;
    void BuildRecords() override;
    DWORD GetCapacity() override;
    const char* GetHeaderText() const override;
    std::span<const LONG> GetColumnKinds() const override;

private:
    std::string AddressText(DWORD selector);

    CEventTraceSource* m_source;
};
