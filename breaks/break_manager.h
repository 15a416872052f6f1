// CTBreakManager: the target's break handler. It owns the software breaks of
// the eight kinds, each kind in its own list, and serves them to the host:
// the PC stop breaks through IHTPCBreakClient (mirrored in the host's
// breakpoint list, which the manager asks to add, enable and remove them),
// every break under one global index through IHTBreakServer. It closes the
// break actions' files when the host asks for it.
//
// Kinds, in kind order (the order of the global index and of the save):
// PC "BP" 255, access "BA" 2, data "BD" 8, register "BR" 8, sequence "BS" 1,
// cycle "BCY" 255, CFG access "BCA" 2, CFG data "BCD" 8.
#pragma once

#include "breaks/break_list.h"
#include "breaks/word_state_list.h"
#include "frame/host_event.h"
#include "target/target_break_vk3.h"

#include <array>
#include <string>
#include <vector>

class CHostProfileAccessor;
class CSetBrk2;

enum class BreakKind { Pc, Access, Data, Register, Sequence, Cycle, CfgAccess, CfgData };
inline constexpr std::size_t kBreakKindCount = 8;

class CTBreakManager : public CWordStateList,
                       public CTargetBreakVk3,
                       public CEventReceiverSink,
                       private CBreakAddressUsers {
public:
    explicit CTBreakManager(IHostServiceProvider* host);
    // The PC breaks other than Stop and the breaks of the other kinds go
    // without touching the target; the host's receiver is withdrawn.
    ~CTBreakManager() override;

    // The number of breaks of each kind (any thread).
    virtual DWORD GetPcCount() const { return m_pc.GetCount(); }
    virtual DWORD GetDataCount() const { return m_data.GetCount(); }
    virtual DWORD GetAccessCount() const { return m_access.GetCount(); }
    virtual DWORD GetRegisterCount() const { return m_register.GetCount(); }
    virtual DWORD GetSequenceCount() const { return m_sequence.GetCount(); }
    virtual DWORD GetCycleCount() const { return m_cycle.GetCount(); }
    virtual DWORD GetCfgAccessCount() const { return m_cfgAccess.GetCount(); }
    virtual DWORD GetCfgDataCount() const { return m_cfgData.GetCount(); }
    // The count of a kind in kind order (0 to 7).
    DWORD GetKindBreakCount(int kind) const override;

    // Writes every break but the PC Stop breaks under "T_BREAK_" keys; the
    // last write's result, or the first failure.
    virtual HRESULT SaveBreaks(CHostProfileAccessor& store);
    // Removes every break (the host's Stop breaks stay) and makes those of
    // the store; 0x80042001 at the first value missing, malformed or
    // refused (what was made before it stays).
    virtual HRESULT LoadBreaks(CHostProfileAccessor& store);

    // The hit evaluation of each kind: 1 stops the program.
    virtual WORD TestPcBreak(DWORD pc);
    virtual WORD TestAccessBreak(DWORD address, WORD size, WORD accessType);
    virtual WORD TestDataBreak(DWORD address, WORD size);
    virtual WORD TestRegisterBreak(WORD registerNumber);
    virtual WORD TestSequenceBreak(DWORD pc);
    virtual WORD TestCycleBreak(DWORD counter);
    virtual WORD TestCfgAccessBreak(DWORD address, WORD accessType);
    virtual WORD TestCfgDataBreak(DWORD address);
    // 1 while any kind's Stop breaks are fewer than its capacity.
    virtual WORD HasRoom() const;
    // 1 when a global index counted over the Stop breaks falls on the
    // sequence kind.
    virtual WORD IsSequenceIndex(LONG index) const;
    virtual void SetCycleCounter(DWORD counter) { m_cycle.SetCycleCounter(counter); }

    // Creation, each 1 made (or, a PC Stop break, handed to the host), 0
    // refused. Virtual, as every operation the plug-in's other modules and
    // the host's programs reach through the handler.
    virtual WORD AddPcBreak(DWORD address, DWORD passCount, const BreakActionDesc& desc);
    virtual WORD AddAccessBreak(DWORD address, DWORD secondAddress, WORD accessType, const BreakActionDesc* desc);
    virtual WORD AddDataBreak(DWORD address, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                      const BreakActionDesc* desc);
    virtual WORD AddRegisterBreak(WORD registerNumber, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                          const BreakActionDesc* desc);
    virtual WORD AddSequenceBreak(WORD stepCount, const CTBreakSequenceContents::Addresses& addresses,
                          const BreakActionDesc* desc);
    virtual WORD AddCycleBreak(DWORD period, DWORD count, const BreakActionDesc* desc);
    virtual WORD AddCfgAccessBreak(DWORD address, DWORD secondAddress, WORD accessType, const BreakActionDesc* desc);
    virtual WORD AddCfgDataBreak(DWORD address, DWORD valueLow, WORD size, WORD compareMode, DWORD valueHigh,
                         const BreakActionDesc* desc);

    // The record at a position of a kind's list; null beyond its count.
    CTBreakContents* GetBreakAt(BreakKind kind, DWORD position) const { return List(kind).GetAt(position); }
    CTBreakPcContents* GetPcBreakAt(DWORD position) const;

    // The global index.
    WORD GetItemByGlobalIndex(LONG index, BreakItemInfo** item);
    WORD EnableByGlobalIndex(LONG index, WORD flag);
    // -1 removes every break; flag 1 asks the host to remove the PC Stop
    // breaks, 0 keeps them.
    void RemoveByGlobalIndex(LONG index, WORD flag);

    WORD FindPcBreak(DWORD address, DWORD* position) const { return m_pc.FindPcBreak(address, position); }
    CTBreakPcContents* FindPcStopBreak(DWORD address) const { return m_pc.FindPcStopBreak(address); }
    const CTBreakSequenceContents* FindSequenceAddress(DWORD address) const { return m_sequence.FindAddress(address); }

    // The event handler's breakpoint list, by PC list position.
    WORD UpdatePcBreak(DWORD position, BreakItemInfo** item);
    void SetPcBreakEnable(DWORD position, WORD flag) { static_cast<void>(m_pc.EnablePcBreak(flag, static_cast<LONG>(position))); }
    void RemovePcBreak(DWORD position) { m_pc.RemovePcBreakAt(static_cast<LONG>(position), 1); }

    // The "Set Break" sheet for the break at a global index, or for a new
    // break (-1). On OK the break is made from the sheet's values with the
    // action the break had (Stop for a new one); an edited break is replaced
    // unless nothing changed, and comes back when nothing could be made in
    // its place. An index that names no break offers no kind.
    virtual void RunSetBreakDialog(LONG index);
    void DoSetBreakDialog(LONG index);
    // The action page's fields from an action.
    static void PresetActionPage(CSetBrk2& page, const CTBreakAction& action);
    // Whether the action is the one the description describes.
    static bool IsSameAction(const CTBreakAction& action, const BreakActionDesc& desc);
    // The file names the sheet's action page offers for File Input and File
    // Output, most recent first; the sheet keeps at most 4 of each.
    std::vector<std::string>& InputFileNames() { return m_inputFileNames; }
    std::vector<std::string>& OutputFileNames() { return m_outputFileNames; }

    // The host's close-files event closes every file of the break actions.
    void HandleHostEvent(const GUID& eventId);

    // IUnknown, for every interface part.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // IHTPCBreakClient: the PC Stop breaks, by their ids.
    HRESULT STDMETHODCALLTYPE AddBreak(DWORD address, GUID ownerId, BSTR text, DWORD* id) override;
    HRESULT STDMETHODCALLTYPE EnableBreak(LONG id, WORD flag) override;
    HRESULT STDMETHODCALLTYPE IsBreakEnabled(LONG id, WORD* enabled) override;
    HRESULT STDMETHODCALLTYPE RemoveBreak(LONG id) override;
    HRESULT STDMETHODCALLTYPE GetBreakInfo(DWORD address, GUID* ownerId, BSTR* text, DWORD* id) override;
    HRESULT STDMETHODCALLTYPE FindBreak(DWORD address, DWORD* id) override;
    // IHTBreakServer
    HRESULT QueryItem(DWORD) override { return kBreakListRefused; }
    HRESULT GetNextItem(LONG previous, BreakItemInfo** item) override;
    HRESULT EnableItem(LONG index, WORD flag) override;
    HRESULT RemoveItem(LONG index) override;
    HRESULT ReleaseItemFiles(LONG index) override;
    // IHEventReceiver: answers 0 for every event.
    HRESULT STDMETHODCALLTYPE OnEvent(const GUID* eventId) override;

private:
    // Another PC record on the target at the address, or a Stop sequence
    // break listing it; for the sequence alone the address is held.
    bool IsAddressNeeded(DWORD address, const CTBreakContents* except) override;
    // Clears the held breakpoints that no break needs any longer (after a
    // sequence break went or was replaced); a PC record on the target at a
    // held address takes it over.
    void ReleaseHeldAddresses();
    CTBreakList& List(BreakKind kind) const { return *m_lists[static_cast<std::size_t>(kind)]; }
    // The kind and position of a global index; false beyond the last break.
    bool Resolve(LONG index, BreakKind& kind, DWORD& position) const;
    DWORD TotalCount() const;
    // The item record a kind's family fills.
    CBreakItemSlot& SlotOf(BreakKind kind);
    // The record the last creation made, with the enable word the store gave.
    HRESULT SetEnableOfAdded(BreakKind kind, WORD enable);

    CTBreakPcList m_pc;
    CTBreakAccessList m_access;
    CTBreakDataList m_data;
    CTBreakRegisterList m_register;
    CTBreakSequenceList m_sequence;
    CTBreakCycleList m_cycle;
    CTBreakCfgAccessList m_cfgAccess;
    CTBreakCfgDataList m_cfgData;
    std::array<CTBreakList*, kBreakKindCount> m_lists;
    IHBreakpointService* m_breakpointService = nullptr;
    CBreakItemSlot m_addressSlot;
    CBreakItemSlot m_registerSlot;
    CBreakItemSlot m_cycleSlot;
    std::vector<std::string> m_inputFileNames;
    std::vector<std::string> m_outputFileNames;
    // Breakpoints left on the target for the Stop sequence break alone,
    // their PC records gone.
    std::vector<DWORD> m_heldForSequence;
};
