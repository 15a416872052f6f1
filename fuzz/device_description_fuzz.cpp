// The host's device description through the token scanner and the value
// parser: the scan never passes the text's end, and every value it keeps
// fits its field.
#include "startup/device_config.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t position = 0;
    std::size_t tokens = 0;
    while (const auto token = CDeviceConfig::NextToken(text, position)) {
        if (position > text.size() || token->size() > CDeviceConfig::kMaxText || ++tokens > text.size()) {
            std::abort();
        }
    }
    CDeviceConfig config;
    config.ParseDescription(text);
    if (config.CpuType().size() > CDeviceConfig::kMaxText || config.FirmwareText().size() > 8 ||
        config.WorkRamText().size() > 8) {
        std::abort();
    }
    return 0;
}
