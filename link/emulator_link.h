// CEmulatorLink: the link facade, the single gate between the plug-in's
// emulator operations and the adapter channel. It owns the channel and keeps
// the link state: the open flag, the lost flag and the connector-failure
// flag. A 0x5346 result marks the link lost until a boot step succeeds.
//
// Here: the link state, the connector check and the operations the channel's
// own sequences go through; the other channel operations are forwarded by
// the facade's remaining operations.
#pragma once

#include "platform/wintypes.h"

#include <atomic>
#include <memory>
#include <span>

class CEmulatorChannel;
class CUleDrvMemory;

class CEmulatorLink {
public:
    // Creates the channel over the driver's transfer object; every flag 0.
    explicit CEmulatorLink(CUleDrvMemory* memory);
    // Switches the emulator's target power off (or releases the reset line)
    // as the session settings ask, then deletes the channel.
    virtual ~CEmulatorLink();
    CEmulatorLink(const CEmulatorLink&) = delete;
    CEmulatorLink& operator=(const CEmulatorLink&) = delete;

    // True when the link is not open or has been lost: callers then answer
    // 0x5346 without touching the emulator.
    bool IsLinkLost() const { return m_open == 0 || m_lost != 0; }
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

    // The boot step that opens the link: the open flag is set before the
    // channel's Open runs and kept only when it succeeds.
    WORD Open();
    // Gated: refused with 0x5346 on a lost link, then the connector check.
    WORD ReadAdapterRecord(DWORD address, std::span<BYTE> reply);

    CEmulatorChannel& Channel();

private:
    // Gated discipline: the result of the connector check or of the call.
    template <typename Call>
    WORD Gated(Call call);

    std::atomic<DWORD> m_open{0};
    std::atomic<DWORD> m_lost{0};
    std::atomic<DWORD> m_connectorFailure{0};
    std::unique_ptr<CEmulatorChannel> m_channel;
};

// The session's link facade, made by the driver interface's first successful
// initialisation and deleted by its cleanup.
extern CEmulatorLink* g_emulatorLink;
