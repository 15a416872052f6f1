#include "events/event_register_map.h"

#include "startup/firmware_info_file.h"
#include "config/settings_files.h"
#include "config/module_folder.h"
#include "util/path_files.h"

#include <cstdio>

namespace {

constexpr char kSection[] = "SWTI";
constexpr char kFirmInfoSection[] = "FirmInf";
constexpr DWORD kDefaultBase = 0xD060;
constexpr DWORD kDefaultTraceBufferOffset = 0x396;
// The firmware information file's value for "no offset of its own".
constexpr int kNoOffset = 0xFFFF;
constexpr LONG kMaxTraceSize = 255;

// A register field is one byte: a value that does not fit keeps its low byte.
BYTE Register(const char* key, DWORD fallback, const char* file) {
    return static_cast<BYTE>(ReadProfileValue(kSection, key, static_cast<int>(fallback), file));
}

std::string Numbered(const char* format, std::size_t n) {
    char key[32];
    std::snprintf(key, sizeof(key), format, static_cast<unsigned>(n));
    return key;
}

void ReadInterrupts(EventRegisterMap& map, const char* file) {
    for (std::size_t n = 0; n < map.interrupts.size(); ++n) {
        // Channels 4..7 repeat the layout of 0..3 one register lower, in the
        // DCR space.
        const DWORD first = n < 4 ? 4 * n : 4 * (n - 4);
        const DWORD highOffset = n < 4 ? 2 : 1;
        AddressInterruptRegisters& channel = map.interrupts[n];
        channel.low = Register(Numbered("SWTI_AIADR%uL", n).c_str(), first, file);
        channel.high = Register(Numbered("SWTI_AIADR%uH", n).c_str(), first + highOffset, file);
        channel.enable = Register(Numbered("SWTI_AIEN%u", n).c_str(), first + highOffset + 1, file);
        channel.space =
            static_cast<DWORD>(ReadProfileInt(kSection, Numbered("SWTI_AI%uDCR", n).c_str(), n < 4 ? 0 : 1, file));
    }
}

void ReadEvents(EventRegisterMap& map, const char* file) {
    const char* keysA[] = {"SWTI_DBC0", "SWTI_DBAD0L", "SWTI_DBAD0H", "SWTI_DBAM0", "SWTI_DBD0", "SWTI_DBDM0"};
    const DWORD defaultsA[] = {0x10, 0x12, 0x13, 0x14, 0x16, 0x17};
    for (std::size_t i = 0; i < map.eventA.size(); ++i) {
        map.eventA[i] = Register(keysA[i], defaultsA[i], file);
    }
    const char* keysB[] = {"SWTI_DBC1", "SWTI_DBAD1L", "SWTI_DBAD1H", "SWTI_DBAM1"};
    const DWORD defaultsB[] = {0x18, 0x1A, 0x1B, 0x1C};
    map.eventB.fill(0);
    for (std::size_t i = 0; i < 4; ++i) {
        map.eventB[i] = Register(keysB[i], defaultsB[i], file);
    }
}

}  // namespace

std::string EventFirmwareInfoPath(const char* file, const char* section) {
    char name[MAX_PATH] = "";
    if (ReadProfileString(section, "FIRM NAME", "", name, sizeof(name), file) <= 0) {
        return {};
    }
    // "FIRM NAME" names the image from the plug-in's folder, as the start-up
    // reads it: the information file read here is the one that switched the
    // event function on.
    const std::string path = FirmwareInfoFilePath(GetModuleDirectory(), name);
    return ResolveAndTestPath(path.c_str()) ? path : std::string();
}

EventRegisterMap ReadEventRegisterMap(const char* file, const char* section) {
    const std::string infoPath = EventFirmwareInfoPath(file, section);
    EventRegisterMap map;
    map.base = static_cast<DWORD>(ReadProfileValue(section, "SWTI_base", kDefaultBase, file));
    map.dcrData = Register("SWTI_DCRDATA", 0x18, file);
    map.dcrCommand = Register("SWTI_DCRCMD", 0x1A, file);
    ReadInterrupts(map, file);
    ReadEvents(map, file);
    map.trigger = Register("SWTI_DBTRGC", 0x0F, file);
    map.traceCount = Register("SWTI_TRACECNT", 0x20, file);
    map.tracePointer = Register("SWTI_TRACEPNTR", 0x21, file);
    map.tracePointerOffset = Register("SWTI_TRACEPO", 0x22, file);
    map.traceData = Register("SWTI_TRACED", 0x23, file);
    // The device section's size wins over the "SWTI" section's.
    const int shared = ReadProfileInt(kSection, "SWTI_TraceSize", kDefaultTraceSize, file);
    const int size = ReadProfileInt(section, "SWTI_TraceSize", shared, file);
    map.traceSize = size >= 1 && size <= kMaxTraceSize ? size : kDefaultTraceSize;
    map.traceBufferOffset =
        static_cast<DWORD>(ReadProfileValue(kSection, "SWTI_TraceBufferAddr", kDefaultTraceBufferOffset, file));
    if (!infoPath.empty()) {
        const int offset = ReadProfileValue(kFirmInfoSection, "SWTI_TraceBufferAddr", kNoOffset, infoPath.c_str());
        if (offset != kNoOffset) {
            map.traceBufferOffset = static_cast<DWORD>(offset);
        }
    }
    return map;
}
