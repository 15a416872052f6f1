// The view-column base: its host interface, its registration with the host's
// column services and the views it is added to.
#include "events/view_column_base.h"

#include "events/column_glyphs.h"
#include "events/event_column_wnd.h"
#include "events/view_column_services.h"
#include "config/device_data.h"

#include "platform/bstr.h"

#include <algorithm>

using namespace view_columns;

namespace {

constexpr DWORD kKindMismatch = 0;
constexpr LONG kNoId = -1;

}  // namespace

CViewColumnBase::CViewColumnBase(IHostServiceProvider* host) : m_host(host) {
    m_glyphCookies.fill(static_cast<DWORD>(-1));
}

CViewColumnBase::~CViewColumnBase() {
    // A window still open (no Destroy) goes with the object.
    if (m_window != nullptr) {
        m_window->DestroyUnderAppModuleState();
    }
}

HRESULT CViewColumnBase::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IHViewColumn) {
        *object = static_cast<IHViewColumn*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CViewColumnBase::Create() {
    if (!m_entries.empty()) {
        return 0;
    }
    m_entries.resize(GetChannelCount());
    RegisterColumns();
    return 1;
}

HRESULT CViewColumnBase::Destroy() {
    UnregisterColumns();
    m_entries.clear();
    return 1;
}

void CViewColumnBase::RegisterColumns() {
    m_kind = 0;
    m_registrationValue = 20;
    m_registrationFlag = 1;
    m_title = "Event";
    m_glyphCount = 8;
    m_flagB = 1;
    m_flagA = 1;
    m_glyphCookies.fill(static_cast<DWORD>(-1));
    const platform::Bstr key(static_cast<LPCSTR>(m_key));
    const platform::Bstr title(static_cast<LPCSTR>(m_title));
    IHViewColumnService* source = SourceService(m_host);
    if (source != nullptr) {
        IHViewColumnRegistry* registry = Part<IHViewColumnRegistry>(source, IID_IHViewColumnRegistry);
        if (registry != nullptr) {
            if (FAILED(registry->FindColumn(key.Get(), &m_sourceColumnId))) {
                static_cast<void>(registry->RegisterColumn(key.Get(), this, &m_sourceColumnId, m_kind,
                                                           m_registrationFlag, title.Get(), m_glyphCount, 2,
                                                           m_registrationValue, 1, 16, 1, IID_IHViewColumn));
            } else {
                static_cast<void>(registry->AttachColumn(m_sourceColumnId, this));
            }
        }
        static_cast<void>(source->ActivateColumn(m_sourceColumnId));
    }
    if (IHViewColumnService* disassembly = AsmService(m_host)) {
        if (IHViewColumnRegistry* registry = Part<IHViewColumnRegistry>(disassembly, IID_IHViewColumnRegistry)) {
            static_cast<void>(registry->RegisterColumn(key.Get(), this, &m_asmColumnId, m_kind, m_registrationFlag,
                                                       title.Get(), m_glyphCount, -1, m_registrationValue, 1, 16,
                                                       0, IID_IHViewColumn));
        }
        if (IHSettingsStore* settings = Settings(m_host)) {
            DWORD value = 0;
            if (settings->ReadColumnValue(IID_IHSourceColumnService, IID_IHSourceColumnService, m_sourceColumnId,
                                          &value) == 0) {
                m_flagA = value;
            }
            if (source != nullptr) {
                static_cast<void>(source->SetFlagA(nullptr, m_sourceColumnId, m_flagA));
            }
        }
        static_cast<void>(disassembly->ActivateColumn(m_asmColumnId));
    }
    m_window = std::make_unique<CEventColumnWnd>(m_host);
    static_cast<void>(m_window->CreateUnderAppModuleState());  // a window that fails only shows no menu
}

void CViewColumnBase::UnregisterColumns() {
    if (IHViewColumnService* source = SourceService(m_host); source != nullptr && m_sourceColumnId != kNoId) {
        static_cast<void>(source->RemoveColumn(m_sourceColumnId));
    }
    if (IHViewColumnService* disassembly = AsmService(m_host); disassembly != nullptr && m_asmColumnId != kNoId) {
        static_cast<void>(disassembly->RemoveColumn(m_asmColumnId));
    }
    if (m_window != nullptr) {
        m_window->DestroyUnderAppModuleState();
        m_window.reset();
    }
}

HRESULT CViewColumnBase::AddOrRemoveView(LPCSTR view, DWORD kind, bool add) {
    const CString lower = Lower(view);
    const bool asmView = IsAsmView(lower);
    IHViewColumnService* service = asmView ? AsmService(m_host) : SourceService(m_host);
    if (service != nullptr && kind == m_kind) {
        const platform::Bstr name(static_cast<LPCSTR>(lower));
        const LONG id = asmView ? m_asmColumnId : m_sourceColumnId;
        static_cast<void>(add ? service->AddToView(name.Get(), id, m_flagB, m_flagA)
                              : service->RemoveFromView(name.Get(), id));
    }
    return E_FAIL;  // what the host's column interface expects of these two
}

HRESULT CViewColumnBase::OnViewOpened(LPCSTR view, DWORD kind) {
    return AddOrRemoveView(view, kind, true);
}

HRESULT CViewColumnBase::OnViewClosed(LPCSTR view, DWORD kind) {
    return AddOrRemoveView(view, kind, false);
}

HRESULT CViewColumnBase::OnViewChanged(LPCSTR view, DWORD kind, DWORD, DWORD) {
    if (IHViewColumnService* source = SourceService(m_host); source != nullptr && kind == m_kind) {
        const platform::Bstr name(static_cast<LPCSTR>(Lower(view)));
        static_cast<void>(source->RefreshLines(name.Get(), m_sourceColumnId, 0, static_cast<DWORD>(-1)));
    }
    return 0;
}

HRESULT CViewColumnBase::SetFlagAForAll(DWORD kind, DWORD value) {
    if (kind != m_kind) {
        return kKindMismatch;
    }
    m_flagA = value;
    if (IHViewColumnService* source = SourceService(m_host)) {
        static_cast<void>(source->SetFlagA(nullptr, m_sourceColumnId, m_flagA));
    }
    if (IHViewColumnService* disassembly = AsmService(m_host)) {
        static_cast<void>(disassembly->SetFlagA(nullptr, m_asmColumnId, m_flagA));
    }
    if (IHSettingsStore* settings = Settings(m_host)) {
        static_cast<void>(
            settings->WriteColumnValue(IID_IHSourceColumnService, IID_IHSourceColumnService, m_sourceColumnId, m_flagA));
    }
    return 0;
}

HRESULT CViewColumnBase::SetFlagAForView(LPCSTR view, DWORD kind, DWORD value) {
    if (IHViewColumnService* source = SourceService(m_host); source != nullptr && kind == m_kind) {
        platform::Bstr name(static_cast<LPCSTR>(Lower(view)));
        BSTR text = name.Get();
        static_cast<void>(source->SetFlagA(&text, m_sourceColumnId, value));
    }
    return 0;
}

HRESULT CViewColumnBase::SetFlagBForAll(DWORD kind, DWORD value) {
    if (IHViewColumnService* source = SourceService(m_host); source != nullptr && kind == m_kind) {
        m_flagB = value;
        static_cast<void>(source->SetFlagB(nullptr, m_sourceColumnId, m_flagB));
    }
    return 0;
}

HRESULT CViewColumnBase::SetFlagBForView(LPCSTR view, DWORD kind, DWORD value) {
    if (IHViewColumnService* source = SourceService(m_host); source != nullptr && kind == m_kind) {
        platform::Bstr name(static_cast<LPCSTR>(Lower(view)));
        BSTR text = name.Get();
        static_cast<void>(source->SetFlagB(&text, m_sourceColumnId, value));
    }
    return 0;
}

HRESULT CViewColumnBase::GetGlyph(DWORD index, DWORD cookie, DWORD kind, VARIANT* bits, VARIANT* mask,
                                  DWORD* byteCount) {
    if (kind != m_kind) {
        return E_FAIL;
    }
    if (index > m_glyphCount) {
        if (byteCount != nullptr) {
            *byteCount = 0;
        }
        return E_FAIL;
    }
    const UINT image = index >= 1 ? column_glyphs::ImageOf(index) : 0;
    if (image != 0) {
        m_glyphCookies[index] = cookie;
    }
    column_glyphs::HandOut(image, bits, mask, byteCount);
    return S_OK;
}

HRESULT CViewColumnBase::GetInfoA(DWORD* first, DWORD* second, DWORD, DWORD, DWORD) {
    if (first != nullptr) {
        *first = 0;
    }
    if (second != nullptr) {
        *second = 2;
    }
    return 1;
}

HRESULT CViewColumnBase::GetInfoB(DWORD* first, DWORD* second, DWORD, DWORD, DWORD) {
    if (first != nullptr) {
        *first = 0;
    }
    if (second != nullptr) {
        *second = 0;
    }
    return 1;
}

HRESULT CViewColumnBase::GetTitle(DWORD* kind, BSTR* title, DWORD) {
    if (kind != nullptr) {
        *kind = m_kind;
    }
    if (title != nullptr) {
        *title = platform::AllocBstr(static_cast<LPCSTR>(m_title));
    }
    return 0;
}

DWORD CViewColumnBase::GetChannelCount() const {
    if (g_deviceValues.hwBreak == 1) {
        return 4;
    }
    if (g_protocolType >= 2 && g_protocolType <= 4) {
        // The device file's count is not bounded when it is read; the
        // channels are eight.
        return std::min<DWORD>(g_deviceValues.addressBreakCount, 8);
    }
    return 2;
}

DWORD CViewColumnBase::HasEntryForChannel(DWORD channel) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [channel](const ColumnEntry& entry) { return entry.used == 1 && entry.channel == channel; })
               ? 1
               : 0;
}
