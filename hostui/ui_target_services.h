// What the plug-in's container window asks of the target for its Setup
// commands: the three runs of the target configuration's sheets and dialog
// (the target's memory-map handler forwards each under the plug-in's module
// state), and the states that enable the menu items. The target's objects
// install their own members while they exist.
//
// A missing member means the object is not there: a Setup command then does
// nothing, the target counts as neither busy nor running, and the device as
// one that offers start/stop functions (so the items stay enabled).
#pragma once

#include <functional>

struct UiTargetServices {
    std::function<void()> runConfigurationSheet;    // command 32773, "&System..."
    std::function<void()> runEmulatorSettingSheet;  // command 32869, "&Emulator Setting..."
    std::function<void()> runStartStopDialog;       // command 32870, "Start/Stop &Function Setting..."
    std::function<bool()> isTargetBusy;             // the memory handler's busy flag
    std::function<bool()> isTargetRunning;          // the run-control handler's state word is 1
    // The device value "SUPPORT START STOP FUNC" is not 0.
    std::function<bool()> supportsStartStopFunctions;
};

// Installs the set (an empty set removes it).
void SetUiTargetServices(UiTargetServices services);
// Changes some members in place, so that each object installs and removes
// only its own.
void UpdateUiTargetServices(const std::function<void(UiTargetServices&)>& change);
UiTargetServices GetUiTargetServices();
