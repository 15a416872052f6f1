// CBreakConditionProvider: the target's event handler when the firmware has
// the event function. It is a CTargetEventVk3 in every respect but the
// host's break lists, where it serves three: list 0 the PC breakpoints (the
// base's), list 1 the program-fetch channels of the channel table, edited
// through a one-page "Break condition %d" sheet, and list 2 the event
// engine's four rows (events A and B, the break, the trace), edited through
// the Event Setting dialog while the program is stopped.
//
// Each row the host reads is the provider's own, with its own texts: they
// stay valid until the host asks for the same row of the same list again,
// and go with the provider.
#pragma once

#include "events/break_condition_table.h"
#include "events/target_event_vk3.h"

#include <array>
#include <memory>

class CEventEngine;

class CBreakConditionProvider : public CTargetEventVk3 {
public:
    static constexpr LONG kEventList = 2;
    static constexpr LONG kEventRows = 4;
    // The channel states GetItemState gives.
    static constexpr DWORD kChannelEnabled = 122;   // 64 + 32 + 16 + 8 + 2
    static constexpr DWORD kChannelDisabled = 118;  // 64 + 32 + 16 + 4 + 2
    static constexpr DWORD kChannelsExist = 32;
    static constexpr DWORD kNothingToDo = 2;

    explicit CBreakConditionProvider(IHostServiceProvider* host);
    ~CBreakConditionProvider() override;

    // IHTBreakListServer, over three lists.
    HRESULT STDMETHODCALLTYPE EditItem(LONG list, LONG index) override;
    HRESULT STDMETHODCALLTYPE GetItemText(LONG list, LONG index, CEventItemInfo** row) override;
    HRESULT STDMETHODCALLTYPE EnableItem(LONG list, LONG index, WORD flag) override;
    HRESULT STDMETHODCALLTYPE RemoveItem(LONG list, LONG index) override;
    HRESULT STDMETHODCALLTYPE ListOperation7(DWORD list, DWORD value) override;
    HRESULT STDMETHODCALLTYPE ListOperation8(LONG list, DWORD value) override;
    HRESULT STDMETHODCALLTYPE GetItemState(LONG list, LONG index, DWORD* state) override;
    HRESULT STDMETHODCALLTYPE ListOperation10(LONG list, DWORD first, DWORD second, WORD* out) override;
    HRESULT STDMETHODCALLTYPE GetListKinds(BSTR* header) override;

    // Channel index's sheet: 0 after Cancel or a change, 1 when the address
    // was refused ("Invalid event address." to the host), 0x80042012 for a
    // channel the device lacks.
    virtual HRESULT EditChannelSheet(LONG index);
    // One channel, or (-1) every set channel, enabled or disabled, then the
    // table applied once; an index past the channels does nothing.
    virtual HRESULT EnableChannels(LONG index, WORD flag);
    // The same for freeing channels.
    virtual HRESULT ClearChannels(LONG index);
    virtual HRESULT GetChannelState(LONG index, DWORD* state);
    // The Event Setting dialog over the engine's settings: 1 (nothing
    // opened) while the program runs or the host cannot say that it does
    // not, or without an engine; else 0, the engine given the dialog's
    // settings and the session marked modified after OK.
    virtual HRESULT EditEventSettings();

private:
    // change(n) for the one channel or (-1) every channel, then one apply;
    // nothing for an index past the channels.
    template <typename Change>
    HRESULT ChangeChannels(LONG index, Change change);
    HRESULT GetChannelRow(LONG index, CEventItemInfo** row);
    HRESULT GetEventRow(LONG index, CEventItemInfo** row);
    static CEventEngine* Engine();
    void ReportInvalidAddress() const;

    std::unique_ptr<CBreakConditionTable> m_table;
    std::array<CEventItemRow, kChannels> m_channelRows;
    std::array<CEventItemRow, kEventRows> m_eventRows;
};
