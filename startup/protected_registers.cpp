#include "startup/protected_registers.h"

#include "link/flash_mirror.h"
#include "link/host_reports.h"
#include "config/device_data.h"
#include "config/settings_files.h"
#include "util/scan_values.h"

#include <cstdio>

CProtectedRegisterList g_protectedRegisters;

namespace {

// The longest entry text the list reads.
constexpr int kEntryTextSize = 51;

bool ProgrammingFlash() {
    return g_emuSel == connect_mode::kProgramFlash;
}

BYTE Forced(BYTE old, const CProtectedRegisterList::Entry& entry) {
    return static_cast<BYTE>((old & ~entry.mask) | (entry.value & entry.mask));
}

}  // namespace

void CProtectedRegisterList::Load(const char* section, const char* file) {
    m_entries.clear();
    for (unsigned i = 0;; ++i) {
        char key[32];
        std::snprintf(key, sizeof(key), "MEMORY PROTECT%u", i);
        char text[kEntryTextSize] = "";
        if (ReadProfileString(section, key, "", text, sizeof(text), file) <= 0 || text[0] == '\0') {
            break;
        }
        DWORD address = 0;
        DWORD value = 0;
        DWORD mask = 0;
        if (ScanValues(text, "%8x %2x %2x", &address, &value, &mask) != 3 || address >= kFlashMirrorSize) {
            continue;
        }
        // The list is made exactly i + 1 long: places of skipped entries
        // before it take this one.
        m_entries.resize(i + 1, Entry{address, static_cast<BYTE>(value), static_cast<BYTE>(mask)});
        m_entries[i] = Entry{address, static_cast<BYTE>(value), static_cast<BYTE>(mask)};
    }
    m_count = static_cast<DWORD>(m_entries.size());
}

void CProtectedRegisterList::WarnRegisterChanged() {
    if (ProgrammingFlash()) {
        return;
    }
    for (const Entry& entry : m_entries) {
        BYTE& byte = g_flashMirror[entry.address];
        const BYTE old = byte;
        byte = Forced(old, entry);
        if (byte != old) {
            char text[160];
            std::snprintf(text, sizeof(text),
                          "Warning : The register (%Xh) value was changed from %02Xh to %02Xh by emulator debugger "
                          "to control the emulator.",
                          static_cast<unsigned>(entry.address), old, byte);
            ReportErrorTextToHost(text);
        }
    }
}

void CProtectedRegisterList::CheckValues() const {
    for (const Entry& entry : m_entries) {
        const BYTE byte = g_flashMirror[entry.address];
        if (Forced(byte, entry) != byte) {
            char text[128];
            std::snprintf(text, sizeof(text), "Warning : The register (%Xh) value is %02Xh.\tPlease confirm the register value. ",
                          static_cast<unsigned>(entry.address), byte);
            ReportErrorTextToHost(text);
        }
    }
}

int CProtectedRegisterList::Contains(DWORD address) const {
    if (ProgrammingFlash()) {
        return 0;
    }
    for (const Entry& entry : m_entries) {
        if (entry.address == address) {
            return 1;
        }
    }
    return 0;
}

int CProtectedRegisterList::GetValues(DWORD address, BYTE* value, BYTE* mask) const {
    if (ProgrammingFlash()) {
        return 0;
    }
    for (const Entry& entry : m_entries) {
        if (entry.address == address) {
            *value = entry.value;
            *mask = entry.mask;
            return 1;
        }
    }
    return 0;
}

void WarnRegisterChanged() {
    g_protectedRegisters.WarnRegisterChanged();
}
