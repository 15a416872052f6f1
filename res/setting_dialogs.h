// The templates of the setting sheets' pages (Emulator mode, Firmware
// Location, communication, the Configuration sheet's General page) and of the
// two firmware location dialogs, for the plug-in's resource table.
#pragma once

#include "res/resource_ids.h"

#include "platform/resources.h"

namespace setting_dialogs {

namespace rc = platform::rc;
using platform::ControlClass;
using platform::DialogControl;

inline constexpr DWORD kPageStyle = WS_CHILD | WS_CAPTION | DS_CONTROL;
inline constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

inline constexpr DialogControl kEmulatorModeControls[] = {
    rc::LText(-1, "&MCU Group", 10, 10, 60, 8),
    rc::ComboBox(res_id::kMcuGroup, 75, 8, 150, 100, CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP),
    rc::LText(-1, "&Device", 10, 28, 60, 8),
    rc::ComboBox(res_id::kDevice, 75, 26, 150, 100),
    rc::GroupBox(-1, "Mode", 10, 46, 215, 66),
    rc::AutoRadioButton(res_id::kModeErase, "Eras&e Flash and Connect", 18, 58, 200, 10, WS_GROUP | WS_TABSTOP),
    rc::AutoRadioButton(res_id::kModeKeepFlash, "Keep Flash and Co&nnect", 18, 71, 200, 10),
    rc::AutoRadioButton(res_id::kModeProgramFlash, "Program &Flash", 18, 84, 200, 10),
    rc::AutoRadioButton(res_id::kModeRewrite, "Debugging of CP&U rewrite mode", 18, 97, 200, 10),
    rc::AutoCheckBox(res_id::kPowerFromEmulator, "&Power Target from Emulator. (MAX 300mA)", 10, 118, 215, 10,
                     WS_GROUP | WS_TABSTOP),
    rc::AutoRadioButton(res_id::kVoltage33, "&3.3 V", 22, 132, 60, 10, WS_GROUP | WS_TABSTOP),
    rc::AutoRadioButton(res_id::kVoltage50, "&5.0 V", 90, 132, 60, 10),
    rc::AutoCheckBox(res_id::kRunAfterDebugging, "Execute the user program after ending the debugger.", 10, 148,
                     215, 10, WS_GROUP | WS_TABSTOP),
};

inline constexpr DialogControl kFirmwareLocationControls[] = {
    rc::AutoRadioButton(res_id::kDataFlashArea, "Data Flash Area", 10, 10, 100, 10, WS_GROUP | WS_TABSTOP),
    rc::AutoRadioButton(res_id::kUserFlashArea, "User Flash Area", 120, 10, 100, 10),
    rc::AutoCheckBox(res_id::kAdvancedSetting, "Enable advanced setting", 10, 28, 150, 10, WS_GROUP | WS_TABSTOP),
    rc::LText(res_id::kBlockCaption, "Select the data block", 10, 46, 100, 8),
    rc::ComboBox(res_id::kFirmwareBlock, 120, 44, 80, 80),
    rc::LText(res_id::kAddressCaption, "Specify the address", 10, 66, 100, 8),
    rc::EditText(res_id::kFirmwareAddress, 120, 64, 40, 12),
    rc::LText(res_id::kAddressEnd, "00 -", 164, 66, 60, 8),
    rc::LText(res_id::kRangeText, "", 120, 82, 120, 8),
};

inline constexpr DialogControl kCommunicationControls[] = {
    rc::LText(-1, "Communication speed", 10, 10, 90, 8),
    rc::ComboBox(res_id::kSpeedList, 105, 8, 90, 100),
};

inline constexpr DialogControl kGeneralControls[] = {
    rc::LText(-1, "Device:", 10, 10, 90, 8),
    rc::ComboBox(res_id::kDeviceList, 105, 8, 130, 60),
    rc::LText(-1, "Emulation mode:", 10, 28, 90, 8),
    rc::ComboBox(res_id::kEmulationMode, 105, 26, 130, 60),
    rc::GroupBox(res_id::kStepOptionGroup, "Step option", 10, 44, 225, 30),
    rc::LText(res_id::kStepOptionLabel, "Interrupts:", 16, 58, 80, 8),
    rc::ComboBox(res_id::kStepOption, 100, 56, 130, 60),
    rc::GroupBox(res_id::kNmiGroup, "NMI signal", 10, 78, 110, 26),
    rc::AutoRadioButton(res_id::kNmiEmulator, "&Emulator", 16, 89, 50, 10, WS_GROUP | WS_TABSTOP),
    rc::AutoRadioButton(res_id::kNmiUser, "&User", 70, 89, 45, 10),
    rc::GroupBox(res_id::kBreakConditionGroup, "Break condition mode", 125, 78, 110, 26),
    rc::AutoRadioButton(res_id::kBreakConditionEmulator, "E&mulator", 131, 89, 50, 10, WS_GROUP | WS_TABSTOP),
    rc::AutoRadioButton(res_id::kBreakConditionUser, "U&ser", 185, 89, 45, 10),
    rc::GroupBox(res_id::kInterfaceClockGroup, "Communication", 10, 108, 225, 26),
    rc::LText(res_id::kInterfaceClockLabel, "User interface clock:", 16, 120, 80, 8),
    rc::ComboBox(res_id::kInterfaceClock, 100, 118, 130, 60),
    rc::LText(-1, "Flash memory synchronization:", 10, 142, 110, 8),
    rc::ComboBox(res_id::kFlashSync, 125, 140, 110, 60),
    {res_id::kChangeDriver, ControlClass::Button, "C&hange...", BS_PUSHBUTTON | WS_TABSTOP, 185, 158, 50, 14, true},
};

inline constexpr DialogControl kFirmwareAreaControls[] = {
    rc::LText(-1, "Program -400h Byte Use-", 10, 10, 100, 8),
    rc::ComboBox(res_id::kProgramArea, 115, 8, 60, 60),
    rc::LText(-1, "Work RAM -50h Byte Use-", 10, 28, 100, 8),
    rc::ComboBox(res_id::kWorkRamArea, 115, 26, 60, 60),
    rc::DefPushButton(IDOK, "OK", 40, 50, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 100, 50, 50, 14),
};

inline constexpr DialogControl kFirmwareBlockControls[] = {
    rc::LText(-1, "Please select firmware location.", 10, 8, 200, 8),
    rc::AutoRadioButton(res_id::kDataFlashArea, "Data Flash Area", 10, 24, 100, 10, WS_GROUP | WS_TABSTOP),
    rc::AutoRadioButton(res_id::kUserFlashArea, "User Flash Area", 120, 24, 100, 10),
    rc::AutoCheckBox(res_id::kAdvancedSetting, "Enable advanced setting", 10, 40, 150, 10, WS_GROUP | WS_TABSTOP),
    rc::LText(res_id::kBlockCaption, "Select the data block", 10, 58, 100, 8),
    rc::ComboBox(res_id::kFirmwareBlock, 120, 56, 80, 80),
    rc::LText(res_id::kAddressCaption, "Specify the address", 10, 78, 100, 8),
    rc::EditText(res_id::kFirmwareAddress, 120, 76, 40, 12),
    rc::LText(res_id::kAddressEnd, "00 -", 164, 78, 60, 8),
    rc::LText(res_id::kRangeText, "", 120, 94, 120, 8),
    rc::DefPushButton(IDOK, "OK", 70, 112, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 130, 112, 50, 14),
};

inline constexpr platform::DialogResource kEmulatorModePage{
    res_id::kEmulatorModePage, "Emulator mode", kPageStyle, 0, 0, 235, 165, kEmulatorModeControls};
inline constexpr platform::DialogResource kFirmwareLocationPage{
    res_id::kFirmwareLocationPage, "Firmware Location", kPageStyle, 0, 0, 235, 165, kFirmwareLocationControls};
inline constexpr platform::DialogResource kCommunicationPage{
    res_id::kCommunicationPage, "Communication", kPageStyle, 0, 0, 235, 165, kCommunicationControls};
inline constexpr platform::DialogResource kGeneralPage{res_id::kGeneralPage, "General", kPageStyle, 0, 0, 245, 178,
                                                       kGeneralControls};
inline constexpr platform::DialogResource kFirmwareAreaDialog{
    res_id::kFirmwareAreaDialog, "Firmware Location", kDialogStyle, 0, 0, 190, 72, kFirmwareAreaControls};
inline constexpr platform::DialogResource kFirmwareBlockDialog{
    res_id::kFirmwareBlockDialog, "Firmware Location", kDialogStyle, 0, 0, 250, 134, kFirmwareBlockControls};

}  // namespace setting_dialogs
