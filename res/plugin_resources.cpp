// The plug-in module's resources: its string table and dialog templates.
#include "res/plugin_resources.h"

#include "res/break_condition_dialogs.h"
#include "res/event_setting_dialog.h"
#include "res/break_dialogs.h"
#include "res/event_column_resources.h"
#include "res/memory_dialogs.h"
#include "res/resource_ids.h"
#include "res/setting_dialogs.h"

#include "platform/common_controls.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

const platform::StringResource kStrings[] = {
    // Menu texts of the placeholder keywords (one for the two without a text
    // of their own).
    {50004, "Placeholder"},
    {50005, "Full file name"},
    {50006, "File name"},
    {50007, "File name without extension"},
    {50008, "File folder"},
    {50009, "File extension"},
    {50010, "Installation folder"},
    {50011, "Temporary folder"},
    {50012, "Workspace folder"},
    {50013, "Workspace name"},
    {50014, "Project folder"},
    {50015, "Project name"},
    {50016, "Configuration name"},
    {50017, "Configuration folder"},
    {50018, "Tool chain installation"},
    {50019, "Executable folder"},
    {50020, "Executable name"},
    {50021, "Windows folder"},
    {50022, "Windows system folder"},
    {50023, "Line number"},
    {50024, "Tool folder"},
    {50025, "Host window handle"},
    {50026, "Host id"},
    {50027, "Time"},
    {50028, "Date"},
    {50029, "Date (day/month/year)"},
    {50030, "Date (month/day/year)"},
    {50031, "Date (year/month/day)"},
    {50032, "User name"},
    {50033, "Cursor"},
    {50034, "Page number"},
    {50035, "Left"},
    {50036, "Centre"},
    {50037, "Right"},
    // Error-code texts, one per row of the error-code table.
    {51440, "No error"},
    {51441, "DLL error"},
    {51442, "File not found"},
    {51443, "Invalid DLL format"},
    {51444, "Message not supported"},
    {51445, "Data pending"},
    {51446, "End of list"},
    {51447, "Not enough memory"},
    {51448, "Not implemented"},
    {51449, "User aborted"},
    {51450, "DLL not compatible"},
    {51451, "Not found"},
    {51452, "Extension already connected"},
    {51453, "Extension not connected"},
    {51454, "Cpu already connected to target"},
    {51455, "Cpu not connected to target"},
    {51456, "File Read error"},
    {51457, "File Write error"},
    {51458, "Not assign"},
    {51459, "Interrupt by user"},
    {51460, "There are more values than requested"},
    {51461, "Syntax error"},
    {51462, "Invalid token"},
    {51463, "Expression too complex"},
    {51464, "Divide by zero"},
    {51465, "Invalid expression"},
    {51466, "The string exceeds the max length allowed"},
    {51467, "Signed result assend to unsigen value"},
    {51468, "Result is too large for requested value"},
    {51469, "Result is incorrect float type"},
    {51470, "Float error"},
    {51471, "Result is incorrect fixed type"},
    {51472, "Fixed type error"},
    {51473, "Function Does Not Exist"},
    {51474, "A Required Parameter Was Missing"},
    {51475, "Register not found"},
    {51476, "Invalid register index"},
    {51477, "Register IO with Target is not set up"},
    {51478, "Invalid CCR value string"},
    {51479, "Invalid Memory Map Mode Specified"},
    {51480, "Invalid Endian Type"},
    {51481, "FPSCR string is not valid"},
    {51482, "Invalid mnemonic specifier"},
    {51483, "Divide by zero"},
    {51484, "Invalid numeric constant"},
    {51485, "Undefined symbol"},
    {51486, "Bad address operand alignment"},
    {51487, "Operand out of range"},
    {51488, "Too many operands"},
    {51489, "Syntax error"},
    {51490, "Invalid operand"},
    {51491, "Invalid mnemonic"},
    {51492, "Internal command."},
    {res_id::kNotCurrentlyAvailable, "Not currently available"},
    {51494, "Command not ready"},
    {51495, "Invalid address value"},
    {51496, "Invalid length value"},
    {51497, "Invalid index value"},
    {51498, "Invalid memory space value"},
    {51499, "Invalid parameter"},
    {51500, "Compare failed"},
    {51501, "Find failed"},
    {51502, "Verify failed"},
    {51503, "Table full"},
    {51504, "Not an instruction"},
    {51505, "Cannot find specified breakpoint."},
    {51506, "Cancel' from I/O config dialog"},
    {51507, "Coverage range intersects another"},
    {51508, "A Required Parameter Was Missing"},
    {51509, "A Required Parameter Was Missing"},
    {51510, "A Required Parameter Was Missing"},
    {51511, "Incorrect object module version"},
    {51512, "Incorrect object module format"},
    {51513, "Object module allocation"},
    {51514, "Object module not absolute format"},
    {51515, "Incorrect object module cpu"},
    {51516, "Not an error but data to store"},
    {51517, "Line doesn't have a address"},
    {51518, "Line not found"},
    {51519, "Line not found"},
    {51520, "Can't edit"},
    {51521, "Watch information not available"},
    {51522, "No source context"},
    {51523, "Can't expand"},
    {51524, "Can't collapse"},
    {51525, "Can't expand"},
    {51526, "Watch id is not in context"},
    {51527, "Invalid identifier passed to dll"},
    {51528, "Invalid value passed to dll"},
    {51529, "Can't convert"},
    {51530, "Function name not found"},
    {51531, "Not enough memory"},
    {51532, "Stack tracing not supported"},
    {51533, "Stack trace not found"},
    {51534, "Symbol is not float"},
    {51535, "Invalid syntax"},
    // The console commands' syntax texts and argument messages.
    {res_id::kSyntaxBreakpointStop, "<address> [<count>] [<\"stop\">]"},
    {res_id::kSyntaxBreakpointInput, "<address> [<count>] <\"input\"> <filename> <addr> <size> <count>"},
    {res_id::kSyntaxBreakpointOutput,
     "<address> [<count>] <\"output\"> <filename> <addr> <size> <count> [<option>]"},
    {res_id::kSyntaxBreakpointInterrupt,
     "<address> [<count>] <\"Interrupt\"> <interrupt type1> <interrupt type2> [<priority>]"},
    {res_id::kSyntaxBreakpointClear, "[<address>]"},
    {res_id::kSyntaxBreakpointDisplay, "none"},
    {res_id::kSyntaxBreakpointEnable, "<address> <mode>"},
    {res_id::kSyntaxStatus, "none"},
    {res_id::kSyntaxBreakConditionClear, "[<\"channel\"> <channel_number>] | [<\"address\"> <address>]"},
    {res_id::kSyntaxBreakConditionDisplay, "none"},
    {res_id::kSyntaxBreakConditionEnable,
     "<mode> [<\"channel\"> <channel_number>] | [<\"address\"> <address>]"},
    {res_id::kSyntaxBreakConditionSet,
     "[<\"channel\"> <channel_number>] <\"address\"> <address> [<\"pcbefore\">]"},
    {res_id::kSyntaxDeviceType, "none"},
    {res_id::kSyntaxGoOption, "[<\"eml_mode\"> <eml_mode>]"},
    {res_id::kSyntaxRefresh, "none"},
    {res_id::kSyntaxStepInterrupt, "[<\"disable\">]"},
    {res_id::kSyntaxBreakConditionClear1, "[<\"channel\"> <channel_number>] | [<\"address\"> <address>]"},
    {res_id::kSyntaxBreakConditionSet1,
     "[<channel>] <option> [<option>...]\n<channel> = channel <channel_number>\n"
     "<option> = <addropt> | <dataopt> | <r/wopt>\n<addropt> = address <address> [<addrcycle>] [<addr_mask>]\n"
     "<dataopt> = data <data>\n<r/wopt> = direction <r/w>"},
    {res_id::kSyntaxBreakConditionEnable1,
     "<mode> [<\"channel\"> <channel_number>] | [<\"address\"> <address>]"},
    {res_id::kArgUnsignedRange,
     "Parameter value [%s] \"%s\" must be in range H'%I64x (D'%I64u ) to H'%I64x (D'%I64u )."},
    {res_id::kArgUnsignedEmpty, "Paramater value [%s] is empty."},
    {res_id::kArgSignedEmpty, "Paramater value [%s] is empty."},
    {res_id::kArgKeywordEmpty, "Paramater value [%s] is empty."},
    {res_id::kArgStringEmpty, "Paramater value [%s] is empty."},
    {res_id::kArgKeywordWrong, "Parameter keyword [%s] is a mistake. input keyword %s."},
    {res_id::kArgSignedRange,
     "Parameter value [%s] \"%s\" must be in range H'%I64x(D'%I64d) to H'%I64x(D'%I64d)."},
    {res_id::kArgRegisterUnknown, "Register %s not found"},
    {res_id::kArgAllOrRange,
     "Parameter value [%s] \"%s\" must be ALL or in range H'%I64x(D'%I64d) to H'%I64x(D'%I64d)."},
    {res_id::kEventCmdInvalidAddress, "Invalid address"},
    {res_id::kEventCmdTooManyWords, "Too many parameters"},
    {res_id::kEventCmdTooFewWords, "Too few parameters"},
    // The Emulator Setting sheet.
    {res_id::kHideSheetText, "Do not show this dialog box again."},
    {res_id::kEmulatorSettingCaption, "Emulator Setting"},
    // Prompts of the emulator link.
    {res_id::kTooManyCharacters, "Please enter no more than %d characters."},
    {res_id::kPowerOnPrompt, "Power on the target board and press <Enter> Key."},
    // The driver selection.
    {res_id::kEmulatorNotConnected,
     "The emulator is not connected.\nPlease start the debugger after connecting the emulator."},
    // Run control's status text.
    {res_id::kRunControlReady, "Ready"},
    // The memory handler's refusals and the download's reserved-area warnings.
    {res_id::kInvalidInRewriteMode, "This operation is invalid in Debugging of CPU rewrite mode."},
    {res_id::kProgramFlashMode, "The current emulator mode is \"Program Flash.\""},
    {res_id::kRestartTarget, "Restart Target or Exit Ktr"},
    {res_id::kDataFlashWhileRunning, "The data flash area can not be changed while program is running."},
    {res_id::kOverlapsFirmwareArea,
     "User program area and Q3v firmware area are overlapped from %08Xh to %08Xh."},
    {res_id::kOverlapsWorkRam, "User program area and Q3v work RAM are overlapped from %08Xh to %08Xh."},
    {res_id::kLocatedInRam, "User program is located in RAM area from %08Xh to %08Xh."},
    {res_id::kLocatedInRamNotDownloaded,
     "User program is located in RAM area from %08Xh to %08Xh.\nThe program located in RAM area is not "
     "downloaded."},
    {res_id::kOverlapsSystem, "User program area and Q3v system are overlapped from %08Xh to %08Xh."},
    // The trace window's list, and the start and stop functions.
    {res_id::kTraceName, "Trace"},
    {res_id::kDisassemblyViewName, "Disassembly"},
    {res_id::kInvalidSymbol, "Invalid value or symbol: "},
    {res_id::kStartStopSymbolInvalid,
     "The symbol specified in the Start/Stop function setting dialog is invalid. \nTo change the setting, push "
     "\"Yes\" button.\nOr to disable the function, push \"No\" button."},
    // Prompts and tips (prompt, newline, tip) of the menu and toolbar commands.
    {res_id::kCmdMemoryResource, "Open Emulator Memory Resource dialogbox\nEmulator Memory Resource"},
    {res_id::kCmdSystemSetup, "Open Emulator System dialogbox\nEmulator System"},
    {res_id::kCmdEmulatorHelp, "Display Emulator Helpt\nEmulator Help"},
};

namespace rc = platform::rc;
using platform::ControlClass;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

const platform::DialogControl kPowerSupplyControls[] = {
    rc::AutoCheckBox(res_id::kPowerFromEmulator, "&Power Target from Emulator. (MAX 300mA)", 10, 10, 170, 10),
    rc::GroupBox(res_id::kVoltageGroup, "Voltage select", 10, 26, 170, 30),
    rc::AutoRadioButton(res_id::kVoltage33, "&3.3 V", 20, 38, 60, 10, WS_GROUP | WS_TABSTOP),
    rc::AutoRadioButton(res_id::kVoltage50, "&5.0 V", 100, 38, 60, 10),
    rc::DefPushButton(IDOK, "OK", 40, 64, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 100, 64, 50, 14),
};

const platform::DialogControl kDownloadProgressControls[] = {
    rc::LText(-1, "Now Downloading Emulator firmware.", 10, 8, 140, 8),
    rc::Control(res_id::kDownloadProgress, "", ControlClass::Progress, 0, 10, 22, 140, 10),
    rc::LText(-1, "Do not disconnect USB cable.", 10, 40, 140, 8),
};

const platform::DialogControl kIdCodeControls[] = {
    rc::LText(-1, "Please input the ID code being written in the flash memory. ", 10, 8, 230, 8),
    rc::LText(-1, "ID Code:", 10, 24, 40, 8),
    rc::EditText(res_id::kIdCodeText, 55, 22, 100, 12),
    rc::AutoRadioButton(res_id::kIdCodeHex, "Hex : Specify ID code by hexadecimal 14 digits.", 10, 42, 230, 10,
                        WS_GROUP | WS_TABSTOP),
    rc::AutoRadioButton(res_id::kIdCodeAscii, "ASCII  : Specify ID code by ASCII character within 7 letters.", 10,
                        56, 230, 10),
    rc::DefPushButton(IDOK, "OK", 70, 76, 50, 14, WS_GROUP | WS_TABSTOP),
    rc::PushButton(IDCANCEL, "Cancel", 130, 76, 50, 14),
};

const platform::DialogControl kConnectingControls[] = {
    rc::Control(res_id::kConnectAnimation, "", ControlClass::Animate, 0, 8, 6, 200, 60),
    rc::Control(res_id::kConnectLog, "", ControlClass::Edit,
                ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER, 6, 72, 205, 95),
    {res_id::kConnectCancel, ControlClass::Button, "Cancel", BS_PUSHBUTTON | WS_DISABLED, 83, 176, 50, 14, true},
};

const platform::DialogControl kDriverSelectControls[] = {
    rc::LText(-1, "&Driver:", 10, 10, 50, 8),
    rc::ComboBox(res_id::kDriverCombo, 65, 8, 180, 80),
    rc::GroupBox(-1, "Details", 6, 26, 242, 50),
    rc::LText(-1, "&Interface:", 12, 40, 50, 8),
    rc::ComboBox(res_id::kInterfaceCombo, 65, 38, 176, 80),
    rc::LText(-1, "&Channel:", 12, 58, 50, 8),
    rc::ComboBox(res_id::kChannelCombo, 65, 56, 176, 80),
    rc::GroupBox(res_id::kDriverConfigurationGroup, "Configuration", 6, 80, 242, 54),
    rc::LText(res_id::kDriverConfigurationText, "", 12, 92, 176, 36),
    rc::PushButton(res_id::kDriverConfigure, "C&onfigure...", 192, 92, 50, 14),
    {IDHELP, ControlClass::Button, "&Help", BS_PUSHBUTTON | WS_DISABLED, 140, 144, 50, 14, true},
    rc::DefPushButton(IDOK, "Close", 196, 144, 50, 14),
};

constexpr DWORD kSymbolCombo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;

const platform::DialogControl kStartStopControls[] = {
    rc::AutoCheckBox(res_id::kStartFuncEnable,
                     "The specified routine is executed immediately before execution of the user's program. ", 7,
                     7, 185, 20, WS_TABSTOP),
    rc::LText(-1, "starting address", 17, 31, 60, 8),
    rc::ComboBox(res_id::kStartFuncSymbol, 17, 42, 140, 80, kSymbolCombo),
    rc::PushButton(res_id::kStartFuncLabel, "", 162, 41, 20, 14),
    rc::AutoCheckBox(res_id::kStopFuncEnable,
                     "The specified routine is executed immediately after the stop of the user's  program. ", 7, 62,
                     185, 20, WS_TABSTOP),
    rc::LText(-1, "starting address", 17, 86, 60, 8),
    rc::ComboBox(res_id::kStopFuncSymbol, 17, 97, 140, 80, kSymbolCombo),
    rc::PushButton(res_id::kStopFuncLabel, "", 162, 96, 20, 14),
    rc::DefPushButton(IDOK, "OK", 45, 116, 50, 14),
    rc::PushButton(IDCANCEL, "Cancel", 104, 116, 50, 14),
};

const platform::DialogResource kDialogs[] = {
    {res_id::kConnectingDialog, "Connecting", kDialogStyle, 0, 0, 217, 200, kConnectingControls},
    {res_id::kDriverSelectDialog, "Driver Details", kDialogStyle, 0, 0, 254, 166, kDriverSelectControls},
    {res_id::kPowerSupplyDialog, "Power Supply", kDialogStyle, 0, 0, 190, 86, kPowerSupplyControls},
    {res_id::kDownloadProgressDialog, "Downloading...", kDialogStyle | WS_VISIBLE, 0, 0, 161, 63,
     kDownloadProgressControls},
    {res_id::kIdCodeDialog, "ID Code verification", kDialogStyle, 0, 0, 250, 98, kIdCodeControls},
    setting_dialogs::kGeneralPage,
    setting_dialogs::kFirmwareAreaDialog,
    setting_dialogs::kFirmwareBlockDialog,
    setting_dialogs::kEmulatorModePage,
    setting_dialogs::kFirmwareLocationPage,
    setting_dialogs::kCommunicationPage,
    {res_id::kStartStopDialog, "Start/Stop Function Setting", kDialogStyle, 0, 0, 199, 136, kStartStopControls},
    break_dialogs::kSetBreakTypePage,
    break_condition_dialogs::kAddressPage,
    break_condition_dialogs::kBusPage,
    break_condition_dialogs::kCountPage,
    break_condition_dialogs::kGeneralPage,
    break_condition_dialogs::kAsidPage,
    event_setting_dialog::kDialog,
    memory_dialogs::kCompareDialog,
    memory_dialogs::kCopyDialog,
    memory_dialogs::kSearchDialog,
};

const platform::MenuEntry kUiMenuItems[] = {
    {0, "&Setup", 0, MF_POPUP},
    {1, "&Emulator", 0, MF_POPUP},
    {2, "&System...", res_id::kCmdSystemSetup},
    {2, "&Emulator Setting...", res_id::kCmdEmulatorSetting},
    {2, "Start/Stop &Function Setting...", res_id::kCmdStartStopSetting},
    {0, "&Help", 0, MF_POPUP},
    {1, "&Emulator Help", res_id::kCmdEmulatorHelp},
};

// The plug-in's menu first, then the event columns' channel menus.
constexpr auto kMenus = [] {
    std::array<platform::MenuResource, 1 + std::size(event_column_resources::kMenus)> menus{};
    menus[0] = {res_id::kUiMenu, kUiMenuItems};
    std::copy(std::begin(event_column_resources::kMenus), std::end(event_column_resources::kMenus), menus.begin() + 1);
    return menus;
}();

const WORD kDebugToolbarButtons[] = {res_id::kCmdMemoryResource, res_id::kCmdSystemSetup};

const platform::ToolbarResource kToolbars[] = {
    {res_id::kDebugToolbar, 16, 15, kDebugToolbarButtons},
};

// The debug toolbar's two 16 x 15 images side by side, 4 bits per pixel in
// the system's 16 colours on the light grey button face: a memory chip with
// its pins (the memory resource command) and the emulator, a dark blue box
// with a green lamp and a label (the system command).
constexpr std::array<BYTE, 16 * 15> DebugToolbarBits() {
    std::array<BYTE, 16 * 15> bits{};
    bits.fill(0x77);  // light grey, both pixels of a byte
    const auto fill = [&bits](int left, int top, int right, int bottom, BYTE colour) {
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                BYTE& pair = bits[static_cast<std::size_t>(y * 16 + x / 2)];
                pair = x % 2 == 0 ? static_cast<BYTE>((pair & 0x0F) | colour << 4)
                                  : static_cast<BYTE>((pair & 0xF0) | colour);
            }
        }
    };
    constexpr BYTE kBlack = 0x0, kDarkBlue = 0x4, kDarkGrey = 0x8, kGreen = 0xA, kWhite = 0xF;
    fill(3, 4, 12, 10, kBlack);
    for (int x = 4; x <= 11; x += 2) {
        fill(x, 2, x, 3, kDarkGrey);
        fill(x, 11, x, 12, kDarkGrey);
    }
    constexpr int kSecond = 16;
    fill(kSecond + 2, 3, kSecond + 13, 11, kDarkBlue);
    fill(kSecond + 10, 5, kSecond + 11, 6, kGreen);
    fill(kSecond + 4, 8, kSecond + 8, 8, kWhite);
    return bits;
}
constexpr std::array<BYTE, 16 * 15> kDebugToolbarBits = DebugToolbarBits();

constexpr auto kBitmaps = [] {
    std::array<platform::BitmapResource, 1 + std::size(event_column_resources::kBitmaps)> bitmaps{};
    bitmaps[0] = {res_id::kDebugToolbar, 32, 15, 4, kDebugToolbarBits};
    std::copy(std::begin(event_column_resources::kBitmaps), std::end(event_column_resources::kBitmaps),
              bitmaps.begin() + 1);
    return bitmaps;
}();

// The connecting animation: only its frame count is kept.
const platform::AnimationResource kAnimations[] = {
    {res_id::kConnectAnimationResource, 16},
};

const platform::ResourceTable kResources = {.strings = kStrings,
                                            .dialogs = kDialogs,
                                            .menus = kMenus,
                                            .toolbars = kToolbars,
                                            .bitmaps = kBitmaps,
                                            .animations = kAnimations};

}  // namespace

const platform::ResourceTable& PluginResources() {
    return kResources;
}
