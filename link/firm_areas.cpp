#include "link/firm_areas.h"

#include "config/device_data.h"

#include <algorithm>

namespace {

const DeviceArea& Area(DeviceAreaIndex index) {
    return g_deviceAreas[index];
}

bool In(const DeviceArea& area, std::uint64_t address) {
    return area.top <= address && address <= area.end;
}

bool InFir3(std::uint64_t address) {
    return Area(kAreaFir3).enable != 0 && In(Area(kAreaFir3), address);
}

PieceDecision Target(std::uint64_t last) {
    return {PieceRoute::Target, last};
}

PieceDecision Mirror(std::uint64_t last) {
    return {PieceRoute::Mirror, last};
}

PieceDecision Refused(bool aboveFlash = false, bool silent = false) {
    PieceDecision decision;
    decision.aboveFlash = aboveFlash;
    decision.silent = silent;
    return decision;
}

// The lowest top and the highest end of the two RAM areas FIRM and FIR2.
std::uint64_t RamTop() {
    return std::min(Area(kAreaFirm).top, Area(kAreaFir2).top);
}

std::uint64_t RamEnd() {
    return std::max(Area(kAreaFirm).end, Area(kAreaFir2).end);
}

// The writes a connection in progress may make below the I/O end.
bool AllowedWhileBusy(std::uint64_t a, DWORD count) {
    const DeviceValues& device = g_deviceValues;
    const bool special = std::any_of(device.specialRegisters.begin(), device.specialRegisters.end(),
                                     [&](const SpecialRegister& r) { return r.address == a; });
    if (g_protocolType == 3) {
        return (count == 55 && a == device.connectBlockAddress) || (count == 1 && special) ||
               (count == 3 && a == device.setAddr[6]);
    }
    const auto first = device.initialRegisters.begin();
    const auto last = first + std::min<std::size_t>(device.initialRegisterCount, device.initialRegisters.size());
    return count == 1 && (special || std::find(first, last, a) != last);
}

}  // namespace

DWORD ReadTop() {
    return std::max(g_deviceValues.maxAddr, Area(kAreaAse1).end);
}

PieceDecision RouteRead(std::uint64_t a, DWORD top) {
    const std::uint64_t low = RamEnd();
    if (a <= low) {
        return Target(low);
    }
    for (const DeviceAreaIndex index : {kAreaIio2, kAreaDatf, kAreaFir3}) {
        const DeviceArea& area = Area(index);
        if (area.enable == 0) {
            continue;
        }
        if (a < area.top) {
            return Mirror(area.top - 1);
        }
        if (a <= area.end) {
            return Target(area.end);
        }
    }
    return Mirror(top);
}

PieceDecision RouteWrite(std::uint64_t a, std::uint64_t e, DWORD count, bool busy) {
    const DeviceArea& io = Area(kAreaIio1);
    const DeviceArea& flash = Area(kAreaFlas);
    if (a <= io.end) {
        if (busy) {
            return AllowedWhileBusy(a, count) ? Target(e) : Refused();
        }
        return e > io.end ? Refused() : Target(e);
    }
    if (a < RamTop()) {
        return Refused();
    }
    if (a <= RamEnd()) {
        return e > RamEnd() ? Refused() : Target(e);
    }
    if (a < flash.top) {
        const DeviceArea& io2 = Area(kAreaIio2);
        const bool inIo2 = io2.enable != 0 && In(io2, a) && In(io2, e);
        return inIo2 || (InFir3(a) && InFir3(e)) ? Target(e) : Refused();
    }
    if (a > flash.end) {
        return Refused(true);
    }
    return InFir3(a) && InFir3(e) ? Target(e) : Mirror(flash.end);
}

PieceDecision RouteFill(std::uint64_t a, std::uint64_t e) {
    const DeviceArea& io = Area(kAreaIio1);
    const DeviceArea& flash = Area(kAreaFlas);
    const bool dataFlash = Area(kAreaDatf).enable != 0;
    if (a <= io.end) {
        return e > io.end ? Refused() : Target(e);
    }
    if (a < RamTop()) {
        return Refused();
    }
    if (a <= RamEnd()) {
        return e > RamEnd() ? Refused() : Target(e);
    }
    if (!dataFlash && InFir3(a)) {
        return InFir3(e) ? Target(e) : Refused();
    }
    if (a < flash.top) {
        return Refused();
    }
    if (dataFlash && InFir3(a)) {
        return InFir3(e) ? Target(e) : Refused();
    }
    if (a <= flash.end) {
        return e > flash.end ? Refused(false, g_emuSel == connect_mode::kProgramFlash) : Mirror(flash.end);
    }
    return Refused();
}
