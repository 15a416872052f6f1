// CBreakConditionSet: the user-side keeper of the eight on-chip
// break-condition channels, made and deleted by the target. For each channel
// it holds the sheet that carries the condition as the user entered it, the
// text the host's lists show, and a few flags. Its operations open a
// channel's sheet, check the condition against the other channels, hand it
// to the monitor engine as a text command (the engine writes the working
// record), clear and enable channels, place or remove a condition at an
// address for the event handler, and build the host's list rows. Changes are
// echoed as console command lines on the host's output window.
//
// Channels are 0-based; the set ignores channels above 7. Which channels a
// device has depends on its hardware break type, protocol type and channel
// count; each operation says which rule it follows.
//
// The operations are virtual so that code outside the plug-in module (the
// host-side road tests) reaches them through the object alone.
#pragma once

#include "events/set_bc.h"

#include "platform/afx.h"
#include "platform/host/interfaces.h"

#include <array>
#include <memory>

class CBreakConditionSet {
public:
    static constexpr int kChannels = 8;

    // The row of the host's break-condition list that BuildEventRows fills.
    struct EventRow {
        DWORD address = 0;
        CString conditionText;
        CString kindText;
    };

    explicit CBreakConditionSet(IHostServiceProvider* host);
    virtual ~CBreakConditionSet();
    CBreakConditionSet(const CBreakConditionSet&) = delete;
    CBreakConditionSet& operator=(const CBreakConditionSet&) = delete;

    // Mode 1 opens channel n's sheet; any other mode sends its stored
    // condition again without a dialog.
    virtual void EditChannel(DWORD n, DWORD mode);
    void EditChannel1(DWORD mode) { EditChannelOf(0, mode); }
    void EditChannel2(DWORD mode) { EditChannelOf(1, mode); }
    void EditChannel3(DWORD mode) { EditChannelOf(2, mode); }
    void EditChannel4(DWORD mode) { EditChannelOf(3, mode); }
    void EditChannel5(DWORD mode) { EditChannelOf(4, mode); }
    void EditChannel6(DWORD mode) { EditChannelOf(5, mode); }
    void EditChannel7(DWORD mode) { EditChannelOf(6, mode); }
    void EditChannel8(DWORD mode) { EditChannelOf(7, mode); }
    // Sends the channel's clear command; resetTexts (low 16 bits) 1 also
    // frees the channel's sheet and texts, else the channel is only disabled.
    virtual void ClearChannel(DWORD n, DWORD resetTexts);
    // flag (low 16 bits) 0 disables, anything else enables again: 1.
    virtual DWORD EnableChannel(DWORD n, DWORD flag);
    // n -1 (any channel) or a channel: 1 when conditions at the address were
    // removed, 0 when it was placed in a channel, -1 when nothing was done.
    // address2 travels with the address for the callers; the sheets key by
    // the address alone.
    virtual int ToggleAtAddress(int n, DWORD address, DWORD address2);
    // Places the address in channel n when that channel is free: 0, else -1.
    virtual int SetAtAddress(DWORD n, DWORD address, DWORD address2);
    // The lowest channel whose sheet holds the address; -1 when none, and
    // always for an n other than -1.
    virtual int FindChannelByAddress(DWORD address, DWORD address2, int n) const;
    // The channel's enabled word; 0 above channel 7.
    virtual DWORD GetChannelWord(DWORD n) const;
    // Sets it without sending anything: a condition written into the sheet
    // from outside (the console's, the event handler's loader of saved
    // conditions) is sent by the next EditChannel only while its channel is
    // enabled.
    void SetChannelWord(DWORD n, DWORD word) {
        if (n < kChannels) {
            m_channelEnabled[n] = word;
        }
    }
    // The channel's condition flag; -1: channels 0..3 together.
    virtual DWORD GetChannelFlag(int n) const;
    // Fills the shared row for channel n.
    virtual void BuildEventRows(DWORD n, const EventRow** row);
    // While the program runs: the working records into the applied table
    // (and the chip's registers) with the target suspended: 1.
    virtual DWORD ApplyWhileRunning();

    IHostServiceProvider* GetHost() const { return m_host; }
    CSetBc& Sheet(DWORD n) { return *m_sheets[n]; }
    const CString& DisplayText(DWORD n) const { return m_displayText[n]; }
    DWORD MarkAddress(DWORD n) const { return m_markAddress[n]; }
    DWORD MarkEnabled(DWORD n) const { return m_markEnabled[n]; }
    // The event handler's compaction moves the marks with the conditions.
    void SetMark(DWORD n, DWORD address, DWORD enabled) {
        if (n < kChannels) {
            m_markAddress[n] = address;
            m_markEnabled[n] = enabled;
        }
    }

    // Set by the event handler around its own operations.
    DWORD echoOffWhileRemoving = 0;
    DWORD listEditActive = 0;

private:
    void EditChannelOf(int n, DWORD mode);
    // The duplicate-address rule of the sheet (forSheet) or of SetAtAddress:
    // true when another compared channel's sheet holds the address.
    bool AddressRefused(int n, DWORD address, bool forSheet) const;
    // Whether a condition with an address can be set through channel n's
    // sheet on this device.
    static bool SettableWithAddress(int n);
    // The placing step of ToggleAtAddress: the channel taken, or -1.
    int PlaceAtAddress(int n, DWORD address);
    bool PlacingRefused(int c, DWORD address) const;
    void CloseGap();
    void EchoSet(int n);
    void ReportInvalidAddress() const;

    std::array<CString, kChannels> m_displayText;
    std::array<DWORD, kChannels> m_channelEnabled{};
    DWORD m_rowWord1 = 0;
    std::array<DWORD, kChannels> m_hasCondition{};
    DWORD m_rowWord2 = 0;
    DWORD m_echoOffWhileEnabling = 0;
    std::array<DWORD, kChannels> m_markAddress{};
    std::array<DWORD, kChannels> m_markEnabled{};
    std::array<std::unique_ptr<CSetBc>, kChannels> m_sheets;
    EventRow m_row;
    IHostServiceProvider* m_host;  // borrowed
};
