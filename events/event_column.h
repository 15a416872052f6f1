// The event columns of the event-function firmware: "Event" in the host's
// source views and "Event - ASM" in its disassembly view, both with the
// host's event column service. A line shows a filled disc when a channel of
// the break-condition table is set at its address and enabled, a ring when
// it is set and disabled; a toggle click clears the channel at the line's
// address or sets the lowest free one there. The columns follow every change
// of the channels through the host's break-condition-changed event.
//
// Each column registers with the host when it is made and withdraws when it
// goes; CEventColumnOwner makes and deletes them. Host UI thread only.
#pragma once

#include "events/break_condition_table.h"

#include "platform/afx.h"
#include "platform/host/target_interfaces.h"
#include "platform/host/view_column_interfaces.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CEventColumn : public IHViewColumn, public IHEventReceiver {
public:
    // What a column is registered with: its key, its title and the twelfth
    // registration value.
    struct Registration {
        const char* key;
        const char* title;
        DWORD twelfth;
    };

    CEventColumn(IHostServiceProvider* owner, const Registration& registration);
    virtual ~CEventColumn();
    CEventColumn(const CEventColumn&) = delete;
    CEventColumn& operator=(const CEventColumn&) = delete;

    // Only the column interface's id gives the column; no reference counting.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // IHViewColumn
    HRESULT STDMETHODCALLTYPE OnViewOpened(LPCSTR view, DWORD kind) override;
    HRESULT STDMETHODCALLTYPE OnViewClosed(LPCSTR view, DWORD kind) override;
    HRESULT STDMETHODCALLTYPE OnViewChanged(LPCSTR, DWORD, DWORD, DWORD) override { return 0; }
    HRESULT STDMETHODCALLTYPE Notify6(DWORD, DWORD, DWORD, DWORD) override { return 0; }
    HRESULT STDMETHODCALLTYPE Notify7(DWORD, DWORD, DWORD, DWORD) override { return 0; }
    HRESULT STDMETHODCALLTYPE OnColumnClick(LPCSTR view, DWORD kind, DWORD flags, DWORD line, DWORD reserved, LONG x,
                                            LONG y) override;
    HRESULT STDMETHODCALLTYPE SetFlagAForAll(DWORD kind, DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetFlagAForView(LPCSTR view, DWORD kind, DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetFlagBForAll(DWORD, DWORD) override { return 0; }
    HRESULT STDMETHODCALLTYPE SetFlagBForView(LPCSTR, DWORD, DWORD) override { return 0; }
    HRESULT STDMETHODCALLTYPE GetGlyph(DWORD index, DWORD cookie, DWORD kind, VARIANT* bits, VARIANT* mask,
                                       DWORD* byteCount) override;
    HRESULT STDMETHODCALLTYPE GetInfoA(DWORD*, DWORD*, DWORD, DWORD, DWORD) override { return 1; }
    HRESULT STDMETHODCALLTYPE GetInfoB(DWORD* first, DWORD* second, DWORD, DWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetTitle(DWORD* kind, BSTR* title, DWORD reserved) override;
    // IHEventReceiver: the break-condition-changed event refreshes the column.
    HRESULT STDMETHODCALLTYPE OnEvent(const GUID* eventId) override;

    // The column's answer to a click: a toggle (flag 0x2) places or removes
    // a channel at the line; 1 after a refusal the host was told of.
    virtual HRESULT ToggleEventPoint(LPCSTR view, DWORD kind, DWORD flags, DWORD line) = 0;
    // Every open view's lines repainted.
    virtual void Refresh();

    LONG ColumnId() const { return m_columnId; }
    DWORD FlagA() const { return m_flagA; }
    const std::vector<CString>& OpenViews() const { return m_openViews; }

protected:
    static constexpr DWORD kToggleFlag = 0x2;

    // The host told of a refusal (its message operation).
    void Report(const char* text) const;
    // The table's lowest free channel for a new event point at the address;
    // none after the refusal the host was told of (no free channel, or an
    // address outside the device's range). Only with a table.
    std::optional<int> FreeChannelFor(DWORD address) const;
    CBreakConditionTable* Table() const { return m_table.get(); }
    IHostServiceProvider* Owner() const { return m_owner; }
    DWORD Kind() const { return m_kind; }

private:
    // What a view opened or closed event works on: the host's column service
    // and the view's name. No service when the event is for another kind of
    // view or the host has no column service.
    struct ViewEvent {
        IHViewColumnService* service = nullptr;
        CString name;
    };

    // An empty view name is the disassembly view's.
    static CString ViewName(LPCSTR view);
    ViewEvent ViewEventFor(LPCSTR view, DWORD kind) const;

    LONG m_columnId = 0;
    DWORD m_kind = 0;
    CString m_title;
    DWORD m_flagA = 1;
    DWORD m_flagB = 1;
    std::vector<CString> m_openViews;
    IHostServiceProvider* m_owner;  // borrowed
    DWORD m_glyphCount = 2;
    std::unique_ptr<CBreakConditionTable> m_table;
};

class CEventSourceColumn : public CEventColumn {
public:
    explicit CEventSourceColumn(IHostServiceProvider* owner);
    ~CEventSourceColumn() override;

    HRESULT STDMETHODCALLTYPE GetLineGlyphs(DWORD* glyphMask, LPCSTR view, DWORD kind, DWORD line) override;
    HRESULT STDMETHODCALLTYPE OnEvent(const GUID* eventId) override;
    HRESULT ToggleEventPoint(LPCSTR view, DWORD kind, DWORD flags, DWORD line) override;
    // The marks rebuilt from the channels, unless this column changed a
    // channel itself since the last refresh; then the views repainted.
    void Refresh() override;
    void RebuildLineMarks();

    // The marks, keyed by a path's file name in lower case (files of the
    // same name in different folders share their marks).
    void SetLineMark(const CString& path, DWORD line, DWORD value);
    void ClearLineMark(const CString& path, DWORD line);
    bool LookupLineMark(const CString& path, DWORD line, DWORD* value) const;
    void ClearLineMarks();

private:
    static std::string MarkKey(const CString& path);
    // The file and line of an address whose line leads back to it.
    bool AddressToSourceLine(DWORD address, CString& file, DWORD& line) const;

    std::map<std::string, std::map<DWORD, DWORD>> m_lineMarks;
    DWORD m_suppressRebuild = 0;
};

class CEventAsmColumn : public CEventColumn {
public:
    explicit CEventAsmColumn(IHostServiceProvider* owner);

    HRESULT STDMETHODCALLTYPE GetLineGlyphs(DWORD* glyphMask, LPCSTR view, DWORD kind, DWORD line) override;
    HRESULT ToggleEventPoint(LPCSTR view, DWORD kind, DWORD flags, DWORD line) override;
};
