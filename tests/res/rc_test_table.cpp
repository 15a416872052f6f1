// The table of the resource test module (RcTestModule.dll in the Windows
// build): what the plug-in's own table does not hold, so that the compiled
// resources of every kind and form are read back with the system's
// functions. Texts with quotes, backslashes, control characters, mnemonics
// and a byte outside ASCII; every control class; hidden and disabled
// controls; menus three levels deep with every item flag; accelerators with
// every flag; a toolbar with a separator and one given as bytes; bitmaps
// whose rows the file pads differently; icons of two sizes; an animation.
#include "tools/rcgen/script_table.h"

#include "platform/common_controls.h"

namespace {

namespace rc = platform::rc;
using platform::ControlClass;

const platform::StringResource kStrings[] = {
    {1, "Say \"hello\" to C:\\Temp"},
    {2, "Two\nlines\tand a tab\rand a return"},
    {3, "&Save && exit at 100%"},
    {4, "Caf\xE9"},
    {0xFFF0, "The last block"},
};

const platform::DialogControl kControls[] = {
    rc::LText(-1, "&Name \"quoted\":", 7, 7, 40, 8),
    rc::EditText(101, 50, 7, 80, 12),
    rc::AutoCheckBox(102, "&Check", 7, 22, 60, 10),
    rc::ComboBox(103, 70, 22, 60, 60),
    rc::ListBox(104, 7, 36, 60, 40),
    rc::Control(105, "", ControlClass::ListView, LVS_REPORT | WS_TABSTOP, 70, 36, 60, 40),
    rc::Control(106, "", ControlClass::TreeView, WS_TABSTOP, 7, 80, 60, 40),
    rc::Control(107, "", ControlClass::UpDown, UDS_AUTOBUDDY | UDS_SETBUDDYINT, 70, 80, 10, 12),
    rc::Control(108, "", ControlClass::Progress, 0, 84, 80, 46, 10),
    rc::Control(109, "", ControlClass::Animate, ACS_TRANSPARENT, 84, 94, 20, 20),
    {110, ControlClass::Button, "Hi&dden", BS_PUSHBUTTON | WS_TABSTOP, 7, 124, 50, 14, true},
    rc::PushButton(111, "Off", 60, 124, 40, 14, WS_DISABLED),
    rc::DefPushButton(IDOK, "OK", -2, 140, 50, 14),
};

const platform::DialogResource kDialogs[] = {
    {100, "Every \"control\"", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 10, 20, 140, 160, kControls},
    {200, nullptr, WS_CHILD | DS_CONTROL, 0, 0, 60, 20, std::span(kControls).first(1)},
};

const platform::MenuEntry kMenuItems[] = {
    {0, "&File", 0, MF_POPUP},
    {1, "&Open...\tCtrl+O", 40001},
    {1, nullptr, 0, MF_SEPARATOR},
    {1, "&Recent", 0, MF_POPUP},
    {2, "&Grayed", 40002, MF_GRAYED},
    {2, "&Inactive", 40003, MF_DISABLED},
    {2, "&Deeper", 0, MF_POPUP},
    {3, "&Checked", 40004, MF_CHECKED},
    {0, "&Plain \"top\"", 40005},
    {0, "&Help", 0, MF_POPUP | MF_GRAYED},
    {1, "&About", 40006},
};

const platform::MenuResource kMenus[] = {
    {300, kMenuItems},
};

const ACCEL kAcceleratorEntries[] = {
    {FVIRTKEY | FCONTROL, 'O', 40001},
    {FVIRTKEY | FSHIFT | FALT, VK_DELETE, 40002},
    {FNOINVERT, 'a', 40003},
    {FVIRTKEY | FCONTROL, 'I', 40001},  // a second key for the same command
};

const platform::AcceleratorResource kAccelerators[] = {
    {400, kAcceleratorEntries},
};

const WORD kToolbarCommands[] = {40001, 0, 40002};
const BYTE kBrokenToolbar[] = {1, 0, 16, 0, 15};
const platform::ToolbarResource kToolbars[] = {
    {500, 16, 15, kToolbarCommands},
    {501, 16, 15, {}, kBrokenToolbar},
};

// 5 by 3 pixels at 4 bits: two bytes and a half a row, 4 in the table and
// in the file; each row and pixel differs.
const BYTE kColourBits[] = {
    0x01, 0x23, 0x40, 0x00,  //
    0x56, 0x78, 0x90, 0x00,  //
    0xAB, 0xCD, 0xE0, 0x00,
};
// 10 by 2 pixels at 1 bit: 2 bytes a row in the table, 4 in the file.
const BYTE kMonochromeBits[] = {0b10110011, 0b01000000, 0b01001100, 0b10000000};

const platform::BitmapResource kBitmaps[] = {
    {600, 5, 3, 4, kColourBits},
    {601, 10, 2, 1, kMonochromeBits},
};

const platform::IconResource kIcons[] = {
    {700, 16, 16},
    {701, 32, 32},
};

const platform::AnimationResource kAnimations[] = {
    {800, 3},
};

const platform::ResourceTable kTable = {
    .strings = kStrings,
    .dialogs = kDialogs,
    .menus = kMenus,
    .accelerators = kAccelerators,
    .toolbars = kToolbars,
    .bitmaps = kBitmaps,
    .icons = kIcons,
    .animations = kAnimations,
};

}  // namespace

const platform::ResourceTable& ScriptTable() {
    return kTable;
}
