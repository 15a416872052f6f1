// Every interface, class and event id of the host and of the plug-in.
//
// The values are this project's own. One header holds them all so that the
// plug-in, the simulated host and the tests agree by construction.
#pragma once

#include "platform/com.h"

namespace hostid {

// Builds the ids of one series: {5A3C0000-7E21-4B9A-9C10-0000000000nn} style,
// with the series in the second group and the number in the last byte.
constexpr GUID MakeId(std::uint16_t series, std::uint8_t number) {
    return GUID{0x5A3C0000u | series, 0x7E21, 0x4B9A, {0x9C, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, number}};
}

}  // namespace hostid

// Series 0x01: interfaces that components implement.
inline constexpr IID IID_IHRegistryClient = hostid::MakeId(0x0001, 0x01);
inline constexpr IID IID_IHComponent = hostid::MakeId(0x0001, 0x02);
inline constexpr IID IID_IHErrorReporter = hostid::MakeId(0x0001, 0x03);
inline constexpr IID IID_IHTarget = hostid::MakeId(0x0001, 0x04);
inline constexpr IID IID_IHWorkSpaceClient = hostid::MakeId(0x0001, 0x05);
inline constexpr IID IID_IHWorkSpaceClient2 = hostid::MakeId(0x0001, 0x06);
// The further workspace interface whose one operation the target answers with 0.
inline constexpr IID IID_IHWorkSpaceClientExtra = hostid::MakeId(0x0001, 0x07);

// Series 0x02: host services asked for by interface id.
inline constexpr IID IID_IHostServiceProvider = hostid::MakeId(0x0002, 0x01);
inline constexpr IID IID_IHComponentRegistry = hostid::MakeId(0x0002, 0x02);
inline constexpr IID IID_IHErrorCodeTable = hostid::MakeId(0x0002, 0x03);
// The second host service that the target keeps from its attach.
inline constexpr IID IID_IHDebugSession = hostid::MakeId(0x0002, 0x04);
// The host object's own interface that a component base asks for at attach.
inline constexpr IID IID_IHHostObject = hostid::MakeId(0x0002, 0x05);
// The further service that the UI component base keeps from its attach.
inline constexpr IID IID_IHUiService = hostid::MakeId(0x0002, 0x06);
// The workspace information and the custom-placeholder settings that the
// placeholder keywords ask for.
inline constexpr IID IID_IHWorkSpaceInfo = hostid::MakeId(0x0002, 0x07);
inline constexpr IID IID_IHPlaceholderSettings = hostid::MakeId(0x0002, 0x08);
// The host's UI registration interfaces 1 to 4 (platform/host/ui_interfaces.h),
// one line of interfaces, each asked for by its own id.
inline constexpr IID IID_IHUiRegistration = hostid::MakeId(0x0002, 0x09);
inline constexpr IID IID_IHUiRegistration2 = hostid::MakeId(0x0002, 0x0A);
inline constexpr IID IID_IHUiRegistration3 = hostid::MakeId(0x0002, 0x0B);
inline constexpr IID IID_IHUiRegistration4 = hostid::MakeId(0x0002, 0x0C);
// The services a UI container window asks for beside IHUiService,
// IHWorkSpaceInfo and the first companion of service F; the container only
// keeps them for the windows derived from it.
inline constexpr IID IID_IHContainerService1 = hostid::MakeId(0x0002, 0x0D);
inline constexpr IID IID_IHContainerService5 = hostid::MakeId(0x0002, 0x0E);
inline constexpr IID IID_IHContainerService6 = hostid::MakeId(0x0002, 0x0F);
inline constexpr IID IID_IHServiceFCompanion1 = hostid::MakeId(0x0002, 0x10);
// The id text under which the host's toolbar registry knows its debug toolbar.
inline constexpr char kHostDebugToolbarIdText[] = "{5A3C0030-7E21-4B9A-9C10-000000000001}";

// Series 0x03: the host ids of one series that the target registers with.
inline constexpr IID IID_IHTargetSeries1 = hostid::MakeId(0x0003, 0x01);
inline constexpr IID IID_IHTargetSeries2 = hostid::MakeId(0x0003, 0x02);
inline constexpr IID IID_IHTargetSeries3 = hostid::MakeId(0x0003, 0x03);
inline constexpr IID IID_IHTargetSeries4 = hostid::MakeId(0x0003, 0x04);

// Series 0x04: the eight further host interface ids of the target's registration.
inline constexpr IID IID_IHTExec = hostid::MakeId(0x0004, 0x01);
inline constexpr IID IID_IHTExec2 = hostid::MakeId(0x0004, 0x02);
inline constexpr IID IID_IHTMemoryServer2 = hostid::MakeId(0x0004, 0x03);
inline constexpr IID IID_IHTMemoryServer3 = hostid::MakeId(0x0004, 0x04);
inline constexpr IID IID_IHTMemoryServer4 = hostid::MakeId(0x0004, 0x05);
inline constexpr IID IID_IHTIO = hostid::MakeId(0x0004, 0x06);
inline constexpr IID IID_IHStatusClient = hostid::MakeId(0x0004, 0x07);
inline constexpr IID IID_IHTPCBreakClient = hostid::MakeId(0x0004, 0x08);
// The host services of run control: the register values by name, and the
// place where the program stopped.
inline constexpr IID IID_IHRegisterService = hostid::MakeId(0x0004, 0x09);
inline constexpr IID IID_IHStopPosition = hostid::MakeId(0x0004, 0x0A);

// Series 0x10: the plug-in's component class ids.
inline constexpr CLSID CLSID_Q3vVk3Target = hostid::MakeId(0x0010, 0x01);
inline constexpr CLSID CLSID_Q3vVk3UiComponent = hostid::MakeId(0x0010, 0x02);

// Series 0x05: further interfaces.
inline constexpr IID IID_IHEventReceiver = hostid::MakeId(0x0005, 0x01);
inline constexpr IID IID_IHostEventService = hostid::MakeId(0x0005, 0x02);

// Series 0x11: the plug-in's private object ids.
inline constexpr IID IID_Q3vRunControlObject = hostid::MakeId(0x0011, 0x01);
inline constexpr IID IID_Q3vRunControlObject2 = hostid::MakeId(0x0011, 0x02);
// The page id of the status-page base.
inline constexpr GUID GUID_Q3vStatusBasePage = hostid::MakeId(0x0011, 0x03);

// Series 0x20: host event ids.
inline constexpr GUID EVENT_GoStarted = hostid::MakeId(0x0020, 0x01);
inline constexpr GUID EVENT_RunState = hostid::MakeId(0x0020, 0x02);
inline constexpr GUID EVENT_RunStopped = hostid::MakeId(0x0020, 0x03);
inline constexpr GUID EVENT_TargetReset = hostid::MakeId(0x0020, 0x04);
inline constexpr IID IID_IHExpressionEvaluator = hostid::MakeId(0x0005, 0x03);
inline constexpr IID IID_IHCmdClient = hostid::MakeId(0x0005, 0x04);
inline constexpr IID IID_IHCmdClient2 = hostid::MakeId(0x0005, 0x05);
inline constexpr IID IID_IHCmdCallback = hostid::MakeId(0x0005, 0x06);
inline constexpr IID IID_IHWorkspaceStorage = hostid::MakeId(0x0005, 0x07);
inline constexpr IID IID_IHNameLookup = hostid::MakeId(0x0005, 0x08);
inline constexpr IID IID_IHTMemoryRange = hostid::MakeId(0x0005, 0x09);

// Series 0x06: the host services behind the label controls: the session's
// names, the data manager that keeps the remembered labels, the label chooser.
inline constexpr IID IID_IHSessionInfo = hostid::MakeId(0x0006, 0x01);
inline constexpr IID IID_IHDataManager = hostid::MakeId(0x0006, 0x02);
inline constexpr IID IID_IHLabelSelection = hostid::MakeId(0x0006, 0x03);

// Series 0x07: the target's session services: the host's rounding setting,
// the name text of a session save, and the two services that give a new
// session's device description.
inline constexpr IID IID_IHRoundingSettings = hostid::MakeId(0x0007, 0x01);
inline constexpr IID IID_IHSessionNameText = hostid::MakeId(0x0007, 0x02);
inline constexpr IID IID_IHBuildSettings = hostid::MakeId(0x0007, 0x03);
inline constexpr IID IID_IHDeviceDescription = hostid::MakeId(0x0007, 0x04);

// Series 0x08: the interfaces of the target's smaller handlers: the break
// list, the event conditions, the support marker and the text requests.
inline constexpr IID IID_IHTBreakServer = hostid::MakeId(0x0008, 0x01);
inline constexpr IID IID_IHTBreakListServer = hostid::MakeId(0x0008, 0x02);
inline constexpr IID IID_IHTSupportMarker = hostid::MakeId(0x0008, 0x03);
inline constexpr IID IID_IHTTextRequest = hostid::MakeId(0x0008, 0x04);
// The host's breakpoint list, and the owner id of the breakpoints the user
// sets in the host.
inline constexpr IID IID_IHBreakpointService = hostid::MakeId(0x0008, 0x05);
inline constexpr GUID HostBreakpointOwnerId = hostid::MakeId(0x0008, 0x06);
// The host events of the software breakpoints: a break changed (the host
// refreshes its break lists), and the host asks for every file of the break
// actions to be closed.
inline constexpr GUID EVENT_BreakChanged = hostid::MakeId(0x0023, 0x01);
inline constexpr GUID EVENT_CloseAllFiles = hostid::MakeId(0x0023, 0x02);

// Series 0x21: the host events the target component receives (OnHostEvent).
inline constexpr GUID EVENT_PeriodicStatus = hostid::MakeId(0x0021, 0x01);
inline constexpr GUID EVENT_SettingItems = hostid::MakeId(0x0021, 0x02);
inline constexpr GUID EVENT_RegisterRefresh = hostid::MakeId(0x0021, 0x03);
inline constexpr GUID EVENT_BreakConditionChanged = hostid::MakeId(0x0021, 0x04);

// Series 0x31: the host services the plug-in wraps (hostui/host_service_*.h)
// and the host's output window.
inline constexpr IID IID_IHOutputWindow = hostid::MakeId(0x0031, 0x01);
inline constexpr IID IID_IHServiceB = hostid::MakeId(0x0031, 0x02);
inline constexpr IID IID_IHServiceD = hostid::MakeId(0x0031, 0x03);
inline constexpr IID IID_IHServiceDSub = hostid::MakeId(0x0031, 0x04);
inline constexpr IID IID_IHServiceEClient = hostid::MakeId(0x0031, 0x05);
inline constexpr IID IID_IHServiceFCompanion2 = hostid::MakeId(0x0031, 0x07);
inline constexpr IID IID_IHServiceFCompanion3 = hostid::MakeId(0x0031, 0x08);
inline constexpr IID IID_IHServiceGFirst = hostid::MakeId(0x0031, 0x09);
inline constexpr IID IID_IHServiceGSecond = hostid::MakeId(0x0031, 0x0A);
inline constexpr IID IID_IHServiceH = hostid::MakeId(0x0031, 0x0B);
inline constexpr IID IID_IHServiceI = hostid::MakeId(0x0031, 0x0C);
inline constexpr IID IID_IHServiceIItem = hostid::MakeId(0x0031, 0x0D);
inline constexpr IID IID_IHServiceJ = hostid::MakeId(0x0031, 0x0E);

// Series 0x09: the status window's servers, the trace list, and the host
// services the status pages, the trace list and the setting items ask for.
inline constexpr IID IID_IHTTraceList = hostid::MakeId(0x0009, 0x01);
inline constexpr IID IID_IHStatusTiming = hostid::MakeId(0x0009, 0x02);
inline constexpr IID IID_IHTRunningMemory = hostid::MakeId(0x0009, 0x03);
inline constexpr IID IID_IHExecutionService = hostid::MakeId(0x0009, 0x04);
inline constexpr IID IID_IHDisassembler = hostid::MakeId(0x0009, 0x05);
inline constexpr IID IID_IHWorkspaceNames = hostid::MakeId(0x0009, 0x06);
inline constexpr IID IID_IHSettingText = hostid::MakeId(0x0009, 0x07);

// Series 0x0A: the host services the break-condition channels ask for: the
// valid address range and the source position of an address; the address
// lookup with its items' source-location interface, and the symbol table,
// which the console's listing of the channels asks.
inline constexpr IID IID_IHAddressRange = hostid::MakeId(0x000A, 0x01);
inline constexpr IID IID_IHSourcePosition = hostid::MakeId(0x000A, 0x02);
inline constexpr IID IID_IHAddressLookup = hostid::MakeId(0x000A, 0x03);
inline constexpr IID IID_IHSourceLocation = hostid::MakeId(0x000A, 0x04);
inline constexpr IID IID_IHSymbolService = hostid::MakeId(0x000A, 0x05);

// Series 0x0B: the view columns: the column interface the plug-in's columns
// implement, the host's column services of the source views, of the
// disassembly view and of the event columns (each an IHViewColumnService that
// also answers for its registry and refresh interfaces), the host's line
// lookup and its store of column values.
inline constexpr IID IID_IHViewColumn = hostid::MakeId(0x000B, 0x01);
inline constexpr IID IID_IHViewColumnService = hostid::MakeId(0x000B, 0x02);
inline constexpr IID IID_IHViewColumnRegistry = hostid::MakeId(0x000B, 0x03);
inline constexpr IID IID_IHViewColumnRefresh = hostid::MakeId(0x000B, 0x04);
inline constexpr IID IID_IHSourceColumnService = hostid::MakeId(0x000B, 0x05);
inline constexpr IID IID_IHAsmColumnService = hostid::MakeId(0x000B, 0x06);
inline constexpr IID IID_IHEventColumnService = hostid::MakeId(0x000B, 0x07);
inline constexpr IID IID_IHLookupService = hostid::MakeId(0x000B, 0x08);
inline constexpr IID IID_IHSettingsStore = hostid::MakeId(0x000B, 0x09);

// Series 0x12: the page ids of the target's three status pages.
inline constexpr GUID GUID_Q3vStatusEventsPage = hostid::MakeId(0x0012, 0x01);
inline constexpr GUID GUID_Q3vStatusMemoryPage = hostid::MakeId(0x0012, 0x02);
inline constexpr GUID GUID_Q3vStatusPlatformPage = hostid::MakeId(0x0012, 0x03);

// Series 0x22: the host events of the status window and the trace list: a
// status page asks for its update (the event's argument is the page id), the
// host's views are refreshed, the host's memory layout changed, the trace
// was cleared.
inline constexpr GUID EVENT_StatusPageUpdate = hostid::MakeId(0x0022, 0x01);
inline constexpr GUID EVENT_ViewsRefresh = hostid::MakeId(0x0022, 0x02);
inline constexpr GUID EVENT_MemoryLayoutChanged = hostid::MakeId(0x0022, 0x03);
inline constexpr GUID EVENT_TraceClear = hostid::MakeId(0x0022, 0x04);

// Series 0x29: the command window's services beside the command clients:
// the syntax texts of the command words and the output of a command that
// writes while it runs.
inline constexpr IID IID_IHCmdSyntax = hostid::MakeId(0x0029, 0x01);
inline constexpr IID IID_IHCmdOutput = hostid::MakeId(0x0029, 0x02);
