// The setting sheets the target configuration runs (the Configuration
// sheet, the Emulator Setting sheet and the Start/Stop Function Setting
// dialog), which belong to the start-up
// subsystem above the target. The start-up selection object installs them
// while it exists; without them the operations show nothing.
#pragma once

#include "config/option_stores.h"

#include "platform/windows_ui.h"

#include <functional>

// What the Configuration sheet ended with.
struct ConfigurationSheetOutcome {
    INT_PTR result = IDCANCEL;
    // The person changed the emulator driver from the sheet.
    bool driverListChanged = false;
};

struct SettingSheets {
    // The owner that installed them (only it removes them).
    const void* owner = nullptr;
    // Runs the Configuration sheet over working copies of the two stores;
    // after OK they hold its values (and it has set the flash
    // synchronisation mode and the register-list selector itself).
    std::function<ConfigurationSheetOutcome(CBreakModeStore&, CStepOptionStore&)> configurationSheet;
    // Runs the Emulator Setting sheet while a device is chosen, and saves it.
    std::function<void()> emulatorSettingSheet;
    // Runs the Start/Stop Function Setting dialog.
    std::function<void()> startStopDialog;
};

void SetSettingSheets(SettingSheets sheets);
// Removes the sheets when owner installed them.
void RemoveSettingSheets(const void* owner);
SettingSheets GetSettingSheets();
