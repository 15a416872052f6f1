// The simulated host's services of run control: the register array it hands
// the target (SetParameters) with the register service over it, and the
// stop-position service that records where each run ended. Both are used
// from the plug-in's go thread as well as the host's own thread.
#pragma once

#include "platform/host/target_interfaces.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace simhost {

class CallLog;

// The Vk3 registers as the host's register windows name them, with their
// widths in bytes, in the order of the register array.
struct HostRegisterName {
    const char* name;
    WORD width;
};
inline constexpr std::size_t kHostRegisterCount = 20;
extern const std::array<HostRegisterName, kHostRegisterCount> kHostRegisterNames;

class HostRegisters : public IHRegisterService {
public:
    explicit HostRegisters(CallLog& log) : log_(log) {}
    virtual ~HostRegisters() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // The value of the named register (case does not matter); E_INVALIDARG
    // for a name the host does not know.
    HRESULT STDMETHODCALLTYPE GetValueByName(BSTR name, DWORD* value) override;
    // Its bytes, most significant first, as wide as the register.
    HRESULT STDMETHODCALLTYPE GetBytesByName(BSTR name, BYTE* bytes, WORD* width) override;

    // The array the target gets: 8 bytes an entry, the register in the low
    // 32 bits. The target reads and writes it while a run hands it over;
    // the host reads it between runs.
    std::uint64_t* Array() { return array_.data(); }
    DWORD Value(std::size_t index) const { return static_cast<DWORD>(array_[index]); }
    // What the person types into a register window.
    void SetValue(std::size_t index, DWORD value) { array_[index] = value; }

private:
    int Find(BSTR name) const;

    CallLog& log_;
    std::array<std::uint64_t, kHostRegisterCount> array_{};
};

class HostStopPositions : public IHStopPosition {
public:
    explicit HostStopPositions(CallLog& log) : log_(log) {}
    virtual ~HostStopPositions() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE SetStopPosition(DWORD pc) override;

    // The PCs the target reported, in order.
    std::vector<DWORD> Positions() const;

private:
    CallLog& log_;
    mutable std::mutex mutex_;
    std::vector<DWORD> positions_;
};

}  // namespace simhost
