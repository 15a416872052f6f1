// The ids of the plug-in's own dialog templates, their controls and the
// string-table entries the code names.
#pragma once

#include "platform/wintypes.h"

namespace res_id {

// The emulator link's dialogs.
inline constexpr UINT kPowerSupplyDialog = 280;
inline constexpr UINT kDownloadProgressDialog = 284;
inline constexpr UINT kIdCodeDialog = 296;

// The connecting dialog and its animation, and the driver dialog.
inline constexpr UINT kConnectingDialog = 6005;
inline constexpr UINT kConnectAnimationResource = 6006;
inline constexpr UINT kDriverSelectDialog = 221;

// The Emulator Setting sheet's pages, the Configuration sheet's page and the
// firmware location dialogs.
inline constexpr UINT kGeneralPage = 217;
inline constexpr UINT kFirmwareAreaDialog = 287;
inline constexpr UINT kFirmwareBlockDialog = 289;
inline constexpr UINT kEmulatorModePage = 292;
inline constexpr UINT kFirmwareLocationPage = 294;
inline constexpr UINT kCommunicationPage = 6013;

// Their controls.
inline constexpr int kConnectAnimation = 6000;
inline constexpr int kConnectLog = 6001;
inline constexpr int kConnectCancel = 1240;
inline constexpr int kDriverCombo = 1003;
inline constexpr int kInterfaceCombo = 1004;
inline constexpr int kChannelCombo = 1005;
inline constexpr int kDriverConfigure = 1132;
inline constexpr int kDriverConfigurationGroup = 1133;
inline constexpr int kDriverConfigurationText = 1134;
inline constexpr int kIdCodeHex = 1003;
inline constexpr int kIdCodeAscii = 1004;
inline constexpr int kIdCodeText = 1034;
inline constexpr int kPowerFromEmulator = 1227;
inline constexpr int kVoltage33 = 1228;
inline constexpr int kVoltage50 = 1229;
inline constexpr int kVoltageGroup = 1234;
inline constexpr int kDownloadProgress = 1236;

// The Emulator Setting sheet: its check box, and the Emulator mode page.
inline constexpr int kHideSheetCheck = 101;
inline constexpr int kMcuGroup = 1003;
inline constexpr int kDevice = 1222;
inline constexpr int kModeErase = 1082;  // the first of the four connect modes
inline constexpr int kModeKeepFlash = 1223;
inline constexpr int kModeProgramFlash = 1224;
inline constexpr int kModeRewrite = 1225;
inline constexpr int kRunAfterDebugging = 1252;
// The firmware location page and dialogs (kPowerFromEmulator's id is the
// advanced-setting box there).
inline constexpr int kFirmwareAddress = 1001;
inline constexpr int kDataFlashArea = 1003;
inline constexpr int kUserFlashArea = 1004;
inline constexpr int kAddressEnd = 1035;
inline constexpr int kRangeText = 1238;
inline constexpr int kFirmwareBlock = 1241;
inline constexpr int kBlockCaption = 1242;
inline constexpr int kAddressCaption = 1243;
inline constexpr int kAdvancedSetting = 1227;
inline constexpr int kProgramArea = 1239;
inline constexpr int kWorkRamArea = 1240;
// The communication page.
inline constexpr int kSpeedList = 1003;
// The Configuration sheet's General page.
inline constexpr int kDeviceList = 1003;
inline constexpr int kEmulationMode = 1004;
inline constexpr int kInterfaceClockLabel = 1021;
inline constexpr int kInterfaceClock = 1022;
inline constexpr int kNmiGroup = 1023;
inline constexpr int kNmiEmulator = 1024;
inline constexpr int kNmiUser = 1025;
inline constexpr int kFlashSync = 1027;
inline constexpr int kBreakConditionUser = 1028;
inline constexpr int kBreakConditionEmulator = 1035;
inline constexpr int kBreakConditionGroup = 1080;
inline constexpr int kInterfaceClockGroup = 1105;
inline constexpr int kChangeDriver = 1111;
inline constexpr int kStepOption = 1218;
inline constexpr int kStepOptionLabel = 1225;
inline constexpr int kStepOptionGroup = 1226;
// The Start/Stop Function Setting dialog and its controls.
inline constexpr UINT kStartStopDialog = 298;
inline constexpr int kStartFuncEnable = 1227;
inline constexpr int kStopFuncEnable = 1248;
inline constexpr int kStartFuncSymbol = 1001;
inline constexpr int kStopFuncSymbol = 1002;
inline constexpr int kStartFuncLabel = 1249;
inline constexpr int kStopFuncLabel = 1250;
// The memory compare, copy and search dialogs and their controls (the
// second address is the compare's second start and the copy's destination).
inline constexpr UINT kMemoryCopyDialog = 209;
inline constexpr UINT kMemorySearchDialog = 214;
inline constexpr UINT kMemoryCompareDialog = 215;
inline constexpr int kMemBegin = 1001;
inline constexpr int kMemEnd = 1002;
inline constexpr int kMemSecondAddress = 1003;
inline constexpr int kMemAccessSize = 1004;
inline constexpr int kMemData = 1005;
inline constexpr int kMemMask = 1006;
inline constexpr int kMemSearchForward = 1007;
inline constexpr int kMemSearchEqual = 1008;
// The break-condition sheet's pages and their controls.
inline constexpr UINT kSetBcAddressPage = 447;
inline constexpr UINT kSetBcBusPage = 226;
inline constexpr UINT kSetBcCountPage = 224;
inline constexpr UINT kSetBcGeneralPage = 258;
inline constexpr UINT kSetBcAsidPage = 257;
inline constexpr UINT kSetBcSheetHelp = 6008;
inline constexpr int kBcAddressDontCare = 1135;
inline constexpr int kBcDataDontCare = 1002;
inline constexpr int kBcAddressKind = 1003;       // "Addre&ss" (0), then 1005
inline constexpr int kBcProgramFetched = 1005;
inline constexpr int kBcAddress = 1001;
inline constexpr int kBcAddressLabel = 1136;
inline constexpr int kBcMaskList = 1012;
inline constexpr int kBcMaskLabel = 1137;
inline constexpr int kBcDataSize = 1027;          // "&Low byte" (0), 1028, 1029
inline constexpr int kBcDataHigh = 1028;
inline constexpr int kBcDataWord = 1029;
inline constexpr int kBcValueLabel = 1139;
inline constexpr int kBcValue = 1346;
inline constexpr int kBcDirection = 1006;         // "R&ead/Write" (0), 1007, 1008
inline constexpr int kBcDirectionRead = 1007;
inline constexpr int kBcDirectionWrite = 1008;
inline constexpr int kBcBus = 1003;               // bus page: 1003, 1004, 1005
inline constexpr int kBcBusData = 1004;
inline constexpr int kBcBusInternal = 1005;
inline constexpr int kBcCountDontCare = 1135;
inline constexpr int kBcCount = 1001;
inline constexpr int kBcAsidDontCare = 1135;
inline constexpr int kBcAsid = 1002;
inline constexpr int kBcLdtlbDontCare = 2001;
inline constexpr int kBcLdtlbStop = 2002;
inline constexpr int kBcIoDontCare = 2005;
inline constexpr int kBcIoStop = 2006;

// The Event Setting dialog: events A and B, the break and the trace.
inline constexpr UINT kEventSettingDialog = 300;
inline constexpr int kEvDataA = 1254;
inline constexpr int kEvDataMaskA = 1255;
inline constexpr int kEvAddressA = 1256;
inline constexpr int kEvAddressB = 1257;
inline constexpr int kEvAccessTypeB = 1258;
inline constexpr int kEvAccessSizeA = 1259;
inline constexpr int kEvAccessSizeB = 1260;
inline constexpr int kEvLabelA = 1262;
inline constexpr int kEvTraceType = 1263;
inline constexpr int kEvTraceStart = 1264;
inline constexpr int kEvTraceStop = 1265;
inline constexpr int kEvPickUp = 1266;
inline constexpr int kEvBreak = 1267;
inline constexpr int kEvLabelB = 1268;
inline constexpr int kEvAccessTypeA = 1269;
inline constexpr int kEvBreakAtFull = 1270;
inline constexpr int kEvSpinA = 1271;
inline constexpr int kEvSpinB = 1272;
inline constexpr int kEvMaskBitsA = 1273;
inline constexpr int kEvMaskBitsB = 1274;
inline constexpr int kEvRangeA = 1275;
inline constexpr int kEvRangeB = 1276;

// The "Set Break" sheet's break-type page and its controls.
inline constexpr UINT kSetBreakTypePage = 145;
inline constexpr int kBreakTypeLabel = 1029;
inline constexpr int kBreakTypeList = 1001;
inline constexpr int kBreakTypeLine = 1100;  // the separator under the list
inline constexpr int kBrkAddressLabel = 1035;
inline constexpr int kBrkAddress = 1002;
inline constexpr int kBrkStartLabel = 1040;
inline constexpr int kBrkStart = 1012;
inline constexpr int kBrkEndLabel = 1041;
inline constexpr int kBrkEnd = 1013;
inline constexpr int kBrkCfgNumberLabel = 1036;
inline constexpr int kBrkCfgNumber = 1004;
inline constexpr int kBrkCfgStartLabel = 1045;
inline constexpr int kBrkCfgStart = 1017;
inline constexpr int kBrkCfgEndLabel = 1046;
inline constexpr int kBrkCfgEnd = 1018;
inline constexpr int kBrkRegisterLabel = 1042;
inline constexpr int kBrkRegister = 205;
inline constexpr int kBrkCycleLabel = 1044;
inline constexpr int kBrkCycle = 1014;
inline constexpr int kBrkCountLabel = 1037;
inline constexpr int kBrkCount = 1003;
inline constexpr int kBrkCountGroup = 206;
inline constexpr int kBrkAll = 207;
inline constexpr int kBrkTimes = 208;
inline constexpr int kBrkTimesText = 1016;
inline constexpr int kBrkSizeLabel = 1050;
inline constexpr int kBrkSize = 1051;
inline constexpr int kBrkDataLabel = 1043;
inline constexpr int kBrkData = 1015;
inline constexpr int kBrkAccessTypeLabel = 1054;
inline constexpr int kBrkAccessType = 1055;
inline constexpr int kBrkOptionGroup = 204;
inline constexpr int kBrkEqual = 202;
inline constexpr int kBrkNotEqual = 203;
// The eight sequence addresses and their labels, in order.
inline constexpr int kBrkSequence[8] = {1049, 1053, 1065, 1067, 1069, 1071, 1073, 1075};
inline constexpr int kBrkSequenceLabel[8] = {1048, 1052, 1064, 1066, 1068, 1070, 1072, 1074};

// The plug-in's menu and its debug toolbar (whose bitmap has the same id),
// and their commands; the string of each command is its prompt and tip.
inline constexpr UINT kUiMenu = 3088;
inline constexpr UINT kDebugToolbar = 205;
inline constexpr UINT kCmdMemoryResource = 32772;
inline constexpr UINT kCmdSystemSetup = 32773;
inline constexpr UINT kCmdEmulatorHelp = 32778;
inline constexpr UINT kCmdEmulatorSetting = 32869;
inline constexpr UINT kCmdStartStopSetting = 32870;

// The event columns' channel menus, by channel count (four channels: 3082
// on a device with the hardware break, 3083 for the other four-channel
// devices), their commands by channel, and the column glyphs.
inline constexpr UINT kChannelMenu2 = 3081;
inline constexpr UINT kChannelMenu4 = 3082;
inline constexpr UINT kChannelMenu4Plain = 3083;
inline constexpr UINT kChannelMenu6 = 3084;
inline constexpr UINT kChannelMenu8 = 3085;
inline constexpr UINT kChannelMenu5 = 3086;
inline constexpr UINT kChannelMenu7 = 3087;
inline constexpr UINT kCmdChannelAdd[8] = {32820, 32841, 32844, 32847, 32850, 32853, 32856, 32859};
inline constexpr UINT kCmdChannelEdit[8] = {32840, 32842, 32845, 32848, 32851, 32854, 32857, 32860};
inline constexpr UINT kCmdChannelRemove[8] = {32815, 32843, 32846, 32849, 32852, 32855, 32858, 32861};
inline constexpr UINT kGlyphEnabled = 250;   // a filled blue disc
inline constexpr UINT kGlyphMask = 251;      // the disc in black on white: every glyph's mask
inline constexpr UINT kGlyphPlusT = 254;     // red rings with letters
inline constexpr UINT kGlyphMinusT = 255;
inline constexpr UINT kGlyphTr = 256;
inline constexpr UINT kGlyphPlusP = 257;
inline constexpr UINT kGlyphMinusP = 258;
inline constexpr UINT kGlyphRedDisc = 259;   // a filled red disc
inline constexpr UINT kGlyphDisabled = 277;  // a blue ring

// Strings.
inline constexpr UINT kHideSheetText = 2690;            // "Do not show this dialog box again."
inline constexpr UINT kEmulatorSettingCaption = 2691;   // "Emulator Setting"
inline constexpr UINT kTooManyCharacters = 62090;  // "Please enter no more than %d characters."
inline constexpr UINT kPowerOnPrompt = 62091;      // "Power on the target board and press <Enter> Key."
inline constexpr UINT kEmulatorNotConnected = 62105;  // "The emulator is not connected.\n..."
// Run control.
inline constexpr UINT kRunControlReady = 51215;   // its one status text, "Ready"
// The memory handler, run control and the download's reserved-area warnings.
inline constexpr UINT kNotCurrentlyAvailable = 51493;     // "Not currently available"
inline constexpr UINT kInvalidInRewriteMode = 62094;      // "This operation is invalid in Debugging of CPU rewrite mode."
inline constexpr UINT kProgramFlashMode = 62097;          // "The current emulator mode is \"Program Flash.\""
inline constexpr UINT kRestartTarget = 62098;             // "Restart Target or Exit Ktr"
inline constexpr UINT kDataFlashWhileRunning = 62099;     // "The data flash area can not be changed while ..."
inline constexpr UINT kOverlapsFirmwareArea = 62100;      // "... Q3v firmware area are overlapped from %08Xh to %08Xh."
inline constexpr UINT kOverlapsWorkRam = 62101;           // "... Q3v work RAM are overlapped from %08Xh to %08Xh."
inline constexpr UINT kLocatedInRam = 62102;              // "User program is located in RAM area from %08Xh to %08Xh."
inline constexpr UINT kLocatedInRamNotDownloaded = 62103; // 62102 and "\nThe program located in RAM area is not ..."
inline constexpr UINT kOverlapsSystem = 62104;            // "... Q3v system are overlapped from %08Xh to %08Xh."
inline constexpr UINT kDisassemblyViewName = 62096;  // "Disassembly"
inline constexpr UINT kTraceName = 62073;          // "Trace"
inline constexpr UINT kInvalidSymbol = 62108;      // "Invalid value or symbol: "
inline constexpr UINT kStartStopSymbolInvalid = 62109;  // "The symbol specified in the Start/Stop ..."

// The console commands' syntax texts (a text "none" is registered empty; a
// second id of a pair serves the devices of protocol type 1).
inline constexpr UINT kSyntaxBreakpointStop = 1503;       // "<address> [<count>] [<\"stop\">]"
inline constexpr UINT kSyntaxBreakpointInput = 1504;      // "... <\"input\"> <filename> <addr> <size> <count>"
inline constexpr UINT kSyntaxBreakpointOutput = 1505;     // "... <\"output\"> ... [<option>]"
inline constexpr UINT kSyntaxBreakpointInterrupt = 1506;  // "... <\"Interrupt\"> ... [<priority>]"
inline constexpr UINT kSyntaxBreakpointClear = 1511;      // "[<address>]"
inline constexpr UINT kSyntaxBreakpointDisplay = 1520;    // "none"
inline constexpr UINT kSyntaxBreakpointEnable = 1521;     // "<address> <mode>"
inline constexpr UINT kSyntaxStatus = 1541;               // "none"
inline constexpr UINT kSyntaxBreakConditionClear = 1543;
inline constexpr UINT kSyntaxBreakConditionDisplay = 1544;  // "none"
inline constexpr UINT kSyntaxBreakConditionEnable = 1545;
inline constexpr UINT kSyntaxBreakConditionSet = 1546;
inline constexpr UINT kSyntaxDeviceType = 1547;           // "none"
inline constexpr UINT kSyntaxGoOption = 1548;             // "[<\"eml_mode\"> <eml_mode>]"
inline constexpr UINT kSyntaxRefresh = 1549;              // "none"
inline constexpr UINT kSyntaxStepInterrupt = 1550;        // "[<\"disable\">]"
inline constexpr UINT kSyntaxBreakConditionClear1 = 1557;
inline constexpr UINT kSyntaxBreakConditionSet1 = 1558;   // six lines
inline constexpr UINT kSyntaxBreakConditionEnable1 = 1559;
// The console's argument messages (no line break at their end).
inline constexpr UINT kArgUnsignedRange = 51600;   // name, word, bounds: "... must be in range ..."
inline constexpr UINT kArgUnsignedEmpty = 51603;   // name: "Paramater value [%s] is empty."
inline constexpr UINT kArgSignedEmpty = 51604;
inline constexpr UINT kArgKeywordEmpty = 51605;
inline constexpr UINT kArgStringEmpty = 51606;
inline constexpr UINT kArgKeywordWrong = 51607;    // name, keyword list
inline constexpr UINT kArgSignedRange = 51608;
inline constexpr UINT kArgRegisterUnknown = 51609; // word: "Register %s not found"
inline constexpr UINT kArgAllOrRange = 51610;
// The messages of the break-condition commands of the event function (no
// line break at their end).
inline constexpr UINT kEventCmdInvalidAddress = 62081;  // "Invalid address"
inline constexpr UINT kEventCmdTooManyWords = 62082;    // "Too many parameters"
inline constexpr UINT kEventCmdTooFewWords = 62089;     // "Too few parameters"

}  // namespace res_id
