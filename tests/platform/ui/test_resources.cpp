#include "tests/platform/ui/test_resources.h"

#include "platform/common_controls.h"
#include "platform/export.h"

namespace {

using namespace uitest;
namespace rc = platform::rc;
using platform::ControlClass;

const platform::StringResource kStrings[] = {
    {kAppTitle, "Sample Application"},
    {kSheetCaption, "Sample Settings"},
    {kPageTitle, "Titled Page"},
};

const platform::DialogControl kSampleControls[] = {
    rc::LText(kNote, "&Name:", 7, 7, 40, 8),
    rc::EditText(kName, 50, 7, 80, 12),
    rc::EditText(kCount, 50, 22, 40, 12),
    rc::AutoCheckBox(kEnabled, "&Enabled", 7, 37, 60, 10),
    rc::AutoRadioButton(kModeA, "Mode &A", 7, 50, 50, 10, WS_GROUP | WS_TABSTOP),
    rc::AutoRadioButton(kModeB, "Mode &B", 7, 62, 50, 10),
    rc::AutoRadioButton(kModeC, "Mode &C", 7, 74, 50, 10),
    rc::ComboBox(kKind, 70, 50, 60, 60, CBS_DROPDOWNLIST | WS_GROUP | WS_TABSTOP),
    rc::ComboBox(kLabel, 70, 65, 60, 60, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_TABSTOP),
    rc::PushButton(kApply, "A&pply", 7, 90, 50, 14),
    {kHidden, ControlClass::Edit, "", WS_TABSTOP, 70, 90, 40, 12, true},
    rc::DefPushButton(IDOK, "OK", 80, 110, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 135, 110, 50, 14),
};

const platform::DialogControl kPlainControls[] = {
    rc::DefPushButton(IDOK, "OK", 10, 10, 50, 14),
};

const platform::DialogControl kControls[] = {
    rc::ListBox(kList, 7, 7, 60, 40),
    rc::ListBox(kMultiList, 70, 7, 60, 40, LBS_NOTIFY | LBS_MULTIPLESEL | WS_TABSTOP),
    rc::Control(kReport, "", ControlClass::ListView, LVS_REPORT | LVS_OWNERDRAWFIXED | WS_TABSTOP, 7, 50, 120, 60),
    rc::Control(kTree, "", ControlClass::TreeView, WS_TABSTOP, 130, 50, 60, 60),
    rc::EditText(kSpinBuddy, 7, 115, 30, 12),
    rc::Control(kSpin, "", ControlClass::UpDown, UDS_AUTOBUDDY | UDS_SETBUDDYINT, 37, 115, 10, 12),
    rc::Control(kProgress, "", ControlClass::Progress, 0, 50, 115, 60, 10),
    rc::Control(kAnimation, "", ControlClass::Animate, ACS_TRANSPARENT, 115, 115, 20, 20),
    rc::EditText(kReadOnly, 7, 130, 60, 12, ES_READONLY | WS_TABSTOP),
    rc::PushButton(kDisabled, "Off", 70, 130, 40, 14, WS_DISABLED),
    rc::DefPushButton(IDOK, "OK", 120, 150, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 175, 150, 50, 14),
};

const platform::DialogControl kPageControls[] = {
    rc::EditText(kPageValue, 7, 7, 60, 12),
    rc::AutoCheckBox(kPageCheck, "&Check", 7, 25, 60, 10),
};

const platform::DialogResource kDialogs[] = {
    {kSampleDialog, "Sample", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 200, 130, kSampleControls},
    {kPlainDialog, "Plain", WS_POPUP | WS_CAPTION, 0, 0, 80, 40, kPlainControls},
    {kControlsDialog, "Controls", WS_POPUP | WS_CAPTION, 0, 0, 240, 170, kControls},
    {kFirstPage, "First", WS_CHILD, 0, 0, 150, 60, kPageControls},
    {kSecondPage, "Second", WS_CHILD, 0, 0, 180, 80, kPageControls},
    {kThirdPage, "Third", WS_CHILD, 0, 0, 150, 60, kPageControls},
};

const platform::MenuEntry kContextItems[] = {
    {0, "&Edit", 0, MF_POPUP},
    {1, "&Copy", kCopyCommand},
    {1, "&Paste", kPasteCommand},
    {1, nullptr, 0, MF_SEPARATOR},
    {1, "&Grayed", kGrayedCommand, MF_GRAYED},
    {1, "&More", 0, MF_POPUP},
    {2, "&Nested", kNestedCommand, MF_CHECKED},
    {0, "&Help", 0, MF_POPUP},
    {1, "&About", 32810},
};

// A level deeper than a popup's items: not a menu.
const platform::MenuEntry kBadItems[] = {
    {0, "&File", 0, MF_POPUP},
    {2, "&Lost", 32820},
};

const platform::MenuResource kMenus[] = {
    {kContextMenu, kContextItems},
    {kBadMenu, kBadItems},
};

const ACCEL kAcceleratorEntries[] = {
    {FVIRTKEY | FCONTROL, 'C', static_cast<WORD>(kCopyCommand)},
    {FVIRTKEY | FCONTROL, 'V', static_cast<WORD>(kPasteCommand)},
    {FVIRTKEY | FSHIFT, VK_DELETE, static_cast<WORD>(kCopyCommand)},
};

const platform::AcceleratorResource kAcceleratorTables[] = {
    {kAccelerators, kAcceleratorEntries},
};

const WORD kToolbarCommands[] = {32772, 0, 32773};
const platform::ToolbarResource kToolbars[] = {
    {kToolbar, 16, 15, kToolbarCommands},
};

// 32 by 15 pixels at 4 bits per pixel: 16 bytes a row.
constexpr BYTE kToolbarBits[16 * 15] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
const platform::BitmapResource kBitmaps[] = {
    {kToolbarBitmap, 32, 15, 4, kToolbarBits},
};

const platform::IconResource kIcons[] = {
    {kIcon, 16, 16},
};

const platform::AnimationResource kAnimations[] = {
    {kAnimationResource, 8},
};

const platform::ResourceTable kResources = {
    .strings = kStrings,
    .dialogs = kDialogs,
    .menus = kMenus,
    .accelerators = kAcceleratorTables,
    .toolbars = kToolbars,
    .bitmaps = kBitmaps,
    .icons = kIcons,
    .animations = kAnimations,
};

}  // namespace

Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable() {
    return &kResources;
}
