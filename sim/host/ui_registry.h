// The simulated host's UI registration: the four UI interfaces behind one
// object that records every call (arguments decoded: VARIANT lists, BSTR
// texts, class ids by name, resource instances by module name) and keeps
// what each owner registered, as the host's menus, toolbars and windows.
//
// Owner ids are handed out from 1 up (slot 44) and taken back (slot 45).
// Every removal is checked against what the owner added, and an add for an
// owner the host has not handed out is refused: each such mismatch, and an
// owner id not given back when the components are detached, is a host error.
// Results can be scripted per slot; an add takes effect only when it answers
// S_OK. Slot 87 answers how many registered popup items use a popup handle.
#pragma once

#include "platform/host/ui_interfaces.h"
#include "sim/host/call_log.h"
#include "sim/host/ui_arguments.h"

#include <deque>
#include <iosfwd>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace simhost {

// One call to a UI interface: its slot, its arguments as text and the
// answer.
struct UiCall {
    int op = 0;
    std::vector<std::string> args;
    HRESULT result = S_OK;
};

struct UiMenuEntry {
    DWORD key = 0;
    std::string source;  // the module it was loaded from, or "texts"
    DWORD flags = 0;
    std::vector<UiMenuLine> items;
    std::vector<DWORD> ids;  // the command ids the call passed
    bool takenOut = false;   // by slot 31, until slot 89 puts it back
    HINSTANCE instance = nullptr;  // the module a menu resource was loaded from
};

struct UiToolbarEntry {
    DWORD toolbarId = 0;
    DWORD secondId = 0;
    std::string idText;
    std::string caption;
    HINSTANCE instance = nullptr;
    std::vector<DWORD> buttons;
};

struct UiIdItemEntry {
    std::string idText;
    DWORD numericId = 0;
    std::vector<std::string> texts;
    std::vector<DWORD> ids;
    DWORD flags = 0;
};

struct UiPopupItemEntry {
    DWORD popup = 0;
    DWORD itemId = 0;
    DWORD sixth = 0;
    std::string text;
};

// Everything one owner has registered.
struct UiOwnerEntries {
    std::map<DWORD, UiMenuEntry> menus;
    std::vector<UiToolbarEntry> toolbars;
    std::vector<HWND> windows;
    std::vector<HINSTANCE> instances;
    std::map<DWORD, std::vector<DWORD>> accelerators;  // table id -> command ids
    std::map<std::string, UiIdItemEntry> idItems;      // id text and numeric id
    std::map<std::string, DWORD> namedCommands;        // name -> command id
    std::map<DWORD, UiPopupItemEntry> popupItems;      // item id
    std::map<DWORD, std::vector<DWORD>> commandGroups;  // group id -> command ids

    bool Empty() const;
};

class HostUiRegistry : public IHUiRegistration4 {
public:
    explicit HostUiRegistry(CallLog& log) : log_(log) {}
    virtual ~HostUiRegistry() = default;

    // Scripts the answer of the next calls to a slot (count times; -1: every
    // call until scripted again). Unscripted calls answer S_OK.
    void ScriptResult(int op, HRESULT result, int count = 1);
    // The state word slot 17 writes, and the outs of the getters: the text
    // list, id list, text and value they fill.
    void SetCommandState(DWORD state);
    void SetOuts(std::vector<std::string> texts, std::vector<DWORD> ids, std::optional<std::string> text,
                 DWORD value);

    std::vector<UiCall> Calls() const;
    // The calls to one slot, in order.
    std::vector<UiCall> CallsTo(int op) const;
    std::vector<int> Ops() const;
    void ClearCalls();
    std::vector<std::string> HostErrors() const;
    std::map<DWORD, UiOwnerEntries> Owners() const;
    std::set<DWORD> OwnerIdsOut() const;
    // Reports every owner id that is still out as a host error.
    void CheckOwnerIdsReturned();

    // The host's view for the console: per owner its menus with their items,
    // toolbars with caption, id text, buttons and tips, accelerator tables,
    // windows, instances, id-text items, named commands, popup items and
    // command groups; then the command texts and any host errors.
    void Describe(std::ostream& out) const;
    // The window of the owner whose menu holds the command, or null.
    HWND WindowForCommand(UINT id) const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

    // UI interface 1.
    HRESULT STDMETHODCALLTYPE AddNamedCommands(DWORD owner, const CLSID* clsid, VARIANT ids, VARIANT names) override;
    HRESULT STDMETHODCALLTYPE RemoveNamedCommands(DWORD owner, VARIANT names) override;
    HRESULT STDMETHODCALLTYPE AddAccelerators(HINSTANCE instance, DWORD tableId, DWORD owner, const CLSID* clsid,
                                              VARIANT ids, VARIANT secondIds, VARIANT names) override;
    HRESULT STDMETHODCALLTYPE RemoveAccelerators(DWORD tableId, DWORD owner) override;
    HRESULT STDMETHODCALLTYPE SetCommandText(DWORD commandId, BSTR text) override;
    HRESULT STDMETHODCALLTYPE RemoveCommandText(DWORD commandId) override;
    HRESULT STDMETHODCALLTYPE AddIdItem(BSTR idText, HINSTANCE instance, DWORD numericId, DWORD owner,
                                        const CLSID* clsid, VARIANT ids, VARIANT secondIds, VARIANT names,
                                        BSTR firstText, BSTR secondText, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE AddIdItemWithTexts(BSTR idText, VARIANT itemTexts, VARIANT ids, DWORD numericId,
                                                 DWORD owner, const CLSID* clsid, VARIANT secondIds,
                                                 VARIANT thirdIds, VARIANT names, BSTR firstText, BSTR secondText,
                                                 DWORD flags) override;
    HRESULT STDMETHODCALLTYPE RemoveIdItem(BSTR idText, DWORD numericId, DWORD owner) override;
    HRESULT STDMETHODCALLTYPE AddCommandGroup(DWORD groupId, HINSTANCE instance, DWORD menuId, DWORD owner,
                                              const CLSID* clsid, VARIANT ids, VARIANT secondIds,
                                              VARIANT names) override;
    HRESULT STDMETHODCALLTYPE RemoveCommandGroup(DWORD groupId, DWORD menuId, DWORD owner) override;
    HRESULT STDMETHODCALLTYPE SetIdText(DWORD number, BSTR text) override;
    HRESULT STDMETHODCALLTYPE SetValues15(DWORD first, DWORD second, DWORD third) override;
    HRESULT STDMETHODCALLTYPE FireCommand(HWND window, DWORD code) override;
    HRESULT STDMETHODCALLTYPE QueryCommandState(HWND window, DWORD* state) override;
    HRESULT STDMETHODCALLTYPE CreatePopup(BSTR text, DWORD second, DWORD third, DWORD fourth) override;
    HRESULT STDMETHODCALLTYPE ReleasePopup(DWORD popup) override;
    HRESULT STDMETHODCALLTYPE SetItemText20(DWORD value, BSTR text, DWORD third, DWORD fourth, DWORD fifth) override;
    HRESULT STDMETHODCALLTYPE AddPopupItem(DWORD popup, DWORD itemId, DWORD third, BSTR text, DWORD fifth,
                                           DWORD sixth, DWORD owner, DWORD eighth) override;
    HRESULT STDMETHODCALLTYPE RemovePopupItem(DWORD popup, DWORD itemId, DWORD sixth, DWORD owner) override;
    HRESULT STDMETHODCALLTYPE AddNamedToolbar(BSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                              DWORD owner, const CLSID* clsid, VARIANT buttonIds, VARIANT secondIds,
                                              VARIANT names, VARIANT third, VARIANT fourth, VARIANT fifth) override;
    HRESULT STDMETHODCALLTYPE GetTexts25(DWORD first, DWORD second, DWORD third, DWORD fourth, VARIANT* texts,
                                         BSTR* text) override;
    HRESULT STDMETHODCALLTYPE SetTexts26(DWORD first, DWORD second, DWORD third, DWORD fourth, VARIANT texts,
                                         BSTR text) override;
    HRESULT STDMETHODCALLTYPE SetText27(BSTR text) override;
    HRESULT STDMETHODCALLTYPE RemoveToolbar(DWORD toolbarId, DWORD secondId, DWORD owner) override;
    HRESULT STDMETHODCALLTYPE AddMenu(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid, VARIANT ids,
                                      VARIANT secondIds, VARIANT names, BSTR firstText, BSTR secondText,
                                      DWORD flags) override;
    HRESULT STDMETHODCALLTYPE AddTextMenu(VARIANT texts, VARIANT ids, DWORD menuKey, DWORD owner, const CLSID* clsid,
                                          VARIANT secondIds, VARIANT thirdIds, VARIANT secondTexts, BSTR firstText,
                                          BSTR secondText, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE TakeOutMenu(DWORD menuKey, DWORD owner) override;
    HRESULT STDMETHODCALLTYPE RemoveMenu(DWORD menuKey, DWORD owner) override;
    HRESULT STDMETHODCALLTYPE AddWindow(DWORD owner, const CLSID* clsid, HWND window) override;
    HRESULT STDMETHODCALLTYPE AddResourceInstance(HINSTANCE instance, DWORD owner, const CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE RemoveResourceInstance(DWORD owner) override;
    HRESULT STDMETHODCALLTYPE RemoveWindow(DWORD owner) override;
    HRESULT STDMETHODCALLTYPE GetNames38(VARIANT* names) override;
    HRESULT STDMETHODCALLTYPE GetIds39(BSTR text, VARIANT* ids) override;
    HRESULT STDMETHODCALLTYPE SetTextValue40(BSTR text, DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetText41(BSTR text) override;
    HRESULT STDMETHODCALLTYPE SetValues42(DWORD first, DWORD second) override;
    HRESULT STDMETHODCALLTYPE SetValues43(DWORD first, DWORD second) override;
    HRESULT STDMETHODCALLTYPE AcquireOwnerId(DWORD* owner) override;
    HRESULT STDMETHODCALLTYPE ReleaseOwnerId(DWORD* owner) override;
    HRESULT STDMETHODCALLTYPE ShowAtPoint(BSTR text, DWORD point) override;
    HRESULT STDMETHODCALLTYPE SetValues47(DWORD first, DWORD second) override;
    HRESULT STDMETHODCALLTYPE AddToolbarWithText(BSTR text, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                                 DWORD owner, const CLSID* clsid, VARIANT buttonIds,
                                                 VARIANT secondIds, VARIANT names, VARIANT first, VARIANT second,
                                                 VARIANT third, VARIANT fourth) override;
    HRESULT STDMETHODCALLTYPE Notify49() override;
    HRESULT STDMETHODCALLTYPE InvokeIdItem(BSTR idText, DWORD numericId, DWORD owner) override;
    HRESULT STDMETHODCALLTYPE RegisterItem51(BSTR first, BSTR second, DWORD third, DWORD fourth, DWORD fifth,
                                             DWORD sixth) override;
    HRESULT STDMETHODCALLTYPE SetTextValue53(BSTR text, DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetTextValue54(BSTR text, DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetTextPair(BSTR first, BSTR second) override;
    HRESULT STDMETHODCALLTYPE SetTextValue56(BSTR text, DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetValues57(DWORD first, DWORD second) override;
    // UI interface 2.
    HRESULT STDMETHODCALLTYPE SetTextPair58(BSTR first, BSTR second) override;
    HRESULT STDMETHODCALLTYPE EditText59(BSTR first, BSTR second, DWORD third, DWORD fourth, DWORD fifth,
                                         DWORD sixth, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE SetTextValue60(BSTR text, DWORD value) override;
    HRESULT STDMETHODCALLTYPE Forward61(DWORD first, DWORD second, DWORD third, DWORD fourth, DWORD fifth,
                                        DWORD sixth, VARIANT ids1, VARIANT ids2, VARIANT ids3, VARIANT ids4,
                                        VARIANT ids5) override;
    HRESULT STDMETHODCALLTYPE SetValue62(DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetValue63(DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetFlag64(DWORD value, DWORD flag) override;
    HRESULT STDMETHODCALLTYPE Notify65() override;
    HRESULT STDMETHODCALLTYPE Notify66() override;
    HRESULT STDMETHODCALLTYPE Notify67() override;
    HRESULT STDMETHODCALLTYPE Notify68() override;
    HRESULT STDMETHODCALLTYPE AddToolbar(BSTR idText, BSTR caption, HINSTANCE instance, DWORD toolbarId,
                                         DWORD secondId, DWORD owner, const CLSID* clsid, VARIANT buttonIds,
                                         VARIANT secondIds, VARIANT names, VARIANT third, VARIANT fourth,
                                         VARIANT fifth, VARIANT sixth) override;
    HRESULT STDMETHODCALLTYPE SetText70(BSTR text) override;
    HRESULT STDMETHODCALLTYPE SetText71(BSTR text) override;
    HRESULT STDMETHODCALLTYPE SetTextValue72(BSTR text, DWORD value) override;
    HRESULT STDMETHODCALLTYPE GetValue73(BSTR text, DWORD* value) override;
    HRESULT STDMETHODCALLTYPE SetTextValue74(BSTR text, DWORD value) override;
    HRESULT STDMETHODCALLTYPE GetNameLists75(VARIANT* first, VARIANT* second) override;
    HRESULT STDMETHODCALLTYPE GetIds76(BSTR text, VARIANT* ids) override;
    HRESULT STDMETHODCALLTYPE GetTexts77(DWORD first, DWORD second, VARIANT* texts, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE SetTexts78(DWORD first, DWORD second, VARIANT texts, BSTR text) override;
    HRESULT STDMETHODCALLTYPE SetValue79(DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetText80(BSTR text) override;
    // UI interface 3.
    HRESULT STDMETHODCALLTYPE Notify81() override;
    HRESULT STDMETHODCALLTYPE AddToolbarEx(BSTR idText, BSTR caption, HINSTANCE instance, DWORD toolbarId,
                                           DWORD secondId, DWORD owner, const CLSID* clsid,
                                           VARIANT buttonIds) override;
    // UI interface 4.
    HRESULT STDMETHODCALLTYPE AddToolbarEx3(BSTR idText, BSTR caption, BSTR third, HINSTANCE instance,
                                            DWORD toolbarId, DWORD secondId, DWORD owner, const CLSID* clsid,
                                            VARIANT buttonIds) override;
    HRESULT STDMETHODCALLTYPE AddToolbarEx2(BSTR idText, BSTR caption, HINSTANCE instance, DWORD toolbarId,
                                            DWORD secondId, DWORD owner, const CLSID* clsid, VARIANT buttonIds,
                                            DWORD extra) override;
    HRESULT STDMETHODCALLTYPE SetToolbarValue85(DWORD first, DWORD second) override;
    HRESULT STDMETHODCALLTYPE QueryToolbar86() override;
    HRESULT STDMETHODCALLTYPE GetPopupUseCount(DWORD popup, LONG* count) override;
    HRESULT STDMETHODCALLTYPE GetText88(DWORD first, DWORD second, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE PutBackMenu(VARIANT texts, VARIANT ids, DWORD menuKey, DWORD owner, const CLSID* clsid,
                                          VARIANT secondIds, VARIANT thirdIds, VARIANT names, VARIANT thirdTexts,
                                          BSTR firstText, BSTR secondText, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Placeholder23() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Placeholder32() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Placeholder52() override { return E_NOTIMPL; }

private:
    // Records the call and answers its scripted result (S_OK when none).
    HRESULT Record(int op, std::vector<std::string> args);
    // The owner's entries for an add: null (with a host error) for an owner
    // the host has not handed out. Needs the lock.
    UiOwnerEntries* OwnerForAdd(int op, DWORD owner);
    // Notes a removal that does not match what the owner added. Needs the lock.
    HRESULT Mismatch(int op, const std::string& what);
    // Keeps a toolbar the host accepted; a toolbar under the same ids is
    // replaced. Needs the lock.
    HRESULT AddToolbarEntry(int op, HRESULT result, DWORD owner, UiToolbarEntry entry);

    CallLog& log_;
    mutable std::mutex mutex_;
    std::vector<UiCall> calls_;
    std::map<int, std::deque<HRESULT>> scripted_;
    std::map<int, HRESULT> always_;
    std::vector<std::string> hostErrors_;
    std::map<DWORD, UiOwnerEntries> owners_;
    std::set<DWORD> ownerIdsOut_;
    DWORD nextOwnerId_ = 1;
    std::map<DWORD, std::string> commandTexts_;
    DWORD commandState_ = 0;
    std::vector<std::string> outTexts_;
    std::vector<DWORD> outIds_;
    std::optional<std::string> outText_;
    DWORD outValue_ = 0;
};

}  // namespace simhost
