// Feeds arbitrary frames to the simulated emulator's transmit entry point
// and collects each reply, in every state a session can bring the model to:
// any protocol type and device, in the boot program with or without the
// flash writer, and with the firmware running, running a program, or handed
// to the flash writer. Nothing may crash, hang, leak or write past a reply.
#include "sim/emulator/sim_emulator_control.h"

#include "platform/clock.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" DWORD WINAPI ULE_Initialise(const char* interfaceName, const char* const** channels);
extern "C" DWORD WINAPI ULE_Select(DWORD index);
extern "C" DWORD WINAPI X_PDI_TX(WORD count, BYTE* buffer, WORD reserved, BYTE flag);
extern "C" DWORD WINAPI H_SCI_RX(WORD reserved, BYTE* buffer, WORD reserved2, BYTE flag);

namespace {

void Exchange(std::vector<BYTE> frame) {
    static std::vector<BYTE> reply(8192);
    X_PDI_TX(static_cast<WORD>(frame.size()), frame.data(), 0, 1);
    H_SCI_RX(0, reply.data(), 0, 1);
}

// Brings the model into the state the scenario byte names.
void Prepare(std::uint8_t scenario) {
    static const char* const kSettings[] = {
        "device=VK31D16;protocol=0;steps=64", "device=VK31D16;protocol=1;steps=64",
        "device=VK32D64;protocol=2;steps=64", "device=VK33D64;protocol=3;steps=64",
        "device=VK31D16;protocol=4;steps=64",
    };
    Q3vSimConfigure(kSettings[scenario % 5]);
    Q3vSimReset();
    if ((scenario & 0x08) != 0) {
        // The ID check with the blank code, then the flash writer.
        Exchange({0x00, 0x12, 0x00, 0x0C, 0x00, 0x00, 0xF5, 0xDF, 0xFF, 0x00, 0x07,
                  0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x81});
        Exchange({0x00, 0x0C, 0x00, 0x07, 0x00, 0x00, 0xFA, 0x03, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x81});
        Exchange({0x00, 0x02, 0xEF, 0x81});
    }
    if ((scenario & 0x10) != 0) {
        Q3vSimInstallFirmware();
        if ((scenario & 0x20) != 0) {
            Exchange({0x00, 0x0E, 0x5A, 0x21, 0x00, 0x0E, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x81});
        } else if ((scenario & 0x40) != 0) {
            Exchange({0x00, 0x06, 0x5A, 0x13, 0x00, 0x06, 0xA5, 0x81});
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::VirtualClock clock;
    static const bool session = [] {
        const char* const* channels = nullptr;
        return ULE_Initialise("SIMUSB", &channels) == Q3V_SIM_OK && ULE_Select(0) == Q3V_SIM_OK;
    }();
    if (!session || size == 0) {
        return 0;
    }
    // The model keeps its frame log across calls; cleared for each input,
    // it holds nothing from one input to the next, so libFuzzer's leak
    // check after every input sees the model's own leaks.
    Q3vSimClearFrames();
    Prepare(data[0]);
    // The rest is frames: a length byte, then that many bytes (cut at the end).
    std::size_t at = 1;
    while (at < size) {
        const std::size_t length = data[at++];
        const std::size_t available = std::min(length, size - at);
        Exchange(std::vector<BYTE>(data + at, data + at + available));
        at += available;
    }
    return 0;
}
