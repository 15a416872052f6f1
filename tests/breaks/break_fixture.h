// What the break tests stand the break code on: services that record what
// the breaks ask of the target (breakpoint commands, memory blocks, the
// session mark, host events) over a little target memory of their own, and
// a breakpoint service that answers as the host does, calling the manager
// or list back at once.
#pragma once

#include "breaks/break_services.h"
#include "config/device_data.h"

#include "platform/host/ids.h"

#include <array>
#include <map>
#include <utility>
#include <vector>

namespace breaktest {

// A monitor breakpoint command as it was asked for.
struct Command {
    DWORD mode;
    DWORD address;
    bool operator==(const Command&) const = default;
};

inline Command Set(DWORD address) {
    return {0, address};
}
inline Command Clear(DWORD address) {
    return {1, address};
}

class FakeBreakServices : public CBreakServices {
public:
    DWORD cpuTypeCode = 200;
    int modifiedMarks = 0;
    bool running = false;
    DWORD topAddress = 0xFFFFF;
    DWORD dataLimit = 0xFFFFF;
    std::vector<Command> commands;
    std::map<DWORD, BYTE> memory;  // bytes not in the map read as 0xEE
    bool memoryFails = false;
    std::vector<GUID> raisedEvents;

    DWORD GetCpuTypeCode() const override { return cpuTypeCode; }
    void SetModified() override { ++modifiedMarks; }
    const CLSID& GetComponentClassId() const override { return CLSID_Q3vVk3Target; }
    bool IsProgramRunning() const override { return running; }
    DWORD GetTopAddress() const override { return topAddress; }
    DWORD GetDataLimit() const override { return dataLimit; }
    void BreakpointCommand(DWORD mode, DWORD address) override { commands.push_back({mode, address}); }
    HRESULT ReadMemoryBlock(DWORD start, DWORD end, BYTE* buffer) override {
        if (memoryFails) {
            return E_FAIL;
        }
        for (DWORD address = start; address <= end; ++address) {
            const auto found = memory.find(address);
            buffer[address - start] = found != memory.end() ? found->second : 0xEE;
        }
        return S_OK;
    }
    HRESULT WriteMemoryBlock(DWORD start, DWORD end, BYTE* buffer) override {
        for (DWORD address = start; address <= end; ++address) {
            memory[address] = buffer[address - start];
        }
        return S_OK;
    }
    void RaiseHostEvent(const GUID& eventId) override { raisedEvents.push_back(eventId); }
};

// Puts the device data the address rules read back as it was.
class DeviceDataScope {
public:
    DeviceDataScope() : m_areas(g_deviceAreas), m_values(g_deviceValues), m_emuSel(g_emuSel) {}
    ~DeviceDataScope() {
        g_deviceAreas = m_areas;
        g_deviceValues = m_values;
        g_emuSel = m_emuSel;
    }

private:
    std::array<DeviceArea, kDeviceAreaCount> m_areas;
    DeviceValues m_values;
    DWORD m_emuSel;
};

// Installs fake services for a test's lifetime.
class BreakServicesFixture {
protected:
    FakeBreakServices services_;
    CBreakServicesScope servicesScope_{services_};
};

}  // namespace breaktest
