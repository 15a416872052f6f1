// The simulated host's debugging services: the execution state (a run of
// the host in progress or not) and the disassembler of the simulated
// emulator's instruction subset. Both may be called from any thread.
#pragma once

#include "platform/host/status_interfaces.h"
#include "sim/host/call_log.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace simhost {

class HostExecution : public IHExecutionService {
public:
    explicit HostExecution(CallLog& log) : log_(log) {}
    virtual ~HostExecution() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // S_OK while a run of the host is in progress, else E_FAIL.
    HRESULT STDMETHODCALLTYPE QueryExecuting() override;

    void SetExecuting(bool executing) { executing_ = executing; }
    bool IsExecuting() const { return executing_; }

private:
    CallLog& log_;
    std::atomic<bool> executing_{false};
};

// Names the instruction in the 8 bytes read at an address: "NOP", "JMP.B",
// "JMP.W", "JMP.A", "JSR.B", "JSR.W", "JSR.A" with the destination as six
// hexadecimal digits, "RTS", "REIT", "EXITD", "BRK"; anything else is
// ".BYTE" with the first byte. Protocol type 3 has its own opcodes for the
// calls, the returns and the break byte.
class HostDisassembler : public IHDisassembler {
public:
    explicit HostDisassembler(CallLog& log) : log_(log) {}
    virtual ~HostDisassembler() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE Disassemble(DWORD address, const BYTE* bytes, BSTR* text) override;

    void SetProtocolType(std::uint32_t protocolType) { protocolType_ = protocolType; }
    // The text without the call's record.
    std::string Text(DWORD address, const BYTE* bytes) const;

private:
    CallLog& log_;
    std::atomic<std::uint32_t> protocolType_{1};
};

}  // namespace simhost
