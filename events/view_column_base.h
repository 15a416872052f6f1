// CViewColumnBase: the "Event" column of the host's source views and of its
// disassembly view, made by the target when the firmware has no event
// function. A line shows a filled disc when a channel of the break-condition
// set holds the line's address and is enabled, a ring when it is disabled. A
// toggle click places or removes a condition at the line through the event
// handler; a context click opens the channel menu of the hidden channel-menu
// window. The entries remember, per channel, the source line its mark was
// placed on.
//
// With the event function the target makes a CEventColumnOwner instead,
// which replaces every own operation (the virtual ones after the interface's).
// Host UI thread only.
#pragma once

#include "platform/afx.h"
#include "platform/host/view_column_interfaces.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class CEventColumnWnd;

// The mark of one channel in the source views.
struct ColumnEntry {
    DWORD used = 0;        // 1 in use
    CString viewName;      // the source file the lookup gave for the address
    DWORD line = 0;        // the source line
    DWORD state = 0;       // the value AddChannelMark was given
    DWORD channel = 0;
};

class CViewColumnBase : public IHViewColumn {
public:
    static constexpr std::size_t kGlyphSlots = 10;
    static constexpr DWORD kToggleFlag = 0x2;
    static constexpr DWORD kContextFlag = 0x4;

    explicit CViewColumnBase(IHostServiceProvider* host);
    virtual ~CViewColumnBase();
    CViewColumnBase(const CViewColumnBase&) = delete;
    CViewColumnBase& operator=(const CViewColumnBase&) = delete;

    // IUnknown: the object for IUnknown's and the column interface's ids; no
    // reference counting.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // IHViewColumn
    HRESULT STDMETHODCALLTYPE OnViewOpened(LPCSTR view, DWORD kind) override;
    HRESULT STDMETHODCALLTYPE OnViewClosed(LPCSTR view, DWORD kind) override;
    HRESULT STDMETHODCALLTYPE OnViewChanged(LPCSTR view, DWORD kind, DWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE Notify6(DWORD, DWORD, DWORD, DWORD) override { return 0; }
    HRESULT STDMETHODCALLTYPE Notify7(DWORD, DWORD, DWORD, DWORD) override { return 0; }
    HRESULT STDMETHODCALLTYPE OnColumnClick(LPCSTR view, DWORD kind, DWORD flags, DWORD line, DWORD reserved, LONG x,
                                            LONG y) override;
    HRESULT STDMETHODCALLTYPE SetFlagAForAll(DWORD kind, DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetFlagAForView(LPCSTR view, DWORD kind, DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetFlagBForAll(DWORD kind, DWORD value) override;
    HRESULT STDMETHODCALLTYPE SetFlagBForView(LPCSTR view, DWORD kind, DWORD value) override;
    HRESULT STDMETHODCALLTYPE GetGlyph(DWORD index, DWORD cookie, DWORD kind, VARIANT* bits, VARIANT* mask,
                                       DWORD* byteCount) override;
    HRESULT STDMETHODCALLTYPE GetLineGlyphs(DWORD* glyphMask, LPCSTR view, DWORD kind, DWORD line) override;
    HRESULT STDMETHODCALLTYPE GetInfoA(DWORD* first, DWORD* second, DWORD, DWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetInfoB(DWORD* first, DWORD* second, DWORD, DWORD, DWORD) override;
    HRESULT STDMETHODCALLTYPE GetTitle(DWORD* kind, BSTR* title, DWORD reserved) override;

    // The target's initialisation, once: the entries (one per channel) and
    // the columns' registration. 1 when it made the entries, else 0.
    virtual HRESULT Create();
    // The target's teardown: the columns withdrawn, the entries freed. 1.
    virtual HRESULT Destroy();
    // The break-condition set placed a channel at address (state 1): the
    // channel's entry follows it to the address's source line. The lookup's
    // answer; E_FAIL without the lookup or the source-view service.
    virtual HRESULT AddChannelMark(DWORD address, DWORD channel, DWORD state);
    // The channel's entry freed; the lookup's answer.
    virtual HRESULT RemoveChannelMark(DWORD address, DWORD channel);
    // 4 with the hardware break, the device's channel count on protocol
    // types 2 to 4 (at most eight), else 2.
    virtual DWORD GetChannelCount() const;
    virtual DWORD HasEntryForChannel(DWORD channel) const;
    // After a download (flag not 0): the enabled channels' entries are
    // freed; the download sends those channels again, which marks them anew.
    // Their conditions stay.
    virtual HRESULT RemoveEnabledChannels(DWORD flag);
    virtual void RegisterColumns();
    virtual void UnregisterColumns();

    IHostServiceProvider* GetHost() const { return m_host; }
    LONG SourceColumnId() const { return m_sourceColumnId; }
    LONG AsmColumnId() const { return m_asmColumnId; }
    DWORD GlyphCookie(std::size_t index) const { return m_glyphCookies.at(index); }
    const std::vector<ColumnEntry>& Entries() const { return m_entries; }
    CEventColumnWnd* Window() const { return m_window.get(); }

private:
    bool IsAsmView(const CString& lowerView) const { return lowerView.CompareNoCase(m_asmViewName) == 0; }
    HRESULT AddOrRemoveView(LPCSTR view, DWORD kind, bool add);
    HRESULT ClickInAsmView(const CString& lowerView, DWORD flags, DWORD address, LONG x, LONG y);
    HRESULT ClickInSourceView(LPCSTR view, const CString& lowerView, DWORD flags, DWORD line, LONG x, LONG y);
    // The entry in use at the line of the view (names without case) that
    // counts for a toggle; null when none.
    const ColumnEntry* EntryAtLine(const CString& view, DWORD line, bool checkSheets, DWORD start) const;
    bool ChannelMarkedAt(int channel, const CString& lowerView, bool asmView, DWORD line) const;
    // The source line of a mark's address; without the lookup or the
    // source-view service E_FAIL, and when the lookup fails both columns
    // repainted from the top.
    HRESULT MarkLine(DWORD address, CString& file, DWORD& line) const;
    // The lines of an entry's mark repainted in both views.
    void RefreshMark(const CString& file, DWORD line, DWORD address) const;
    // Whether entry i may take a channel's mark on this device.
    static bool EntryConsidered(std::size_t i);

    IHostServiceProvider* m_host;  // borrowed
    DWORD m_kind = 0;
    LONG m_sourceColumnId = -1;
    LONG m_asmColumnId = -1;
    DWORD m_registrationValue = 0;
    DWORD m_registrationFlag = 0;
    DWORD m_glyphCount = 0;
    CString m_title = "Event";
    CString m_asmViewName = "disassembly view";
    CString m_key;
    std::array<DWORD, kGlyphSlots> m_glyphCookies;
    DWORD m_flagA = 0;
    DWORD m_flagB = 0;
    std::vector<ColumnEntry> m_entries;
    std::unique_ptr<CEventColumnWnd> m_window;
};
