#include "sim/emulator/settings.h"

#include "sim/emulator/faults.h"

#include <charconv>
#include <cstdio>

namespace simemu {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<std::uint32_t> Number(std::string_view text, int base = 10) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A decimal number, or a hexadecimal one after "0x".
std::optional<std::uint32_t> Value(std::string_view text) {
    if (text.size() > 2 && text.substr(0, 2) == "0x") {
        return Number(text.substr(2), 16);
    }
    return Number(text);
}

std::optional<bool> Choice(std::string_view text, std::string_view yes, std::string_view no) {
    if (text == yes) {
        return true;
    }
    if (text == no) {
        return false;
    }
    return std::nullopt;
}

std::optional<std::array<std::uint8_t, 7>> IdCode(std::string_view text) {
    if (text.size() != 14) {
        return std::nullopt;
    }
    std::array<std::uint8_t, 7> code{};
    for (std::size_t i = 0; i < code.size(); ++i) {
        const auto byte = Number(text.substr(2 * i, 2), 16);
        if (!byte) {
            return std::nullopt;
        }
        code[i] = static_cast<std::uint8_t>(*byte);
    }
    return code;
}

std::optional<FaultRequest> ParseFault(std::string_view text) {
    struct Named {
        std::string_view name;
        Fault fault;
    };
    static constexpr Named kNames[] = {
        {"timeout", Fault::ReceiveTimeout}, {"linklost", Fault::LinkLost},     {"connector", Fault::Connector},
        {"nak", Fault::NegativeAcknowledge}, {"status", Fault::StatusReply},   {"erase", Fault::Erase},
        {"program", Fault::Program},         {"reset", Fault::TargetReset},    {"short", Fault::ShortReply},
        {"corrupt", Fault::CorruptReply},    {"verify", Fault::Verify},        {"power", Fault::TargetPower},
        {"ack", Fault::BareAcknowledge},     {"delay", Fault::Delay},          {"stuck", Fault::FlashStuck},
        {"breakstop", Fault::BreakStop},    {"initialise", Fault::Initialise},
        {"nobreak", Fault::NoBreak},         {"eventstatus", Fault::EventStatus},
        {"eventshort", Fault::EventShortReply},
    };
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    FaultRequest request;
    bool known = false;
    for (const Named& named : kNames) {
        if (named.name == name) {
            request.fault = static_cast<std::uint32_t>(named.fault);
            known = true;
        }
    }
    if (!known) {
        return std::nullopt;
    }
    if (colon != std::string_view::npos) {
        const std::string_view rest = text.substr(colon + 1);
        const std::size_t second = rest.find(':');
        const auto value = Value(rest.substr(0, second));
        if (!value) {
            return std::nullopt;
        }
        request.value = *value;
        if (second != std::string_view::npos) {
            const auto count = Number(rest.substr(second + 1));
            if (!count) {
                return std::nullopt;
            }
            request.count = *count;
        }
    }
    return request;
}

}  // namespace

std::string Settings::Format() const {
    char text[256];
    std::snprintf(text, sizeof(text),
                  "device=%.*s;protocol=%u;board=%s;connector=%s;canary=%u;pending=%u;steps=%u;lockout=%u;"
                  "flashbusy=%u",
                  static_cast<int>(device->name.size()), device->name.data(), static_cast<unsigned>(protocolType),
                  boardPowered ? "powered" : "unpowered", connected ? "connected" : "disconnected",
                  canary ? 1u : 0u, static_cast<unsigned>(pendingPolls), static_cast<unsigned>(budget),
                  static_cast<unsigned>(idLockout), static_cast<unsigned>(flashBusyPolls));
    return text;
}

std::optional<Configuration> ParseConfiguration(std::string_view text, const Settings& current) {
    Configuration configuration;
    configuration.settings = current;
    Settings& s = configuration.settings;
    bool protocolGiven = false;
    while (!text.empty()) {
        const std::size_t semicolon = text.find(';');
        const std::string_view pair = Trim(text.substr(0, semicolon));
        text = semicolon == std::string_view::npos ? std::string_view{} : text.substr(semicolon + 1);
        if (pair.empty()) {
            continue;
        }
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view key = Trim(pair.substr(0, equals));
        const std::string_view value = Trim(pair.substr(equals + 1));
        if (key == "device") {
            const Device* device = FindDevice(value);
            if (device == nullptr) {
                return std::nullopt;
            }
            s.device = device;
        } else if (key == "protocol") {
            const auto type = Number(value);
            if (!type || *type > 4) {
                return std::nullopt;
            }
            s.protocolType = *type;
            protocolGiven = true;
        } else if (key == "board") {
            const auto powered = Choice(value, "powered", "unpowered");
            if (!powered) {
                return std::nullopt;
            }
            s.boardPowered = *powered;
        } else if (key == "connector") {
            const auto connected = Choice(value, "connected", "disconnected");
            if (!connected) {
                return std::nullopt;
            }
            s.connected = *connected;
        } else if (key == "canary") {
            const auto on = Choice(value, "1", "0");
            if (!on) {
                return std::nullopt;
            }
            s.canary = *on;
        } else if (key == "pending" || key == "steps" || key == "lockout" || key == "flashbusy") {
            const auto number = Number(value);
            if (!number || (key == "steps" && *number == 0)) {
                return std::nullopt;
            }
            (key == "pending"   ? s.pendingPolls
             : key == "steps"   ? s.budget
             : key == "lockout" ? s.idLockout
                                : s.flashBusyPolls) = *number;
        } else if (key == "channels" || key == "interfaces") {
            const auto number = Number(value);
            const std::uint32_t most = key == "channels" ? Settings::kMostChannels : Settings::kMostInterfaces;
            if (!number || *number == 0 || *number > most) {
                return std::nullopt;
            }
            (key == "channels" ? s.channels : s.interfaces) = *number;
        } else if (key == "idcode") {
            configuration.idCode = IdCode(value);
            if (!configuration.idCode) {
                return std::nullopt;
            }
        } else if (key == "fault") {
            const auto fault = ParseFault(value);
            if (!fault) {
                return std::nullopt;
            }
            configuration.faults.push_back(*fault);
        } else if (key == "firmware") {
            if (value != "installed") {
                return std::nullopt;
            }
            configuration.installFirmware = true;
        } else {
            return std::nullopt;
        }
    }
    // A new device brings its own protocol type unless the text names one.
    if (s.device != current.device && !protocolGiven) {
        s.protocolType = s.device->defaultProtocol;
    }
    return configuration;
}

}  // namespace simemu
