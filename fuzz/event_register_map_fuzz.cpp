// The event engine's register map read from an arbitrary device file: no
// lookup reads past the loaded text, every register keeps its low byte, and
// the trace size always lies in 1..255.
#include "events/event_register_map.h"
#include "config/settings_files.h"
#include "target/target_vk3.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr char kFile[] = "Z:\\fuzz\\EVENTS.CNF";
    // Every value, decimal ones too, from the loaded copy of the file.
    g_isWin9x = 1;
    std::vector<char> content(data, data + size);
    content.push_back('\x1A');
    content.push_back('\0');
    CSettingsFileCache& cache = GetTarget()->GetSettingsCache();
    cache.SetFileName(kFile);
    cache.SetContent(std::move(content));

    const EventRegisterMap map = ReadEventRegisterMap(kFile, "VK31D16");
    if (map.traceSize < 1 || map.traceSize > 255) {
        std::abort();
    }
    if (map.eventB[4] != 0 || map.eventB[5] != 0) {
        std::abort();
    }
    cache.Clear();
    return 0;
}
