// CDeviceConfig: the device choice a new session takes from the host's own
// build settings. The host's device description names the CPU type, ROM
// size, emulator family, firmware address and work-RAM address as
// [KEY|value] groups; "PgDef.ini" maps the CPU type to a microcontroller
// group, whose ".cnf" file (section "PG") names the device for the ROM size
// and lists the first address of each data-flash block.
#pragma once

#include "platform/wintypes.h"

#include <optional>
#include <string>

// What the start-up selection saves for a new session.
struct DeviceSelectionRecord {
    std::string mcuGroup;
    std::string device;
    std::string emulator;
    std::string firmwareText;  // the firmware address as "%X", empty when none
    std::string workRamText;   // the work-RAM address as "%X", empty when none
    DWORD firmwareAddress = 0;
    DWORD workRamAddress = 0;
    DWORD placementByAddress = 1;  // 0: the firmware starts a data-flash block
    DWORD dataFlashBlock = 0;
};

class CDeviceConfig {
public:
    // The longest token and the longest description text.
    static constexpr std::size_t kMaxText = 1023;

    CDeviceConfig() { Clear(); }
    virtual ~CDeviceConfig() = default;

    // Fills the record whenever the host gave a description; true when it is
    // complete and for this emulator family (emulator "Q3" in any case, CPU
    // type, ROM size and device all known).
    bool Read(DeviceSelectionRecord& record);
    // The host's device description, or nothing when a service or call fails.
    static std::optional<std::string> GetHostDescription();
    // Takes the values out of a description (after Clear); the group,
    // device and placement are ReadFlashBlocks'.
    void ParseDescription(const std::string& text);
    // Maps the CPU type to its group and device and finds whether the
    // firmware address starts a data-flash block.
    void ReadFlashBlocks();
    void Clear();

    // The next token of text from position, moving position past it; nothing
    // when the text has no token left. Blanks and tabs are dropped; a quoted
    // text is one token and keeps them.
    static std::optional<std::string> NextToken(const std::string& text, std::size_t& position);

    const std::string& CpuType() const { return m_cpuType; }
    const std::string& RomSize() const { return m_romSize; }
    const std::string& McuGroup() const { return m_mcuGroup; }
    const std::string& Device() const { return m_device; }
    const std::string& Emulator() const { return m_emulator; }
    const std::string& FirmwareText() const { return m_firmwareText; }
    const std::string& WorkRamText() const { return m_workRamText; }
    DWORD FirmwareAddress() const { return m_firmwareAddress; }
    DWORD WorkRamAddress() const { return m_workRamAddress; }
    DWORD PlacementByAddress() const { return m_placementByAddress; }
    DWORD DataFlashBlock() const { return m_dataFlashBlock; }

private:
    std::string m_cpuType;
    std::string m_romSize;
    std::string m_mcuGroup;
    std::string m_device;
    std::string m_emulator;
    std::string m_firmwareText;
    std::string m_workRamText;
    DWORD m_firmwareAddress = 0;
    DWORD m_workRamAddress = 0;
    DWORD m_placementByAddress = 1;
    DWORD m_dataFlashBlock = 0;
};
