// The view-column base's marks: the entries that follow the channels to their
// source lines, the glyphs of a line, and the clicks into the columns.
#include "events/view_column_base.h"

#include "config/break_channels.h"
#include "events/break_condition_set.h"
#include "events/event_column_wnd.h"
#include "events/target_event_vk3.h"
#include "events/view_column_services.h"
#include "config/device_data.h"
#include "target/target_vk3.h"

#include "platform/bstr.h"

using namespace view_columns;

namespace {

constexpr DWORD kGlyphEnabled = 1;
constexpr DWORD kGlyphDisabled = 2;
constexpr DWORD kWholeMask = 32;  // a glyph mask has 32 bits

CBreakConditionSet* Set() {
    CTargetVk3* target = GetTarget();
    return target != nullptr ? target->GetBreakConditionSet() : nullptr;
}

CTargetEventVk3* EventHandler() {
    CTargetVk3* target = GetTarget();
    return target != nullptr ? target->GetEventHandler() : nullptr;
}

bool SheetAddress(int channel, DWORD* address) {
    CBreakConditionSet* set = Set();
    return set != nullptr && set->Sheet(static_cast<DWORD>(channel)).GetAddress(address);
}

// The source line of an address through the host's lookup.
HRESULT LineOf(IHLookupService* lookup, DWORD address, CString& file, DWORD& line) {
    platform::Bstr name;
    line = 0;
    const HRESULT result = lookup->AddressToLine(address, name.Out(), &line);
    file = SUCCEEDED(result) ? CString(name.Ansi().c_str()) : CString();
    return result;
}

void Refresh(IHViewColumnService* service, LPCSTR view, LONG id, DWORD first, DWORD last) {
    if (service != nullptr) {
        const platform::Bstr name(view != nullptr ? view : "");
        static_cast<void>(service->RefreshLines(view != nullptr ? name.Get() : nullptr, id, first, last));
    }
}

}  // namespace

bool CViewColumnBase::EntryConsidered(std::size_t i) {
    const DWORD count = g_deviceValues.addressBreakCount;
    if (i < 2) {
        return true;
    }
    if (i < 4) {
        return g_deviceValues.hwBreak == 1 || count > 3;
    }
    return count > i;
}

void CViewColumnBase::RefreshMark(const CString& file, DWORD line, DWORD address) const {
    Refresh(SourceService(m_host), file, m_sourceColumnId, line, line);
    Refresh(AsmService(m_host), m_asmViewName, m_asmColumnId, address, address);
}

HRESULT CViewColumnBase::MarkLine(DWORD address, CString& file, DWORD& line) const {
    IHLookupService* lookup = Lookup(m_host);
    if (lookup == nullptr || SourceService(m_host) == nullptr) {
        return E_FAIL;
    }
    const HRESULT found = LineOf(lookup, address, file, line);
    if (FAILED(found)) {
        Refresh(SourceService(m_host), nullptr, m_sourceColumnId, 0, 0);
        Refresh(AsmService(m_host), m_asmViewName, m_asmColumnId, 0, 0);
    }
    return found;
}

HRESULT CViewColumnBase::AddChannelMark(DWORD address, DWORD channel, DWORD state) {
    CString file;
    DWORD line = 0;
    const HRESULT found = MarkLine(address, file, line);
    if (FAILED(found)) {
        return found;
    }
    ColumnEntry* taken = nullptr;
    for (ColumnEntry& entry : m_entries) {
        if (entry.used == 1 && entry.channel == channel) {
            taken = &entry;
            break;
        }
    }
    // Only the entries Create made take a mark: a device file may count more
    // channels than there are entries.
    for (std::size_t i = 0; taken == nullptr && i < m_entries.size(); ++i) {
        DWORD held = 0;
        if (EntryConsidered(i) && SheetAddress(static_cast<int>(i), &held) && held == address) {
            taken = &m_entries[i];
        }
    }
    if (taken != nullptr) {
        *taken = ColumnEntry{1, file, line, state, channel};
        RefreshMark(file, line, address);
    }
    return found;
}

HRESULT CViewColumnBase::RemoveChannelMark(DWORD address, DWORD channel) {
    CString file;
    DWORD line = 0;
    const HRESULT found = MarkLine(address, file, line);
    if (FAILED(found)) {
        return found;
    }
    for (ColumnEntry& entry : m_entries) {
        if (entry.used == 1 && entry.channel == channel) {
            entry.used = 0;
            RefreshMark(file, line, address);
            break;
        }
    }
    return found;
}

HRESULT CViewColumnBase::RemoveEnabledChannels(DWORD flag) {
    if (flag == 0) {
        return 0;
    }
    // The conditions themselves stay: the download sends every enabled
    // channel again right after, and that marks it anew.
    for (int c = static_cast<int>(GetChannelCount()) - 1; c >= 0; --c) {
        const BreakChannelRecord& record = g_breakChannels[static_cast<std::size_t>(c)];
        if (record.enable != 1) {
            continue;
        }
        for (ColumnEntry& entry : m_entries) {
            if (entry.used == 1 && entry.channel == static_cast<DWORD>(c)) {
                entry.used = 0;
                RefreshMark(entry.viewName, entry.line, record.address);
            }
        }
    }
    return 0;
}

bool CViewColumnBase::ChannelMarkedAt(int channel, const CString& lowerView, bool asmView, DWORD line) const {
    DWORD address = 0;
    if (!SheetAddress(channel, &address)) {
        return false;
    }
    if (asmView) {
        return address == line;
    }
    IHLookupService* lookup = Lookup(m_host);
    if (lookup == nullptr) {
        return false;
    }
    CString file;
    DWORD fileLine = 0;
    if (FAILED(LineOf(lookup, address, file, fileLine)) || file.CompareNoCase(lowerView) != 0 || fileLine != line) {
        return false;
    }
    DWORD start = 0;
    DWORD end = 0;
    return SUCCEEDED(lookup->LineToAddressRange(file, fileLine, &start, &end)) && start == address;
}

HRESULT CViewColumnBase::GetLineGlyphs(DWORD* glyphMask, LPCSTR view, DWORD kind, DWORD line) {
    DWORD mask = 0;
    if (kind != m_kind) {
        if (glyphMask != nullptr) {
            *glyphMask = 0;
        }
        return S_FALSE;
    }
    const CString lower = Lower(view);
    const bool asmView = IsAsmView(lower);
    const bool four = g_deviceValues.hwBreak == 1;
    const bool eight = g_protocolType == 2 || g_protocolType == 3;
    const CBreakConditionSet* set = Set();
    bool marked = false;
    for (int c = 0; c < 8; ++c) {
        const bool examined = c < 2 || (c < 4 && four) || eight;
        if (!examined || !ChannelMarkedAt(c, lower, asmView, line)) {
            continue;
        }
        marked = true;
        const bool enabled = set != nullptr && set->GetChannelWord(static_cast<DWORD>(c)) != 0;
        // A cookie the host never gave (-1) or one beyond the mask shows
        // nothing rather than some other glyph.
        const DWORD cookie = m_glyphCookies[enabled ? kGlyphEnabled : kGlyphDisabled];
        if (cookie < kWholeMask) {
            mask |= 1u << cookie;
        }
    }
    if (glyphMask != nullptr) {
        *glyphMask = mask;
    }
    return marked ? S_OK : S_FALSE;
}

const ColumnEntry* CViewColumnBase::EntryAtLine(const CString& view, DWORD line, bool checkSheets,
                                                DWORD start) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const ColumnEntry& entry = m_entries[i];
        if (entry.used != 1 || entry.line != line || entry.viewName.CompareNoCase(view) != 0) {
            continue;
        }
        if (!checkSheets || i >= 8) {
            return &entry;
        }
        DWORD held = 0;
        if (!SheetAddress(static_cast<int>(i), &held) || held == start) {
            return &entry;
        }
    }
    return nullptr;
}

HRESULT CViewColumnBase::OnColumnClick(LPCSTR view, DWORD kind, DWORD flags, DWORD line, DWORD, LONG x, LONG y) {
    if (Lookup(m_host) == nullptr || SourceService(m_host) == nullptr || kind != m_kind) {
        return 0;
    }
    const CString lower = Lower(view);
    if (IsAsmView(lower)) {
        return ClickInAsmView(lower, flags, line, x, y);
    }
    return ClickInSourceView(view, lower, flags, line, x, y);
}

HRESULT CViewColumnBase::ClickInAsmView(const CString& lowerView, DWORD flags, DWORD address, LONG x, LONG y) {
    CString file;
    DWORD sourceLine = 0;
    static_cast<void>(LineOf(Lookup(m_host), address, file, sourceLine));  // no line: no entry matches
    if ((flags & kToggleFlag) != 0) {
        if (CTargetEventVk3* events = EventHandler()) {
            const ColumnEntry* entry = EntryAtLine(lowerView, sourceLine, false, 0);
            const int channel = entry != nullptr ? static_cast<int>(entry->channel) : -1;
            static_cast<void>(events->ToggleConditionAtAddress(channel, address, address));
        }
    } else if ((flags & kContextFlag) != 0 && m_window != nullptr) {
        static_cast<void>(m_window->ShowChannelMenu(address, address, x, y));
    }
    Refresh(AsmService(m_host), lowerView, m_asmColumnId, address, address);
    return E_FAIL;
}

HRESULT CViewColumnBase::ClickInSourceView(LPCSTR view, const CString& lowerView, DWORD flags, DWORD line, LONG x,
                                           LONG y) {
    if ((flags & (kToggleFlag | kContextFlag)) == 0) {
        return E_FAIL;
    }
    DWORD start = 0;
    DWORD end = 0;
    const bool hasCode = SUCCEEDED(Lookup(m_host)->LineToAddressRange(view, line, &start, &end));
    if (hasCode) {
        if ((flags & kContextFlag) != 0) {
            if (m_window != nullptr) {
                static_cast<void>(m_window->ShowChannelMenu(start, end, x, y));
            }
        } else if (CTargetEventVk3* events = EventHandler()) {
            const ColumnEntry* entry = EntryAtLine(lowerView, line, true, start);
            const int channel = entry != nullptr ? static_cast<int>(entry->channel) : -1;
            static_cast<void>(events->ToggleConditionAtAddress(channel, start, end));
        }
    }
    Refresh(SourceService(m_host), lowerView, m_sourceColumnId, line, line);
    return 0;
}
