// The trace list of the host's trace window: the records of the last
// branches (and, with the firmware's event function, data accesses), built
// on demand after a stop and formatted as rows when the host first asks for
// them. CTraceHandler keeps the records and serves IHTTraceList and the
// trace-clear event; the providers build the records.
#pragma once

#include "frame/target_handler.h"

#include "platform/host/status_interfaces.h"
#include "platform/host/target_interfaces.h"

#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CTraceMemoryAccess;

// One row of the trace list.
class CTraceRecord {
public:
    CTraceRecord(DWORD address, std::string type) : m_address(address), m_type(std::move(type)) {}
    virtual ~CTraceRecord() = default;

    LONG m_row = 0;
    // The branch's address, or an access record's data value.
    DWORD m_address;
    DWORD m_valid = 1;
    std::string m_text;
    std::string m_type;
};

// An access record of the event function: its size and its event.
class CTraceAccessRecord : public CTraceRecord {
public:
    CTraceAccessRecord(DWORD value, std::string type, DWORD size, DWORD selector)
        : CTraceRecord(value, std::move(type)), m_size(size), m_selector(selector) {
        m_valid = 0;
    }

    DWORD m_size;
    DWORD m_selector;
};

class CTraceHandler : public CTargetHandler, public IHTTraceList, public IHEventReceiver {
public:
    // Registers the list with the host as a server and the event receiver
    // as a client, for its lifetime. memory: how records and instructions
    // are read (none: nothing is).
    CTraceHandler(IHostServiceProvider* host, CTraceMemoryAccess* memory);
    ~CTraceHandler() override;

    // The run-state monitor's word at each stop: 0 after a single step, 1
    // after any other stop. Records are loaded only while it is 1.
    void SetTraceValid(DWORD valid) { m_traceValid = valid; }
    DWORD GetTraceValid() const { return m_traceValid; }
    DWORD GetRecordCount() const { return static_cast<DWORD>(m_records.size()); }
    bool IsLoaded() const { return m_loaded != 0; }

    // IUnknown, for both interfaces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

    // IHTTraceList
    HRESULT STDMETHODCALLTYPE GetRowText(DWORD row, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE GetRowText2(DWORD row, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE QueryCapability(DWORD index, WORD* offered) override;
    HRESULT STDMETHODCALLTYPE Unsupported6(DWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE Unsupported7(DWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE Unsupported8(DWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetName(DWORD* kind, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE Clear(DWORD kind) override;
    HRESULT STDMETHODCALLTYPE GetHeader(BSTR* header) override;
    HRESULT STDMETHODCALLTYPE GetCount(DWORD kind, DWORD* count) override;
    HRESULT STDMETHODCALLTYPE Unsupported13(DWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetColumnKind(DWORD column, LONG* kind) override;

    // IHEventReceiver: the trace-clear event drops the records.
    HRESULT STDMETHODCALLTYPE OnEvent(const GUID* eventId) override;

protected:
    // The text of a record's row.
    virtual std::string FormatRow(CTraceRecord& record) = 0;
    // Drops the records and builds them again.
    virtual void LoadRecords();
    virtual void BuildRecords() = 0;
    virtual DWORD GetCapacity() = 0;
    // The record of a row, none when the row does not exist.
    virtual CTraceRecord* GetRecord(DWORD row);
    virtual const char* GetHeaderText() const = 0;
    virtual std::span<const LONG> GetColumnKinds() const = 0;

    // Whether the host's execution service says no run is in progress and
    // the last stop left valid records.
    bool LoadAllowed() const;
    void DeleteRecords();
    void AddAtHead(std::unique_ptr<CTraceRecord> record);
    void AddAtTail(std::unique_ptr<CTraceRecord> record);
    void Renumber();
    // PTR and IP of a row: 0 for the newest row, negative before it.
    LONG Pointer(const CTraceRecord& record) const;
    CTraceMemoryAccess* Memory() const { return m_memory; }

private:
    HRESULT RowText(DWORD row, BSTR* text);

    CTraceMemoryAccess* m_memory;
    std::vector<std::unique_ptr<CTraceRecord>> m_records;
    DWORD m_loaded = 0;
    std::atomic<DWORD> m_traceValid{0};  // written on the go thread
};

// Sets the trace-valid word of the target's trace provider, when there is
// one (the run-state monitor calls it at every stop).
void SetTraceValidFlag(DWORD valid);
