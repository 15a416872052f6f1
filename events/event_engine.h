// CEventEngine drives the firmware's event function: events A and B, their
// break combination, the execution trace and the eight address interrupts
// that carry the program-fetch break channels, all through the event
// commands 'P' to 'V'. It keeps the last settings so that every go can send
// them again, and so that the event settings can be shown and edited.
//
// Between runs the engine is detached: edits are only kept. StartEvents
// (before a go) attaches it, so later edits go out at once; StopEvents
// (after the run) sends the settings without their breaks and detaches it.
// Address interrupts go out whether attached or not.
//
// The go thread (start, stop, interrupts) and the UI thread (the trace
// list, the event settings) share the engine: its state is under its own
// mutex, taken after the memory lock and before the driver lock, and the
// trace list gets a copy of the records.
#pragma once

#include "events/event_commands.h"
#include "events/event_descriptor.h"
#include "events/event_register_map.h"
#include "monitor/event_trace_provider.h"
#include "target/target_objects.h"

#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CEmulatorLink;

class CEventEngine : public CEventEngineBase, public CEventTraceSource {
public:
    // Reads the register map of the device's section of deviceFile; the
    // trace buffer lies at traceAreaBase plus the map's offset. host: asked
    // for the address range that sets the width of addresses in the texts
    // (none: six digits).
    CEventEngine(const char* deviceFile, const char* deviceSection, DWORD traceAreaBase,
                 IHostServiceProvider* host = nullptr);
    ~CEventEngine() override = default;
    CEventEngine(const CEventEngine&) = delete;
    CEventEngine& operator=(const CEventEngine&) = delete;

    // 'Q': arms (enable 1) or disarms channel 0..7; out-of-range channels
    // are refused (false) without a frame.
    bool SetAddressInterrupt(DWORD channel, DWORD address, LONG enable) override;
    // 'P': the DCR registers' addresses.
    virtual bool SendDcrAddresses();
    // 'R' when attached; the event is kept (the old one on failure). id 1
    // is event B, every other id event A.
    virtual bool SetEvent(LONG id, LONG kind, LONG accessSize, LONG accessType, DWORD address, WORD data,
                          LONG maskBits, WORD dataMask, const char* name);
    // 'S' when attached; kept unless it failed.
    virtual bool SetBreakCombination(LONG value);
    // 'T' when attached; kept unless it failed.
    virtual bool SetTraceCondition(LONG type, LONG start, LONG stop, LONG pickUp, LONG breakAtFull,
                                   LONG controlBit7);
    // 'U': how many records the trace holds.
    virtual bool GetTraceCount(DWORD* count);
    // 'U', then 'V': the records, oldest first. A failing 'U' gives an
    // empty trace (true); a failing or short 'V' keeps the records (false).
    bool ReadTrace() override;
    virtual void LoadEventRegisterMap(const char* file, const char* section);
    // 'P', then the stored settings once; E_FAIL when either fails.
    HRESULT Attach(CEmulatorLink* link) override;
    // 'R' (B), 'R' (A), 'S', 'T', as far as they succeed.
    virtual bool ProgramEvents();
    virtual LONG GetTraceSize();
    void StartEvents(LONG flag) override;
    void StopEvents() override;

    // Texts of the event list.
    void FormatCondition(LONG id, std::string& condition, std::string& access);
    static std::string FormatCombination(LONG value);
    std::string FormatBreakCondition();
    std::string FormatTraceCondition();
    // The addresses an event covers; untouched for an unknown id.
    void GetEventAddressRange(LONG id, DWORD* low, DWORD* high);

    // The settings, as the event settings read them.
    std::optional<CEventDescriptor> GetEvent(LONG id);
    LONG GetBreakCombination();
    EventTraceSettings GetTraceSettings();
    std::vector<CEventTraceRecord> GetRecords();
    EventRegisterMap GetRegisterMap();
    DWORD GetTraceBufferAddress();

    // The trace list's source.
    DWORD GetTraceCapacity() override { return static_cast<DWORD>(GetTraceSize()); }
    bool IsTraceBusy() override;
    std::vector<EventTraceEntry> GetTraceRecords() override;
    void GetEventRange(DWORD event, DWORD* start, DWORD* end) override;

private:
    struct InterruptSetting {
        DWORD address = 0;
        LONG enable = 0;
    };

    bool SendDcrAddressesLocked();
    bool SetEventLocked(const CEventDescriptor& event);
    bool SetBreakCombinationLocked(LONG value);
    bool SetTraceConditionLocked(const EventTraceSettings& settings);
    bool ProgramEventsLocked();
    // ProgramEvents with the break combination and the break at a full
    // trace sent as 0, both kept as they were.
    void ProgramEventsWithoutBreaksLocked();
    bool ReadPointerLocked(DWORD* pointer, DWORD* wrapped);
    void ReadAddressFormat(IHostServiceProvider* host);
    std::string AddressText(DWORD address) const;

    std::mutex m_mutex;
    EventRegisterMap m_map;
    CEmulatorLink* m_link = nullptr;
    EventTraceSettings m_trace;
    LONG m_combination = 0;
    std::vector<CEventTraceRecord> m_records;
    std::map<LONG, CEventDescriptor> m_events;
    std::array<InterruptSetting, 8> m_interrupts{};
    // Digits of an address in the texts.
    int m_addressDigits = 6;
    DWORD m_traceAreaBase;
    DWORD m_traceBufferAddress = 0;
    bool m_attached = false;
};
