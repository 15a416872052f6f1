#include "sim/emulator/driver_results.h"

#include "sim/emulator/sim_emulator_control.h"

namespace simemu {

const char* DriverErrorText(std::uint32_t code) {
    switch (code) {
    case Q3V_SIM_OK:
        return "No error.";
    case Q3V_SIM_NOT_INITIALISED:
        return "The driver is not initialised.";
    case Q3V_SIM_UNKNOWN_INTERFACE:
        return "Unknown interface name.";
    case Q3V_SIM_PENDING:
        return "The operation is still running.";
    case Q3V_SIM_INVALID_PARAMETER:
        return "Invalid parameter.";
    case Q3V_SIM_RECEIVE_TIMEOUT:
        return "Receive time-out: the emulator did not answer.";
    case Q3V_SIM_LINK_LOST:
        return "The USB link to the emulator is lost.";
    case Q3V_SIM_FRAME_TOO_LONG:
        return "Frame too long.";
    case Q3V_SIM_NO_EMULATOR:
        return "No emulator at that index.";
    case Q3V_SIM_ADDRESS_OUT_OF_RANGE:
        return "Address out of range.";
    case Q3V_SIM_ALREADY_INITIALISED:
        return "The driver is already initialised.";
    case Q3V_SIM_NOT_SUPPORTED:
        return "Operation not supported.";
    case Q3V_SIM_WRITE_PROTECTED:
        return "That emulator memory is write-protected.";
    case Q3V_SIM_BAD_CONFIGURATION:
        return "Invalid configuration text.";
    default:
        return "Unknown driver error.";
    }
}

}  // namespace simemu
