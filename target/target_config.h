// The target configuration object (one instance, g_targetConfig, from
// connect to disconnect) as far as the emulator link uses it: the break-mode
// settings with the adapter's communication speed and control flag, the
// flash-writer flag and load offset that the firmware download reads, the
// option word (nonzero: the flash write-back asks the adapter for its write
// state) and the emulation mode.
#pragma once

#include "platform/wintypes.h"

#include <memory>

// The break-mode settings: the mode index and four values.
class CBreakModeStore {
public:
    void Set(DWORD mode, DWORD value2, DWORD value3, DWORD value4, DWORD value5);
    void Get(DWORD* mode, DWORD* value2, DWORD* value3, DWORD* value4, DWORD* value5) const;

private:
    DWORD m_value3 = 2;          // set by the configuration sheet
    DWORD m_mode = 0;            // break-condition mode, 0 to 4
    DWORD m_value4 = 0;          // the adapter control flag
    DWORD m_value5 = 0;          // set by the configuration sheet
    DWORD m_value2 = 1;          // the adapter communication speed code
};

class CTargetConfig {
public:
    CTargetConfig();

    DWORD OptionWord() const { return m_optionWord; }
    CBreakModeStore& BreakModeStore() { return m_breakMode; }
    // "PRG SEND": 0 makes the firmware download load the flash writer itself.
    DWORD ProgramSend() const { return m_programSend; }
    // "FLASH TOP": subtracted from the flash writer's record addresses.
    DWORD FlashTop() const { return m_flashTop; }
    void SetProgramSend(DWORD value) { m_programSend = value; }
    void SetFlashTop(DWORD value) { m_flashTop = value; }
    // The Configuration sheet's emulation mode: nonzero hands the address
    // breaks to the break-condition provider and exempts the second
    // firmware vector from the vector check.
    DWORD EmulationMode() const { return m_emulationMode; }
    void SetEmulationMode(DWORD value) { m_emulationMode = value; }

private:
    DWORD m_optionWord = 2;  // the clock index is derived from it
    CBreakModeStore m_breakMode;
    DWORD m_programSend = 1;
    DWORD m_flashTop = 0xE000;
    DWORD m_emulationMode = 0;
};

extern std::unique_ptr<CTargetConfig> g_targetConfig;

// The communication clock index (1-based), set from the option word whenever
// the break-mode settings are stored.
extern DWORD g_clockIndex;

// Over g_targetConfig; without one the values read as 0 and nothing is kept.
void SetBreakModeSettings(DWORD mode, DWORD value2, DWORD value3, DWORD value4, DWORD value5);
void GetBreakModeSettings(DWORD* mode, DWORD* value2, DWORD* value3, DWORD* value4, DWORD* value5);

// The target's system name, compared with "Vk3 Q3v SYSTEM" before the
// emulator's power is switched off, and the key of the saved driver.
const char* GetTargetSystemName();

// The Configuration sheet's emulation mode (0 without a target
// configuration).
DWORD GetEmulationMode();

// The connection-state busy flag: set while a connection is being made,
// when writes to I/O and flash areas follow stricter rules.
void SetTargetBusy(bool busy);
bool IsTargetBusy();
