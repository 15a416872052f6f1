// The template of the Event Setting dialog: event A (address, mask bits,
// data, data mask, access), event B (address, mask bits, access), the break
// and the trace condition.
#pragma once

#include "res/resource_ids.h"

#include "platform/common_controls.h"
#include "platform/resources.h"

namespace event_setting_dialog {

namespace rc = platform::rc;
using platform::ControlClass;
using platform::DialogControl;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kAddressCombo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kSpin = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS;

inline constexpr DialogControl kControls[] = {
    rc::GroupBox(-1, "Event A", 6, 4, 258, 92),
    rc::LText(-1, "Address:", 12, 18, 40, 8),
    rc::ComboBox(res_id::kEvAddressA, 56, 16, 120, 80, kAddressCombo),
    rc::PushButton(res_id::kEvLabelA, "", 180, 15, 20, 14),
    rc::LText(-1, "Mask bits:", 204, 18, 34, 8),
    rc::EditText(res_id::kEvMaskBitsA, 238, 16, 20, 12),
    rc::Control(res_id::kEvSpinA, "", ControlClass::UpDown, kSpin, 256, 16, 8, 12),
    rc::LText(res_id::kEvRangeA, "", 56, 32, 200, 8),
    rc::LText(-1, "Data:", 12, 46, 40, 8),
    rc::EditText(res_id::kEvDataA, 56, 44, 50, 12),
    rc::LText(-1, "Mask:", 112, 46, 24, 8),
    rc::EditText(res_id::kEvDataMaskA, 138, 44, 50, 12),
    rc::LText(-1, "Access Size:", 12, 62, 44, 8),
    rc::ComboBox(res_id::kEvAccessSizeA, 56, 60, 70, 60),
    rc::LText(-1, "Access Type:", 12, 78, 44, 8),
    rc::ComboBox(res_id::kEvAccessTypeA, 56, 76, 70, 60),
    rc::GroupBox(-1, "Event B", 6, 100, 258, 76),
    rc::LText(-1, "Address:", 12, 114, 40, 8),
    rc::ComboBox(res_id::kEvAddressB, 56, 112, 120, 80, kAddressCombo),
    rc::PushButton(res_id::kEvLabelB, "", 180, 111, 20, 14),
    rc::LText(-1, "Mask bits:", 204, 114, 34, 8),
    rc::EditText(res_id::kEvMaskBitsB, 238, 112, 20, 12),
    rc::Control(res_id::kEvSpinB, "", ControlClass::UpDown, kSpin, 256, 112, 8, 12),
    rc::LText(res_id::kEvRangeB, "", 56, 128, 200, 8),
    rc::LText(-1, "Access Size:", 12, 142, 44, 8),
    rc::ComboBox(res_id::kEvAccessSizeB, 56, 140, 70, 60),
    rc::LText(-1, "Access Type:", 12, 158, 44, 8),
    rc::ComboBox(res_id::kEvAccessTypeB, 56, 156, 70, 60),
    rc::GroupBox(-1, "Break", 6, 180, 258, 36),
    rc::LText(-1, "Break:", 12, 194, 40, 8),
    rc::ComboBox(res_id::kEvBreak, 56, 192, 100, 80),
    rc::AutoCheckBox(res_id::kEvBreakAtFull, "Break at Trace Full", 164, 194, 90, 10, WS_TABSTOP),
    rc::GroupBox(-1, "Trace", 6, 220, 258, 76),
    rc::LText(-1, "Type:", 12, 234, 40, 8),
    rc::ComboBox(res_id::kEvTraceType, 56, 232, 100, 60),
    rc::LText(-1, "Start:", 12, 250, 40, 8),
    rc::ComboBox(res_id::kEvTraceStart, 56, 248, 100, 80),
    rc::LText(-1, "Stop:", 12, 266, 40, 8),
    rc::ComboBox(res_id::kEvTraceStop, 56, 264, 100, 80),
    rc::LText(-1, "Pick up:", 12, 282, 40, 8),
    rc::ComboBox(res_id::kEvPickUp, 56, 280, 100, 60),
    rc::DefPushButton(IDOK, "OK", 150, 302, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 208, 302, 50, 14),
};

inline constexpr platform::DialogResource kDialog{
    res_id::kEventSettingDialog, "Event Setting", kStyle, 0, 0, 270, 322, kControls};

}  // namespace event_setting_dialog
