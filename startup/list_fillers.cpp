#include "startup/list_fillers.h"

#include "config/device_data.h"
#include "config/target_config.h"

#include <array>
#include <initializer_list>

namespace {

void Fill(CComboBox& combo, std::initializer_list<const char*> texts) {
    combo.ResetContent();
    int position = 0;
    for (const char* text : texts) {
        combo.InsertString(position++, text);
    }
}

constexpr std::array<const char*, 7> kBaudRates{"  9600 bps", " 19200 bps", " 38400 bps", " 57600 bps",
                                               "125000 bps", "250000 bps", "500000 bps"};
constexpr std::array<const char*, 7> kClocks{"62.5 kHz", "125 kHz", "250 kHz", "500 kHz",
                                            "  1 MHz",  "  2 MHz", "  4 MHz"};

}  // namespace

void FillSpeedList(CComboBox& combo) {
    combo.ResetContent();
    const DWORD speed = GetBreakModeValues().value2;
    const auto& texts = g_protocolType == 1 ? kBaudRates : kClocks;
    if (speed < texts.size()) {
        combo.InsertString(0, texts[speed]);
    }
}

void FillDeviceList(CComboBox& combo) {
    // The device the session uses, as the device command and the Emulator
    // Setting sheet name it.
    Fill(combo, {g_deviceSection});
}

void FillBreakModeList(CComboBox& combo) {
    Fill(combo, {"Normal", "No break"});
}

void FillStepOptionList(CComboBox& combo) {
    Fill(combo, {"Disables interrupts during single step execution",
                 "Enables interrupts during single step execution"});
}

void FillFlashSyncList(CComboBox& combo) {
    Fill(combo, {"Disable", "PC to flash memory", "Flash memory to PC", "PC to flash memory, Flash memory to PC"});
}
