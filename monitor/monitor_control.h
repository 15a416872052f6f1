// CMonitorControl: the short sequences that bring the emulator's monitor
// firmware into a known state around connecting: its version check, the
// register image set up from the target's reset vector, the restart, the
// firmware download and the target reset. One instance, g_monitorControl,
// made by the connect procedure before the engine and deleted at
// disconnect; while it exists the link re-initialises the monitor and
// resets the target through it (monitor_services.h).
#pragma once

#include "platform/wintypes.h"

#include <memory>

class CMonitorControl {
public:
    CMonitorControl();
    virtual ~CMonitorControl();
    CMonitorControl(const CMonitorControl&) = delete;
    CMonitorControl& operator=(const CMonitorControl&) = delete;

    // 0 when the firmware's version text and value are the device's;
    // 0xFFFF a different value; 0xFFFE a different text or a failed
    // request; 0xFFFD a break-in during the request; E_FAIL when the answer
    // took more than 2,000 ms.
    [[nodiscard]] DWORD CheckMonitorVersion();
    // The register image cleared but for "PC", the stack and flags from the
    // device, "PC" from the reset vector, written to the target and read
    // back: 0 or 0xFFFF.
    [[nodiscard]] WORD InitMonitor();
    // 0, or 0xFFFF when the initialisation failed or a break came in.
    [[nodiscard]] WORD RestartMonitor();
    // The link's download of the variant; the flash dirty flags are cleared
    // after one that succeeded.
    [[nodiscard]] WORD DownloadFirmware(DWORD variant);
    // The adapter's communication speed; 0, or 0x5346 without a link to
    // set it on (none, or lost).
    [[nodiscard]] WORD SetAdapterBaudRate(DWORD index);
    // The firmware's CPU reset (CFirmCommand::ResetTarget).
    [[nodiscard]] DWORD ResetTarget();
    // Nothing in the system reads the monitor's device name: false.
    [[nodiscard]] bool SelectDefaultDeviceName();
    // The target configuration's value; kept, read by nothing.
    void SetValue(DWORD value) { m_value = value; }

private:
    DWORD m_value = 0;
};

extern std::unique_ptr<CMonitorControl> g_monitorControl;

// Passes a new value with the fixed parameter block to the link: the link's
// answer (it answers 1 without doing anything), or 0 for the value that was
// kept from the last successful call.
[[nodiscard]] WORD SetLinkParameter(DWORD value);
// Writes 0 to the six one-byte registers at 0xFFC8 to 0xFFCD: the status of
// the last write.
[[nodiscard]] WORD ZeroInitRegisterList();
