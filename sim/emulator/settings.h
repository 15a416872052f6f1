// The model's settings and the configuration text that carries them:
// "key=value" pairs separated by ';' (blanks around them are ignored), as
// the driver's configuration entries and the control API take it.
#pragma once

#include "sim/emulator/device.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace simemu {

struct Settings {
    const Device* device = &DemoDevice();
    std::uint32_t protocolType = DemoDevice().defaultProtocol;
    bool boardPowered = true;     // the target board has its own supply
    bool connected = true;        // the target connector is plugged in
    bool canary = false;          // RAM starts as each byte's address plus one
    std::uint32_t pendingPolls = 0;  // polled entries answer pending this many polls
    std::uint32_t budget = 1000;     // instructions a running program gets per driver call
    std::uint32_t idLockout = 3;     // wrong ID codes before the boot program locks out
    std::uint32_t flashBusyPolls = 0;  // status reads that see an erase or program still busy
    // The driver's channels ("SIM0" ...) and interfaces ("SIMUSB", "SIMLAN"):
    // not part of the configuration text the driver answers.
    static constexpr std::uint32_t kMostChannels = 4;
    static constexpr std::uint32_t kMostInterfaces = 2;
    std::uint32_t channels = 1;
    std::uint32_t interfaces = 1;

    std::string Format() const;
};

// One fault of a configuration text: "fault=name[:value[:count]]".
struct FaultRequest {
    std::uint32_t fault = 0;
    std::uint32_t value = 0;
    std::uint32_t count = 1;
};

// What a configuration text asks for: new settings, an ID code to program,
// faults to arm and whether to install the firmware.
struct Configuration {
    Settings settings;
    std::optional<std::array<std::uint8_t, 7>> idCode;
    std::vector<FaultRequest> faults;
    bool installFirmware = false;
};

// Parses text over the current settings; nothing when any pair is wrong.
std::optional<Configuration> ParseConfiguration(std::string_view text, const Settings& current);

}  // namespace simemu
