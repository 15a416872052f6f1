// The simulated host's services for the break-condition channels: the valid
// address range (what the target's own memory-range server tells the host,
// unless a test sets a range) and the source position of an address, from a
// line table that starts with the demo program's lines; the address lookup,
// whose item tells the function and the source line of an address, and the
// symbol table, both over the demo program's two functions.
#pragma once

#include "platform/host/break_condition_interfaces.h"
#include "sim/host/call_log.h"

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace simhost {

class HostAddressRange : public IHAddressRange {
public:
    // fallback: the range the target tells the host, if it does.
    HostAddressRange(CallLog& log, std::function<std::optional<std::pair<DWORD, DWORD>>()> fallback)
        : log_(log), fallback_(std::move(fallback)) {}
    virtual ~HostAddressRange() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // The set range, else the target's, else the whole 32-bit space.
    HRESULT STDMETHODCALLTYPE GetRange(DWORD* low, DWORD* high) override;

    void SetRange(std::optional<std::pair<DWORD, DWORD>> range);

private:
    CallLog& log_;
    std::function<std::optional<std::pair<DWORD, DWORD>>()> fallback_;
    mutable std::mutex mutex_;
    std::optional<std::pair<DWORD, DWORD>> range_;
};

class HostSourcePosition : public IHSourcePosition {
public:
    explicit HostSourcePosition(CallLog& log);
    virtual ~HostSourcePosition() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // 0 with the file and line of an address in the table, else E_FAIL.
    HRESULT STDMETHODCALLTYPE GetSourcePosition(DWORD address, BSTR* file, DWORD* line) override;

    // Adds (or replaces) one line of the table.
    void SetLine(DWORD address, std::string file, DWORD line);
    void ClearLines();
    // The table: each line's file and number by the address its code starts at.
    std::map<DWORD, std::pair<std::string, DWORD>> Lines() const;

private:
    CallLog& log_;
    mutable std::mutex mutex_;
    std::map<DWORD, std::pair<std::string, DWORD>> lines_;
};

// The demo program's functions: the name of the one an address lies in.
std::optional<std::string> DemoFunctionAt(DWORD address);

// The lookup's item: one object answers for every address the lookup knows.
class HostLookupItem : public IHSourceLocation {
public:
    HostLookupItem(CallLog& log, HostSourcePosition& lines) : log_(log), lines_(lines) {}
    virtual ~HostLookupItem() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // The demo function's name; E_FAIL while function names are withheld.
    HRESULT STDMETHODCALLTYPE GetFunctionName(DWORD address, BSTR* name) override;
    // The line table's file and line.
    HRESULT STDMETHODCALLTYPE GetFileLine(DWORD address, BSTR* file, DWORD* line) override;

    void WithholdFunctionNames(bool withhold);

private:
    CallLog& log_;
    HostSourcePosition& lines_;
    std::mutex mutex_;
    bool withheld_ = false;
};

class HostAddressLookup : public IHAddressLookup {
public:
    HostAddressLookup(CallLog& log, HostSourcePosition& lines) : log_(log), item_(log, lines) {}
    virtual ~HostAddressLookup() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // The item for an address of a demo function, else E_FAIL.
    HRESULT STDMETHODCALLTYPE LookupAddress(DWORD address, IUnknown** item) override;

    HostLookupItem& Item() { return item_; }

private:
    CallLog& log_;
    HostLookupItem item_;
};

class HostSymbolService : public IHSymbolService {
public:
    explicit HostSymbolService(CallLog& log) : log_(log) {}
    virtual ~HostSymbolService() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // The demo function the record's address lies in, else E_FAIL.
    HRESULT STDMETHODCALLTYPE GetSymbolName(HostSymbolRecord* record) override;

private:
    CallLog& log_;
};

}  // namespace simhost
