// The program's resource table: the plug-in's resources (its objects are
// linked in) with the test dialogs beside them.
#include "tests/util/test_resources.h"

#include "platform/common_controls.h"
#include "platform/export.h"
#include "res/plugin_resources.h"
#include "sim/host/host_resources.h"

namespace {

using namespace utiltest;
namespace rc = platform::rc;

const platform::DialogControl kNumberControls[] = {
    rc::EditText(kValue, 7, 7, 80, 12),
    rc::EditText(kIdCode, 7, 22, 80, 12),
    rc::EditText(kNumber, 7, 37, 80, 12),
    rc::DefPushButton(IDOK, "OK", 7, 55, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 62, 55, 50, 14),
};

const platform::DialogControl kHelpControls[] = {
    rc::LText(kUnnamedLabel, "&Field:", 7, 7, 40, 8),
    rc::EditText(kHelpField, 50, 7, 80, 12),
    rc::DefPushButton(IDOK, "OK", 7, 25, 50, 14),
};

constexpr DWORD kEditableCombo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;

const platform::DialogControl kLabelControls[] = {
    rc::ComboBox(kStartLabel, 7, 7, 120, 60, kEditableCombo),
    rc::PushButton(kStartLabelButton, "", 130, 7, 14, 12),
    rc::ComboBox(kStopLabel, 7, 25, 120, 60, kEditableCombo),
    rc::PushButton(kStopLabelButton, "", 130, 25, 14, 12),
    rc::DefPushButton(IDOK, "OK", 7, 45, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 62, 45, 50, 14),
};

const platform::DialogControl kPlaceholderControls[] = {
    rc::EditText(kFileEdit, 7, 7, 120, 12),
    rc::PushButton(kFileButton, "", 130, 7, 14, 12),
    rc::ComboBox(kPlaceholderCombo, 7, 25, 120, 60, kEditableCombo),
    rc::PushButton(kComboButton, "", 130, 25, 14, 12),
    rc::DefPushButton(IDOK, "OK", 7, 45, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 62, 45, 50, 14),
};

const platform::DialogControl kValidationControls[] = {
    rc::EditText(kCheckedEdit, 7, 7, 80, 12),
    rc::Control(kCheckedRows, "", platform::ControlClass::ListView, LVS_REPORT | WS_BORDER, 7, 22, 120, 50),
    rc::ListBox(kCheckedList, 7, 75, 60, 40),
    rc::ListBox(kCheckedMultiList, 70, 75, 60, 40, LBS_MULTIPLESEL | WS_BORDER),
    rc::ComboBox(kCheckedCombo, 7, 120, 80, 60, kEditableCombo),
    rc::DefPushButton(IDOK, "OK", 7, 140, 50, 14),
};

const BYTE kBitmapBits[16 * 2] = {};
const platform::BitmapResource kBitmaps[] = {
    {kImageBitmap, 16, 16, 1, kBitmapBits},
    {kMaskBitmap, 16, 16, 1, kBitmapBits},
};

const platform::DialogResource kDialogs[] = {
    {kValidationDialog, "Validation", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 140, 160, kValidationControls},
    {kLabelDialog, "Labels", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 150, 65, kLabelControls},
    {kPlaceholderDialog, "Placeholders", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 150, 65,
     kPlaceholderControls},
    {kNumberDialog, "Numbers", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 130, 75, kNumberControls},
    {kHelpDialog, "Help", WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CONTEXTHELP, 0, 0, 140, 45, kHelpControls},
};

}  // namespace

Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable() {
    // The host program's icons too: the test program stands in for the host.
    static const platform::ResourceTable resources = {
        .strings = PluginResources().strings, .dialogs = kDialogs, .bitmaps = kBitmaps, .icons = simhost::HostResources().icons};
    return &resources;
}
