// The simulated host's services for the break-condition channels: the valid
// address range (what the target's own memory-range server tells the host,
// unless a test sets a range) and the source position of an address, from a
// line table that starts with the demo program's lines.
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

}  // namespace simhost
