// CEmulatorLink: the link facade, the single gate between the plug-in's
// emulator operations and the adapter channel. It owns the channel, offers
// one operation per channel operation the plug-in uses, refuses work once
// the link has been lost, checks the emulator's connector before gated
// operations, and records each result in the link state: the open flag, the
// lost flag and the connector-failure flag. A 0x5346 result marks the link
// lost until a boot step or a monitor re-initialisation succeeds.
//
// The operations follow one of four disciplines:
//   boot step  call; open = (result == 0), the lost flag cleared; record
//   plain      call; record
//   gated      lost: 0x5346 at once; connector check failing: its word;
//              else call and record
//   transport  lost: record 0x5346 and answer it; else call and record
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <span>

class CEmulatorChannel;
class CUleDrvMemory;

class CEmulatorLink {
public:
    // Creates the channel over the driver's transfer object; every flag 0.
    explicit CEmulatorLink(CUleDrvMemory* memory);
    // Writes the closing byte to the target (protocol types 0 and 1 without
    // the event function), switches the emulator's target power off (or
    // releases the reset line) as the session settings ask, then deletes
    // the channel.
    virtual ~CEmulatorLink();
    CEmulatorLink(const CEmulatorLink&) = delete;
    CEmulatorLink& operator=(const CEmulatorLink&) = delete;

    // True when the link is not open or has been lost: callers then answer
    // 0x5346 without touching the emulator.
    bool IsLinkLost() const { return m_open == 0 || m_lost != 0; }
    // True once a communication time-out (0x5346) has been recorded and no
    // boot step or monitor restart has succeeded since.
    bool HasTimedOut() const { return m_lost != 0; }
    // 0x5346 sets the lost flag, 0x4E55 the connector-failure flag, 0 clears
    // both; other words change nothing. Answers 0.
    WORD RecordResult(WORD word);
    // The channel's connector check (its plain bit test once a check has
    // failed); a failure sets the connector-failure flag, a pass clears it.
    WORD CheckConnector();

    // Boot steps set the open flag (and clear the lost flag).
    void SetOpen(DWORD open);
    void SetLost(DWORD lost) { m_lost = lost; }
    void SetConnectorFailure(DWORD failure) { m_connectorFailure = failure; }
    DWORD IsOpen() const { return m_open; }
    DWORD IsConnectorFailed() const { return m_connectorFailure; }

    // Boot steps. Open sets the open flag before the channel's Open too.
    WORD Open();
    WORD UnlockWithIdCode();
    WORD ResetAndUnlock();
    WORD CheckIdCodeWithPrompt();
    WORD SetDataBlock(DWORD unused, WORD length, const BYTE* bytes);
    WORD SendRawBlock();
    // The download of the device's protocol type.
    WORD DownloadFirmware(DWORD variant);

    // Plain.
    WORD SendDataBlock();
    // The boot program's 256-byte page read (command 0xFF).
    WORD ReadFlashPage(DWORD address, std::span<BYTE, 256> page);

    // Gated.
    WORD ProgramFlashBlock(DWORD block, DWORD start);
    WORD BeginAdapterWrite();
    WORD EndAdapterWrite();
    // The writer's 'F' alone: gives a target the firmware handed to the
    // flash writer back to the firmware when a write-back ends before its
    // end step.
    WORD ReturnTargetToFirmware();
    // The flash writer's record read (the link's flash read).
    WORD ReadAdapterRecord(DWORD address, std::span<BYTE> reply);
    // One block's erase, by the device's protocol type.
    WORD EraseAdapterBlock(DWORD block);
    // On a lost link also reports the time-out to the host.
    WORD EraseFirmwareArea();
    WORD ProgramAllFlashBlocks();
    WORD BreakTarget();
    WORD QueryRunState(DWORD unused);
    WORD ReservedQuery(DWORD value);
    WORD ReservedCheck(DWORD first, DWORD second);

    // Transport: every firmware request with a reply, and the go request.
    // received (when given): the length of the reply frame that arrived, 0
    // when none did, so that a caller can tell a short reply from a whole
    // one in its zero-filled buffer.
    WORD MonitorTransact(std::span<BYTE> request, std::span<BYTE> reply, std::size_t* received = nullptr);
    WORD MonitorSend(std::span<BYTE> request);

    // Refused on a lost link, else called and recorded (no connector check).
    WORD TestAdapterStatusFlag();
    WORD WriteAdapterRegister20(WORD value);
    // The target's power bit: 0 with power, 0x4E50 without, 0x5346 when
    // the register cannot be read; refused on a lost link, else recorded.
    WORD CheckTargetPower();
    // The connector check, then called and recorded (no lost-link test).
    WORD SendRawBlockStatus();
    WORD GetChannelKind();
    // Refused on a lost link (0x5346) or a failed connector check (0x4E55);
    // nothing recorded.
    WORD ResetMonitor();
    // The monitor restart: clears the lost flag first, then the connector
    // check (0x4E55), then called and recorded.
    WORD ResetAndInitMonitor();
    // Called only while the link is not lost and the connector check passes.
    void SetAdapterBaudRate(DWORD code);
    void SetAdapterControlFlag(DWORD value);
    void WaitMilliseconds(DWORD milliseconds);
    void AccumulateElapsedTicks();
    // Always forwarded: ends the exchange that is running.
    WORD RequestAbort();
    // The link parameter of the run-state monitor: this emulator takes none,
    // so nothing is sent and the answer is always 1.
    [[nodiscard]] WORD SendParameterBlock(std::span<const DWORD, 5> block, DWORD value);

    CEmulatorChannel& Channel();

private:
    template <typename Call>
    WORD BootStep(Call call);
    template <typename Call>
    WORD Plain(Call call);
    template <typename Call>
    WORD Gated(Call call);
    template <typename Call>
    WORD Transport(Call call);
    // Whether a call without a result may go to the channel.
    bool MayCall();

    std::atomic<DWORD> m_open{0};
    std::atomic<DWORD> m_lost{0};
    std::atomic<DWORD> m_connectorFailure{0};
    std::unique_ptr<CEmulatorChannel> m_channel;
};

// The session's link facade, made by the driver interface's first successful
// initialisation and deleted by its cleanup.
extern CEmulatorLink* g_emulatorLink;

// Passes "Communication timeout error" to the host's error report.
void ReportCommunicationTimeout();
// Reports the time-out to the host and tells the user to restart the system.
void ShowCommunicationTimeoutRestart();
