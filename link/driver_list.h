// CDriverList: the emulator driver modules that lie beside the plug-in, the
// one the user selected, its driver interface, and the selection saved in
// the session settings file:
//   "Driver Configuration"  driver name = "interface,index,configuration"
//                           ("none": nothing saved)
//   "Target"                system name = driver name
#pragma once

#include "platform/wintypes.h"

#include <string>
#include <vector>

class CUleDrvFactory;
class CUleDrvInterface;

class CDriverList {
public:
    // The configuration kinds LoadDefaults sets from the channel list the
    // saved interface hands out: at most one channel, no choice to make (1),
    // or several (2).
    static constexpr DWORD kKindReady = 1;
    static constexpr DWORD kKindNeedsDialog = 2;

    CDriverList() = default;
    // Releases the current driver.
    ~CDriverList();
    CDriverList(const CDriverList&) = delete;
    CDriverList& operator=(const CDriverList&) = delete;

    // Lists the driver modules in the folder of module; true when there is
    // at least one.
    bool Scan(HMODULE module);
    // Probes one module and lists it when it is an emulator driver.
    void AddDriver(const char* folder, const char* fileName);
    WORD GetCount() const { return static_cast<WORD>(m_records.size()); }
    // The driver's name; empty for an index out of range.
    std::string GetAt(WORD index) const;
    const std::string& PathAt(WORD index) const { return m_records.at(index).path; }
    // Makes the driver interface for the record (releasing any earlier one)
    // and initialises it from the saved selection: 0 or 0x80040201.
    DWORD SelectDriver(WORD index);
    // Initialises the current driver from its saved selection, or from its
    // own first interface when nothing is saved: 0 or 0x80040201.
    DWORD LoadDefaults(const char* driverName);
    // Writes the selection back; 1 when written.
    int SaveSelection();
    void ReleaseCurrentDriver();

    DWORD ConfigurationKind() const { return m_configurationKind; }
    int SelectedIndex() const { return m_selectedIndex; }

private:
    struct Record {
        std::string path;  // at most 259 characters
        std::string name;  // at most 127 characters
    };
    DWORD InitialiseFromDriver();

    DWORD m_configurationKind = 0;
    int m_selectedIndex = -1;
    std::vector<Record> m_records;
};

// The session's driver list, factory and selected driver interface.
extern CDriverList* g_driverList;
extern CUleDrvFactory* g_driverFactory;
extern CUleDrvInterface* g_currentDriver;
