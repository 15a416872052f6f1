// CTargetEventVk3: the target's event handler. It keeps a copy of every
// break-condition channel's sheet (eight CEventConditionRecords) and moves
// settings between those records and the sheets of the break-condition set;
// it writes the first four channels' records under "T_EVENT_" keys at each
// session save (they are not read back); it serves the host's break lists
// (list 0 the PC breakpoints of the break manager, by PC list position; list
// 1 the break-condition channels); and it carries the entry points the view
// columns, the console and the break manager use to change channels.
//
// Every operation runs on the host's UI thread; the console's breakpoint
// listing reaches list 0 from its own thread under the console's lock. The
// operations are virtual so that code outside the plug-in module (the
// host-side road tests) reaches them through the object alone.
#pragma once

#include "events/event_condition_record.h"
#include "events/event_item_row.h"
#include "target/served_handler.h"

#include "platform/bstr.h"
#include "platform/host/handler_interfaces.h"

#include <array>

class CBreakConditionSet;
class CHostProfileAccessor;
class CTBreakManager;

class CTargetEventVk3 : public CServedHandler<IHTBreakListServer> {
public:
    static constexpr int kChannels = 8;
    static constexpr int kSnapshotEntries = 255;
    static constexpr LONG kPcList = 0;
    static constexpr LONG kChannelList = 1;
    static constexpr LONG kAll = -1;
    // GetItemState's bits.
    static constexpr DWORD kStateCanAdd = 1, kStateCanEdit = 2, kStateCanEnable = 4, kStateCanDisable = 8,
                           kStateCanRemove = 16, kStateAnyItem = 32, kStateAlways = 64;

    struct PcBreakEntry {
        DWORD address = 0;
        LONG enable = 0;
        LONG count = 0;  // 1 live, 0 empty
    };

    explicit CTargetEventVk3(IHostServiceProvider* host);
    ~CTargetEventVk3() override = default;

    // The target's session save: the event conditions; the session load
    // reads nothing.
    virtual HRESULT SaveSession(CHostProfileAccessor& accessor) { return SaveEventConditions(accessor); }
    virtual HRESULT LoadSession(CHostProfileAccessor&) { return S_OK; }
    // "T_EVENT_BC1" .. "T_EVENT_BC4"; each write only while the previous one
    // did not fail; the last write's result.
    virtual HRESULT SaveEventConditions(CHostProfileAccessor& accessor);
    // Not called by the session load: the event conditions read back from
    // the keys of every existing channel ("T_EVENT_BC1" ..), put into the
    // sheets and sent again.
    virtual HRESULT LoadEventConditions(CHostProfileAccessor& accessor);
    // Not called by the session: the PC-break snapshot's 255 entries as
    // "T_BREAK_BP0" .. "T_BREAK_BP254", each write only while the previous
    // one did not fail; and the breaks made again from them.
    virtual HRESULT SaveBreakpoints(CHostProfileAccessor& accessor);
    virtual HRESULT LoadBreakpoints(CHostProfileAccessor& accessor);

    // The records back to their defaults.
    virtual void ResetConditions();
    // Every existing channel's sheet into its record.
    virtual void ApplyEventState();
    // Every existing channel's sheet reset, then filled from its record.
    virtual void CopyEventState();
    virtual CEventConditionRecord& Record(int channel) { return m_records.at(static_cast<std::size_t>(channel)); }

    // The items of a list: list 0 the PC breaks, list 1 the device's
    // channels (at most eight); -1 for any other list.
    virtual LONG GetConditionCount(LONG list) const;

    // IHTBreakListServer
    HRESULT STDMETHODCALLTYPE EditItem(LONG list, LONG index) override;
    HRESULT STDMETHODCALLTYPE GetItemText(LONG list, LONG index, CEventItemInfo** row) override;
    HRESULT STDMETHODCALLTYPE EnableItem(LONG list, LONG index, WORD flag) override;
    HRESULT STDMETHODCALLTYPE RemoveItem(LONG list, LONG index) override;
    HRESULT STDMETHODCALLTYPE ListOperation7(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ListOperation8(LONG list, DWORD value) override;
    HRESULT STDMETHODCALLTYPE GetItemState(LONG list, LONG index, DWORD* state) override;
    HRESULT STDMETHODCALLTYPE ListOperation10(LONG list, DWORD first, DWORD second, WORD* out) override;
    HRESULT STDMETHODCALLTYPE GetListKinds(BSTR* header) override;

    // Channel n's sheet, refused in the break-condition mode 1 and for the
    // fourth channel behind a data break.
    virtual HRESULT EditBreakCondition(LONG index);

    // Entry points of the view columns, the console and the break manager.
    // Those that change a channel do nothing in the break-condition mode 1
    // and then tell the host that the channels changed.
    virtual bool IsListRegistered(LONG list) const;
    virtual int FindChannelByAddress(DWORD address, DWORD address2, int n) const;
    virtual HRESULT SetChannelCondition(DWORD channel, DWORD address, DWORD address2);
    virtual HRESULT RefreshChannel(DWORD channel);
    virtual HRESULT ActivateChannel(DWORD channel);
    // A channel's condition removed, or (channel -1) the conditions at the
    // address removed or else one placed in the lowest free channel.
    virtual HRESULT ToggleConditionAtAddress(int channel, DWORD address, DWORD address2);
    // flag 1 clears every channel and raises the channels' host event.
    virtual HRESULT ResetChannelsOnModeChange(DWORD flag);
    virtual HRESULT ResetChannelsOnNmiModeChange(DWORD flag) { return ResetChannelsOnModeChange(flag); }

    // The PC-break snapshot: the break manager's PC breaks by position.
    // false (nothing done) outside 0..254.
    virtual bool SetPcBreakEnable(DWORD index, WORD flag);
    virtual void SetAllPcBreaksEnable(WORD flag);
    virtual void RefreshPcBreakTable();
    virtual PcBreakEntry SnapshotEntry(int index) const { return m_snapshot.at(static_cast<std::size_t>(index)); }
    virtual LONG SnapshotCount() const { return m_snapshotCount; }

    // The two row words the set's list rows carry.
    void SetRowWords(DWORD first, DWORD second) {
        m_rowWord1 = first;
        m_rowWord2 = second;
    }
    DWORD RowWord1() const { return m_rowWord1; }
    DWORD RowWord2() const { return m_rowWord2; }

private:
    // The channels a record transfer visits.
    static bool Visited(int channel);
    static CBreakConditionSet* Set();
    static CTBreakManager* Manager();
    void NotifyChannelsChanged() const;
    HRESULT EnableListItem(LONG list, LONG index, WORD flag);
    // After one channel went on a data-break device: the conditions behind
    // it move down into the lowest channels in their order.
    void CompactChannels();

    std::array<LONG, 2> m_listIds{-1, -1};
    std::array<PcBreakEntry, kSnapshotEntries> m_snapshot{};
    LONG m_snapshotCount = 0;
    std::array<CEventConditionRecord, kChannels> m_records;
    DWORD m_rowWord1 = 0;
    DWORD m_rowWord2 = 0;
    // The row the host reads: its texts freed at the next row and at the end.
    CEventItemRow m_row;
};
