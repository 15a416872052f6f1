// CBreakConditionTable: a small stateless view of the break channels for the
// users that work with program-fetch channels only (the event-function
// firmware's provider and columns, the console, the "Events" status page).
// Several may exist at once; all work on the same two global tables. Each
// change is echoed as a console command line on the host's output window and
// announced with the host's break-condition-changed event, and marks the
// target's session modified; none reaches the chip until the caller calls
// Apply.
//
// Channels are 0-based; a channel is valid when 0 <= n < GetChannelCount,
// and set exactly when its kind is a program-fetch address.
#pragma once

#include "platform/host/interfaces.h"

#include <string>

class CBreakConditionTable {
public:
    explicit CBreakConditionTable(IHostServiceProvider* owner) : m_owner(owner) {}
    virtual ~CBreakConditionTable() = default;
    CBreakConditionTable(const CBreakConditionTable&) = delete;
    CBreakConditionTable& operator=(const CBreakConditionTable&) = delete;

    // The device's channel count ("ADDRBREAK").
    int GetChannelCount() const;
    // A set channel's address and whether it is enabled; false for a channel
    // out of range or not set.
    bool GetChannel(int n, DWORD* address, bool* enabled) const;
    // Makes channel n an enabled program-fetch condition at address,
    // replacing what it held: 1, or 0 (nothing changed) for a channel out of
    // range or an address outside the valid range.
    DWORD SetChannel(int n, DWORD address);
    // Frees channel n: 1 (also for a channel not set, which is left alone),
    // 0 for a channel out of range.
    DWORD ClearChannel(int n);
    // Enables (flag 1) or disables (any other flag) a set channel: 1, or 0
    // for a channel out of range or not set.
    DWORD EnableChannel(int n, DWORD flag);
    // The lowest channel not set; false when all are.
    bool FindFreeChannel(int* n) const;
    int CountSetChannels() const;
    // The lowest set channel at address, with its enabled flag.
    bool FindChannelByAddress(DWORD address, bool* enabled, int* n) const;
    // The valid addresses: the range the host's address-range service gives,
    // else 0 to the device's top address.
    void GetAddressRange(DWORD* low, DWORD* high) const;
    // low <= address <= high of that range.
    bool IsAddressInRange(DWORD address) const;
    // Copies the whole working records into the applied table while the
    // program runs (the target suspended for the copy). Refused by a break
    // mode other than the ordinary one (S_FALSE) and while the host says the
    // program is stopped (its failure code): the next run's preparation
    // copies the table then.
    HRESULT Apply();
    // The host's break-condition-changed event, without waiting.
    void NotifyChanged();

private:
    bool Valid(int n) const { return n >= 0 && n < GetChannelCount(); }
    static bool IsSet(int n);
    // Every change of a channel: the session marked modified, the console
    // line echoed, the host told.
    void Changed(const std::string& line);

    IHostServiceProvider* m_owner;  // borrowed
};
