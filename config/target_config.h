// The target configuration object (one instance, g_targetConfig, made by the
// connect procedure and deleted at teardown): the device and family names of
// the device description file, the status refresh time, and the option
// stores that every subsystem reads through the accessors below: the
// break-mode settings with the adapter's communication speed and control
// flag, the step option and the halt option. The stores are members, so the
// link reads them from construction on. Also the flash-writer flag and load
// offset that the firmware download reads, the option word (nonzero: the
// flash write-back asks the adapter for its write state) and the emulation
// mode. The sheets' runs and SetBreakModeAndNotify reach the link, the
// monitor control and the target object: they are defined with the target
// (target/target_config_sheets.cpp), as is GetTargetSystemName.
#pragma once

#include "config/option_stores.h"

#include "platform/wintypes.h"

#include <memory>
#include <string>

class CTargetConfig {
public:
    // The refresh time when the device file gives none.
    static constexpr DWORD kDefaultStatusTime = 500;

    // Reads "DEVICE NAME", "PRG SEND" and "FLASH TOP" of the device section
    // and "FAMILY NAME" of the device file; resets the clock index.
    CTargetConfig();
    virtual ~CTargetConfig() = default;
    CTargetConfig(const CTargetConfig&) = delete;
    CTargetConfig& operator=(const CTargetConfig&) = delete;

    // Reads "STATUS TIME" (500 when it does not scan); 0.
    virtual DWORD Create();
    // Before the object is deleted; 0.
    virtual DWORD Destroy();
    // The emulator's four-character word "Q71N".
    std::string GetEmulatorName() const { return "Q71N"; }
    // Version text 1 followed by version text 2.
    std::string GetVersionTexts() const { return m_versionText1 + m_versionText2; }
    const std::string& GetFamilyName() const { return m_familyName; }
    const std::string& GetDeviceName() const { return m_deviceName; }
    // The Configuration sheet over copies of the stores. After OK only what
    // changed is applied: the break-mode settings (a new speed code and
    // adapter flag also to the link), the step option, the device's register
    // list zeroed for a new nonzero selector, the host told of a new break
    // mode; the session counts as modified. A changed driver only saves the
    // driver selection. 0.
    virtual DWORD RunConfigurationSheet();
    // "Vk314" and 0.
    DWORD GetFamilyInfo(std::string* text, DWORD* value) const;
    // 9 and 80.
    void GetVersionCode(WORD* major, WORD* minor) const;
    // The Emulator Setting sheet while a device is chosen, saved; 0.
    virtual DWORD RunEmulatorSettingSheet();
    // The Start/Stop Function Setting dialog, modal; 0.
    virtual DWORD RunStartStopDialog();

    DWORD OptionWord() const { return m_optionWord; }
    CBreakModeStore& BreakModeStore() { return m_breakMode; }
    CStepOptionStore& StepOptionStore() { return m_stepOption; }
    DWORD HaltOption() const { return m_haltOption; }
    void SetHaltOption(DWORD value) { m_haltOption = value; }
    DWORD StatusTime() const { return m_statusTime; }
    void ClearConnectFlag() { m_connectFlag = 0; }
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
    std::string m_deviceName;
    std::string m_familyName;
    std::string m_versionText1 = "0";
    std::string m_versionText2 = "0";
    CBreakModeStore m_breakMode;
    CStepOptionStore m_stepOption;
    DWORD m_haltOption = 0;
    DWORD m_connectFlag = 0;
    DWORD m_statusTime = kDefaultStatusTime;
    DWORD m_programSend = 1;
    DWORD m_flashTop = 0xE000;
    DWORD m_emulationMode = 0;
};

extern std::unique_ptr<CTargetConfig> g_targetConfig;

// The communication clock index (1-based), set from the option word whenever
// the break-mode settings are stored.
extern DWORD g_clockIndex;

// The accessors over g_targetConfig. Without one the getters read 0 and the
// setters keep nothing.
void SetBreakModeSettings(DWORD mode, DWORD value2, DWORD value3, DWORD value4, DWORD value5);
void GetBreakModeSettings(DWORD* mode, DWORD* value2, DWORD* value3, DWORD* value4, DWORD* value5);
BreakModeValues GetBreakModeValues();
// The fifth value alone: the break-condition mode (0 lets the channels be
// placed and moved).
DWORD GetBreakConditionMode();
// SetBreakModeSettings with value 5 = 0, then the new speed code to the
// monitor control: the link's result.
WORD SetBreakModeAndNotify(DWORD mode, DWORD value2, DWORD value3, DWORD value4);
// The name of the current break-condition mode.
std::string GetBreakModeName();
void SetStepInterruptMode(DWORD value);
void GetStepInterruptMode(DWORD* value);
void SetHaltOption(DWORD value);
void GetHaltOption(DWORD* value);
// The status refresh time in milliseconds.
DWORD GetStatusTime();
// Called by the connect and boot procedures.
void ClearTargetConfigFlag();

// The target's system name, compared with "Vk3 Q3v SYSTEM" before the
// emulator's power is switched off, and the key of the saved driver.
const char* GetTargetSystemName();

// The Configuration sheet's emulation mode (0 without a target
// configuration).
DWORD GetEmulationMode();

