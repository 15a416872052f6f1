// CProtectedRegisterList: the registers in the flash-mirrored address space
// whose protected bits must keep the values the emulator needs, read from the
// device description file's "MEMORY PROTECT%d" entries ("%8x %2x %2x":
// address, value, mask). Before flash contents are written the protected
// bits are forced into the flash mirror, with a warning on the host's error
// output for each byte that changed; after a flash write each byte whose
// protected bits differ is reported.
#pragma once

#include "platform/wintypes.h"

#include <vector>

class CProtectedRegisterList {
public:
    struct Entry {
        DWORD address = 0;  // always inside the flash mirror
        BYTE value = 0;
        BYTE mask = 0;
    };

    // Reads the entries of section in file, replacing the list. The entries
    // are read in key order up to the first key that is absent; one whose
    // address lies beyond the flash mirror, or whose text is not three
    // numbers, is skipped, and the next accepted entry also stands in its
    // place.
    void Load(const char* section, const char* file);
    // Forces the protected bits into the flash mirror and warns about each
    // byte this changed. Nothing in connect mode 2 (programming the flash).
    void WarnRegisterChanged();
    // Warns about each mirror byte whose protected bits differ; changes nothing.
    void CheckValues() const;
    // 1 when an entry has the address; always 0 in connect mode 2.
    int Contains(DWORD address) const;
    // 1 with the entry's value and mask; 0 (outputs untouched) when none, and
    // always in connect mode 2.
    int GetValues(DWORD address, BYTE* value, BYTE* mask) const;

    DWORD GetCount() const { return m_count; }
    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    DWORD m_count = 0;
    std::vector<Entry> m_entries;
};

// The process's list, empty until a device description file is read.
extern CProtectedRegisterList g_protectedRegisters;

// The list's warnings over g_protectedRegisters, as the boot sequence and the
// firmware command layer call them.
void WarnRegisterChanged();
